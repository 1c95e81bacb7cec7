#include "print_layout.h"

#include <algorithm>

namespace vitayear::ui {

const std::array<PrintFieldSpec, kPrintFields.size()> kPrintLayout = {{
    {PrintField::Age, true, "00", 1080, 4200, 1695, 810, 30},
    {PrintField::UsrName, true, "Name", 2400, 2040, 4215, 615, 20.25, true},
    {PrintField::Vitayear, true, "00", 960, 5400, 1815, 855, 30},
    {PrintField::IdealAge, true, "00", 5520, 4200, 1815, 975, 30},
    {PrintField::AddedYears, true, "00", 5520, 5370, 1815, 885, 30},
    {PrintField::Habits, true, "00", 960, 3075, 1815, 810, 30},
    {PrintField::Recommendation, false, "Recommendation", 5880, 10440, 6015, 3375, 12},
}};

TwipsBox PrintContentBounds() {
  TwipsBox box{kPrintWindowWidth, kPrintWindowHeight, 0, 0};
  for (const auto& f : kPrintLayout) {
    box.left = std::min(box.left, f.left);
    box.top = std::min(box.top, f.top);
    box.right = std::max(box.right, f.left + f.width);
    box.bottom = std::max(box.bottom, f.top + f.height);
  }
  return box;
}

}  // namespace vitayear::ui
