// How much smaller the input window is drawn so that it fits the screen it
// opens on: a 1366x768 laptop at 125% has room for about 614 of its 702
// logical pixels.
#pragma once

#include <QMargins>
#include <QSize>

class QWidget;

namespace vitayear::ui {

// The largest scale, at most 1, at which a client area of `client` with
// `frame` around it fits into `available`; never below a legible half.
double FitScale(QSize client, QMargins frame, QSize available);

// The frame around a top-level window: the real one once the window manager
// or Qt's own decoration has drawn it, before that a title bar's worth.
QMargins FrameOf(const QWidget& window);

}  // namespace vitayear::ui
