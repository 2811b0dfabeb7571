// Wall-clock and CPU timing of one run, and the median of a series of runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/CpuTime.h"

namespace compare {

// Seconds that f() took.
template <class F>
double SecondsOf(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds of the calling thread's CPU time that f() took: what a run costs on a machine
// busy with other work, where its wall time also counts the others.
template <class F>
double CpuSecondsOf(F&& f) {
  const double start = platform::ThreadCpuSeconds();
  f();
  return platform::ThreadCpuSeconds() - start;
}

// The median of the samples (the mean of the middle two for an even count); 0 for none.
inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const std::size_t mid = samples.size() / 2;
  return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}

}  // namespace compare
