#include "record.h"

#include <cmath>

#include "conversions.h"
#include "lists.h"
#include "risk_tables.h"

namespace vitayear {

namespace {

// The entry chosen in a list, or null for none or an index the list cannot hold.
template <class Entry, std::size_t N>
const Entry* Chosen(const Controls& controls, List list, const std::array<Entry, N>& entries) {
  const int index = controls.ListIndex(list);
  return index >= 0 && static_cast<std::size_t>(index) < N ? &entries[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace

std::int16_t ReadSexCode(const Controls& controls) {
  const SexEntry* entry = Chosen(controls, List::Sex, kSexEntries);
  return entry ? entry->code : std::int16_t{0};
}

std::int16_t ReadLanguage(const Controls& controls) {
  const LanguageEntry* entry = Chosen(controls, List::Language, kLanguageEntries);
  return entry ? entry->language : std::int16_t{-1};
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
  const double typed = LeadingNumber(controls.Text(TextBox::Habit, habit));
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
