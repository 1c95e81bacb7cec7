// Feeds arbitrary texts and list indexes into one assessment through the
// fake controls. Checks that it ends in one of its outcomes, that each
// outcome leaves its own traces, and that no written figure is inf or nan.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "assessment.h"
#include "fake_controls.h"

namespace {

using vitayear::Outcome;
using vitayear::testing::FakeControls;

// Splits the input at NUL bytes: two list indexes, then the ten box texts.
struct Reader {
  std::string_view rest;
  std::string Next() {
    const auto end = rest.find('\0');
    std::string piece(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    return piece;
  }
  int NextIndex() {
    const std::string piece = Next();
    if (piece.empty()) return -1;
    if (piece[0] >= '0' && piece[0] <= '9') return piece[0] - '0';
    return static_cast<unsigned char>(piece[0]) % 5 - 1;
  }
};

void Require(bool condition) {
  if (!condition) std::abort();
}

bool HasNonFinite(std::string_view text) {
  return text.find("inf") != std::string_view::npos || text.find("nan") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in{std::string_view(reinterpret_cast<const char*>(data), size)};
  FakeControls c;
  c.sex = in.NextIndex();
  c.language = in.NextIndex();
  c.name = in.Next();
  c.age = in.Next();
  c.weight = in.Next();
  c.bodyFat = in.Next();
  for (auto& habit : c.habits) habit = in.Next();
  const std::string typedWeight = c.weight;

  const Outcome outcome = Assess(c);
  Require(c.weight == typedWeight);
  switch (outcome) {
    case Outcome::NoSex:
    case Outcome::NoLanguage: Require(c.writes.empty() && c.messages.size() == 1 && !c.focus); break;
    case Outcome::Refused: Require(c.printout.empty() && c.messages.size() == 1 && c.focus.has_value()); break;
    case Outcome::Completed: Require(c.messages.empty() && !c.focus && c.printout.size() == 7); break;
    default: std::abort();
  }
  // The name is copied as typed and may say "inf"; nothing the engine
  // computed may.
  for (const auto& w : c.writes)
    if (!w.starts_with("Print.UsrName=")) Require(!HasNonFinite(w));
  return 0;
}
