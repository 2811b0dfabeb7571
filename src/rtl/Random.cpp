#include "rtl/Random.h"

#include <chrono>
#include <mutex>
#include <random>

namespace rtl {

namespace {

// Scripts of several configurations may draw at once; each draw is short.
struct Generator {
  std::mutex Lock;
  std::mt19937_64 Engine{0};
};

Generator& Shared() {
  static Generator generator;
  return generator;
}

}  // namespace

void Randomize() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
  RandSeed(static_cast<std::uint64_t>(ticks) ^ (static_cast<std::uint64_t>(wall) << 1));
}

void RandSeed(std::uint64_t seed) {
  Generator& g = Shared();
  std::lock_guard<std::mutex> guard(g.Lock);
  g.Engine.seed(seed);
}

double Random() {
  Generator& g = Shared();
  std::lock_guard<std::mutex> guard(g.Lock);
  // 53 random bits: every double in [0, 1) of that spacing, never 1.
  return static_cast<double>(g.Engine() >> 11) * (1.0 / 9007199254740992.0);
}

std::int32_t RandomInt(std::int32_t range) {
  if (range <= 0) return 0;
  Generator& g = Shared();
  std::lock_guard<std::mutex> guard(g.Lock);
  return static_cast<std::int32_t>(g.Engine() % static_cast<std::uint64_t>(range));
}

}  // namespace rtl
