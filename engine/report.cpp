#include "report.h"

#include <array>
#include <stdexcept>

#include "lists.h"
#include "risk_tables.h"

namespace vitayear {
namespace {

constexpr std::size_t kLanguages = kLanguageEntries.size();
constexpr int kRows = 9;

// Blanks and punctuation are part of each phrase: Russian lines end in ';',
// Ukrainian habit lines in "; ", row 7 always in a blank.
constexpr std::array<std::array<std::string_view, kRows>, kLanguages> kPhrases = {{
    {
        "",
        "Get Regular Exercise",
        "Eat a regular Breakfast",
        "Stop Snacking",
        "Sleep 7-8 Hours Each Night",
        "Stop Smoking",
        "Don't Drink Alcohol",
        "Achieve a Healthy Weight of ",
        "kg or below",
    },
    {
        "",
        "Регулярно делайте физические упражнения;",
        "Регулярно завтракайте;",
        "Не перекусывайте;",
        "Спите ночью 7-8 часов;",
        "Бросьте курить;",
        "Не употребляйте алкоголь;",
        "Сбросьте свой вес до ",
        "кг или меньше;",
    },
    {
        "",
        "Регулярно виконуйте фізичні вправи; ",
        "Щодня снідайте; ",
        "Не перекушуйте; ",
        "Спіть 7-8 годин щоночі; ",
        "Киньте палити; ",
        "Не вживайте алкоголю; ",
        "Досягніть ваги ",
        "кг або менше;",
    },
}};

constexpr int kWeightAdviceStart = 7;
constexpr int kWeightAdviceEnd = 8;

}  // namespace

std::string_view Phrase(int language, int row) {
  if (language < 0 || row < 0) throw std::out_of_range("no such phrase");
  return kPhrases.at(static_cast<std::size_t>(language)).at(static_cast<std::size_t>(row));
}

std::string StartRecommendation(int language, bool aboveBand, std::string_view targetWeightText) {
  std::string text;
  if (aboveBand) {
    text += Phrase(language, kWeightAdviceStart);
    text += targetWeightText;
    text += Phrase(language, kWeightAdviceEnd);
    text += kLineBreak;
  }
  return text;
}

void AddHabitAdvice(std::string& recommendation, int language, int habit) {
  recommendation += Phrase(language, HabitRow(habit));
  recommendation += kLineBreak;
}

std::string ReportText(const ReportFigures& f) {
  std::string text;
  const auto line = [&text](std::string_view caption, std::string_view value) {
    text += caption;
    text += value;
    text += kLineBreak;
  };
  line("Current Health Practices: ", f.count);
  line(" Current Age: ", f.age);
  line("Vitayear: ", f.vitayear);
  line("Potential Vitayear: ", f.idealAge);
  line("Added Years: ", f.addedYears);
  line("Recommendations:", "");
  text += f.recommendation;
  return text;
}

}  // namespace vitayear
