#include "risk_tables.h"

#include <stdexcept>

namespace vitayear {
namespace {

// Every cell as published; the floats are the nearest single-precision values.
constexpr float kRisk[kHabitRows][kColumns][kAnswers] = {
    // 0 base row: ideal sum, within-band base, above-band base
    {{0, 0, 0, 0, 0}, {-12.8F, -0.4F, 0.7F, 0, 0}, {-13.6F, -1.5F, 2.3F, 0, 0}, {0, 0, 0, 0, 0}},
    // 1 Exercise
    {{0, 0, 0, 0, 0}, {0, -3.3F, 0.2F, 1.9F, 0}, {0, -4.6F, -1.4F, 2.9F, 0}, {0, 1, 0, 0, 0}},
    // 2 Breakfast
    {{0, 0, 0, 0, 0}, {0, -0.9F, 3.4F, 0.6F, 0}, {0, -0.7F, 2.7F, 0.2F, 0}, {0, 1, 0, 0, 0}},
    // 3 Snacking
    {{0, 0, 0, 0, 0}, {0, 1.4F, -0.2F, -0.6F, 0}, {0, 0.5F, 0.2F, -0.9F, 0}, {0, 0, 0, 1, 0}},
    // 4 Sleep
    {{0, 0, 0, 0, 0}, {0, 4.7F, -1.4F, 1.8F, 0}, {0, 3.5F, -1.4F, 2.9F, 0}, {0, 0, 1, 0, 0}},
    // 5 Smoking
    {{0, 0, 0, 0, 0}, {0, -6.2F, -2.6F, -0.7F, 4.9F}, {0, -3, 0, 2, 3}, {0, 1, 1, 0, 0}},
    // 6 Alcohol
    {{0, 0, 0, 0, 0}, {0, 0, -6.9F, -5.9F, 7.2F}, {0, -1.5F, -1.3F, 2.1F, 3.5F}, {0, 1, 0, 0, 0}},
};

constexpr std::int16_t kBand[3][3] = {
    {0, 0, 0},
    {0, 20, 23},  // male: 30 or less, above 30
    {0, 24, 27},  // female
};

}  // namespace

float RiskCell(int habitRow, int column, int answer) {
  if (habitRow < 0 || habitRow >= kHabitRows || column < 0 || column >= kColumns || answer < 0 || answer >= kAnswers)
    throw std::out_of_range("risk table cell out of range");
  return kRisk[habitRow][column][answer];
}

std::int16_t BodyFatUpperLimit(int sexCode, int ageGroup) {
  if (sexCode < 0 || sexCode > 2 || ageGroup < 0 || ageGroup > 2) throw std::out_of_range("body-fat band out of range");
  return kBand[sexCode][ageGroup];
}

}  // namespace vitayear
