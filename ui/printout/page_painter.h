// Draws the printout page: one function for the hidden window and for the
// printer, so what prints is what the window holds. The device must have 96
// dots per inch (15 twips to a dot); text is measured on that device.
#pragma once

#include <QPointF>
#include <QString>
#include <array>

#include "controls.h"

class QPainter;

namespace vitayear::ui {

// One text for each printout field.
class PrintoutTexts {
 public:
  QString& operator[](PrintField field) { return texts_.at(SlotOf(kPrintFields, field)); }
  const QString& operator[](PrintField field) const { return texts_.at(SlotOf(kPrintFields, field)); }
  bool operator==(const PrintoutTexts&) const = default;

 private:
  std::array<QString, kPrintFields.size()> texts_;
};

PrintoutTexts InitialPrintoutTexts();

// Paints the printout window's client area with its top-left corner at
// `origin` (device dots).
void PaintPrintout(QPainter& painter, const PrintoutTexts& texts, QPointF origin);

}  // namespace vitayear::ui
