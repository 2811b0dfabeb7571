#include "runtime/fsCharStrings.h"

#include <cstdint>
#include <string>

#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "rtl/Rounding.h"
#include "rtl/TextSearch.h"
#include "rtl/TextConversions.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::Variant;
using Args = TfsLibraryArgs;

Variant Text(std::string_view s) { return Variant(AnsiString(s)); }
Variant CharText(char c) { return Variant(AnsiString(&c, 1)); }

std::uint16_t TypeOf(char c) { return rtl::AnsiCharType(c); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char DecimalSeparator() { return rtl::CurrentFormatSettings().DecimalSeparator; }

// Character classes -----------------------------------------------------------------

bool IsAlpha(char c) { return TypeOf(c) & rtl::ctAlpha; }
bool IsDigit(char c) { return TypeOf(c) & rtl::ctDigit; }
bool IsAlphaNum(char c) { return TypeOf(c) & (rtl::ctAlpha | rtl::ctDigit); }
bool IsAlphaNumUnderscore(char c) { return c == '_' || IsAlphaNum(c); }
bool IsBlank(char c) { return TypeOf(c) & rtl::ctBlank; }
bool IsControl(char c) { return TypeOf(c) & rtl::ctControl; }
bool IsDelete(char c) { return c == 8; }
bool IsFracDigit(char c) { return c == '.' || IsAsciiDigit(c); }
bool IsHexDigit(char c) { return TypeOf(c) & rtl::ctXDigit; }
bool IsLower(char c) { return TypeOf(c) & rtl::ctLower; }
bool IsUpper(char c) { return TypeOf(c) & rtl::ctUpper; }
bool IsNumberChar(char c) { return IsAsciiDigit(c) || c == '+' || c == '-' || c == DecimalSeparator(); }
bool IsNumber(char c) { return IsAsciiDigit(c) || c == DecimalSeparator(); }
bool IsPrintable(char c) { return !IsControl(c); }
bool IsPunctuation(char c) { return TypeOf(c) & rtl::ctPunct; }
bool IsReturn(char c) { return c == 10 || c == 13; }
bool IsSpace(char c) { return TypeOf(c) & rtl::ctSpace; }
bool IsIdentifierLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsAsciiDigit(c) || c == '_';
}
bool IsWhiteSpace(char c) { return (c >= 9 && c <= 13) || c == ' ' || IsSpace(c); }
bool IsWildcard(char c) { return c == '*' || c == '?'; }

template <bool (*Test)(char)>
Variant CharIs(Args& a) {
  return Variant(Test(a.Char(0)));
}

// Every character of the text is in the class (true for the empty text).
template <bool (*Test)(char)>
Variant StrIs(Args& a) {
  for (char c : a.Str(0).view())
    if (!Test(c)) return Variant(false);
  return Variant(true);
}

Variant StrConsistsOfNumberChars(Args& a) {
  const AnsiString s = a.Str(0);
  if (s.IsEmpty()) return Variant(false);
  for (char c : s.view())
    if (!IsNumberChar(c)) return Variant(false);
  return Variant(true);
}

Variant CharType(Args& a) { return Variant(static_cast<std::int32_t>(TypeOf(a.Char(0)))); }

