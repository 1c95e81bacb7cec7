// Fonts of both windows: the faces the layouts name, bold, at their point
// sizes. Sizes are set in pixels at 96 per inch so that text keeps its size
// against the twip-placed controls whatever DPI the X server reports.
#pragma once

#include <QFont>

namespace vitayear::ui {

// "Arial Unicode MS" is not on Linux: the first call makes Liberation Sans,
// with Arial's metrics and every Cyrillic letter of the phrases, stand in.
// `scale` draws it smaller in proportion, with a window that is.
QFont ControlFont(const char* face, double points, double scale = 1.0);

}  // namespace vitayear::ui
