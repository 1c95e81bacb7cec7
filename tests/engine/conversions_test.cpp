#include "conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace vitayear {
namespace {

struct TextToNumber {
  const char* text;
  double expected;
};

// clang-format off
TEST(LeadingNumber, ReadsTheNumberAtTheFront) {
  const TextToNumber cases[] = {
      {"45", 45},
      {"45 years", 45},
      {"4 5", 45},
      {"4\t5\n", 45},
      {"45,5", 45.5},
      {"23,8", 23.8},
      {",5", 0.5},
      {"1,2,3", 1.2},
      {"1.5,3", 1.5},
      {"1e2,5", 100},
      {"1e2", 100},
      {"1E+2", 100},
      {"2.5e-1", 0.25},
      {"-3", -3},
      {"+7", 7},
      {".5", 0.5},
      {"5.", 5},
      {"45.50", 45.5},
      {"", 0},
      {"abc", 0},
      {"%", 0},
      {"-", 0},
      {".", 0},
      {"e5", 0},
      {"1e", 1},
      {"1e+", 1},
      {"2abc", 2},
      {"80 kg", 80},
      {"22%", 22},
      {"  - 1 2 . 5", -12.5},
      {"&H1F", 31},
      {"&hff", 255},
      {"&O17", 15},
      {"&o8", 0},
      {"&H", 0},
      {"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0},
      {"1e-400", 0},
      {"0.1", 0.1},
      {"12.351", 12.351},
      {"1\r2", 1},
      {"٣", 0},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(LeadingNumber, OverflowGivesInfinityWithItsSign) {
  EXPECT_EQ(LeadingNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("1e99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("0.000001e315"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("0e99999"), 0.0);
  EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1e400"), 0.1);
}

TEST(LeadingNumber, NegativeZeroStaysZero) {
  EXPECT_EQ(LeadingNumber("-0"), 0.0);
  EXPECT_EQ(NumberText(LeadingNumber("-0")), "0");
}

struct DoubleToText {
  double value;
  const char* expected;
};

TEST(NumberText, DoubleHasFifteenDigitsAndNoExponent) {
  const DoubleToText cases[] = {
      {45, "45"},
      {0, "0"},
      {-0.0, "0"},
      {45.5, "45.5"},
      {0.4, "0.4"},
      {-0.1, "-0.1"},
      {-3, "-3"},
      {100, "100"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345678.0, "123456789012346000"},
      {1e20, "100000000000000000000"},
      {1.5e-7, "0.00000015"},
      {66.0377358490566, "66.0377358490566"},
      {0.1 + 0.2, "0.3"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.expected) << c.value;
}

TEST(NumberText, SingleHasSevenDigits) {
  EXPECT_EQ(NumberText(-15.2F + 0.0F), "-15.2");
  EXPECT_EQ(NumberText(12.351F), "12.351");
  EXPECT_EQ(NumberText(1.0F / 3), "0.3333333");
  EXPECT_EQ(NumberText(4.0F), "4");
  EXPECT_EQ(NumberText(-2.3999987F), "-2.399999");
}

TEST(SignedNumberText, PutsABlankInTheSignPlace) {
  EXPECT_EQ(SignedNumberText(4), " 4");
  EXPECT_EQ(NumberText(4.0), "4");
  EXPECT_EQ(SignedNumberText(std::int32_t{-4}), "-4");
  EXPECT_EQ(SignedNumberText(std::int32_t{3}), " 3");
  EXPECT_EQ(SignedNumberText(5.0F), " 5");
  EXPECT_EQ(SignedNumberText(37.4), " 37.4");
  EXPECT_EQ(SignedNumberText(0.0), " 0");
  EXPECT_EQ(SignedNumberText(-0.0), " 0");
  EXPECT_EQ(SignedNumberText(-2.3), "-2.3");
  EXPECT_EQ(SignedNumberText(0.4), " 0.4");
  EXPECT_EQ(SignedNumberText(-0.1), "-0.1");
}

TEST(StrictNumber, AcceptsOnlyAWholeNumberText) {
  const TextToNumber accepted[] = {
      {"45", 45}, {" 45.5 ", 45.5}, {"-0.1", -0.1}, {"1e2", 100}, {".5", 0.5}, {"+3", 3}, {"0", 0},
  };
  for (const auto& c : accepted) {
    const auto value = StrictNumber(c.text);
    ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*value, c.expected) << '"' << c.text << '"';
  }
  for (const char* text : {"", " ", "abc", "45 years", "4 5", "45,5", "1e", "-", ".", "&H10", "2abc"})
    EXPECT_FALSE(StrictNumber(text).has_value()) << '"' << text << '"';
}

TEST(StrictNumber, ReadsBackEveryNumberText) {
  for (double v : {0.0, 45.0, 45.5, -0.1, 1.0 / 3, 1e20, 1.5e-7, 1e300, -123.456})
    EXPECT_EQ(NumberText(StrictNumber(NumberText(v)).value()), NumberText(v)) << v;
}

TEST(RoundToWhole, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {
      {0.5, 0},
      {1.5, 2},
      {2.5, 2},
      {3.5, 4},
      {4.5, 4},
      {0.4, 0},
      {0.6, 1},
      {2.49, 2},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {-2.6, -3},
      {7, 7},
      {2147483647, 2147483647},
      {-2147483648.0, -2147483647 - 1},
      {2147483647.4, 2147483647},
  };
  for (const auto& [value, expected] : cases) {
    const auto rounded = RoundToWhole(value);
    ASSERT_TRUE(rounded.has_value()) << value;
    EXPECT_EQ(*rounded, expected) << value;
  }
}

TEST(RoundToWhole, OverflowAndNonNumbersFail) {
  for (double v : {2147483647.5, 2147483648.0, -2147483649.0, 1e300, std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
    EXPECT_FALSE(RoundToWhole(v).has_value()) << v;
}

TEST(RndNr, WorkedExamples) {
  const DoubleToText cases[] = {
      {37.46, " 37.5"}, {37.44, " 37.4"},          {37.45, " 37.4"}, {37.452, " 37.5"}, {68.27, " 68.3"},
      {45, " 45"},      {99.99, " 100"},           {99.95, " 99.9"}, {0.04, " 0"},      {-0.04, " 0"},
      {-1.24, "-1.2"},  {-1.25, "-1.3"},           {-2.35, "-2.4"},  {-2.34, "-2.3"},   {0.4, " 0.4"},
      {-0.1, "-0.1"},   {66.0377358490566, " 66"},
  };
  for (const auto& c : cases) EXPECT_EQ(RndNr(c.value), c.expected) << c.value;
}

TEST(RndNr, PrecisionOfTheProductDecidesTheBoundary) {
  EXPECT_EQ(RndNr(12.351F), " 12.3");
  EXPECT_EQ(RndNr(12.351), " 12.4");
  // Ten times 0.551F is 5.51 in single precision but 5.5099999905 in double.
  EXPECT_EQ(RndNr(0.551F), " 0.6");
  EXPECT_EQ(RndNr(static_cast<double>(0.551F)), " 0.5");
  EXPECT_EQ(RndNr(-2.3999987F), "-2.4");
  EXPECT_EQ(RndNr(3.8000002F), " 3.8");
}

TEST(RndNr, FiniteOnlyWhileTheScaledSumIs) {
  EXPECT_TRUE(RndNrIsFinite(1e307));
  EXPECT_FALSE(RndNrIsFinite(1.7e308));
  EXPECT_FALSE(RndNrIsFinite(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(RndNrIsFinite(std::nan("")));
}

// Qt sets the process locale from the environment; in a comma-decimal one
// the conversions must read and write exactly as in any other.
TEST(Conversions, IgnoreTheProcessLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  // make test generates the locale; without it this test cannot show anything.
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "de_DE.UTF-8 is not installed";
  EXPECT_EQ(LeadingNumber("45.5"), 45.5);
  EXPECT_EQ(LeadingNumber("45,5"), 45.5);
  EXPECT_EQ(NumberText(45.5), "45.5");
  EXPECT_EQ(StrictNumber("45.5"), 45.5);
  EXPECT_FALSE(StrictNumber("45,5").has_value());
  EXPECT_EQ(RndNr(-1.25), "-1.3");
  std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
}  // namespace vitayear