Variant CharHex(Args& a) {
  const char c = a.Char(0);
  if (c >= '0' && c <= '9') return Variant(c - '0');
  if (c >= 'a' && c <= 'f') return Variant(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return Variant(c - 'A' + 10);
  return Variant(255);
}

Variant CharLower(Args& a) { return CharText(rtl::AnsiLowerChar(a.Char(0))); }
Variant CharUpper(Args& a) { return CharText(rtl::AnsiUpperChar(a.Char(0))); }

Variant CharToggleCase(Args& a) {
  const char c = a.Char(0);
  if (IsUpper(c)) return CharText(rtl::AnsiLowerChar(c));
  if (IsLower(c)) return CharText(rtl::AnsiUpperChar(c));
  return CharText(c);
}

Variant CharEqualNoCase(Args& a) { return Variant(rtl::AnsiUpperChar(a.Char(0)) == rtl::AnsiUpperChar(a.Char(1))); }

// Case and comparison ---------------------------------------------------------------

Variant StrSame(Args& a) { return Variant(rtl::AnsiUpperCase(a.Str(0)).view() == rtl::AnsiUpperCase(a.Str(1)).view()); }
Variant StrLower(Args& a) { return Variant(rtl::AnsiLowerCase(a.Str(0))); }
Variant StrUpper(Args& a) { return Variant(rtl::AnsiUpperCase(a.Str(0))); }

Variant StrProper(Args& a) {
  AnsiString s = rtl::AnsiLowerCase(a.Str(0));
  if (s.IsEmpty()) return Variant(s);
  std::string out = s.str();
  out[0] = rtl::AnsiUpperChar(out[0]);
  return Text(out);
}

// Quoting, prefixes and suffixes ------------------------------------------------------

Variant StrDoubleQuote(Args& a) { return Text("\"" + a.Str(0).str() + "\""); }
Variant StrSingleQuote(Args& a) { return Text("'" + a.Str(0).str() + "'"); }

Variant StrQuote(Args& a) {
  std::string s = a.Str(0).str();
  const char c = a.Char(1);
  if (s.empty()) return Text(s);
  if (s.front() != c) s.insert(s.begin(), c);
  if (s.back() != c) s += c;
  return Text(s);
}

// The first and last character removed when both are the quote.
AnsiString TrimmedQuotes(const AnsiString& s, char quote) {
  const std::string_view v = s.view();
  if (v.size() > 1 && v.front() == quote && v.back() == quote) return AnsiString(v.substr(1, v.size() - 2));
  return s;
}

Variant StrTrimQuotes(Args& a) {
  const AnsiString s = a.Str(0);
  if (s.IsEmpty()) return Variant(s);
  const char first = s[0];
  return Variant(first == '\'' || first == '"' ? TrimmedQuotes(s, first) : s);
}

Variant StrTrimQuotes2(Args& a) { return Variant(TrimmedQuotes(a.Str(0), a.Char(1))); }

Variant StrEnsurePrefix(Args& a) {
  const AnsiString prefix = a.Str(0), text = a.Str(1);
  return text.view().starts_with(prefix.view()) ? Variant(text) : Text(prefix.str() + text.str());
}

Variant StrEnsureNoPrefix(Args& a) {
  const AnsiString prefix = a.Str(0), text = a.Str(1);
  return text.view().starts_with(prefix.view()) ? Text(text.view().substr(prefix.Length())) : Variant(text);
}

Variant StrEnsureSuffix(Args& a) {
  const AnsiString suffix = a.Str(0), text = a.Str(1);
  return text.view().ends_with(suffix.view()) ? Variant(text) : Text(text.str() + suffix.str());
}

Variant StrEnsureNoSuffix(Args& a) {
  const AnsiString suffix = a.Str(0), text = a.Str(1);
  return text.view().ends_with(suffix.view()) ? Text(text.view().substr(0, text.Length() - suffix.Length()))
                                              : Variant(text);
}

// Escapes ---------------------------------------------------------------------------------

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Variant StrEscapedToString(Args& a) {
  const AnsiString text = a.Str(0);
  const std::string_view s = text.view();
  std::string out;
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] != '\\' || i + 1 >= s.size()) {
      out += s[i++];
      continue;
    }
    const char e = s[i + 1];
    switch (e) {
      case '"': case '\'': case '?': case '\\': out += e; i += 2; continue;
      case 'a': out += '\a'; i += 2; continue;
      case 'b': out += '\b'; i += 2; continue;
      case 'f': out += '\f'; i += 2; continue;
      case 'n': out += '\n'; i += 2; continue;
      case 'r': out += '\r'; i += 2; continue;
      case 't': out += '\t'; i += 2; continue;
      case 'v': out += '\v'; i += 2; continue;
      default: break;
    }
    if (e >= '0' && e <= '7') {
      const std::size_t start = i + 1;
      int code = 0;
      std::size_t j = start;
      while (j < s.size() && j < start + 3 && s[j] >= '0' && s[j] <= '7') code = code * 8 + (s[j++] - '0');
      if (code > 255)
        throw rtl::EConvertError(rtl::Format(msg::kNumericConstantTooLarge,
                                             {rtl::FormatArg::FromInt(code),
                                              rtl::FormatArg::FromInt(static_cast<std::int32_t>(start + 1))}));
      out += static_cast<char>(code);
      i = j;
      continue;
    }
    if (e == 'x' && i + 2 < s.size() && HexValue(s[i + 2]) >= 0) {
      int code = HexValue(s[i + 2]);
      std::size_t j = i + 3;
      if (j < s.size() && HexValue(s[j]) >= 0) code = code * 16 + HexValue(s[j++]);
      out += static_cast<char>(code);
      i = j;
      continue;
    }
    // Any other escape stays as written.
    out += s[i];
    out += e;
    i += 2;
  }
  return Text(out);
}

