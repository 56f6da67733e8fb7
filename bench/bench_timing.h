#pragma once
// The bench programs' clock and timing summaries.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

inline double NowMs() {
  LARGE_INTEGER frequency{}, now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One line: the name padded to `width`, the number of runs, median, lowest and highest time.
inline void Report(const char* name, const std::vector<double>& times, int width = 8) {
  const auto [low, high] = std::minmax_element(times.begin(), times.end());
  std::printf("%-*s runs %2zu  median %7.1f ms  min %7.1f  max %7.1f\n", width, name, times.size(), Median(times),
              *low, *high);
}

}  // namespace bench
