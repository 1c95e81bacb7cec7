#include "record.h"

#include <cmath>

#include "conversions.h"
#include "risk_tables.h"

namespace vitayear {

std::int16_t ReadSexCode(const Controls& controls) {
  const int index = controls.ListIndex(List::Sex);
  return index == 0 || index == 1 ? static_cast<std::int16_t>(index + 1) : std::int16_t{0};
}

std::int16_t ReadLanguage(const Controls& controls) {
  const int index = controls.ListIndex(List::Language);
  return index >= 0 && index <= 2 ? static_cast<std::int16_t>(index) : std::int16_t{-1};
}

std::optional<std::string> NormaliseBox(Controls& controls, TextBox box) {
  const double value = LeadingNumber(controls.Text(box, 0));
  if (!std::isfinite(value)) return std::nullopt;
  std::string text = NumberText(value);
  controls.SetText(box, 0, text);
  return text;
}

std::optional<double> ReadWeight(const Controls& controls) {
  const double weight = LeadingNumber(controls.Text(TextBox::Weight1, 0));
  if (!std::isfinite(weight)) return std::nullopt;
  return weight;
}

std::optional<int> ReadHabitAnswer(Controls& controls, int habit) {
  const double typed = LeadingNumber(controls.Text(TextBox::Habit, habit - 1));
  if (!std::isfinite(typed)) return std::nullopt;
  const std::string answer = NumberText(typed);
  controls.SetResultCaption(answer);
  const auto number = StrictNumber(answer);
  if (!number || !(*number > 0)) return std::nullopt;
  const auto index = RoundToWhole(*number);
  if (!index || *index < 0 || *index >= kAnswers) return std::nullopt;
  return *index;
}

}  // namespace vitayear
