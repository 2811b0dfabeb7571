#include "runtime/fsStrUtils.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "rtl/AllocationSize.h"
#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "rtl/LongWork.h"
#include "rtl/MultiByte.h"
#include "rtl/ScriptMemory.h"
#include "rtl/StringRoutines.h"
#include "rtl/TextSearch.h"
#include "rtl/WideStringRoutines.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::Variant;
using Args = TfsLibraryArgs;

Variant Text(std::string_view s) { return Variant(AnsiString(s)); }

// Searching and replacing ---------------------------------------------------------------

// Text compared ignoring case by the code page, or exactly.
AnsiString Folded(const AnsiString& s, bool ignoreCase) { return ignoreCase ? rtl::AnsiUpperCase(s) : s; }

template <bool IgnoreCase>
Variant Contains(Args& a) {
  return Variant(rtl::AnsiPos(Folded(a.Str(1), IgnoreCase).view(), Folded(a.Str(0), IgnoreCase).view()) > 0);
}

template <bool IgnoreCase>
Variant StartsWith(Args& a) {
  const AnsiString sub = Folded(a.Str(0), IgnoreCase), text = Folded(a.Str(1), IgnoreCase);
  return Variant(text.view().starts_with(sub.view()));
}

template <bool IgnoreCase>
Variant EndsWith(Args& a) {
  const AnsiString sub = Folded(a.Str(0), IgnoreCase), text = Folded(a.Str(1), IgnoreCase);
  if (!text.view().ends_with(sub.view())) return Variant(false);
  // The match must start on a character, not inside one.
  return Variant(sub.IsEmpty() ||
                 rtl::IsCharStart(text.view(), static_cast<std::int64_t>(text.Length() - sub.Length() + 1)));
}

// Every occurrence of from replaced by to; case mapping keeps lengths, so positions
// found in the folded text are those of the original.
template <bool IgnoreCase>
Variant Replace(Args& a) {
  const AnsiString text = a.Str(0), from = a.Str(1), to = a.Str(2);
  if (from.IsEmpty()) return Variant(text);
  const AnsiString foldedText = Folded(text, IgnoreCase), foldedFrom = Folded(from, IgnoreCase);
  const std::string_view s = text.view(), searched = foldedText.view();
  const rtl::TTextSearch search(foldedFrom.view());
  std::string out;
  std::size_t at = 0;
  for (;;) {
    const std::size_t found = rtl::AnsiFind(search, searched, at);
    if (found == rtl::TTextSearch::npos) break;
    out.append(s.substr(at, found - at));
    out.append(to.view());
    at = found + from.Length();
    rtl::LongWorkDone(to.Length());
  }
  out.append(s.substr(at));
  return Text(out);
}

// Soundex ------------------------------------------------------------------------------------

// The digit of a letter: vowels (and Y) give '0', which separates equal digits; H and W
// give nothing and separate nothing.
char SoundexDigit(char upper) {
  switch (upper) {
    case 'B': case 'F': case 'P': case 'V': return '1';
    case 'C': case 'G': case 'J': case 'K': case 'Q': case 'S': case 'X': case 'Z': return '2';
    case 'D': case 'T': return '3';
    case 'L': return '4';
    case 'M': case 'N': return '5';
    case 'R': return '6';
    case 'H': case 'W': return '\0';
    default: return '0';
  }
}

// The first letter, then the digits of the following consonant groups, four characters
// in all (padded with 0); empty for a text without letters.
std::string Soundex(std::string_view text) {
  std::string code;
  char last = 0;
  for (char c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') continue;
    const char digit = SoundexDigit(c);
    if (code.empty()) {
      code += c;
      last = digit;
      continue;
    }
    if (digit == '\0') continue;
    if (digit != '0' && digit != last) code += digit;
    last = digit;
    if (code.size() == 4) break;
  }
  if (!code.empty()) code.resize(4, '0');
  return code;
}

// A four-character code as a number: the letter's place times 343, then the three
// digits (0 ... 6) in base 7.
constexpr std::int32_t kSoundexCodes = 26 * 343;

std::int32_t SoundexNumber(const std::string& code) {
  if (code.empty()) return 0;
  std::int32_t n = code[0] - 'A';
  for (std::size_t i = 1; i < 4; ++i) n = n * 7 + (code[i] - '0');
  return n;
}

std::string SoundexOfNumber(std::int64_t n) {
  if (n < 0 || n >= kSoundexCodes)
    throw rtl::EConvertError(rtl::Format(msg::kNoSoundexCode, {rtl::FormatArg::FromInt64(n)}));
  std::string code(4, '0');
  for (std::size_t i = 3; i > 0; --i) {
    code[i] = static_cast<char>('0' + n % 7);
    n /= 7;
  }
  code[0] = static_cast<char>('A' + n);
  return code;
}

