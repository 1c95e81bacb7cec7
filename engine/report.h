// The report shown in the result label and the recommendation lines, with
// the advice phrases in English, Russian and Ukrainian (UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace vitayear {

// Lines of both texts end with a lone carriage return.
inline constexpr char kLineBreak = '\r';

// Phrase row 1..6: advice for the habit of that table row (HabitRow); 7 and
// 8: the weight advice around the target weight. language 0 English,
// 1 Russian, 2 Ukrainian. std::out_of_range outside the table.
std::string_view Phrase(int language, int row);

// The first value of the recommendation text: the weight advice when body fat
// is above the band (targetWeightText is RndNr of the target weight), else "".
std::string StartRecommendation(int language, bool aboveBand, std::string_view targetWeightText);

// Appends the advice line of the habit in Habit box 0..5.
void AddHabitAdvice(std::string& recommendation, int language, int habit);

// The texts one completed assessment shows, in the report and on the printout.
struct ReportFigures {
  std::string count;     // SignedNumberText of the healthy-practice count
  std::string age;       // normalised age text
  std::string vitayear;  // RndNr texts
  std::string idealAge;
  std::string addedYears;
  std::string recommendation;
};

std::string ReportText(const ReportFigures& figures);

}  // namespace vitayear
