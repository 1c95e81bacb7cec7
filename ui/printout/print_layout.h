// The printed page as one table: each field of the printout window with its
// place, size and font. The hidden window and the printer both draw from it.
#pragma once

#include <array>

#include "controls.h"

namespace vitayear::ui {

struct PrintFieldSpec {
  PrintField field;
  bool textBox;  // sunken single-line box; otherwise a wrapping label
  const char* initial;
  int left, top, width, height;  // twips
  double points;
  bool shrinks = false;  // a text too wide is drawn smaller, down to half the size
};

inline constexpr const char* kPrintFace = "Arial Unicode MS";
inline constexpr int kPrintWindowWidth = 13005;  // twips
inline constexpr int kPrintWindowHeight = 14220;

// In the order the assessment fills them.
extern const std::array<PrintFieldSpec, kPrintFields.size()> kPrintLayout;

// The box around everything the page shows, in window twips.
struct TwipsBox {
  int left, top, right, bottom;
};
TwipsBox PrintContentBounds();

}  // namespace vitayear::ui
