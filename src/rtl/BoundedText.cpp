#include "rtl/BoundedText.h"

#include "rtl/CodePage.h"

namespace rtl {

namespace {

// The ellipsis character in the process code page, or three dots where it has none.
const std::string& Ellipsis() {
  static const std::string ellipsis = [] {
    AnsiString a;
    return WideToAnsiExact(u"\u2026", a) ? a.str() : std::string("...");
  }();
  return ellipsis;
}

}  // namespace

std::string BoundedText(std::string_view text, std::size_t maxLength) {
  if (!IsOverBound(text.size(), maxLength)) return std::string(text);
  std::size_t end = 0;
  for (;;) {
    const std::size_t next = end + (IsAnsiLeadByte(text[end]) ? 2 : 1);
    if (next > maxLength) break;
    end = next;
  }
  std::string cut;
  cut.reserve(end + Ellipsis().size());
  cut.append(text.substr(0, end)).append(Ellipsis());
  return cut;
}

std::u16string BoundedText(std::u16string_view text, std::size_t maxLength) {
  if (!IsOverBound(text.size(), maxLength)) return std::u16string(text);
  std::size_t end = maxLength;
  // Not between the halves of a surrogate pair.
  if (end > 0 && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
  std::u16string cut;
  cut.reserve(end + 1);
  cut.append(text.substr(0, end)).push_back(u'\u2026');
  return cut;
}

}  // namespace rtl
