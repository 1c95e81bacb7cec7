#include "assessment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_controls.h"
#include "report.h"

namespace vitayear {
namespace {

using testing::FakeControls;

const std::string CR(1, kLineBreak);
constexpr int kMale = 0;  // list indexes
constexpr int kFemale = 1;

FakeControls Person(int sex, std::string age, std::string weight, std::string bodyFat,
                    std::array<std::string, kHabitCount> habits, int language = 0) {
  FakeControls c;
  c.name = "Ann";
  c.sex = sex;
  c.age = std::move(age);
  c.weight = std::move(weight);
  c.bodyFat = std::move(bodyFat);
  c.habits = std::move(habits);
  c.language = language;
  return c;
}

FakeControls ExampleA(int language = 0) {
  return Person(kMale, "40", "80", "20", {"2", "1", "3", "2", "1", "3"}, language);
}
FakeControls ExampleB(int language = 0) {
  return Person(kFemale, "25", "70", "30", {"1", "1", "3", "2", "1", "1"}, language);
}

// Line n (0-based) of a carriage-return separated text.
std::string Line(const std::string& text, int n) {
  std::size_t start = 0;
  for (int i = 0; i < n; ++i) start = text.find(kLineBreak, start) + 1;
  return text.substr(start, text.find(kLineBreak, start) - start);
}

TEST(Assessment, ExampleA) {
  FakeControls c = ExampleA();
  ASSERT_EQ(Assess(c), Outcome::Completed);
  const std::string recommendation = "Get Regular Exercise" + CR + "Don't Drink Alcohol" + CR;
  EXPECT_EQ(c.result, "Current Health Practices:  5" + CR + " Current Age: 40" + CR + "Vitayear:  31.9" + CR +
                          "Potential Vitayear:  33.2" + CR + "Added Years: -2.4" + CR + "Recommendations:" + CR +
                          recommendation);
  EXPECT_TRUE(c.messages.empty());
  EXPECT_FALSE(c.focus.has_value());
  const std::vector<std::string> printout = {"Print.Age=40",
                                             "Print.UsrName=Ann",
                                             "Print.Vitayear= 31.9",
                                             "Print.IdealAge= 33.2",
                                             "Print.AddedYears=-2.4",
                                             "Print.Habits= 5",
                                             "Print.Recommendation=" + recommendation};
  ASSERT_GE(c.writes.size(), printout.size());
  EXPECT_EQ(std::vector<std::string>(c.writes.end() - 7, c.writes.end()), printout);
}

TEST(Assessment, ExampleB) {
  FakeControls c = ExampleB();
  ASSERT_EQ(Assess(c), Outcome::Completed);
  EXPECT_EQ(c.result, "Current Health Practices:  6" + CR + " Current Age: 25" + CR + "Vitayear:  21.7" + CR +
                          "Potential Vitayear:  20.5" + CR + "Added Years:  3.8" + CR + "Recommendations:" + CR +
                          "Achieve a Healthy Weight of  66kg or below" + CR);
  EXPECT_EQ(c.printout[PrintField::Habits], " 6");
  EXPECT_EQ(c.printout[PrintField::Recommendation], "Achieve a Healthy Weight of  66kg or below" + CR);
}

TEST(Assessment, WritesInTheirOrder) {
  FakeControls c = ExampleA();
  c.age = "40 years";
  c.bodyFat = "20%";
  Assess(c);
  const std::vector<std::string> head = {"Age=40",   "Bodyfat=20", "Result=2", "Result=1",
                                         "Result=3", "Result=2",   "Result=1", "Result=3"};
  ASSERT_EQ(c.writes.size(), head.size() + 1 + 7);
  EXPECT_EQ(std::vector<std::string>(c.writes.begin(), c.writes.begin() + 8), head);
  EXPECT_TRUE(c.writes[8].starts_with("Result=Current Health Practices:"));
}

TEST(Assessment, RecommendationsFollowTheLanguage) {
  struct Case {
    FakeControls controls;
    std::string recommendation;
  };
  Case cases[] = {
      {ExampleA(1), "Регулярно делайте физические упражнения;" + CR + "Не употребляйте алкоголь;" + CR},
      {ExampleA(2), "Регулярно виконуйте фізичні вправи; " + CR + "Не вживайте алкоголю; " + CR},
      {ExampleB(1), "Сбросьте свой вес до  66кг или меньше;" + CR},
      {ExampleB(2), "Досягніть ваги  66кг або менше;" + CR},
  };
  for (auto& c : cases) {
    ASSERT_EQ(Assess(c.controls), Outcome::Completed);
    EXPECT_TRUE(c.controls.result.ends_with("Recommendations:" + CR + c.recommendation));
    EXPECT_EQ(c.controls.printout[PrintField::Recommendation], c.recommendation);
    EXPECT_TRUE(c.controls.result.starts_with("Current Health Practices: "));  // captions stay English
  }
}

TEST(Assessment, NothingToAdviseGivesTheSameReportInEveryLanguage) {
  std::string reports[3];
  for (int language = 0; language < 3; ++language) {
    FakeControls c = Person(kMale, "40", "80", "20", {"1", "1", "3", "2", "1", "1"}, language);
    ASSERT_EQ(Assess(c), Outcome::Completed);
    reports[language] = c.result;
    EXPECT_EQ(c.printout[PrintField::Recommendation], "");
  }
  EXPECT_EQ(reports[1], reports[0]);
  EXPECT_EQ(reports[2], reports[0]);
  EXPECT_EQ(Line(reports[0], 0), "Current Health Practices:  7");
  EXPECT_EQ(Line(reports[0], 4), "Added Years:  0");
  EXPECT_TRUE(reports[0].ends_with("Recommendations:" + CR));
}

TEST(Assessment, NoSexChosenChangesNothing) {
  for (int sex : {-1, 2, 7, -5}) {
    FakeControls c = ExampleA();
    c.sex = sex;
    c.age = "45 years";
    c.result = "old report";
    EXPECT_EQ(Assess(c), Outcome::NoSex) << sex;
    EXPECT_EQ(c.messages, std::vector<std::string>{"You need to choose the sex of the person"});
    EXPECT_TRUE(c.writes.empty());
    EXPECT_EQ(c.age, "45 years");
    EXPECT_FALSE(c.focus.has_value());
  }
}

TEST(Assessment, NoLanguageChosenChangesNothing) {
  for (int language : {-1, 3, 99}) {
    FakeControls c = ExampleA(language);
    c.age = "45 years";
    EXPECT_EQ(Assess(c), Outcome::NoLanguage) << language;
    EXPECT_EQ(c.messages, std::vector<std::string>{"You need to choose the print language"});
    EXPECT_TRUE(c.writes.empty());
    EXPECT_EQ(c.age, "45 years");
  }
}

TEST(Assessment, RefusedHabitAnswers) {
  struct Case {
    const char* answer;
    const char* shown;  // what the result label keeps
  };
  const Case cases[] = {{"", "0"},
                        {"0", "0"},
                        {"-1", "-1"},
                        {"abc", "0"},
                        {"0.0", "0"},
                        // Answers the table has no cell for.
                        {"5", "5"},
                        {"4.6", "4.6"},
                        {"1e10", "10000000000"},
                        {"3000000000", "3000000000"}};
  for (int box = 0; box < kHabitCount; ++box) {
    for (const auto& k : cases) {
      FakeControls c = ExampleA();
      c.age = "40 years";
      c.bodyFat = "20%";
      c.result = "old report";
      c.habits[static_cast<std::size_t>(box)] = k.answer;
      EXPECT_EQ(Assess(c), Outcome::Refused) << box << ' ' << k.answer;
      EXPECT_EQ(c.messages, std::vector<std::string>{"Please type in a valid number"});
      ASSERT_TRUE(c.focus.has_value());
      EXPECT_EQ(*c.focus, std::make_pair(TextBox::Habit, box));
      EXPECT_EQ(c.result, k.shown);
      EXPECT_EQ(c.age, "40");
      EXPECT_EQ(c.bodyFat, "20");
      EXPECT_EQ(c.habits[static_cast<std::size_t>(box)], k.answer);
      EXPECT_TRUE(c.printout.empty());
      // Later boxes are never read into the label.
      EXPECT_EQ(std::count_if(c.writes.begin(), c.writes.end(), [](auto& w) { return w.starts_with("Result="); }),
                box + 1);
    }
  }
}

TEST(Assessment, OddAnswersRoundToTheirCells) {
  struct Case {
    std::array<std::string, kHabitCount> habits;
    const char* count;
    std::string recommendation;
  };
  const Case cases[] = {
      // 0.5 rounds to 0: nothing added, not healthy, advice due.
      {{"0.5", "1", "3", "2", "1", "1"}, " 6", "Get Regular Exercise" + CR},
      // 2.5 rounds to 2 (healthy sleep), 3.5 to 4 (no cell for snacking).
      {{"1", "1", "3.5", "2.5", "1", "1"}, " 6", "Stop Snacking" + CR},
      {{"1", "1", "3", "2abc", "1.4", "0.6"}, " 7", ""},
      {{"4", "1", "3", "2", "2", "1"}, " 6", "Get Regular Exercise" + CR},
  };
  for (const auto& k : cases) {
    FakeControls c = Person(kMale, "40", "80", "20", k.habits);
    ASSERT_EQ(Assess(c), Outcome::Completed) << k.habits[0];
    EXPECT_EQ(c.printout[PrintField::Habits], k.count);
    EXPECT_EQ(c.printout[PrintField::Recommendation], k.recommendation);
  }
}

TEST(Assessment, BandEdges) {
  struct Case {
    int sex;
    const char* age;
    const char* bodyFat;
    bool above;
  };
  const Case cases[] = {
      {kMale, "30", "20", false},    {kMale, "30", "20.5", true},  {kMale, "30.5", "23", false},
      {kMale, "30.5", "23.1", true}, {kFemale, "30", "24", false}, {kFemale, "30", "25", true},
      {kFemale, "31", "27", false},  {kFemale, "31", "28", true},  {kMale, "40", "8", false},
      {kMale, "", "", false},        {kMale, "40", "-5", false},
  };
  for (const auto& k : cases) {
    FakeControls c = Person(k.sex, k.age, "80", k.bodyFat, {"1", "1", "3", "2", "1", "1"});
    ASSERT_EQ(Assess(c), Outcome::Completed);
    EXPECT_EQ(c.printout[PrintField::Habits], k.above ? " 6" : " 7") << k.age << ' ' << k.bodyFat;
    EXPECT_EQ(c.printout[PrintField::Recommendation].starts_with("Achieve a Healthy Weight of "), k.above);
  }
}

TEST(Assessment, NormalisesAgeAndBodyFatButNotWeight) {
  FakeControls c = Person(kMale, "45 years", "80 kg", "22%", {"1", "1", "3", "2", "1", "1"});
  ASSERT_EQ(Assess(c), Outcome::Completed);
  EXPECT_EQ(c.age, "45");
  EXPECT_EQ(c.bodyFat, "22");
  EXPECT_EQ(c.weight, "80 kg");
  EXPECT_EQ(Line(c.result, 1), " Current Age: 45");
  EXPECT_EQ(c.printout[PrintField::Age], "45");
}

TEST(Assessment, DecimalCommasReadAsTyped) {
  // A man over 30 has the band's top at 23%: 23.8 is above it, 23 would not be.
  FakeControls c = Person(kMale, "30,5", "80,9", "23,8", {"1", "1", "3", "2", "1", "1"});
  ASSERT_EQ(Assess(c), Outcome::Completed);
  EXPECT_EQ(c.age, "30.5");
  EXPECT_EQ(c.bodyFat, "23.8");
  EXPECT_EQ(c.weight, "80,9");
  EXPECT_TRUE(c.printout[PrintField::Recommendation].starts_with("Achieve a Healthy Weight of "));
}

TEST(Assessment, EmptyAgeAndWeight) {
  FakeControls c = Person(kFemale, "", "", "40", {"1", "1", "3", "2", "1", "1"});
  ASSERT_EQ(Assess(c), Outcome::Completed);
  EXPECT_EQ(c.age, "0");
  EXPECT_EQ(Line(c.result, 2), "Vitayear:  0");
  EXPECT_EQ(Line(c.result, 3), "Potential Vitayear:  0");
  EXPECT_EQ(c.printout[PrintField::Recommendation], "Achieve a Healthy Weight of  0kg or below" + CR);
}

TEST(Assessment, FiguresBetweenMinusOneAndOneKeepTheirZero) {
  // 0.5 + (-12.8 x 0.5) / 75 = 0.41467, and its negative for an age of -0.5.
  FakeControls c = Person(kMale, "0.5", "50", "10", {"1", "1", "3", "2", "1", "1"});
  ASSERT_EQ(Assess(c), Outcome::Completed);
  EXPECT_EQ(c.printout[PrintField::Vitayear], " 0.4");
  EXPECT_EQ(c.printout[PrintField::Age], "0.5");
  c.age = "-0.5";
  ASSERT_EQ(Assess(c), Outcome::Completed);
  EXPECT_EQ(c.printout[PrintField::Vitayear], "-0.4");
  EXPECT_EQ(c.printout[PrintField::Age], "-0.5");
  FakeControls d = Person(kMale, "40", "80", "20", {"1", "1", "3", "2", "2", "1"});
  ASSERT_EQ(Assess(d), Outcome::Completed);
  EXPECT_EQ(d.printout[PrintField::AddedYears], " 3.6");
  FakeControls e = Person(kMale, "40", "80", "20", {"1", "1", "2", "2", "1", "1"});
  ASSERT_EQ(Assess(e), Outcome::Completed);
  EXPECT_EQ(e.printout[PrintField::AddedYears], " 0.4");  // snacking 2: -0.2 in place of -0.6
}

TEST(Assessment, ComputingTwiceGivesTheSameResult) {
  FakeControls c = Person(kMale, "45.5", "80", "22.25", {"2", "1", "3", "2", "1", "3"});
  ASSERT_EQ(Assess(c), Outcome::Completed);
  const std::string first = c.result;
  const std::string age = c.age;
  ASSERT_EQ(Assess(c), Outcome::Completed);
  EXPECT_EQ(c.age, "45.5");
  EXPECT_EQ(c.age, age);
  EXPECT_EQ(c.bodyFat, "22.25");
  EXPECT_EQ(c.result, first);
}

TEST(Assessment, OverflowingNumbersAreRefusedInTheirBox) {
  struct Case {
    const char* age;
    const char* weight;
    const char* bodyFat;
    const char* habit0;
    TextBox box;
  };
  const Case cases[] = {
      {"1e400", "80", "20", "1", TextBox::Age},
      {"40", "-1e999", "20", "1", TextBox::Weight1},
      {"40", "80", "1e400", "1", TextBox::Bodyfat},
      {"40", "80", "20", "1e400", TextBox::Habit},
      // Finite inputs whose figures would not be.
      {"1e308", "80", "20", "1", TextBox::Age},
      {"-1.7e308", "80", "20", "1", TextBox::Age},
      {"40", "1.7e308", "50", "1", TextBox::Weight1},
  };
  for (const auto& k : cases) {
    FakeControls c = Person(kMale, k.age, k.weight, k.bodyFat, {k.habit0, "1", "3", "2", "1", "1"});
    c.result = "old report";
    EXPECT_EQ(Assess(c), Outcome::Refused) << k.age << k.weight << k.bodyFat << k.habit0;
    EXPECT_EQ(c.messages, std::vector<std::string>{"Please type in a valid number"});
    ASSERT_TRUE(c.focus.has_value());
    EXPECT_EQ(c.focus->first, k.box);
    EXPECT_EQ(c.focus->second, 0);
    EXPECT_TRUE(c.printout.empty());
    for (const auto& w : c.writes) EXPECT_EQ(w.find("inf"), std::string::npos) << w;
  }
  FakeControls c = Person(kMale, "1e400", "80", "20", {"1", "1", "3", "2", "1", "1"});
  Assess(c);
  EXPECT_EQ(c.age, "1e400");  // left as typed
  EXPECT_TRUE(c.writes.empty());
}

TEST(Assessment, LargeFiniteFiguresAreWrittenInFull) {
  FakeControls c = Person(kMale, "1e20", "80", "20", {"1", "1", "3", "2", "1", "1"});
  ASSERT_EQ(Assess(c), Outcome::Completed);
  EXPECT_EQ(c.age, "100000000000000000000");
  EXPECT_EQ(c.printout[PrintField::Vitayear].find('e'), std::string::npos);
}

}  // namespace
}  // namespace vitayear
