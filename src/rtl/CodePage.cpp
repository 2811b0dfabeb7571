#include "rtl/CodePage.h"

#include <cstring>

#include "rtl/AllocationSize.h"
#include "rtl/SysCodePage.h"

namespace rtl {

namespace {

// Byte tables of the process code page, asked from the system once. On a single-byte
// code page every byte maps on its own, so conversions and case mapping are table
// look-ups; on a multi-byte code page only ASCII text takes the tables (trail bytes
// may look like ASCII letters) and everything else goes to the system.
struct ProcessTables {
  std::uint32_t CodePage;
  std::uint32_t OemCodePage;
  bool SingleByte;
  char Upper[256];
  char Lower[256];
  char16_t ToWide[256];
  std::uint16_t Type[256];
  bool Lead[256];

  ProcessTables() {
    CodePage = sys::AnsiCodePage();
    OemCodePage = sys::OemCodePage();
    SingleByte = sys::CodePageMaxCharSize(CodePage) == 1;
    for (int b = 0; b < 256; ++b) {
      char c = static_cast<char>(b);
      Type[b] = sys::AnsiCharType(static_cast<unsigned char>(b));
      Lead[b] = !SingleByte && sys::IsAnsiLeadByte(static_cast<unsigned char>(b));
      if (b < 0x80 || SingleByte) {
        char u = c, l = c;
        sys::AnsiBuffToUpper(&u, 1);
        sys::AnsiBuffToLower(&l, 1);
        Upper[b] = u;
        Lower[b] = l;
      } else {
        Upper[b] = Lower[b] = c;
      }
      char16_t w = static_cast<char16_t>(b);
      if (SingleByte && sys::MultiByteToWide(CodePage, &c, 1, &w, 1) != 1) w = u'?';
      ToWide[b] = w;
    }
  }
};

const ProcessTables& Tables() {
  static const ProcessTables tables;
  return tables;
}

bool IsAscii(const char* s, std::size_t n) noexcept {
  unsigned char acc = 0;
  for (std::size_t i = 0; i < n; ++i) acc |= static_cast<unsigned char>(s[i]);
  return acc < 0x80;
}

bool IsAscii(const char16_t* s, std::size_t n) noexcept {
  char16_t acc = 0;
  for (std::size_t i = 0; i < n; ++i) acc |= s[i];
  return acc < 0x80;
}

// Units the UTF-16 form of s takes.
std::size_t AnsiToWideLength(const ProcessTables& t, std::string_view s) {
  if (t.SingleByte) return s.size();
  return sys::MultiByteToWide(t.CodePage, s.data(), s.size(), nullptr, 0);
}

// Writes the UTF-16 form of s into dst (room for len units); returns the units written.
std::size_t AnsiToWideInto(const ProcessTables& t, std::string_view s, char16_t* dst, std::size_t len) {
  if (t.SingleByte) {
    for (std::size_t i = 0; i < s.size(); ++i) dst[i] = t.ToWide[static_cast<unsigned char>(s[i])];
    return s.size();
  }
  return sys::MultiByteToWide(t.CodePage, s.data(), s.size(), dst, len);
}

AnsiString WideToAnsiIn(std::uint32_t codePage, std::u16string_view s) {
  AnsiString r;
  if (s.empty()) return r;
  if (IsAscii(s.data(), s.size())) {
    // Every code page the system uses as its ANSI code page keeps ASCII as it is.
    r.SetLength(s.size());
    char* d = r.UniqueData();
    for (std::size_t i = 0; i < s.size(); ++i) d[i] = static_cast<char>(s[i]);
    return r;
  }
  std::size_t n = sys::WideToMultiByte(codePage, s.data(), s.size(), nullptr, 0);
  if (n == 0) return r;
  r.SetLength(n);
  std::size_t written = sys::WideToMultiByte(codePage, s.data(), s.size(), r.UniqueData(), n);
  if (written != n) r.SetLength(written);
  return r;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Case mapping of a whole AnsiString: shares the buffer when nothing changes.
AnsiString MapCase(const AnsiString& s, bool upper) {
  const ProcessTables& t = Tables();
  const char* map = upper ? t.Upper : t.Lower;
  std::string_view v = s.view();
  if (t.SingleByte || IsAscii(v.data(), v.size())) {
    std::size_t i = 0;
    while (i < v.size() && map[static_cast<unsigned char>(v[i])] == v[i]) ++i;
    if (i == v.size()) return s;
    AnsiString r(s);
    char* d = r.UniqueData();
    for (; i < v.size(); ++i) d[i] = map[static_cast<unsigned char>(d[i])];
    return r;
  }
  AnsiString r(v);
  if (upper) sys::AnsiBuffToUpper(r.UniqueData(), r.Length());
  else sys::AnsiBuffToLower(r.UniqueData(), r.Length());
  return r;
}

AnsiString MapCase(std::string_view v, bool upper) {
  AnsiString r(v);
  if (upper) AnsiUpperInPlace(r.UniqueData(), r.Length());
  else AnsiLowerInPlace(r.UniqueData(), r.Length());
  return r;
}

}  // namespace

std::uint32_t ProcessCodePage() noexcept { return Tables().CodePage; }
std::uint32_t OemCodePage() noexcept { return Tables().OemCodePage; }
bool ProcessCodePageIsSingleByte() noexcept { return Tables().SingleByte; }
bool IsAnsiLeadByte(char c) noexcept { return Tables().Lead[static_cast<unsigned char>(c)]; }

// 8-bit text <-> UTF-16 ------------------------------------------------------------

std::u16string AnsiToWide(std::string_view s) {
  const ProcessTables& t = Tables();
  std::u16string r(AnsiToWideLength(t, s), u'\0');
  r.resize(AnsiToWideInto(t, s, r.data(), r.size()));
  return r;
}

sys::BStr AnsiToBStr(std::string_view s) {
  if (s.empty()) return nullptr;
  const ProcessTables& t = Tables();
  std::size_t n = AnsiToWideLength(t, s);
  sys::BStr b = sys::SysAllocStringLen(nullptr, static_cast<std::uint32_t>(n));
  std::size_t written = AnsiToWideInto(t, s, b, n);
  if (written != n) {
    // The system decoded fewer units than it announced; keep exactly what it wrote.
    sys::BStr exact = sys::SysAllocStringLen(b, static_cast<std::uint32_t>(written));
    sys::SysFreeString(b);
    b = exact;
  }
  return b;
}

sys::BStr JoinToBStr(const TextPiece& first, const TextPiece& second) {
  const ProcessTables& t = Tables();
  auto length = [&t](const TextPiece& p) { return p.IsWide ? p.Wide.size() : AnsiToWideLength(t, p.Ansi); };
  auto write = [&t](const TextPiece& p, char16_t* dst, std::size_t room) -> std::size_t {
    if (!p.IsWide) return AnsiToWideInto(t, p.Ansi, dst, room);
    if (!p.Wide.empty()) std::memcpy(dst, p.Wide.data(), p.Wide.size() * sizeof(char16_t));
    return p.Wide.size();
  };
  const std::size_t a = length(first), b = length(second);
  const std::size_t n = CheckedSum(a, b);
  if (n == 0) return nullptr;
  if (n > kMaxAllocation / sizeof(char16_t)) AllocationTooLarge();
  sys::BStr s = sys::SysAllocStringLen(nullptr, static_cast<std::uint32_t>(n));
  const std::size_t wa = write(first, s, a);
  const std::size_t written = wa + write(second, s + wa, n - wa);
  if (written != n) {
    // The system decoded fewer units than it announced; keep exactly what it wrote.
    sys::BStr exact = sys::SysAllocStringLen(s, static_cast<std::uint32_t>(written));
    sys::SysFreeString(s);
    s = exact;
  }
  return s;
}

AnsiString WideToAnsi(std::u16string_view s) { return WideToAnsiIn(Tables().CodePage, s); }

bool WideToAnsiExact(std::u16string_view s, AnsiString& out) {
  out = WideToAnsi(s);
  // The round trip catches default characters and best-fit look-alikes alike.
  return IsAscii(s.data(), s.size()) || AnsiToWide(out.view()) == s;
}

// UTF-8 -------------------------------------------------------------------------------

std::u16string Utf8ToWide(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0, n = s.size();
  while (i < n) {
    auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
      out += static_cast<char16_t>(b0);
      ++i;
      continue;
    }
    int need;
    std::uint32_t cp;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      need = 1;
      cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      need = 2;
      cp = b0 & 0x0F;
      if (b0 == 0xE0) lo = 0xA0;  // no overlong forms
      if (b0 == 0xED) hi = 0x9F;  // no encoded surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      need = 3;
      cp = b0 & 0x07;
      if (b0 == 0xF0) lo = 0x90;
      if (b0 == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    } else {
      out += u'\xFFFD';
      ++i;
      continue;
    }
    ++i;
    int got = 0;
    while (got < need && i < n) {
      auto b = static_cast<unsigned char>(s[i]);
      if (b < lo || b > hi) break;
      cp = (cp << 6) | (b & 0x3F);
      lo = 0x80;
      hi = 0xBF;
      ++i;
      ++got;
    }
    // A broken sequence is one replacement character; the byte that broke it starts
    // the next one.
    if (got < need) {
      out += u'\xFFFD';
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string WideToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    std::uint32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string AnsiToUtf8(std::string_view s) {
  if (IsAscii(s.data(), s.size())) return std::string(s);
  return WideToUtf8(AnsiToWide(s));
}

AnsiString Utf8ToAnsi(std::string_view s) {
  if (IsAscii(s.data(), s.size())) return AnsiString(s);
  return WideToAnsi(Utf8ToWide(s));
}

std::u16string CodePageToWide(std::uint32_t codePage, std::string_view s) {
  if (codePage == cpUtf8) return Utf8ToWide(s);
  if (codePage == Tables().CodePage || sys::CodePageMaxCharSize(codePage) == 0) return AnsiToWide(s);
  std::u16string r(sys::MultiByteToWide(codePage, s.data(), s.size(), nullptr, 0), u'\0');
  r.resize(sys::MultiByteToWide(codePage, s.data(), s.size(), r.data(), r.size()));
  return r;
}

std::string WideToCodePage(std::uint32_t codePage, std::u16string_view s) {
  if (codePage == cpUtf8) return WideToUtf8(s);
  if (sys::CodePageMaxCharSize(codePage) == 0) codePage = Tables().CodePage;
  return WideToAnsiIn(codePage, s).str();
}

// Case of 8-bit text ------------------------------------------------------------------

char AnsiUpperChar(char c) noexcept { return Tables().Upper[static_cast<unsigned char>(c)]; }
char AnsiLowerChar(char c) noexcept { return Tables().Lower[static_cast<unsigned char>(c)]; }

void AnsiUpperInPlace(char* s, std::size_t n) noexcept {
  const ProcessTables& t = Tables();
  if (t.SingleByte || IsAscii(s, n)) {
    for (std::size_t i = 0; i < n; ++i) s[i] = t.Upper[static_cast<unsigned char>(s[i])];
  } else {
    sys::AnsiBuffToUpper(s, n);
  }
}

void AnsiLowerInPlace(char* s, std::size_t n) noexcept {
  const ProcessTables& t = Tables();
  if (t.SingleByte || IsAscii(s, n)) {
    for (std::size_t i = 0; i < n; ++i) s[i] = t.Lower[static_cast<unsigned char>(s[i])];
  } else {
    sys::AnsiBuffToLower(s, n);
  }
}

AnsiString AnsiUpperCase(std::string_view s) { return MapCase(s, true); }
AnsiString AnsiLowerCase(std::string_view s) { return MapCase(s, false); }
AnsiString AnsiUpperCase(const AnsiString& s) { return MapCase(s, true); }
AnsiString AnsiLowerCase(const AnsiString& s) { return MapCase(s, false); }
AnsiString AnsiUpperCase(const char* s) { return MapCase(std::string_view(s ? s : ""), true); }
AnsiString AnsiLowerCase(const char* s) { return MapCase(std::string_view(s ? s : ""), false); }
AnsiString AnsiUpperCase(const std::string& s) { return MapCase(std::string_view(s), true); }
AnsiString AnsiLowerCase(const std::string& s) { return MapCase(std::string_view(s), false); }

// Case of UTF-16 text -----------------------------------------------------------------

char16_t WideUpperChar(char16_t c) noexcept {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  sys::WideBuffToUpper(&c, 1);
  return c;
}

char16_t WideLowerChar(char16_t c) noexcept {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  sys::WideBuffToLower(&c, 1);
  return c;
}

void WideUpperInPlace(char16_t* s, std::size_t n) noexcept {
  if (!IsAscii(s, n)) return sys::WideBuffToUpper(s, n);
  for (std::size_t i = 0; i < n; ++i)
    if (s[i] >= u'a' && s[i] <= u'z') s[i] = static_cast<char16_t>(s[i] - 32);
}

void WideLowerInPlace(char16_t* s, std::size_t n) noexcept {
  if (!IsAscii(s, n)) return sys::WideBuffToLower(s, n);
  for (std::size_t i = 0; i < n; ++i)
    if (s[i] >= u'A' && s[i] <= u'Z') s[i] = static_cast<char16_t>(s[i] + 32);
}

std::u16string WideUpperCase(std::u16string_view s) {
  std::u16string r(s);
  WideUpperInPlace(r.data(), r.size());
  return r;
}

std::u16string WideLowerCase(std::u16string_view s) {
  std::u16string r(s);
  WideLowerInPlace(r.data(), r.size());
  return r;
}

// Character classes -------------------------------------------------------------------

std::uint16_t AnsiCharType(char c) noexcept { return Tables().Type[static_cast<unsigned char>(c)]; }

std::uint16_t WideCharType(char16_t c) noexcept {
  // ASCII is the same in every ANSI code page, so its types come from the byte table.
  if (c < 0x80) return Tables().Type[c];
  return sys::WideCharType(c);
}

}  // namespace rtl
