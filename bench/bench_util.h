// What the benchmarks share: the settings from the environment, medians and percentiles, and
// the one table they all print, the game's figure beside the reference's and their ratio.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// BENCH_QUICK=1: tiny counts, only to see that every benchmark still runs.
inline bool Quick() {
  const char* quick = std::getenv("BENCH_QUICK");
  return quick && std::string_view(quick) == "1";
}

// A whole number from the environment, or `fallback` when it is unset or no positive number.
inline int Setting(const char* name, int fallback) {
  const char* text = std::getenv(name);
  if (!text) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && value > 0 && value < 1'000'000 ? int(value) : fallback;
}

// The share-th value of the sorted values (nearest rank): 0.5 the median, 1 the largest.
inline double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto rank = size_t(share * double(values.size()) + 0.999999);
  return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline void PrintTitle(const std::string& title) {
  std::printf("\n== %s ==\n%-40s %12s %12s %8s\n", title.c_str(), "", "game", "reference", "ratio");
  std::fflush(stdout);
}

inline void PrintRow(const std::string& what, double game, double reference) {
  if (reference > 0) {
    std::printf("%-40s %12.2f %12.2f %8.2f\n", what.c_str(), game, reference, game / reference);
  } else {
    std::printf("%-40s %12.2f %12.2f %8s\n", what.c_str(), game, reference, "-");
  }
  std::fflush(stdout);
}

inline void PrintNote(const std::string& note) {
  std::printf("   %s\n", note.c_str());
  std::fflush(stdout);
}

}  // namespace bench
