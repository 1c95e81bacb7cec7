#include "range_checks.h"

#include <cstdint>

#include "conversions.h"

namespace vitayear {
namespace {

struct Limit {
  std::int16_t value;
  std::string message;
};

Limit LimitOf(TextBox box, int index) {
  switch (box) {
    case TextBox::Age: return {120, "You need to type an age smaller than 120 years"};
    case TextBox::Weight1: return {300, "You need to type a weight smaller than 300 kg"};
    case TextBox::Bodyfat: return {60, "You need to type a body fat Number smaller than 60%"};
    case TextBox::Habit: {
      const auto limit = static_cast<std::int16_t>(HabitAnswerLimit(index));
      return {limit,
              "You need to type a number smaller than " + SignedNumberText(std::int32_t{limit}) + " in this box"};
    }
    case TextBox::UsrName: break;
  }
  return {0, ""};
}

}  // namespace

int HabitAnswerLimit(int index) { return index < 4 ? 3 : 4; }

bool HasRangeCheck(TextBox box) { return box != TextBox::UsrName; }

std::optional<std::string> RangeCheck(TextBox box, int index, std::string_view text) {
  if (!HasRangeCheck(box)) return std::nullopt;
  Limit limit = LimitOf(box, index);
  // Strictly greater: a value equal to the limit passes. A NaN cannot arise.
  if (!(LeadingNumber(text) > limit.value)) return std::nullopt;
  return std::move(limit.message);
}

}  // namespace vitayear
