#include "engine/fsStrings.h"

#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"

namespace fs {

// Letters beyond ASCII follow the process code page.
char UpCase(char c) {
  if (static_cast<unsigned char>(c) >= 0x80) return rtl::AnsiUpperChar(c);
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

char LowCase(char c) {
  if (static_cast<unsigned char>(c) >= 0x80) return rtl::AnsiLowerChar(c);
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = UpCase(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = LowCase(c);
  return r;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpCase(a[i]) != UpCase(b[i])) return false;
  return true;
}

int CompareText(std::string_view a, std::string_view b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(UpCase(a[i]));
    unsigned char y = static_cast<unsigned char>(UpCase(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::string AdjustLineBreaks(std::string_view s) {
  std::string r;
  r.reserve(s.size() + s.size() / 16 + 2);
  std::size_t i = 0;
  bool open = false;
  while (i < s.size()) {
    char c = s[i];
    if (c == '\r' || c == '\n') {
      r += "\r\n";
      i += (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
      open = false;
    } else {
      r += c;
      ++i;
      open = true;
    }
  }
  if (open) r += "\r\n";
  return r;
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

[[noreturn]] void NotAnInteger(std::string_view s) {
  throw rtl::EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

}  // namespace

std::int32_t StrToInt(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) NotAnInteger(s);
  std::uint64_t value = 0;
  for (; i < s.size(); ++i) {
    int d = hex ? HexValue(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
    if (d < 0) NotAnInteger(s);
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
    if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull)) NotAnInteger(s);
  }
  if (hex) {
    std::uint32_t u = static_cast<std::uint32_t>(value);
    if (negative) u = 0u - u;
    return static_cast<std::int32_t>(u);
  }
  if (!negative && value > 0x7FFFFFFFull) NotAnInteger(s);
  return negative ? static_cast<std::int32_t>(0 - static_cast<std::int64_t>(value))
                  : static_cast<std::int32_t>(value);
}

}  // namespace fs
