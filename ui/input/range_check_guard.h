// Runs a box's range check whenever the keyboard focus is about to leave it
// for another control of the same window.
//
// Tab, Shift+Tab and mouse presses are checked before Qt acts on them, so a
// refused value stops the move and the click: the focus never visits the
// button and its click never happens. Any other move (the program's own) is
// checked after it happened and the focus is put back. Switching to another
// application, opening a list's popup and closing the window run no check.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace vitayear::ui {

class RangeCheckGuard : public QObject {
  Q_OBJECT
 public:
  // `check` runs the range check of a box, shows its message when it fails
  // and returns whether the value passed; `isChecked` tells which widgets
  // are range-checked boxes.
  RangeCheckGuard(QWidget* window, std::function<bool(QWidget*)> isChecked, std::function<bool(QWidget*)> check);
  ~RangeCheckGuard() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool inWindow(const QObject* object) const;
  QWidget* checkedFocusBox() const;
  bool passes(QWidget* box);
  void checkAfterMove(QWidget* box);

  QPointer<QWidget> window_;
  std::function<bool(QWidget*)> isChecked_;
  std::function<bool(QWidget*)> check_;
  bool restoring_ = false;
};

}  // namespace vitayear::ui
