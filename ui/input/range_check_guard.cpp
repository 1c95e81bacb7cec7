#include "range_check_guard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>
#include <QWidget>

namespace vitayear::ui {

RangeCheckGuard::RangeCheckGuard(QWidget* window, const std::vector<QWidget*>& boxes,
                                 std::function<QString(QWidget*)> refusal, std::function<void(const QString&)> show)
    : window_(window), refusal_(std::move(refusal)), show_(std::move(show)) {
  for (QWidget* box : boxes) {
    boxes_.emplace_back(box);
    box->installEventFilter(this);
  }
}

RangeCheckGuard::~RangeCheckGuard() {
  if (swallowing_) qApp->removeEventFilter(this);
  for (const QPointer<QWidget>& box : boxes_)
    if (box) box->removeEventFilter(this);
}

bool RangeCheckGuard::eventFilter(QObject* watched, QEvent* event) {
  if (swallowing_) {
    // Qt moves the focus on a press before the widget under the mouse gets
    // the press; this is that press, and the refused move cancels it.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
      swallowing_ = false;
      qApp->removeEventFilter(this);
      return true;
    }
    return false;
  }
  if (event->type() != QEvent::FocusOut || restoring_) return false;
  auto* box = static_cast<QWidget*>(watched);
  const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
  // Leaving for another application or a list's popup is no move within the window.
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
  // By now Qt has given the focus to where it goes: nowhere, another window
  // (closing this one, or a message box) or a control of this window.
  QWidget* next = QApplication::focusWidget();
  if (!next || !window_ || next->window() != window_) return false;
  const QString message = refusal_(box);
  if (message.isEmpty()) return false;
  if (reason == Qt::MouseFocusReason) {
    swallowing_ = true;
    qApp->installEventFilter(this);
  }
  // Not here: a message box must not open in the middle of Qt's focus change.
  QTimer::singleShot(0, this, [this, guarded = QPointer<QWidget>(box), message] {
    if (swallowing_) {  // the press never came (a press Qt handled itself)
      swallowing_ = false;
      qApp->removeEventFilter(this);
    }
    if (guarded && window_ && window_->isVisible()) refuse(guarded, message);
  });
  return false;
}

bool RangeCheckGuard::allPass() {
  for (const QPointer<QWidget>& box : boxes_) {
    if (!box) continue;
    if (const QString message = refusal_(box); !message.isEmpty()) {
      refuse(box, message);
      return false;
    }
  }
  return true;
}

void RangeCheckGuard::refuse(QWidget* box, const QString& message) {
  show_(message);
  restoring_ = true;
  box->setFocus(Qt::OtherFocusReason);
  restoring_ = false;
}

}  // namespace vitayear::ui