Variant StrStringToEscaped(Args& a) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (char c : a.Str(0).view()) {
    switch (c) {
      case '\a': out += "\\a"; break;
      case '\b': out += "\\b"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\v': out += "\\v"; break;
      case '\f': out += "\\f"; break;
      case '\r': out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default:
        if (static_cast<unsigned char>(c) < 32) {
          out += "\\x";
          out += kHex[(c >> 4) & 15];
          out += kHex[c & 15];
        } else {
          out += c;
        }
    }
  }
  return Text(out);
}

// Characters and parts ------------------------------------------------------------------

Variant StrReplaceChar(Args& a) {
  std::string s = a.Str(0).str();
  const char from = a.Char(1), to = a.Char(2);
  for (char& c : s)
    if (c == from) c = to;
  return Text(s);
}

Variant StrReverse(Args& a) {
  std::string s = a.Str(0).str();
  return Text(std::string(s.rbegin(), s.rend()));
}

Variant StrTrimCharLeft(Args& a) {
  const AnsiString text = a.Str(0);
  std::string_view s = text.view();
  const char c = a.Char(1);
  while (!s.empty() && s.front() == c) s.remove_prefix(1);
  return Text(s);
}

Variant StrTrimCharRight(Args& a) {
  const AnsiString text = a.Str(0);
  std::string_view s = text.view();
  const char c = a.Char(1);
  while (!s.empty() && s.back() == c) s.remove_suffix(1);
  return Text(s);
}

Variant StrStripNonNumberChars(Args& a) {
  std::string out;
  for (char c : a.Str(0).view())
    if (IsNumberChar(c)) out += c;
  return Text(out);
}

// Pairs of hexadecimal digits as the bytes they write; an odd count reads with a
// leading 0, and any other character makes the result empty.
Variant StrToHex(Args& a) {
  std::string digits = a.Str(0).str();
  if (digits.size() % 2) digits.insert(digits.begin(), '0');
  std::string out;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const int hi = HexValue(digits[i]), lo = HexValue(digits[i + 1]);
    if (hi < 0 || lo < 0) return Text(std::string());
    out += static_cast<char>(hi * 16 + lo);
  }
  return Text(out);
}

// Text of one code page in another.
AnsiString Recoded(const AnsiString& s, std::uint32_t from, std::uint32_t to) {
  if (from == to) return s;
  return AnsiString(rtl::WideToCodePage(to, rtl::CodePageToWide(from, s.view())));
}

Variant StrOemToAnsi(Args& a) { return Variant(Recoded(a.Str(0), rtl::OemCodePage(), rtl::ProcessCodePage())); }
Variant StrAnsiToOem(Args& a) { return Variant(Recoded(a.Str(0), rtl::ProcessCodePage(), rtl::OemCodePage())); }

Variant StrLength(Args& a) { return Variant(static_cast<std::int32_t>(a.Str(0).Length())); }
// Texts are shared by reference inside the engine, but a script holds its own value:
// one holder for a text, none for the empty text.
Variant StrRefCount(Args& a) { return Variant(a.Str(0).IsEmpty() ? 0 : 1); }

Variant StrAfter(Args& a) {
  const AnsiString sub = a.Str(0), text = a.Str(1);
  const std::size_t at = sub.IsEmpty() ? 0 : rtl::FindText(text.view(), sub.view());
  return at == std::string_view::npos ? Text(std::string()) : Text(text.view().substr(at + sub.Length()));
}

Variant StrBefore(Args& a) {
  const AnsiString sub = a.Str(0), text = a.Str(1);
  const std::size_t at = sub.IsEmpty() ? 0 : rtl::FindText(text.view(), sub.view());
  return at == std::string_view::npos ? Variant(text) : Text(text.view().substr(0, at));
}

Variant StrBetween(Args& a) {
  const AnsiString text = a.Str(0);
  const std::string_view s = text.view();
  const std::size_t start = s.find(a.Char(1));
  if (start == std::string_view::npos) return Text(std::string());
  const std::size_t stop = s.find(a.Char(2), start + 1);
  if (stop == std::string_view::npos) return Text(std::string());
  return Text(s.substr(start + 1, stop - start - 1));
}

