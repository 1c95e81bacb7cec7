#include "frmInput.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <limits>
#include <string_view>
#include <vector>

#include "accessible_factory.h"
#include "announcer.h"
#include "assessment.h"
#include "credentials_dialog.h"
#include "engine_text.h"
#include "fonts.h"
#include "frmPrint.h"
#include "input_controls.h"
#include "lists.h"
#include "message_box.h"
#include "print_page.h"
#include "print_watches.h"
#include "range_check_guard.h"
#include "range_checks.h"
#include "report_accessible.h"
#include "screen_fit.h"
#include "selection_combo.h"
#include "twips.h"

namespace vitayear::ui {
namespace {

QString CaptionWithoutColon(const char* caption) {
  QString text = QString::fromUtf8(caption);
  if (text.endsWith(u':')) text.chop(1);
  return text;
}

}  // namespace

FrmInput::FrmInput(QWidget* parent)
    : QWidget(parent),
      watches_(std::make_unique<PrintWatches>(
          CredentialsPromptOver(this), [this](const QString& text) { showMessage(text); },
          [this] { return handling_; })),
      printer_([this](const PrintoutTexts& texts) {
        return PrintOnDefaultPrinter(texts, CredentialsPromptOver(this), kPrintBoundMs, watches_->watchNext());
      }) {
  InstallAccessibleInterfaces();
  build();
  fitToScreen();
  for (QScreen* where : QGuiApplication::screens()) refitWhenRoomChanges(where);
  connect(qApp, &QGuiApplication::screenAdded, this, &FrmInput::refitWhenRoomChanges);
  load();
  std::vector<QWidget*> checked;
  for (TextBox which : kSingleBoxes)
    if (HasRangeCheck(which)) checked.push_back(box(which));
  if (HasRangeCheck(TextBox::Habit)) checked.insert(checked.end(), habits_.begin(), habits_.end());
  guard_ = std::make_unique<RangeCheckGuard>(
      this, checked, [this](QWidget* w) { return rangeRefusal(w); },
      [this](const QString& text) { showMessage(text); });
}

FrmInput::~FrmInput() = default;

void FrmInput::build() {
  setObjectName(QString::fromLatin1(kInputWindow.name));
  setWindowTitle(QString::fromLatin1(kInputWindow.title));
  announcer_ = new Announcer(this);
  std::vector<QWidget*> focusOrder;
  for (const ControlSpec& spec : kInputLayout) {
    QWidget* widget = makeControl(spec);
    widget->setObjectName(QString::fromLatin1(spec.name));
    controls_.push_back(widget);
    if (widget->focusPolicy() != Qt::NoFocus) focusOrder.push_back(widget);
  }
  place(1.0);
  nameForScreenReaders();
  for (std::size_t i = 1; i < focusOrder.size(); ++i) setTabOrder(focusOrder[i - 1], focusOrder[i]);

  connect(button(Button::Clear), &QPushButton::clicked, this, [this] { runHandler([this] { clearFields(); }); });
  connect(button(Button::Compute), &QPushButton::clicked, this, [this] { runHandler([this] { compute(); }); });
  connect(button(Button::Printing), &QPushButton::clicked, this, [this] { runHandler([this] { print(); }); });
}

QWidget* FrmInput::makeControl(const ControlSpec& spec) {
  const QString caption = QString::fromUtf8(spec.caption);
  switch (spec.kind) {
    case Kind::TextBox: {
      auto* edit = new QLineEdit(this);
      edit->setMaxLength(std::numeric_limits<int>::max());  // Qt's default cuts at 32767
      if (spec.role.box == TextBox::Habit)
        habits_.at(static_cast<std::size_t>(spec.role.index)) = edit;
      else
        boxes_.at(SlotOf(kSingleBoxes, spec.role.box)) = edit;
      return edit;
    }
    case Kind::ComboBox: {
      auto* combo = new SelectionCombo(this);
      combo->setEditText(caption);
      lists_.at(SlotOf(kLists, spec.role.list)) = combo;
      connect(combo, &SelectionCombo::chosenFromNone, this,
              [this, combo](const QString& entry) { announcer_->announce(combo, entry + QStringLiteral(" chosen")); });
      return combo;
    }
    case Kind::Button: {
      auto* push = new QPushButton(caption, this);
      push->setAutoDefault(false);  // Enter and Esc press no button
      buttons_.at(SlotOf(kButtons, spec.role.button)) = push;
      return push;
    }
    case Kind::Label: break;
  }
  const bool isResult = spec.role.of == Role::Of::Result;
  QLabel* label = isResult ? new ReportLabel(this) : new QLabel(this);
  label->setText(caption);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  const bool isCaption = spec.role.of == Role::Of::Caption;
  // Captions and units sit level with the text of the box beside them;
  // the report starts at the top of its area.
  label->setAlignment((isCaption ? Qt::AlignRight : Qt::AlignLeft) | (isResult ? Qt::AlignTop : Qt::AlignVCenter));
  if (isResult) {
    result_ = static_cast<ReportLabel*>(label);
    // A screen reader reads the report itself; the description says what it is.
    label->setAccessibleDescription(QStringLiteral("Result"));
  }
  return label;
}

void FrmInput::nameForScreenReaders() {
  for (std::size_t row = 0; row < kInputLayout.size(); ++row) {
    const ControlSpec& spec = kInputLayout[row];
    // The unit beside a box is part of what the box asks for.
    if (spec.role.of == Role::Of::Unit)
      box(spec.role.box)->setAccessibleDescription(QString::fromUtf8(spec.role.spoken));
    // So is the scale of a habit's answer.
    if (spec.kind == Kind::TextBox && spec.role.box == TextBox::Habit)
      box(TextBox::Habit, spec.role.index)
          ->setAccessibleDescription(QStringLiteral("1 to %1").arg(HabitAnswerLimit(spec.role.index)));
    if (spec.role.of != Role::Of::Caption) continue;
    QWidget* field = spec.role.namesList ? static_cast<QWidget*>(list(spec.role.list))
                                         : static_cast<QWidget*>(box(spec.role.box, spec.role.index));
    static_cast<QLabel*>(controls_[row])->setBuddy(field);
    field->setAccessibleName(CaptionWithoutColon(spec.caption));
  }
}

void FrmInput::place(double scale) {
  scale_ = scale;
  setFixedSize(static_cast<int>(Pixels(kInputWindow.width) * scale),
               static_cast<int>(Pixels(kInputWindow.height) * scale));
  // Most controls share one font: let them inherit it from the window, which
  // resolves it once instead of thirty times at start-up.
  const ControlSpec& first = kInputLayout.front();
  setFont(ControlFont(first.face, first.points, scale));
  for (std::size_t row = 0; row < kInputLayout.size(); ++row) {
    const ControlSpec& spec = kInputLayout[row];
    QWidget* widget = controls_.at(row);
    if (std::string_view(spec.face) != first.face || spec.points != first.points)
      widget->setFont(ControlFont(spec.face, spec.points, scale));
    widget->setGeometry(ScaledPixelRect(spec.left, spec.top, spec.width, spec.height, scale));
  }
}

void FrmInput::fitToScreen(Placement placement) {
  const QScreen* where = screen();
  if (!where) return;
  const QRect room = RoomForWindows(*where, InWaylandSession(QGuiApplication::platformName()));
  const double scale =
      ScreenFitScale(QSize(Pixels(kInputWindow.width), Pixels(kInputWindow.height)), FrameOf(*this), room.size());
  if (scale == scale_) return;
  place(scale);
  // The window manager placed the window for the size it had. Grown
  // downwards, now that its real frame turns out thinner than the typical
  // one reckoned with, it would run past a panel below it (KWin leaves it
  // there): it moves up by as much, as far as the room goes.
  const int overrun = frameGeometry().bottom() - room.bottom();
  if (placement == Placement::Done && overrun > 0) move(x(), std::max(room.top(), y() - overrun));
}

void FrmInput::refitWhenRoomChanges(QScreen* where) {
  // A panel that starts, leaves or moves changes the room the window has.
  connect(where, &QScreen::availableGeometryChanged, this, [this] { fitToScreen(); });
}

bool FrmInput::event(QEvent* event) {
  switch (event->type()) {
    // Shown (the size the desktop places), shown with its frame (Qt's
    // Wayland decoration is known only then), or moved once the window
    // manager has put its frame around it.
    case QEvent::Show:
    case QEvent::ShowToParent: fitToScreen(); break;
    case QEvent::Move: fitToScreen(Placement::Done); break;
    default: break;
  }
  const bool handled = QWidget::event(event);
  // The native window exists once shown: moved to another screen, it fits that one.
  if (event->type() == QEvent::Show && windowHandle() && !screenFollowed_)
    screenFollowed_ = connect(windowHandle(), &QWindow::screenChanged, this, [this] { fitToScreen(); });
  return handled;
}

void FrmInput::load() {
  const auto caption = [](std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); };
  for (const SexEntry& entry : kSexEntries) list(List::Sex)->appendEntry(caption(entry.caption));
  for (const LanguageEntry& entry : kLanguageEntries) list(List::Language)->appendEntry(caption(entry.caption));
  list(List::Language)->setCurrentIndex(kLanguageAtStart);
  box(TextBox::UsrName)->setFocus(Qt::OtherFocusReason);
}

