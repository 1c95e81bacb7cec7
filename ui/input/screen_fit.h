// How much smaller the input window is drawn so that it fits, frame
// included, in the room the desktop leaves for windows on the screen it
// opens on: a 1366x768 laptop at 125% has room for about 614 of its 702
// logical pixels, less the panels'.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

class QScreen;
class QWidget;

namespace vitayear::ui {

// The largest scale, at most 1, at which a client area of `client` with
// `frame` around it fits into `room`; never below a legible half.
double ScreenFitScale(QSize client, QMargins frame, QSize room);

// The frame around a top-level window: the real one once the window manager
// or Qt's own decoration has drawn it, before that a title bar's worth.
QMargins FrameOf(const QWidget& window);

// The room for a window on `screen`, in the screen's coordinates. On X11 it
// is the work area that window managers publish, their panels left out, as
// Qt reports it. On Wayland Qt reports the whole output and passes the
// compositor's bounds on to no window of a fixed size: a panel's worth is
// kept free at the bottom, as Plasma's default panel takes (GNOME's top bar
// and weston's panel take less), so that the whole window fits beside it.
// So it is too for an X11 window in a Wayland session whose work area is the
// whole screen: KWin publishes no other to Xwayland at a fractional scale.
QRect RoomForWindows(const QScreen& screen, bool waylandSession);

// Whether the window is in a Wayland session: a Wayland client, or an X11
// one through Xwayland.
bool InWaylandSession(const QString& platform);

}  // namespace vitayear::ui