// Lenient numbers -----------------------------------------------------------------------

double FloatSafe(const AnsiString& text) {
  const rtl::FormatSettings& fs = rtl::CurrentFormatSettings();
  const char dec = fs.DecimalSeparator, thou = fs.ThousandSeparator;
  std::string s = text.str();
  std::size_t i = 0;
  bool negative = false;
  for (; i < s.size(); ++i) {
    if (s[i] == '-') negative = !negative;
    else if (s[i] != ' ' && s[i] != '(' && s[i] != '+') break;
  }
  s.erase(0, i);
  // Written with the separators the other way round: swap them.
  const std::size_t firstDec = s.find(dec);
  const bool swap = (!s.empty() && s[0] == thou) ||
                    (firstDec != std::string::npos && firstDec > 0 &&
                     (s.find(dec, firstDec + 1) != std::string::npos || s.find(thou, firstDec + 1) != std::string::npos));
  if (swap)
    for (char& c : s) c = c == dec ? thou : c == thou ? dec : c;
  std::string kept;
  bool digits = false;
  for (char c : s)
    if (IsAsciiDigit(c) || c == dec) {
      kept += c;
      digits = digits || IsAsciiDigit(c);
    }
  if (!digits) return 0;
  if (kept.front() == dec) kept.insert(kept.begin(), '0');
  if (kept.back() == dec) kept += '0';
  double value = 0;
  if (!rtl::TryStrToFloat(kept, value)) return 0;
  return negative ? -value : value;
}

Variant StrToFloatSafe(Args& a) { return Variant(FloatSafe(a.Str(0))); }
Variant StrToIntSafe(Args& a) { return Variant(rtl::TruncToInt32(FloatSafe(a.Str(0)))); }

