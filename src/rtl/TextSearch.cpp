#include "rtl/TextSearch.h"

#include <algorithm>
#include <cstring>

#include "rtl/LongWork.h"

namespace rtl {

namespace {

// Patterns up to this length are found by the library's scan in windows: at most this
// many comparisons per position, and the work is reported window by window.
constexpr std::size_t kShortPattern = 16;
constexpr std::size_t kWindow = 1 << 20;
// Comparisons reported at once.
constexpr std::ptrdiff_t kWorkBatch = 1 << 16;

unsigned char At(std::string_view s, std::ptrdiff_t i) noexcept {
  return static_cast<unsigned char>(s[static_cast<std::size_t>(i)]);
}

// The start (minus one) of the maximal suffix of x under the byte order (greater
// false) or its reverse (greater true), and that suffix's period.
std::ptrdiff_t MaximalSuffix(std::string_view x, bool greater, std::ptrdiff_t& period) noexcept {
  const auto m = static_cast<std::ptrdiff_t>(x.size());
  std::ptrdiff_t ms = -1, j = 0, k = 1;
  period = 1;
  while (j + k < m) {
    const unsigned char a = At(x, j + k), b = At(x, ms + k);
    if (a == b) {
      if (k != period) {
        ++k;
      } else {
        j += period;
        k = 1;
      }
    } else if ((a < b) != greater) {
      j += k;
      k = 1;
      period = j - ms;
    } else {
      ms = j;
      j = ms + 1;
      k = period = 1;
    }
  }
  return ms;
}

// Reports the comparisons counted so far once there are enough of them.
struct WorkCount {
  std::ptrdiff_t Pending = 0;
  void Add(std::ptrdiff_t n) {
    if ((Pending += n) >= kWorkBatch) {
      LongWorkDone(static_cast<std::size_t>(Pending));
      Pending = 0;
    }
  }
};

}  // namespace

TTextSearch::TTextSearch(std::string_view pattern) noexcept : FPattern(pattern) {
  FShort = pattern.size() <= kShortPattern;
  if (FShort) return;
  std::ptrdiff_t p = 1, q = 1;
  const std::ptrdiff_t i = MaximalSuffix(pattern, false, p);
  const std::ptrdiff_t j = MaximalSuffix(pattern, true, q);
  if (i > j) {
    FLeft = i;
    FPeriod = p;
  } else {
    FLeft = j;
    FPeriod = q;
  }
  const auto m = static_cast<std::ptrdiff_t>(pattern.size());
  // The left part repeats at the period: the whole pattern has that period, and a scan
  // may remember how much of the right part it has matched.
  FPeriodic = std::memcmp(pattern.data(), pattern.data() + FPeriod, static_cast<std::size_t>(FLeft + 1)) == 0;
  if (!FPeriodic) FPeriod = std::max(FLeft + 1, m - FLeft - 1) + 1;
}

std::size_t TTextSearch::Find(std::string_view text, std::size_t from) const {
  const std::size_t m = FPattern.size(), n = text.size();
  if (m == 0 || from > n || m > n - from) return npos;
  if (FShort) {
    for (std::size_t at = from; at + m <= n; at += kWindow) {
      const std::size_t end = std::min(n, at + kWindow + m - 1);
      const std::size_t found = text.substr(at, end - at).find(FPattern);
      if (found != npos) return at + found;
      LongWorkDone((end - at) * m);
      if (end == n) break;
    }
    return npos;
  }
  const std::string_view x = FPattern, y = text;
  const auto sm = static_cast<std::ptrdiff_t>(m), last = static_cast<std::ptrdiff_t>(n - m);
  const std::ptrdiff_t ell = FLeft, first = ell + 1;
  const unsigned char firstRight = At(x, first);
  WorkCount work;
  std::ptrdiff_t j = static_cast<std::ptrdiff_t>(from);
  std::ptrdiff_t memory = -1;
  while (j <= last) {
    if (memory < 0 || !FPeriodic) {
      // Nothing remembered: go straight to the next place where the right part's first
      // character matches.
      const void* hit = std::memchr(y.data() + j + first, firstRight, static_cast<std::size_t>(last - j + 1));
      if (!hit) {
        work.Add(last - j + 1);
        return npos;
      }
      const std::ptrdiff_t next = static_cast<const char*>(hit) - y.data() - first;
      work.Add(next - j + 1);
      j = next;
    }
    std::ptrdiff_t i = FPeriodic ? std::max(ell, memory) + 1 : first;
    const std::ptrdiff_t start = i;
    while (i < sm && At(x, i) == At(y, i + j)) ++i;
    work.Add(i - start + 1);
    if (i < sm) {
      j += i - ell;
      memory = -1;
      continue;
    }
    const std::ptrdiff_t stop = FPeriodic ? memory : -1;
    i = ell;
    while (i > stop && At(x, i) == At(y, i + j)) --i;
    work.Add(ell - i + 1);
    if (i <= stop) return static_cast<std::size_t>(j);
    j += FPeriod;
    if (FPeriodic) memory = sm - FPeriod - 1;
  }
  return npos;
}

std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from) {
  return TTextSearch(pattern).Find(text, from);
}

std::size_t CommonPrefixLength(std::string_view a, std::string_view b) noexcept {
  const std::size_t n = std::min(a.size(), b.size());
  constexpr std::size_t kBlock = 64;
  std::size_t i = 0;
  while (i + kBlock <= n && std::memcmp(a.data() + i, b.data() + i, kBlock) == 0) i += kBlock;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

}  // namespace rtl
