// On Wayland, keep the windows on plain CPU drawing into shared memory.
#pragma once

namespace vitayear::app {

// Call before the QApplication is made. Qt's Wayland GL integration would
// load Mesa and LLVM for nothing: 55 MB of the idle footprint. Whoever sets
// QT_WAYLAND_CLIENT_BUFFER_INTEGRATION keeps their choice.
void DrawWithoutGlOnWayland();

}  // namespace vitayear::app
