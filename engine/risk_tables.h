// The two constant tables every assessment looks up: years of risk per habit
// answer and sex, and the upper limit of the ideal body-fat band.
#pragma once

#include <cstdint>

namespace vitayear {

// Risk table columns: 1 male, 2 female (the sex code), 3 healthy flag.
inline constexpr int kHealthyColumn = 3;
// Base row (habit row 0) slots.
inline constexpr int kIdealSumSlot = 0;
inline constexpr int kWithinBandSlot = 1;
inline constexpr int kAboveBandSlot = 2;

inline constexpr int kHabitRows = 7;  // 0 base row, 1..6 habits
inline constexpr int kColumns = 4;    // 0 unused, 1 male, 2 female, 3 healthy flag
inline constexpr int kAnswers = 5;    // 0..4

// The table row of the habit in Habit box 0..5 (row 0 is the base row); the
// phrase table numbers its habit rows alike.
constexpr int HabitRow(int habit) { return habit + 1; }

// Cell (habit row 0..6, column 0..3, answer 0..4); std::out_of_range outside.
float RiskCell(int habitRow, int column, int answer);

// Upper limit of the ideal body-fat band, whole percent, by sex code 0..2 and
// age group 0..2 (1: age 30 or less, 2: above 30); std::out_of_range outside.
std::int16_t BodyFatUpperLimit(int sexCode, int ageGroup);

}  // namespace vitayear
