// How each value of one assessment is taken from the input controls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "controls.h"

namespace vitayear {

// Sex list index + 1: 0 none chosen, 1 male, 2 female. An index the list
// cannot hold counts as none chosen.
std::int16_t ReadSexCode(const Controls& controls);

// Language list index: 0 English, 1 Russian, 2 Ukrainian; -1 for none or an
// index no phrase exists for.
std::int16_t ReadLanguage(const Controls& controls);

// Replaces the box's text by the plain text of its leading number and returns
// it. A number that overflows a double leaves the box untouched: nullopt.
std::optional<std::string> NormaliseBox(Controls& controls, TextBox box);

// Leading number of the weight box (left as typed); nullopt when it overflows.
std::optional<double> ReadWeight(const Controls& controls);

// Habit box h (0..5): shows the normalised answer in the result label and returns
// its answer index 0..4. nullopt when the answer is not a number above 0,
// overflows, or rounds outside the table.
std::optional<int> ReadHabitAnswer(Controls& controls, int habit);

}  // namespace vitayear
