#include "screen_fit.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace vitayear::ui {
namespace {

constexpr double kSmallestWindowScale = 0.5;
// Qt's own Wayland decoration is 3 + 30 + 3 + 3. KWin's Breeze title bar,
// which Qt is never told of on Wayland, is 37 with Debian's fonts.
constexpr QMargins kTypicalFrame{4, 40, 4, 4};
// The most a desktop's panel takes, in its logical pixels: Plasma's default
// panel (44), more than GNOME's top bar and weston's panel (32); with Qt's
// own scale above the desktop's this keeps a little more free.
constexpr int kPanel = 44;

}  // namespace

double ScreenFitScale(QSize client, QMargins frame, QSize room) {
  if (client.isEmpty() || room.isEmpty()) return 1.0;
  const double across = double(room.width() - frame.left() - frame.right()) / client.width();
  const double down = double(room.height() - frame.top() - frame.bottom()) / client.height();
  return std::clamp(std::min(across, down), kSmallestWindowScale, 1.0);
}

QMargins FrameOf(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  if (handle && handle->handle() && !handle->frameMargins().isNull()) return handle->frameMargins();
  return kTypicalFrame;
}

QRect RoomForWindows(const QScreen& screen, bool waylandSession) {
  QRect room = screen.availableGeometry();
  // Where a later Qt reports a work area on Wayland too, it is used as it is.
  if (waylandSession && room == screen.geometry()) room.setHeight(room.height() - kPanel);
  return room;
}

bool InWaylandSession(const QString& platform) {
  return platform.startsWith(QLatin1String("wayland")) ||
         qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace vitayear::ui
