#include "report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace vitayear {
namespace {

const std::string CR(1, kLineBreak);

TEST(PhraseTable, CellsKeepTheirBlanksAndPunctuation) {
  struct Cell {
    int language, row;
    const char* text;
  };
  const Cell cells[] = {
      {0, 1, "Get Regular Exercise"},
      {0, 2, "Eat a regular Breakfast"},
      {0, 4, "Sleep 7-8 Hours Each Night"},
      {0, 6, "Don't Drink Alcohol"},
      {0, 7, "Achieve a Healthy Weight of "},
      {0, 8, "kg or below"},
      {1, 1, "Регулярно делайте физические упражнения;"},
      {1, 3, "Не перекусывайте;"},
      {1, 7, "Сбросьте свой вес до "},
      {1, 8, "кг или меньше;"},
      {2, 1, "Регулярно виконуйте фізичні вправи; "},
      {2, 4, "Спіть 7-8 годин щоночі; "},
      {2, 6, "Не вживайте алкоголю; "},
      {2, 7, "Досягніть ваги "},
      {2, 8, "кг або менше;"},
  };
  for (const auto& c : cells) EXPECT_EQ(Phrase(c.language, c.row), c.text) << c.language << ',' << c.row;
  for (int language = 0; language < 3; ++language) EXPECT_EQ(Phrase(language, 0), "");
}

TEST(PhraseTable, CyrillicPhrasesHoldNoLatinLetters) {
  // A Latin i in place of the Ukrainian one looks right and reads wrong.
  for (int language = 1; language < 3; ++language)
    for (int row = 1; row <= 8; ++row)
      for (char c : Phrase(language, row))
        EXPECT_FALSE((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) << language << ',' << row;
  EXPECT_NE(Phrase(2, 1).find("\xD1\x96"), std::string_view::npos);  // U+0456
}

TEST(Recommendation, WeightAdviceInEveryLanguage) {
  EXPECT_EQ(StartRecommendation(0, true, " 68.3"), "Achieve a Healthy Weight of  68.3kg or below" + CR);
  EXPECT_EQ(StartRecommendation(1, true, " 68.3"), "Сбросьте свой вес до  68.3кг или меньше;" + CR);
  EXPECT_EQ(StartRecommendation(2, true, " 68.3"), "Досягніть ваги  68.3кг або менше;" + CR);
  EXPECT_EQ(StartRecommendation(0, true, " 0"), "Achieve a Healthy Weight of  0kg or below" + CR);
  EXPECT_EQ(StartRecommendation(2, false, " 68.3"), "");
}

TEST(Recommendation, HabitLinesEachEndWithACarriageReturn) {
  std::string text;
  AddHabitAdvice(text, 2, 0);
  AddHabitAdvice(text, 2, 5);
  EXPECT_EQ(text, "Регулярно виконуйте фізичні вправи; " + CR + "Не вживайте алкоголю; " + CR);
}

TEST(ReportText, WorkedExamples) {
  const ReportFigures a{" 5", "40", " 31.9", " 33.2", "-2.4", "Get Regular Exercise" + CR + "Don't Drink Alcohol" + CR};
  EXPECT_EQ(ReportText(a), "Current Health Practices:  5" + CR + " Current Age: 40" + CR + "Vitayear:  31.9" + CR +
                               "Potential Vitayear:  33.2" + CR + "Added Years: -2.4" + CR + "Recommendations:" + CR +
                               "Get Regular Exercise" + CR + "Don't Drink Alcohol" + CR);
  const ReportFigures b{" 6", "25", " 21.7", " 20.5", " 3.8", "Achieve a Healthy Weight of  66kg or below" + CR};
  EXPECT_EQ(ReportText(b), "Current Health Practices:  6" + CR + " Current Age: 25" + CR + "Vitayear:  21.7" + CR +
                               "Potential Vitayear:  20.5" + CR + "Added Years:  3.8" + CR + "Recommendations:" + CR +
                               "Achieve a Healthy Weight of  66kg or below" + CR);
}

TEST(ReportText, NoRecommendationEndsAfterItsCaption) {
  const std::string text = ReportText({" 0", "0", " 0", " 0", " 0", ""});
  EXPECT_EQ(text.substr(0, 29), "Current Health Practices:  0" + CR);
  EXPECT_TRUE(text.ends_with("Recommendations:" + CR));
  EXPECT_EQ(std::count(text.begin(), text.end(), kLineBreak), 6);
  EXPECT_EQ(text.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace vitayear