Variant SoundexWord(Args& a) { return Variant(SoundexNumber(Soundex(a.Str(0).view()))); }
Variant DecodeSoundex(Args& a) { return Text(SoundexOfNumber(a.Int64(0))); }
Variant SameSoundex(Args& a) { return Variant(Soundex(a.Str(0).view()) == Soundex(a.Str(1).view())); }

// Texts built from texts -------------------------------------------------------------------

Variant DupeString(Args& a) {
  const AnsiString text = a.Str(0);
  const std::int32_t count = a.Int(1);
  if (count <= 0 || text.IsEmpty()) return Variant(AnsiString());
  // The result's size is known: it meets the script memory limit before any of it is
  // made, and is made once.
  const std::size_t length = text.Length();
  rtl::ScriptMemoryCheck(std::uint64_t{length} * static_cast<std::uint64_t>(count));
  AnsiString out;
  out.SetLength(rtl::CheckedBytes(static_cast<std::size_t>(count), length));
  char* to = out.UniqueData();
  for (std::int32_t i = 0; i < count; ++i, to += length) std::memcpy(to, text.c_str(), length);
  return Variant(out);
}

Variant ReverseString(Args& a) {
  const std::string s = a.Str(0).str();
  return Text(std::string(s.rbegin(), s.rend()));
}

Variant AnsiReverseString(Args& a) { return Variant(rtl::AnsiReverse(a.Str(0).view())); }

Variant StuffString(Args& a) {
  const AnsiString text = a.Str(0);
  const std::int64_t start = a.Int64(1), length = a.Int64(2);
  return Text(rtl::Copy(text, 1, start - 1).str() + a.Str(3).str() + rtl::Copy(text, start + length, INT64_MAX).str());
}

// One of its texts as it came: the same work on 8-bit and on wide text.
Variant IfThen(Args& a) { return a.Value(a.Bool(0) ? 1 : 2); }

// Parts by bytes, and by characters of the code page.
Variant LeftStr(Args& a) { return Variant(rtl::Copy(a.Str(0), 1, a.Int(1))); }
Variant RightStr(Args& a) {
  const AnsiString s = a.Str(0);
  const std::int64_t count = a.Int(1);
  return Variant(rtl::Copy(s, static_cast<std::int64_t>(s.Length()) - count + 1, count));
}
Variant MidStr(Args& a) { return Variant(rtl::Copy(a.Str(0), a.Int(1), a.Int(2))); }
Variant AnsiLeftStr(Args& a) { return Variant(rtl::AnsiLeft(a.Str(0).view(), a.Int(1))); }
Variant AnsiRightStr(Args& a) { return Variant(rtl::AnsiRight(a.Str(0).view(), a.Int(1))); }
Variant AnsiMidStr(Args& a) { return Variant(rtl::AnsiMid(a.Str(0).view(), a.Int(1), a.Int(2))); }

// From Offset on; 0 when absent or when Offset lies outside the text.
Variant PosEx(Args& a) {
  const AnsiString sub = a.Str(0), s = a.Str(1);
  const std::int64_t offset = a.Int64(2);
  if (sub.IsEmpty() || offset < 1 || offset > static_cast<std::int64_t>(s.Length())) return Variant(0);
  const std::size_t at = rtl::FindText(s.view(), sub.view(), static_cast<std::size_t>(offset - 1));
  return Variant(at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at + 1));
}

// The same on wide text, whose characters the code page need not hold.
Variant WideLeftStr(Args& a) { return Variant(rtl::WideCopy(a.Wide(0), 1, a.Int(1))); }
Variant WideRightStr(Args& a) {
  const std::u16string_view s = a.Wide(0);
  const std::int64_t count = a.Int(1);
  return Variant(rtl::WideCopy(s, static_cast<std::int64_t>(s.size()) - count + 1, count));
}
Variant WideMidStr(Args& a) { return Variant(rtl::WideCopy(a.Wide(0), a.Int(1), a.Int(2))); }

Variant WidePosEx(Args& a) {
  const std::u16string_view sub = a.Wide(0), s = a.Wide(1);
  const std::int64_t offset = a.Int64(2);
  if (sub.empty() || offset < 1 || offset > static_cast<std::int64_t>(s.size())) return Variant(0);
  const std::size_t at = rtl::FindWideText(s, sub, static_cast<std::size_t>(offset - 1));
  return Variant(at == std::u16string_view::npos ? 0 : static_cast<std::int32_t>(at + 1));
}

