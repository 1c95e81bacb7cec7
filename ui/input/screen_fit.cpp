#include "screen_fit.h"

#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace vitayear::ui {
namespace {

constexpr double kSmallestScale = 0.5;
// Qt's own Wayland decoration is 3 + 30 + 3 + 3; window managers' title bars
// are of that order.
constexpr QMargins kTypicalFrame{4, 32, 4, 4};

}  // namespace

double FitScale(QSize client, QMargins frame, QSize available) {
  if (client.isEmpty() || available.isEmpty()) return 1.0;
  const double across = double(available.width() - frame.left() - frame.right()) / client.width();
  const double down = double(available.height() - frame.top() - frame.bottom()) / client.height();
  return std::clamp(std::min(across, down), kSmallestScale, 1.0);
}

QMargins FrameOf(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  if (handle && handle->handle() && !handle->frameMargins().isNull()) return handle->frameMargins();
  return kTypicalFrame;
}

}  // namespace vitayear::ui