QLineEdit* FrmInput::box(TextBox which, int index) const {
  if (which == TextBox::Habit) return habits_.at(static_cast<std::size_t>(index));
  return boxes_.at(SlotOf(kSingleBoxes, which));
}

SelectionCombo* FrmInput::list(List which) const { return lists_.at(SlotOf(kLists, which)); }

QPushButton* FrmInput::button(Button which) const { return buttons_.at(SlotOf(kButtons, which)); }

void FrmInput::showMessage(const QString& text) {
  if (messageSink_) {
    messageSink_(text);
    return;
  }
  MakeMessageBox(this, text)->exec();
  // Window managers give the activation back when a modal box closes; without
  // one nothing does, and the focus the caller restores would go nowhere.
  activateWindow();
}

void FrmInput::closeEvent(QCloseEvent* event) {
  QStringList held = watches_->heldForCredentials();
  if (!held.isEmpty()) {
    const bool many = held.size() > 1;
    held.removeDuplicates();
    for (QString& printer : held) printer = u'"' + printer + u'"';
    const QString question =
        (many ? QStringLiteral("Pages are waiting at the printer%1 %2 for a user name and password. Cancel them, or "
                               "leave them held at the print server?")
              : QStringLiteral("A page is waiting at the printer%1 %2 for a user name and password. Cancel it, or "
                               "leave it held at the print server?"))
            .arg(held.size() > 1 ? QStringLiteral("s") : QString(), held.join(QStringLiteral(", ")));
    watches_->endHeld(heldPageChooser_ ? heldPageChooser_(question) : AskCancelHeld(this, question, many));
  }
  QWidget::closeEvent(event);
}

