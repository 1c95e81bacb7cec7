// In-memory stand-in for the input and printout windows. It records every
// write in order, so tests can check what the engine changed and when.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls.h"

namespace vitayear::testing {

struct FakeControls final : Controls {
  std::string name, age, weight, bodyFat;
  std::array<std::string, kHabitCount> habits;
  int sex = -1;  // list indexes; -1 none chosen
  int language = 0;

  std::string result;
  std::map<PrintField, std::string> printout;
  std::vector<std::string> messages;
  std::optional<std::pair<TextBox, int>> focus;
  std::vector<std::string> writes;  // "Age=45", "Result=2", "Print.Age=45", ...

  template <class Self>
  static auto& BoxOf(Self& self, TextBox box, int index) {
    switch (box) {
      case TextBox::Age: return self.age;
      case TextBox::Weight1: return self.weight;
      case TextBox::Bodyfat: return self.bodyFat;
      case TextBox::Habit: return self.habits.at(static_cast<std::size_t>(index));
      case TextBox::UsrName: break;
    }
    return self.name;
  }

  std::string Text(TextBox box, int index) const override { return BoxOf(*this, box, index); }
  void SetText(TextBox box, int index, std::string_view text) override {
    BoxOf(*this, box, index) = std::string(text);
    writes.push_back(BoxName(box, index) + "=" + std::string(text));
  }
  void Focus(TextBox box, int index) override { focus = {box, index}; }
  int ListIndex(List list) const override { return list == List::Sex ? sex : language; }
  void SetResultCaption(std::string_view caption) override {
    result = std::string(caption);
    writes.push_back("Result=" + result);
  }
  void SetPrintField(PrintField field, std::string_view text) override {
    printout[field] = std::string(text);
    writes.push_back("Print." + FieldName(field) + "=" + std::string(text));
  }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }

  static std::string BoxName(TextBox box, int index) {
    switch (box) {
      case TextBox::UsrName: return "UsrName";
      case TextBox::Age: return "Age";
      case TextBox::Weight1: return "Weight1";
      case TextBox::Bodyfat: return "Bodyfat";
      case TextBox::Habit: return "Habit" + std::to_string(index);
    }
    return "?";
  }

  static std::string FieldName(PrintField field) {
    static constexpr std::array<const char*, kPrintFields.size()> kNames = {
        "Age", "UsrName", "Vitayear", "IdealAge", "AddedYears", "Habits", "Recommendation"};
    return kNames.at(SlotOf(kPrintFields, field));
  }
};

}  // namespace vitayear::testing