const TfsLibraryEntry kCharStrings[] = {
    {"function StrIsAlpha(const S: AnsiString): Boolean", &StrIs<IsAlpha>},
    {"function StrIsAlphaNum(const S: AnsiString): Boolean", &StrIs<IsAlphaNum>},
    {"function StrIsAlphaNumUnderscore(const S: AnsiString): Boolean", &StrIs<IsAlphaNumUnderscore>},
    {"function StrConsistsOfNumberChars(const S: AnsiString): Boolean", &StrConsistsOfNumberChars},
    {"function StrIsDigit(const S: AnsiString): Boolean", &StrIs<IsDigit>},
    {"function StrSame(const S1, S2: AnsiString): Boolean", &StrSame},
    {"function StrDoubleQuote(const S: AnsiString): AnsiString", &StrDoubleQuote},
    {"function StrEnsureNoPrefix(const Prefix, Text: AnsiString): AnsiString", &StrEnsureNoPrefix},
    {"function StrEnsureNoSuffix(const Suffix, Text: AnsiString): AnsiString", &StrEnsureNoSuffix},
    {"function StrEnsurePrefix(const Prefix, Text: AnsiString): AnsiString", &StrEnsurePrefix},
    {"function StrEnsureSuffix(const Suffix, Text: AnsiString): AnsiString", &StrEnsureSuffix},
    {"function StrEscapedToString(const S: AnsiString): AnsiString", &StrEscapedToString},
    {"function StrLower(const S: AnsiString): AnsiString", &StrLower},
    {"function StrProper(const S: AnsiString): AnsiString", &StrProper},
    {"function StrQuote(const S: AnsiString; C: AnsiChar): AnsiString", &StrQuote},
    {"function StrReplaceChar(const S: AnsiString; const Source, Replace: AnsiChar): AnsiString", &StrReplaceChar},
    {"function StrReverse(const S: AnsiString): AnsiString", &StrReverse},
    {"function StrSingleQuote(const S: AnsiString): AnsiString", &StrSingleQuote},
    {"function StrStringToEscaped(const S: AnsiString): AnsiString", &StrStringToEscaped},
    {"function StrStripNonNumberChars(const S: AnsiString): AnsiString", &StrStripNonNumberChars},
    {"function StrToHex(const Source: AnsiString): AnsiString", &StrToHex},
    {"function StrTrimCharLeft(const S: AnsiString; C: AnsiChar): AnsiString", &StrTrimCharLeft},
    {"function StrTrimCharRight(const S: AnsiString; C: AnsiChar): AnsiString", &StrTrimCharRight},
    {"function StrTrimQuotes(const S: AnsiString): AnsiString", &StrTrimQuotes},
    {"function StrTrimQuotes2(const S: AnsiString; QuoteChar: AnsiChar): AnsiString", &StrTrimQuotes2},
    {"function StrUpper(const S: AnsiString): AnsiString", &StrUpper},
    {"function StrOemToAnsi(const S: AnsiString): AnsiString", &StrOemToAnsi},
    {"function StrAnsiToOem(const S: AnsiString): AnsiString", &StrAnsiToOem},
    {"function StrLength(const S: AnsiString): Longint", &StrLength},
    {"function StrRefCount(const S: AnsiString): Longint", &StrRefCount},
    {"function StrAfter(const SubStr, S: AnsiString): AnsiString", &StrAfter},
    {"function StrBefore(const SubStr, S: AnsiString): AnsiString", &StrBefore},
    {"function StrBetween(const S: AnsiString; const Start, Stop: AnsiChar): AnsiString", &StrBetween},
    {"function CharEqualNoCase(const C1, C2: AnsiChar): Boolean", &CharEqualNoCase},
    {"function CharIsAlpha(const C: AnsiChar): Boolean", &CharIs<IsAlpha>},
    {"function CharIsAlphaNum(const C: AnsiChar): Boolean", &CharIs<IsAlphaNum>},
    {"function CharIsBlank(const C: AnsiChar): Boolean", &CharIs<IsBlank>},
    {"function CharIsControl(const C: AnsiChar): Boolean", &CharIs<IsControl>},
    {"function CharIsDelete(const C: AnsiChar): Boolean", &CharIs<IsDelete>},
    {"function CharIsDigit(const C: AnsiChar): Boolean", &CharIs<IsDigit>},
    {"function CharIsFracDigit(const C: AnsiChar): Boolean", &CharIs<IsFracDigit>},
    {"function CharIsHexDigit(const C: AnsiChar): Boolean", &CharIs<IsHexDigit>},
    {"function CharIsLower(const C: AnsiChar): Boolean", &CharIs<IsLower>},
    {"function CharIsNumberChar(const C: AnsiChar): Boolean", &CharIs<IsNumberChar>},
    {"function CharIsNumber(const C: AnsiChar): Boolean", &CharIs<IsNumber>},
    {"function CharIsPrintable(const C: AnsiChar): Boolean", &CharIs<IsPrintable>},
    {"function CharIsPunctuation(const C: AnsiChar): Boolean", &CharIs<IsPunctuation>},
    {"function CharIsReturn(const C: AnsiChar): Boolean", &CharIs<IsReturn>},
    {"function CharIsSpace(const C: AnsiChar): Boolean", &CharIs<IsSpace>},
    {"function CharIsUpper(const C: AnsiChar): Boolean", &CharIs<IsUpper>},
    {"function CharIsValidIdentifierLetter(const C: AnsiChar): Boolean", &CharIs<IsIdentifierLetter>},
    {"function CharIsWhiteSpace(const C: AnsiChar): Boolean", &CharIs<IsWhiteSpace>},
    {"function CharIsWildcard(const C: AnsiChar): Boolean", &CharIs<IsWildcard>},
    {"function CharType(const C: AnsiChar): Word", &CharType},
    {"function CharHex(const C: AnsiChar): Byte", &CharHex},
    {"function CharLower(const C: AnsiChar): AnsiChar", &CharLower},
    {"function CharUpper(const C: AnsiChar): AnsiChar", &CharUpper},
    {"function CharToggleCase(const C: AnsiChar): AnsiChar", &CharToggleCase},
    {"function StrToFloatSafe(const S: AnsiString): Extended", &StrToFloatSafe},
    {"function StrToIntSafe(const S: AnsiString): Integer", &StrToIntSafe},
};

const TfsRTTIModuleClass kCharStringsClass{"fs_CharStrings", moCharStrings, &NewRTTIModule<TfsCharStrings>};
TfsRuntimeModuleRegistration gCharStringsRegistration(kCharStringsClass);

}  // namespace

TfsCharStrings::TfsCharStrings(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  registry.RegisterTypeName("AnsiChar", fvtChar);
  registry.RegisterTypeName("AnsiString", fvtString);
  RegisterLibrary(registry, Category, kCharStrings);
}

}  // namespace fs