void FrmInput::setResultCaption(const QString& caption) { result_->setText(WithLineFeeds(caption)); }

QLabel* FrmInput::result() const { return result_; }

FrmPrint& FrmInput::printout() {
  if (!printout_) printout_ = std::make_unique<FrmPrint>();
  return *printout_;
}

std::optional<std::pair<TextBox, int>> FrmInput::boxOf(const QWidget* widget) const {
  for (TextBox which : kSingleBoxes)
    if (box(which) == widget) return std::pair{which, 0};
  for (int index = 0; index < kHabitCount; ++index)
    if (box(TextBox::Habit, index) == widget) return std::pair{TextBox::Habit, index};
  return std::nullopt;
}

QString FrmInput::rangeRefusal(QWidget* widget) const {
  const auto which = boxOf(widget);
  if (!which) return {};
  const auto message = RangeCheck(which->first, which->second, ToEngineText(box(which->first, which->second)->text()));
  return message ? QString::fromStdString(*message) : QString();
}

template <class Handler>
void FrmInput::runHandler(Handler&& handler) {
  // One handler at a time: while Print waits for the print server the
  // window repaints, and nothing that arrives meanwhile (a timer, a screen
  // reader's press) may start another one inside it.
  if (handling_) return;
  handling_ = true;
  const auto done = qScopeGuard([this] {
    handling_ = false;
    watches_->deliver();  // what a watch had to say meanwhile
  });
  // Nothing should reach here; if something does, say so and carry on.
  try {
    handler();
  } catch (const std::exception& e) {
    showMessage(
        QStringLiteral("This action stopped because of an unexpected error: %1").arg(QString::fromUtf8(e.what())));
  } catch (...) {
    showMessage(QStringLiteral("This action stopped because of an unexpected error."));
  }
}

void FrmInput::clearFields() {
  for (QLineEdit* habit : habits_) habit->clear();
  for (TextBox which : kSingleBoxes) box(which)->clear();
  repaint();
}

// A button pressed without a focus change (a key, an assistive technology)
// never passed the checks on leaving a box: make them here.
void FrmInput::compute() {
  if (!guard_->allPass()) return;
  InputControls controls(*this);
  if (Assess(controls) == Outcome::Completed) announcer_->announce(result_, result_->text());
}

void FrmInput::print() {
  if (!guard_->allPass()) return;
  InputControls controls(*this);
  // Only a completed assessment prints: after a refusal the printout still
  // holds the previous person's page.
  if (Assess(controls) != Outcome::Completed) return;
  const PrintResult printed = printer_(printout().texts());
  if (!printed.ok)
    showMessage(printed.problem);
  else if (!printed.notice.isEmpty())
    showMessage(printed.notice);
}

}  // namespace vitayear::ui
