#include "risk_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <utility>

#include "report.h"

namespace vitayear {
namespace {

constexpr int kMale = 1;
constexpr int kFemale = 2;

TEST(RiskTable, UnaddressedColumnAndAnswerZeroAreEmpty) {
  for (int row = 0; row < kHabitRows; ++row)
    for (int answer = 0; answer < kAnswers; ++answer) EXPECT_EQ(RiskCell(row, 0, answer), 0.0F) << row;
  for (int row = 1; row < kHabitRows; ++row)
    for (int column = 0; column < kColumns; ++column) EXPECT_EQ(RiskCell(row, column, 0), 0.0F) << row;
  for (int row = 1; row <= 4; ++row)
    for (int column = 0; column < kColumns; ++column) EXPECT_EQ(RiskCell(row, column, 4), 0.0F) << row;
}

TEST(RiskTable, SpotCells) {
  struct Cell {
    int row, column, answer;
    float value;
  };
  const Cell cells[] = {
      {0, kMale, kIdealSumSlot, -12.8F},
      {0, kFemale, kIdealSumSlot, -13.6F},
      {0, kMale, kAboveBandSlot, 0.7F},
      {0, kFemale, kWithinBandSlot, -1.5F},
      {1, kMale, 3, 1.9F},
      {1, kFemale, 2, -1.4F},
      {6, kMale, 1, 0.0F},
      {6, kHealthyColumn, 1, 1.0F},
      {6, kMale, 2, -6.9F},
      {6, kHealthyColumn, 2, 0.0F},
      {5, kFemale, 2, 0.0F},
      {5, kHealthyColumn, 2, 1.0F},
      {5, kFemale, 1, -3.0F},
      {5, kMale, 4, 4.9F},
      {6, kFemale, 4, 3.5F},
  };
  for (const auto& c : cells)
    EXPECT_EQ(RiskCell(c.row, c.column, c.answer), c.value) << c.row << ',' << c.column << ',' << c.answer;
}

TEST(RiskTable, OneHealthyAnswerPerHabitButTwoForSmoking) {
  for (int row = 1; row < kHabitRows; ++row) {
    float healthy = 0;
    for (int answer = 0; answer < kAnswers; ++answer) healthy += RiskCell(row, kHealthyColumn, answer);
    EXPECT_EQ(healthy, row == 5 ? 2.0F : 1.0F) << row;
  }
}

TEST(RiskTable, HealthyCellsSumToTheIdealSum) {
  const int healthyAnswer[] = {0, 1, 1, 3, 2, 1, 1};
  for (int sex : {kMale, kFemale}) {
    float sum = RiskCell(0, sex, kWithinBandSlot);
    for (int row = 1; row < kHabitRows; ++row) sum += RiskCell(row, sex, healthyAnswer[row]);
    EXPECT_LT(std::fabs(sum - RiskCell(0, sex, kIdealSumSlot)), 0.000001F) << sex;
  }
}

TEST(BodyFatBand, UpperLimits) {
  EXPECT_EQ(BodyFatUpperLimit(kMale, 1), 20);
  EXPECT_EQ(BodyFatUpperLimit(kMale, 2), 23);
  EXPECT_EQ(BodyFatUpperLimit(kFemale, 1), 24);
  EXPECT_EQ(BodyFatUpperLimit(kFemale, 2), 27);
  EXPECT_EQ(BodyFatUpperLimit(0, 2), 0);
}

// Lookups refuse what lies outside their tables, in every build.
TEST(Tables, LookupsOutsideTheTablesAreRefused) {
  const struct {
    int a, b, c;
  } riskCells[] = {{-1, 1, 1}, {kHabitRows, 1, 1}, {1, -1, 1}, {1, kColumns, 1}, {1, 1, -1}, {1, 1, kAnswers}};
  for (const auto& c : riskCells) EXPECT_THROW(RiskCell(c.a, c.b, c.c), std::out_of_range) << c.a << c.b << c.c;
  for (const auto& [sex, group] : {std::pair{3, 1}, {-1, 1}, {1, 3}, {1, -1}})
    EXPECT_THROW(BodyFatUpperLimit(sex, group), std::out_of_range) << sex << ',' << group;
  for (const auto& [language, row] : {std::pair{3, 1}, {-1, 1}, {0, 9}, {0, -1}})
    EXPECT_THROW(Phrase(language, row), std::out_of_range) << language << ',' << row;
}

}  // namespace
}  // namespace vitayear
