// Measures one whole assessment through the fake controls and LeadingNumber
// on a 1 MiB text. Prints figures only; nothing here fails on a time.
#include <benchmark/benchmark.h>

#include <string>

#include "assessment.h"
#include "conversions.h"
#include "fake_controls.h"

namespace {

using vitayear::testing::FakeControls;

void WholeAssessment(benchmark::State& state) {
  for (auto _ : state) {
    FakeControls c;
    c.sex = 0;
    c.language = 1;
    c.name = "Ann";
    c.age = "40 years";
    c.weight = "80 kg";
    c.bodyFat = "25%";
    c.habits = {"2", "1", "3", "2", "1", "3"};
    benchmark::DoNotOptimize(vitayear::Assess(c));
    benchmark::DoNotOptimize(c.result.data());
  }
}
BENCHMARK(WholeAssessment);

void LeadingNumberOfOneMebibyte(benchmark::State& state) {
  std::string text(1 << 20, ' ');
  for (std::size_t i = 0; i < text.size(); i += 2) text[i] = static_cast<char>('0' + i % 10);
  for (auto _ : state) benchmark::DoNotOptimize(vitayear::LeadingNumber(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(LeadingNumberOfOneMebibyte)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
