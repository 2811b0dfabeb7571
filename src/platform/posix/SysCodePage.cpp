// POSIX stand-in for the system's code pages: Windows-1252 is the ANSI and the OEM code
// page; ISO 8859-1 and US-ASCII convert as well. Case mapping and character types of
// UTF-16 come from a table of the letters of the common scripts (Latin, Greek, Cyrillic,
// Armenian, full-width forms), one unit to one unit as on Windows.
#include "rtl/SysCodePage.h"

#include <algorithm>
#include <array>

namespace rtl::sys {

namespace {

constexpr std::uint32_t cpWindows1252 = 1252;
constexpr std::uint32_t cpLatin1 = 28591;
constexpr std::uint32_t cpAscii = 20127;

// Windows-1252 0x80..0x9F; the five unassigned bytes decode to the C1 controls of the
// same value, as Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Cp1252ToWide(unsigned char c) noexcept {
  return (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
}

// -1 when the code page has no byte for the unit.
int WideToCp1252(char16_t w) noexcept {
  if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) return w;
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == w) return 0x80 + i;
  return -1;
}

// Upper-case ranges and the distance to their lower-case letters. Alternating ranges
// pair each upper-case letter with the unit right after it.
struct CaseRange {
  char16_t Lo, Hi;
  std::int32_t Delta;
  bool Alternate;
};

constexpr CaseRange kCaseRanges[] = {
    {0x0041, 0x005A, 32, false},   {0x00C0, 0x00D6, 32, false},   {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012F, 1, true},     {0x0132, 0x0137, 1, true},     {0x0139, 0x0148, 1, true},
    {0x014A, 0x0177, 1, true},     {0x0178, 0x0178, -121, false}, {0x0179, 0x017E, 1, true},
    {0x0191, 0x0191, 1, false},    {0x01CD, 0x01DC, 1, true},     {0x01DE, 0x01EF, 1, true},
    {0x01F8, 0x021F, 1, true},     {0x0386, 0x0386, 38, false},   {0x0388, 0x038A, 37, false},
    {0x038C, 0x038C, 64, false},   {0x038E, 0x038F, 63, false},   {0x0391, 0x03A1, 32, false},
    {0x03A3, 0x03AB, 32, false},   {0x03D8, 0x03EF, 1, true},     {0x0400, 0x040F, 80, false},
    {0x0410, 0x042F, 32, false},   {0x0460, 0x0481, 1, true},     {0x048A, 0x04BF, 1, true},
    {0x04C0, 0x04C0, 15, false},   {0x04C1, 0x04CE, 1, true},     {0x04D0, 0x052F, 1, true},
    {0x0531, 0x0556, 48, false},   {0x1E00, 0x1E95, 1, true},     {0x1EA0, 0x1EFF, 1, true},
    {0x1F08, 0x1F0F, -8, false},   {0x1F18, 0x1F1D, -8, false},   {0x1F28, 0x1F2F, -8, false},
    {0x1F38, 0x1F3F, -8, false},   {0x1F48, 0x1F4D, -8, false},   {0x1F59, 0x1F5F, -8, true},
    {0x1F68, 0x1F6F, -8, false},   {0x2160, 0x216F, 16, false},   {0x24B6, 0x24CF, 26, false},
    {0xFF21, 0xFF3A, 32, false},
};

bool InUpperRange(const CaseRange& r, char16_t c) noexcept {
  if (c < r.Lo || c > r.Hi) return false;
  return !r.Alternate || ((c - r.Lo) % 2 == 0);
}

char16_t ToLowerUnit(char16_t c) noexcept {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c + 32) : c;
  for (const CaseRange& r : kCaseRanges)
    if (InUpperRange(r, c)) return static_cast<char16_t>(c + r.Delta);
  return c;
}

char16_t ToUpperUnit(char16_t c) noexcept {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? static_cast<char16_t>(c - 32) : c;
  for (const CaseRange& r : kCaseRanges) {
    std::int32_t upper = static_cast<std::int32_t>(c) - r.Delta;
    if (upper < 0 || upper > 0xFFFF) continue;
    if (InUpperRange(r, static_cast<char16_t>(upper))) return static_cast<char16_t>(upper);
  }
  return c;
}

