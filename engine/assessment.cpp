#include "assessment.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "conversions.h"
#include "record.h"
#include "report.h"
#include "risk_tables.h"

namespace vitayear {
namespace {

constexpr double kAgeThreshold = 30;
constexpr double kPercent = 100;
constexpr double kRiskScale = 75;

Outcome Refuse(Controls& controls, TextBox box, int index) {
  controls.ShowMessage("Please type in a valid number");
  controls.Focus(box, index);
  return Outcome::Refused;
}

// age + (sum x age) / 75, each step in double precision.
double ScaledAge(double age, float sum) { return age + (static_cast<double>(sum) * age) / kRiskScale; }

}  // namespace

Outcome Assess(Controls& controls) {
  const std::int16_t sex = ReadSexCode(controls);
  if (sex < 1) {
    controls.ShowMessage("You need to choose the sex of the person");
    return Outcome::NoSex;
  }
  const std::int16_t language = ReadLanguage(controls);
  if (language < 0) {
    controls.ShowMessage("You need to choose the print language");
    return Outcome::NoLanguage;
  }

  const std::optional<std::string> ageText = NormaliseBox(controls, TextBox::Age);
  if (!ageText) return Refuse(controls, TextBox::Age, 0);
  const std::optional<double> weight = ReadWeight(controls);
  if (!weight) return Refuse(controls, TextBox::Weight1, 0);
  const std::optional<std::string> bodyFatText = NormaliseBox(controls, TextBox::Bodyfat);
  if (!bodyFatText) return Refuse(controls, TextBox::Bodyfat, 0);

  // Normalised texts always read back; the fallbacks only keep the types honest.
  const double age = StrictNumber(*ageText).value_or(0);
  const double bodyFat = StrictNumber(*bodyFatText).value_or(0);
  const int ageGroup = age > kAgeThreshold ? 2 : 1;
  const std::int16_t upperLimit = BodyFatUpperLimit(sex, ageGroup);
  const bool aboveBand = bodyFat > upperLimit;

  float count = 0;
  float riskSum = 0;
  std::string recommendation;
  if (aboveBand) {
    riskSum = RiskCell(0, sex, kAboveBandSlot);
    const double excess = bodyFat - upperLimit;
    const double targetWeight = *weight / (1 + excess / kPercent);
    if (!RndNrIsFinite(targetWeight)) return Refuse(controls, TextBox::Weight1, 0);
    recommendation = StartRecommendation(language, true, RndNr(targetWeight));
  } else {
    count = 1;  // a body fat within the band is itself a healthy practice
    riskSum = RiskCell(0, sex, kWithinBandSlot);
  }

  for (int habit = 0; habit < kHabitCount; ++habit) {
    const std::optional<int> answer = ReadHabitAnswer(controls, habit);
    if (!answer) return Refuse(controls, TextBox::Habit, habit);
    const float healthy = RiskCell(HabitRow(habit), kHealthyColumn, *answer);
    count += healthy;
    riskSum += RiskCell(HabitRow(habit), sex, *answer);
    if (healthy == 0) AddHabitAdvice(recommendation, language, habit);
  }

  const float idealSum = RiskCell(0, sex, kIdealSumSlot);
  const double vitayear = ScaledAge(age, riskSum);
  const double idealAge = ScaledAge(age, idealSum);
  if (!RndNrIsFinite(vitayear) || !RndNrIsFinite(idealAge)) return Refuse(controls, TextBox::Age, 0);
  const float addedYears = riskSum - idealSum;

  const ReportFigures figures{SignedNumberText(count), *ageText,          RndNr(vitayear),
                              RndNr(idealAge),         RndNr(addedYears), std::move(recommendation)};
  controls.SetResultCaption(ReportText(figures));

  controls.SetPrintField(PrintField::Age, figures.age);
  controls.SetPrintField(PrintField::UsrName, controls.Text(TextBox::UsrName, 0));
  controls.SetPrintField(PrintField::Vitayear, figures.vitayear);
  controls.SetPrintField(PrintField::IdealAge, figures.idealAge);
  controls.SetPrintField(PrintField::AddedYears, figures.addedYears);
  controls.SetPrintField(PrintField::Habits, figures.count);
  controls.SetPrintField(PrintField::Recommendation, figures.recommendation);
  return Outcome::Completed;
}

}  // namespace vitayear
