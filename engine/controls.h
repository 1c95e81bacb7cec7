// The engine's only way to the windows: named controls it reads and writes.
// The input window implements it; tests use an in-memory fake.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vitayear {

enum class TextBox { UsrName, Age, Weight1, Bodyfat, Habit };
enum class List { Sex, Language };
// Printout fields, declared in the order an assessment fills them.
enum class PrintField { Age, UsrName, Vitayear, IdealAge, AddedYears, Habits, Recommendation };

inline constexpr int kHabitCount = 6;

// Every single text box (the Habit boxes aside), list and printout field.
// Whoever holds one control per value keeps it at the value's position here,
// so nothing depends on how the enumerations are ordered.
inline constexpr std::array kSingleBoxes = {TextBox::UsrName, TextBox::Age, TextBox::Weight1, TextBox::Bodyfat};
inline constexpr std::array kLists = {List::Sex, List::Language};
inline constexpr std::array kPrintFields = {PrintField::Age,           PrintField::UsrName,    PrintField::Vitayear,
                                            PrintField::IdealAge,      PrintField::AddedYears, PrintField::Habits,
                                            PrintField::Recommendation};

// The position of `value` in `all`; refuses a value that is not there.
template <class T, std::size_t N>
constexpr std::size_t SlotOf(const std::array<T, N>& all, T value) {
  for (std::size_t i = 0; i < N; ++i)
    if (all[i] == value) return i;
  throw std::out_of_range("no such control");
}

class Controls {
 public:
  virtual ~Controls() = default;

  // `index` picks one of the six Habit boxes (0..5) and is 0 for the others.
  virtual std::string Text(TextBox box, int index) const = 0;
  virtual void SetText(TextBox box, int index, std::string_view text) = 0;
  virtual void Focus(TextBox box, int index) = 0;

  // Selected entry of a list, -1 when none is chosen.
  virtual int ListIndex(List list) const = 0;

  // The result label; line breaks in the caption are lone carriage returns.
  virtual void SetResultCaption(std::string_view caption) = 0;

  // Writes one field of the printout, creating it on first use.
  virtual void SetPrintField(PrintField field, std::string_view text) = 0;

  // A modal message box with one OK button; returns when dismissed.
  virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace vitayear