struct UnitRange {
  char16_t Lo, Hi;
};

bool InRanges(const UnitRange* ranges, std::size_t n, char16_t c) noexcept {
  for (std::size_t i = 0; i < n; ++i)
    if (c >= ranges[i].Lo && c <= ranges[i].Hi) return true;
  return false;
}

// Letters without a case partner in the tables above.
constexpr UnitRange kOtherLetters[] = {
    {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA}, {0x00DF, 0x00DF}, {0x0138, 0x0138},
    {0x0149, 0x0149}, {0x017F, 0x024F}, {0x0250, 0x02C1}, {0x0370, 0x0373}, {0x037B, 0x037D},
    {0x0390, 0x0390}, {0x03AC, 0x03CE}, {0x03D0, 0x03FF}, {0x0430, 0x045F}, {0x0561, 0x0587},
    {0x05D0, 0x05EA}, {0x0620, 0x064A}, {0x0671, 0x06D3}, {0x0904, 0x0939}, {0x0E01, 0x0E30},
    {0x10A0, 0x10FA}, {0x1E00, 0x1FBC}, {0x3041, 0x3096}, {0x30A1, 0x30FA}, {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFF41, 0xFF5A}};
// Lower-case letters that have no upper-case partner.
constexpr UnitRange kOtherLower[] = {{0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA},
                                     {0x00DF, 0x00DF}, {0x0138, 0x0138}, {0x0149, 0x0149},
                                     {0x0390, 0x0390}};
constexpr UnitRange kDigits[] = {{0x0030, 0x0039}, {0x00B2, 0x00B3}, {0x00B9, 0x00B9}, {0x0660, 0x0669},
                                 {0x06F0, 0x06F9}, {0x0966, 0x096F}, {0xFF10, 0xFF19}};
constexpr UnitRange kSpaces[] = {{0x0009, 0x000D}, {0x0020, 0x0020}, {0x0085, 0x0085}, {0x00A0, 0x00A0},
                                 {0x1680, 0x1680}, {0x2000, 0x200A}, {0x2028, 0x2029}, {0x202F, 0x202F},
                                 {0x205F, 0x205F}, {0x3000, 0x3000}};
constexpr UnitRange kBlanks[] = {{0x0009, 0x0009}, {0x0020, 0x0020}, {0x00A0, 0x00A0}, {0x1680, 0x1680},
                                 {0x2000, 0x200A}, {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000}};
constexpr UnitRange kControls[] = {{0x0000, 0x001F}, {0x007F, 0x009F}};
constexpr UnitRange kPunctuation[] = {
    {0x0021, 0x002F}, {0x003A, 0x0040}, {0x005B, 0x0060}, {0x007B, 0x007E}, {0x00A1, 0x00BF},
    {0x00D7, 0x00D7}, {0x00F7, 0x00F7}, {0x02C2, 0x02FF}, {0x037E, 0x037E}, {0x0387, 0x0387},
    {0x055A, 0x055F}, {0x0589, 0x058A}, {0x2010, 0x2027}, {0x2030, 0x205E}, {0x20A0, 0x20CF},
    {0x2100, 0x214F}, {0x2190, 0x2BFF}, {0x3001, 0x3003}, {0x3008, 0x3011}, {0xFF01, 0xFF0F},
    {0xFF1A, 0xFF20}, {0xFF3B, 0xFF40}, {0xFF5B, 0xFF65}};
constexpr UnitRange kHexDigits[] = {{0x0030, 0x0039}, {0x0041, 0x0046}, {0x0061, 0x0066},
                                    {0xFF10, 0xFF19}, {0xFF21, 0xFF26}, {0xFF41, 0xFF46}};

template <std::size_t N>
bool In(const UnitRange (&ranges)[N], char16_t c) noexcept {
  return InRanges(ranges, N, c);
}

std::uint16_t ClassifyUnit(char16_t c) noexcept {
  std::uint16_t t = 0;
  bool upper = ToLowerUnit(c) != c;
  bool lower = ToUpperUnit(c) != c || In(kOtherLower, c);
  if (upper) t |= 0x001;
  if (lower) t |= 0x002;
  if (In(kDigits, c)) t |= 0x004;
  if (In(kSpaces, c)) t |= 0x008;
  if (In(kControls, c)) t |= 0x020;
  if (In(kBlanks, c)) t |= 0x040;
  if (In(kHexDigits, c)) t |= 0x080;
  if (upper || lower || In(kOtherLetters, c)) t |= 0x100;
  if (In(kPunctuation, c) && !(t & 0x103)) t |= 0x010;
  return t;
}

