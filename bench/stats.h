// What the benchmarks share: a process's resident memory, and the median,
// least and most of a set of samples, printed beside those of its floor.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace vitayear::bench {

struct Summary {
  double median = 0, min = 0, max = 0;
};

inline Summary Summarise(std::vector<double> samples) {
  if (samples.empty()) return {};
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
  return {median, samples.front(), samples.back()};
}

// VmRSS in MiB of a process ("self" or a pid); -1 when it cannot be read.
inline double VmRssMiB(const std::string& process) {
  std::ifstream status("/proc/" + process + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024;
  return -1;
}

inline void PrintHeader(const char* floorName) {
  std::printf("%-26s %32s   %32s   %6s\n", "", (std::string(floorName) + ": median min max").c_str(),
              "vitayear: median min max", "ratio");
}

inline void PrintRow(const char* what, const std::vector<double>& floor, const std::vector<double>& program,
                     const char* unit, int decimals) {
  const Summary f = Summarise(floor), p = Summarise(program);
  std::printf("%-26s %10.*f %10.*f %10.*f   %10.*f %10.*f %10.*f   %6.2f  %s\n", what, decimals, f.median, decimals,
              f.min, decimals, f.max, decimals, p.median, decimals, p.min, decimals, p.max,
              f.median > 0 ? p.median / f.median : 0.0, unit);
}

}  // namespace vitayear::bench
