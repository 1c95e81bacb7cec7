#include "range_check_guard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>
#include <QWidget>

namespace vitayear::ui {
namespace {

// The widget that a mouse press on `target` would give the focus to, as Qt
// decides it: the first enabled widget up the parent chain that takes focus
// by clicking, followed through its focus proxies.
QWidget* ClickFocusTarget(QWidget* target) {
  for (QWidget* w = target; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
    if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
      while (w->focusProxy()) w = w->focusProxy();
      return w;
    }
  }
  return nullptr;
}

}  // namespace

RangeCheckGuard::RangeCheckGuard(QWidget* window, std::function<bool(QWidget*)> isChecked,
                                 std::function<bool(QWidget*)> check)
    : window_(window), isChecked_(std::move(isChecked)), check_(std::move(check)) {
  qApp->installEventFilter(this);
}

RangeCheckGuard::~RangeCheckGuard() { qApp->removeEventFilter(this); }

bool RangeCheckGuard::inWindow(const QObject* object) const {
  const auto* widget = qobject_cast<const QWidget*>(object);
  return widget && window_ && widget->window() == window_;
}

QWidget* RangeCheckGuard::checkedFocusBox() const {
  QWidget* focus = QApplication::focusWidget();
  return focus && inWindow(focus) && isChecked_(focus) ? focus : nullptr;
}

bool RangeCheckGuard::passes(QWidget* box) {
  if (check_(box)) return true;
  restoring_ = true;
  box->setFocus(Qt::OtherFocusReason);
  restoring_ = false;
  return false;
}

void RangeCheckGuard::checkAfterMove(QWidget* box) {
  // Queued: a message box must not open in the middle of Qt's focus change.
  QTimer::singleShot(0, this, [this, guarded = QPointer<QWidget>(box)] {
    if (guarded && window_ && window_->isVisible()) passes(guarded);
  });
}

bool RangeCheckGuard::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) || !inWindow(watched)) break;
      if (QWidget* box = checkedFocusBox()) return !passes(box);
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      // A press from the window system reaches the window first and moves
      // the focus before any widget sees it, so it is checked there.
      QWidget* pressed = nullptr;
      if (window_ && watched == window_->windowHandle()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        pressed = window_->childAt(at);
      } else if (inWindow(watched)) {
        pressed = static_cast<QWidget*>(watched);
      }
      QWidget* box = pressed ? checkedFocusBox() : nullptr;
      QWidget* target = box ? ClickFocusTarget(pressed) : nullptr;
      if (target && target != box) return !passes(box);
      break;
    }
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      auto* box = qobject_cast<QWidget*>(watched);
      if (restoring_ || !box || !inWindow(box) || !isChecked_(box)) break;
      // Tab and mouse moves were checked before they happened; leaving for
      // another application or a list's popup is no move within the window.
      if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason ||
          reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        break;
      QWidget* next = QApplication::focusWidget();
      if (next && next != box && inWindow(next)) checkAfterMove(box);
      break;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vitayear::ui
