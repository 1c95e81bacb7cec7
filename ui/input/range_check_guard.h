// Runs a box's range check whenever the keyboard focus leaves it for another
// control of the same window, however it leaves: Tab, Shift+Tab, a click or
// the program's own move. Qt decides where the focus goes; the guard watches
// the checked boxes' focus-out events and, when the value is refused, puts
// the focus back and shows the message. A click that took the focus from a
// refused box is swallowed, so the button or list it hit does nothing.
// Switching to another application, opening a list's popup and closing the
// window run no check.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace vitayear::ui {

class RangeCheckGuard : public QObject {
  Q_OBJECT
 public:
  // `refusal` gives the message for a box's value, or an empty text when it
  // passes; `show` shows a message and returns when it is dismissed.
  RangeCheckGuard(QWidget* window, const std::vector<QWidget*>& boxes, std::function<QString(QWidget*)> refusal,
                  std::function<void(const QString&)> show);
  ~RangeCheckGuard() override;

  // Checks every box in order, as a button does before it assesses: the
  // first refused one gets its message and the focus back. Whether all pass.
  bool allPass();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refuse(QWidget* box, const QString& message);

  QPointer<QWidget> window_;
  std::vector<QPointer<QWidget>> boxes_;
  std::function<QString(QWidget*)> refusal_;
  std::function<void(const QString&)> show_;
  bool restoring_ = false;   // the focus is being put back: its moves are not checked
  bool swallowing_ = false;  // the press that moved the focus is yet to come
};

}  // namespace vitayear::ui
