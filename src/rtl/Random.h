// Random: the process's one pseudo-random generator, shared by every script's Random,
// Randomize and the library routines built on them. Until Randomize is called it
// starts from a fixed seed, so an unseeded run repeats its numbers.
#pragma once

#include <cstdint>

namespace rtl {

// Seeds the generator from the system clock.
void Randomize();
// Seeds it with a given value (tests, reproducible runs).
void RandSeed(std::uint64_t seed);
// Uniform in [0, 1).
double Random();
// Uniform integer in [0, range); 0 when range is 0 or less.
std::int32_t RandomInt(std::int32_t range);

}  // namespace rtl
