#include "range_checks.h"

#include <gtest/gtest.h>

#include <string>

namespace vitayear {
namespace {

const std::string kAge = "You need to type an age smaller than 120 years";
const std::string kWeight = "You need to type a weight smaller than 300 kg";
const std::string kBodyFat = "You need to type a body fat Number smaller than 60%";
const std::string kHabit3 = "You need to type a number smaller than  3 in this box";
const std::string kHabit4 = "You need to type a number smaller than  4 in this box";

struct Case {
  TextBox box;
  int index;
  const char* text;
  const std::string* refusal;  // nullptr: passes
};

TEST(RangeCheck, LimitsAndMessages) {
  const Case cases[] = {
      {TextBox::Age, 0, "", nullptr},           {TextBox::Age, 0, "120", nullptr},
      {TextBox::Age, 0, "120.5", &kAge},        {TextBox::Age, 0, "150 years", &kAge},
      {TextBox::Age, 0, "-5", nullptr},         {TextBox::Age, 0, "abc", nullptr},
      {TextBox::Age, 0, "1e400", &kAge},        {TextBox::Age, 0, "-1e400", nullptr},
      {TextBox::Age, 0, "&HFF", &kAge},         {TextBox::Bodyfat, 0, "60", nullptr},
      {TextBox::Bodyfat, 0, "60.1", &kBodyFat}, {TextBox::Bodyfat, 0, "61%", &kBodyFat},
      {TextBox::Weight1, 0, "300", nullptr},    {TextBox::Weight1, 0, "300.5", &kWeight},
      {TextBox::Weight1, 0, "250 kg", nullptr}, {TextBox::Habit, 0, "3", nullptr},
      {TextBox::Habit, 0, "3.5", &kHabit3},     {TextBox::Habit, 3, "4", &kHabit3},
      {TextBox::Habit, 4, "4", nullptr},        {TextBox::Habit, 4, "4.5", &kHabit4},
      {TextBox::Habit, 5, "0", nullptr},        {TextBox::Habit, 5, "", nullptr},
      {TextBox::Habit, 5, "5", &kHabit4},       {TextBox::UsrName, 0, "999", nullptr},
      {TextBox::Age, 0, "120,5", &kAge},        {TextBox::Habit, 0, "3,5", &kHabit3},
  };
  for (const auto& c : cases) {
    const auto message = RangeCheck(c.box, c.index, c.text);
    if (c.refusal) {
      ASSERT_TRUE(message.has_value()) << c.text;
      EXPECT_EQ(*message, *c.refusal) << c.text;
    } else {
      EXPECT_FALSE(message.has_value()) << c.text << " -> " << message.value_or("");
    }
  }
}

}  // namespace
}  // namespace vitayear