// The 1252 byte tables, derived once from the UTF-16 rules above.
struct Cp1252Tables {
  std::array<char, 256> Upper, Lower;
  std::array<std::uint16_t, 256> Type;

  Cp1252Tables() {
    for (int b = 0; b < 256; ++b) {
      char16_t w = Cp1252ToWide(static_cast<unsigned char>(b));
      int up = WideToCp1252(ToUpperUnit(w));
      int low = WideToCp1252(ToLowerUnit(w));
      Upper[b] = static_cast<char>(up < 0 ? b : up);
      Lower[b] = static_cast<char>(low < 0 ? b : low);
      Type[b] = ClassifyUnit(w);
    }
  }
};

const Cp1252Tables& Tables() {
  static const Cp1252Tables tables;
  return tables;
}

}  // namespace

std::uint32_t AnsiCodePage() noexcept { return cpWindows1252; }
std::uint32_t OemCodePage() noexcept { return cpWindows1252; }

int CodePageMaxCharSize(std::uint32_t codePage) noexcept {
  return (codePage == cpWindows1252 || codePage == cpLatin1 || codePage == cpAscii) ? 1 : 0;
}

bool IsAnsiLeadByte(unsigned char) noexcept { return false; }

// Every code page converted here has one byte per character.
void CodePageLeadBytes(std::uint32_t, bool (&lead)[256]) noexcept {
  for (bool& b : lead) b = false;
}

std::size_t MultiByteToWide(std::uint32_t codePage, const char* src, std::size_t n, char16_t* dst,
                            std::size_t dstLen) {
  if (CodePageMaxCharSize(codePage) == 0) return 0;
  if (!dst) return n;
  std::size_t count = std::min(n, dstLen);
  for (std::size_t i = 0; i < count; ++i) {
    auto b = static_cast<unsigned char>(src[i]);
    if (codePage == cpWindows1252) dst[i] = Cp1252ToWide(b);
    else if (codePage == cpAscii && b >= 0x80) dst[i] = u'?';
    else dst[i] = b;
  }
  return count;
}

std::size_t WideToMultiByte(std::uint32_t codePage, const char16_t* src, std::size_t n, char* dst,
                            std::size_t dstLen) {
  if (CodePageMaxCharSize(codePage) == 0) return 0;
  if (!dst) return n;
  std::size_t count = std::min(n, dstLen);
  for (std::size_t i = 0; i < count; ++i) {
    char16_t w = src[i];
    int b;
    if (codePage == cpWindows1252) b = WideToCp1252(w);
    else if (codePage == cpLatin1) b = w <= 0xFF ? w : -1;
    else b = w < 0x80 ? w : -1;
    dst[i] = static_cast<char>(b < 0 ? '?' : b);
  }
  return count;
}

void AnsiBuffToUpper(char* s, std::size_t n) noexcept {
  const auto& t = Tables().Upper;
  for (std::size_t i = 0; i < n; ++i) s[i] = t[static_cast<unsigned char>(s[i])];
}

void AnsiBuffToLower(char* s, std::size_t n) noexcept {
  const auto& t = Tables().Lower;
  for (std::size_t i = 0; i < n; ++i) s[i] = t[static_cast<unsigned char>(s[i])];
}

void WideBuffToUpper(char16_t* s, std::size_t n) noexcept {
  for (std::size_t i = 0; i < n; ++i) s[i] = ToUpperUnit(s[i]);
}

void WideBuffToLower(char16_t* s, std::size_t n) noexcept {
  for (std::size_t i = 0; i < n; ++i) s[i] = ToLowerUnit(s[i]);
}

std::uint16_t AnsiCharType(unsigned char c) noexcept { return Tables().Type[c]; }

std::uint16_t WideCharType(char16_t c) noexcept { return ClassifyUnit(c); }

}  // namespace rtl::sys
