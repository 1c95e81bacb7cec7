// Median, least and most of a set of samples, for printing side by side.
#pragma once

#include <algorithm>
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

}  // namespace vitayear::bench
