#pragma once
// Timing for benchmarks: the median of many rounds, so that one slow round
// on a busy machine moves nothing.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

inline double MedianSeconds(int rounds, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

struct Medians {
  double first;
  double second;
};

// Times two pieces of work in alternation, round by round, so that a change
// in the machine's load falls on both alike.
inline Medians MedianSecondsInterleaved(int rounds, const std::function<void()>& first,
                                        const std::function<void()>& second) {
  std::vector<double> a, b;
  for (int i = 0; i < rounds; ++i) {
    a.push_back(MedianSeconds(1, first));
    b.push_back(MedianSeconds(1, second));
  }
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return {a[a.size() / 2], b[b.size() / 2]};
}

// Prints one ratio against its target; true when the target is met.
inline bool Report(const char* what, double measured, double baseline, double target) {
  const double ratio = measured / baseline;
  const bool met = ratio <= target;
  std::printf("%-60s %9.3f ms vs %9.3f ms  ratio %.3f (target <= %.2f) %s\n", what, measured * 1e3, baseline * 1e3,
              ratio, target, met ? "ok" : "MISSED");
  return met;
}
