// TextSearch: finding one text in another in time linear in both lengths, whatever
// the texts. Long patterns use the two-way algorithm (a critical factorisation of the
// pattern, then a scan that never steps back further than the pattern's period
// allows), which needs no memory beyond a few numbers; short ones the library's scan,
// whose cost per position is bounded by their length. Long searches report their work
// (LongWork), so a run's time limit can stop them. Also: the length of the start two
// texts share, which comparisons use to pass over equal bytes quickly.
#pragma once

#include <cstddef>
#include <string_view>

namespace rtl {

class TTextSearch {
public:
  // The pattern must outlive the search.
  explicit TTextSearch(std::string_view pattern) noexcept;
  // The 0-based offset of the first occurrence at or after from; npos when there is
  // none or the pattern is empty.
  std::size_t Find(std::string_view text, std::size_t from = 0) const;

  static constexpr std::size_t npos = std::string_view::npos;

private:
  std::string_view FPattern;
  std::ptrdiff_t FLeft = -1;   // the last position of the factorisation's left part
  std::ptrdiff_t FPeriod = 1;
  bool FPeriodic = false;
  bool FShort = true;
};

// TTextSearch(pattern).Find(text, from).
std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from = 0);

// How many bytes the two texts share at their start, found a block at a time.
std::size_t CommonPrefixLength(std::string_view a, std::string_view b) noexcept;

}  // namespace rtl
