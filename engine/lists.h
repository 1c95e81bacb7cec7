// The entries of the two lists, in the order the lists show them, and what
// each one means to the assessment. The window fills its lists from here.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vitayear {

struct SexEntry {
  std::string_view caption;
  std::int16_t code;  // 1 male, 2 female; 0 stands for none chosen
};
inline constexpr std::array<SexEntry, 2> kSexEntries = {{{"Male", 1}, {"Female", 2}}};

struct LanguageEntry {
  std::string_view caption;
  std::int16_t language;  // the phrase column: 0 English, 1 Russian, 2 Ukrainian
};
inline constexpr std::array<LanguageEntry, 3> kLanguageEntries = {{{"English", 0}, {"Russian", 1}, {"Ukrainian", 2}}};
inline constexpr int kLanguageAtStart = 0;  // English is chosen when the window opens

}  // namespace vitayear
