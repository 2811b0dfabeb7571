#include "rtl/WrapText.h"

#include <string>

#include "rtl/MultiByte.h"

namespace rtl {

namespace {

bool IsBreakChar(char c) { return c == ' ' || c == '-' || c == '\t'; }

// The offset after the last character that is neither a break character nor a line
// break: only such characters follow from there on. Found once, so that a long run of
// blanks is not scanned again at every break point in it.
std::size_t BreaksOnlyFrom(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && (IsBreakChar(s[end - 1]) || s[end - 1] == '\r' || s[end - 1] == '\n')) --end;
  return end;
}

}  // namespace

AnsiString WrapText(std::string_view text, std::int64_t maxCol) {
  const LeadBytes& lb = LeadBytes::Process();
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  const std::size_t breaksOnly = BreaksOnlyFrom(text);
  std::size_t lineStart = 0;
  std::size_t breakPoint = std::string_view::npos;  // offset of the break character
  std::int64_t lineChars = 0;
  char quote = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const std::size_t width = CharBytesAt(text, i, lb);
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      // The text's own line break ends the line where it stands.
      out.append(text.substr(lineStart, i + 2 - lineStart));
      i += 2;
      lineStart = i;
      lineChars = 0;
      breakPoint = std::string_view::npos;
      continue;
    } else if (IsBreakChar(c)) {
      breakPoint = i;
    }
    i += width;
    ++lineChars;
    if (!quote && lineChars >= maxCol && breakPoint != std::string_view::npos && breakPoint > lineStart) {
      out.append(text.substr(lineStart, breakPoint + 1 - lineStart));
      if (breakPoint + 1 < breaksOnly) out += "\r\n";
      // The characters after the break point begin the next line.
      lineChars = 0;
      for (std::size_t k = breakPoint + 1; k < i; k += CharBytesAt(text, k, lb)) ++lineChars;
      lineStart = breakPoint + 1;
      breakPoint = std::string_view::npos;
    }
  }
  out.append(text.substr(lineStart));
  return AnsiString(out);
}

}  // namespace rtl
