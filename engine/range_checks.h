// The upper limits checked when the focus leaves a number box, and their
// messages. The assessment itself does not repeat these checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "controls.h"

namespace vitayear {

// The highest answer of Habit box `index`: 3 for exercise, breakfast,
// snacking and sleep, 4 for smoking and alcohol. The lowest is 1.
int HabitAnswerLimit(int index);

// Whether the box has a range check at all (UsrName has none).
bool HasRangeCheck(TextBox box);

// The message to show when the text's leading number lies above the box's
// limit; nullopt when it passes. `index` picks the Habit box.
std::optional<std::string> RangeCheck(TextBox box, int index, std::string_view text);

}  // namespace vitayear