Variant WideContainsStr(Args& a) { return Variant(rtl::FindWideText(a.Wide(0), a.Wide(1)) != std::u16string_view::npos); }
Variant WideStartsStr(Args& a) { return Variant(a.Wide(1).starts_with(a.Wide(0))); }
Variant WideEndsStr(Args& a) { return Variant(a.Wide(1).ends_with(a.Wide(0))); }

Variant WideReplaceStr(Args& a) { return Variant(rtl::WideReplace(a.Wide(0), a.Wide(1), a.Wide(2))); }

// A surrogate pair stays a pair, in its order.
Variant WideReverseString(Args& a) {
  std::u16string r(a.Wide(0).rbegin(), a.Wide(0).rend());
  for (std::size_t i = 0; i + 1 < r.size(); ++i)
    if (r[i] >= 0xDC00 && r[i] <= 0xDFFF && r[i + 1] >= 0xD800 && r[i + 1] <= 0xDBFF) std::swap(r[i], r[i + 1]), ++i;
  return Variant(std::u16string_view(r));
}

const TfsLibraryEntry kStrUtils[] = {
    {"function AnsiResemblesText(const AText, AOther: string): Boolean", &SameSoundex},
    {"function AnsiContainsText(const AText, ASubText: string): Boolean", &Contains<true>},
    {"function AnsiStartsText(const ASubText, AText: string): Boolean", &StartsWith<true>},
    {"function AnsiEndsText(const ASubText, AText: string): Boolean", &EndsWith<true>},
    {"function AnsiReplaceText(const AText, AFromText, AToText: string): string", &Replace<true>},
    {"function AnsiContainsStr(const AText, ASubText: string): Boolean", &Contains<false>, kAllRequired, &WideContainsStr},
    {"function AnsiStartsStr(const ASubText, AText: string): Boolean", &StartsWith<false>, kAllRequired, &WideStartsStr},
    {"function AnsiEndsStr(const ASubText, AText: string): Boolean", &EndsWith<false>, kAllRequired, &WideEndsStr},
    {"function AnsiReplaceStr(const AText, AFromText, AToText: string): string", &Replace<false>, kAllRequired, &WideReplaceStr},
    {"function DupeString(const AText: string; ACount: Integer): string", &DupeString},
    {"function ReverseString(const AText: string): string", &ReverseString, kAllRequired, &WideReverseString},
    {"function AnsiReverseString(const AText: AnsiString): AnsiString", &AnsiReverseString},
    {"function StuffString(const AText: string; AStart, ALength: Cardinal; const ASubText: string): string",
     &StuffString},
    {"function IfThen(AValue: Boolean; const ATrue: string; AFalse: string = ''): string", &IfThen, kAllRequired, &IfThen},
    {"function LeftStr(const AText: AnsiString; const ACount: Integer): AnsiString", &LeftStr, kAllRequired, &WideLeftStr},
    {"function RightStr(const AText: AnsiString; const ACount: Integer): AnsiString", &RightStr, kAllRequired, &WideRightStr},
    {"function MidStr(const AText: AnsiString; const AStart, ACount: Integer): AnsiString", &MidStr, kAllRequired, &WideMidStr},
    {"function LeftBStr(const AText: AnsiString; const AByteCount: Integer): AnsiString", &LeftStr},
    {"function RightBStr(const AText: AnsiString; const AByteCount: Integer): AnsiString", &RightStr},
    {"function MidBStr(const AText: AnsiString; const AByteStart, AByteCount: Integer): AnsiString", &MidStr},
    {"function AnsiLeftStr(const AText: AnsiString; const ACount: Integer): AnsiString", &AnsiLeftStr},
    {"function AnsiRightStr(const AText: AnsiString; const ACount: Integer): AnsiString", &AnsiRightStr},
    {"function AnsiMidStr(const AText: AnsiString; const AStart, ACount: Integer): AnsiString", &AnsiMidStr},
    {"function PosEx(const SubStr, S: string; Offset: Cardinal = 1): Integer", &PosEx, kAllRequired, &WidePosEx},
    {"function DecodeSoundexInt(AValue: Integer): string", &DecodeSoundex},
    {"function SoundexWord(const AText: string): Word", &SoundexWord},
    {"function DecodeSoundexWord(AValue: Word): string", &DecodeSoundex},
    {"function SoundexProc(const AText, AOther: string): Boolean", &SameSoundex},
};

const TfsRTTIModuleClass kStrUtilsClass{"fs_StrUtils", moStrUtils, &NewRTTIModule<TfsStrUtils>};
TfsRuntimeModuleRegistration gStrUtilsRegistration(kStrUtilsClass);

}  // namespace

TfsStrUtils::TfsStrUtils(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  RegisterLibrary(registry, Category, kStrUtils);
}

}  // namespace fs
