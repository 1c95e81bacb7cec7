// The input window: built from its layout table, with the load step, the
// range checks on leaving a number box, and the Clear, Compute and Print
// buttons. The assessment itself lives in the engine.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "controls.h"
#include "input_layout.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScreen;

namespace vitayear::ui {

class FrmPrint;
class PrintWatches;
class PrintoutTexts;
class RangeCheckGuard;
class Announcer;
class ReportLabel;
struct PrintResult;
class SelectionCombo;

class FrmInput : public QWidget {
  Q_OBJECT
 public:
  using MessageSink = std::function<void(const QString&)>;
  using Printer = std::function<PrintResult(const PrintoutTexts&)>;

  explicit FrmInput(QWidget* parent = nullptr);
  ~FrmInput() override;

  QLineEdit* box(TextBox box, int index = 0) const;
  SelectionCombo* list(List list) const;
  QLabel* result() const;
  QPushButton* button(Button button) const;

  // Messages go to a modal box titled with the application's name unless a
  // test has put its own sink here.
  void setMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }
  void showMessage(const QString& text);

  // Where Print sends the page; the default printer unless replaced.
  void setPrinter(Printer printer) { printer_ = std::move(printer); }
  // The pages printed, watched until they are done.
  PrintWatches& printWatches() { return *watches_; }

  // Closing while a page waits for a printer's password asks whether to
  // cancel it (true) or leave it held; a test may answer in the operator's place.
  using HeldPageChooser = std::function<bool(const QString& question)>;
  void setHeldPageChooser(HeldPageChooser chooser) { heldPageChooser_ = std::move(chooser); }

  // The report text, whose lines end in carriage returns.
  void setResultCaption(const QString& caption);

  // The hidden printout window, created on first use; null before that.
  FrmPrint& printout();
  FrmPrint* existingPrintout() const { return printout_.get(); }

  void clearFields();
  void compute();
  void print();

  // 1 where the window fits its screen; less where it is drawn smaller.
  double layoutScale() const { return scale_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  QWidget* makeControl(const ControlSpec& spec);
  // Each box and list named by its caption, with its unit where it has one.
  void nameForScreenReaders();
  // Places and sizes every control from the layout table, `scale` times its size.
  void place(double scale);
  // Made as large as fits; once the desktop has placed the window, grown
  // only with a move that keeps its bottom in the room.
  enum class Placement { NotYet, Done };
  void fitToScreen(Placement placement = Placement::NotYet);
  void refitWhenRoomChanges(QScreen* where);
  void load();
  // The text box a widget is, if it is one.
  std::optional<std::pair<TextBox, int>> boxOf(const QWidget* widget) const;
  // The message a range-checked box refuses its value with; empty when it passes.
  QString rangeRefusal(QWidget* widget) const;
  template <class Handler>
  void runHandler(Handler&& handler);

  std::array<QLineEdit*, kSingleBoxes.size()> boxes_{};
  std::array<QLineEdit*, kHabitCount> habits_{};
  std::array<SelectionCombo*, kLists.size()> lists_{};
  std::array<QPushButton*, kButtons.size()> buttons_{};
  ReportLabel* result_ = nullptr;
  Announcer* announcer_ = nullptr;  // tells screen readers what changed out of the way
  std::vector<QWidget*> controls_;  // one for each row of the layout table
  double scale_ = 1.0;
  bool handling_ = false;                   // a button's handler is running
  QMetaObject::Connection screenFollowed_;  // the window's screen changes
  MessageSink messageSink_;
  HeldPageChooser heldPageChooser_;
  std::unique_ptr<PrintWatches> watches_;
  Printer printer_;
  std::unique_ptr<FrmPrint> printout_;
  // Owned here rather than by Qt's child list, so that it stops watching
  // before the window's children are torn down.
  std::unique_ptr<RangeCheckGuard> guard_;
};

}  // namespace vitayear::ui
