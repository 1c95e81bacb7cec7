// Draws the printout page: one function for the hidden window and for the
// printer, so what prints is what the window holds. The device must have 96
// dots per inch (15 twips to a dot); text is measured on that device.
#pragma once

#include <QPointF>
#include <QString>
#include <array>

class QPainter;

namespace vitayear::ui {

// Field texts indexed by PrintField.
using PrintoutTexts = std::array<QString, 7>;

PrintoutTexts InitialPrintoutTexts();

// Paints the printout window's client area with its top-left corner at
// `origin` (device dots).
void PaintPrintout(QPainter& painter, const PrintoutTexts& texts, QPointF origin);

}  // namespace vitayear::ui
