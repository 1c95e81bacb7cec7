// On Wayland, keep the windows on plain CPU drawing into shared memory where
// that keeps their frames.
#pragma once

namespace vitayear::ui {

// Call before the QApplication is made. Qt's Wayland GL integration would
// load Mesa and LLVM for nothing: 55 MB of the idle footprint. Qt before 6.8
// draws no window frame without it, though, and a window without a title bar
// cannot be moved or closed: there Qt's default stays. Whoever sets
// QT_WAYLAND_CLIENT_BUFFER_INTEGRATION keeps their choice.
void DrawWithoutGlOnWayland();

}  // namespace vitayear::ui
