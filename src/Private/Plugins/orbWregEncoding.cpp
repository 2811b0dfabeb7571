#include "Private/Plugins/orbWregEncoding.h"

#include "rtl/CodePage.h"

namespace orb {

namespace {

const char kHexUpper[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool HasHighBytes(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) > 0x7F) return true;
  return false;
}

// The bytes behind the escapes.
std::string Unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 1 < s.size() && s[i + 1] == '%') {
      out += '%';
      ++i;
    } else if (c == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
      i += 2;
    } else {
      out += c;  // a "%" that starts no escape is kept
    }
  }
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view s) noexcept {
  std::size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    int extra;
    std::uint32_t cp;
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

std::string WregEncodeUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + utf8.size() / 4);
  const std::size_t n = utf8.size();
  bool leading = true;  // only blanks so far
  for (std::size_t i = 0; i < n; ++i) {
    const char c = utf8[i];
    const auto b = static_cast<unsigned char>(c);
    if (c == ' ') {
      // Readers trim blanks at both ends of a value and some fold runs of them: such
      // blanks travel as "+". A single blank at the very end is one of them too.
      const bool kept = !leading && i + 1 < n && utf8[i + 1] != ' ';
      out += kept ? ' ' : '+';
      continue;
    }
    leading = false;
    if (c == '%') {
      out += "%%";
    } else if (b >= 0x20 && b <= 0x7F && c != '+') {
      out += c;
    } else {
      out += '%';
      out += kHexUpper[b >> 4];
      out += kHexUpper[b & 15];
    }
  }
  return out;
}

std::string WregEncode(std::string_view ansi) { return WregEncodeUtf8(rtl::AnsiToUtf8(ansi)); }

std::string WregEncodeWide(std::u16string_view text) { return WregEncodeUtf8(rtl::WideToUtf8(text)); }

rtl::AnsiString WregDecode(std::string_view stored) {
  if (HasHighBytes(stored)) return rtl::AnsiString(stored);
  std::string bytes = Unescape(stored);
  if (IsValidUtf8(bytes)) return rtl::Utf8ToAnsi(bytes);
  return rtl::AnsiString(bytes);
}

std::u16string WregDecodeWide(std::string_view stored) {
  if (HasHighBytes(stored)) return rtl::AnsiToWide(stored);
  std::string bytes = Unescape(stored);
  if (IsValidUtf8(bytes)) return rtl::Utf8ToWide(bytes);
  return rtl::AnsiToWide(bytes);
}

}  // namespace orb
