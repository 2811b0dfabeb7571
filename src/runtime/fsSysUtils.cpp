#include "runtime/fsSysUtils.h"

#include <cstdint>
#include <string>

#include "platform/Collation.h"
#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/LocaleInfo.h"
#include "platform/SystemErrors.h"
#include "rtl/CodePage.h"
#include "rtl/CurrentTime.h"
#include "rtl/DateCalendar.h"
#include "rtl/DateUtils.h"
#include "rtl/Exceptions.h"
#include "rtl/FileDate.h"
#include "rtl/FileNames.h"
#include "rtl/Format.h"
#include "rtl/FormatDateTime.h"
#include "rtl/FormatFloat.h"
#include "rtl/MultiByte.h"
#include "rtl/NumberText.h"
#include "rtl/StringRoutines.h"
#include "rtl/TextConversions.h"
#include "rtl/VariantConvert.h"
#include "rtl/WideStringRoutines.h"
#include "rtl/WrapText.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::Variant;
using Args = TfsLibraryArgs;

Variant Text(std::string_view s) { return Variant(AnsiString(s)); }
Variant Date(double v) { return Variant::FromDate(v); }
int Sign(int v) { return (v > 0) - (v < 0); }

// Case and comparison -------------------------------------------------------------------

Variant UpperCase(Args& a) { return Variant(rtl::UpperCase(a.Str(0))); }
Variant LowerCase(Args& a) { return Variant(rtl::LowerCase(a.Str(0))); }
Variant CompareStr(Args& a) { return Variant(rtl::CompareStr(a.Str(0).view(), a.Str(1).view())); }
Variant CompareText(Args& a) { return Variant(rtl::CompareText(a.Str(0).view(), a.Str(1).view())); }
Variant SameText(Args& a) { return Variant(rtl::CompareText(a.Str(0).view(), a.Str(1).view()) == 0); }
Variant AnsiUpperCase(Args& a) { return Variant(rtl::AnsiUpperCase(a.Str(0))); }
Variant AnsiLowerCase(Args& a) { return Variant(rtl::AnsiLowerCase(a.Str(0))); }

// The locale's order; ignoring case compares the texts in one case.
int LocaleCompare(Args& a, bool ignoreCase) {
  const AnsiString x = a.Str(0), y = a.Str(1);
  if (!ignoreCase) return Sign(platform::CompareLocaleText(x.view(), y.view()));
  return Sign(platform::CompareLocaleText(rtl::AnsiUpperCase(x).view(), rtl::AnsiUpperCase(y).view()));
}

Variant AnsiCompareStr(Args& a) { return Variant(LocaleCompare(a, false)); }
Variant AnsiSameStr(Args& a) { return Variant(LocaleCompare(a, false) == 0); }
Variant AnsiCompareText(Args& a) { return Variant(LocaleCompare(a, true)); }
Variant AnsiSameText(Args& a) { return Variant(LocaleCompare(a, true) == 0); }

Variant Trim(Args& a) { return Variant(rtl::Trim(a.Str(0))); }
Variant TrimLeft(Args& a) { return Variant(rtl::TrimLeft(a.Str(0))); }
Variant TrimRight(Args& a) { return Variant(rtl::TrimRight(a.Str(0))); }

// The same on wide text: the row's values keep the characters the code page lacks.
Variant WideUpperCase(Args& a) { return Variant(rtl::WideAsciiUpperCase(a.Wide(0))); }
Variant WideLowerCase(Args& a) { return Variant(rtl::WideAsciiLowerCase(a.Wide(0))); }
Variant WideAnsiUpperCase(Args& a) { return Variant(rtl::WideUpperCase(a.Wide(0))); }
Variant WideAnsiLowerCase(Args& a) { return Variant(rtl::WideLowerCase(a.Wide(0))); }
Variant WideTrim(Args& a) { return Variant(rtl::WideTrim(a.Wide(0))); }
Variant WideTrimLeft(Args& a) { return Variant(rtl::WideTrimLeft(a.Wide(0))); }
Variant WideTrimRight(Args& a) { return Variant(rtl::WideTrimRight(a.Wide(0))); }

// Quoting -------------------------------------------------------------------------------

std::string Quoted(std::string_view s, char quote) {
  std::string out(1, quote);
  const rtl::LeadBytes& lb = rtl::LeadBytes::Process();
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = rtl::CharBytesAt(s, i, lb);
    if (n == 1 && s[i] == quote) out += quote;
    out.append(s.substr(i, n));
    i += n;
  }
  out += quote;
  return out;
}

// The text inside the quotes with doubled quotes made single; S unchanged when it does
// not start with the quote. Stops at a single quote (or the end).
std::string Dequoted(std::string_view s, char quote) {
  if (s.empty() || s[0] != quote) return std::string(s);
  std::string out;
  std::size_t i = 1;
  while (i < s.size()) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        out += quote;
        i += 2;
        continue;
      }
      break;
    }
    const std::size_t n = rtl::CharBytesAt(s, i, rtl::LeadBytes::Process());
    out.append(s.substr(i, n));
    i += n;
  }
  return out;
}

Variant QuotedStr(Args& a) { return Text(Quoted(a.Str(0).view(), '\'')); }
Variant AnsiQuotedStr(Args& a) { return Text(Quoted(a.Str(0).view(), a.Char(1))); }
Variant AnsiDequotedStr(Args& a) { return Text(Dequoted(a.Str(0).view(), a.Char(1))); }

Variant IsValidIdent(Args& a) {
  const AnsiString s = a.Str(0);
  if (s.IsEmpty()) return Variant(false);
  for (std::size_t i = 0; i < s.Length(); ++i) {
    const char c = s[i];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    if (!letter && !(i > 0 && c >= '0' && c <= '9')) return Variant(false);
  }
  return Variant(true);
}

// Numbers and Booleans --------------------------------------------------------------------

Variant IntToStr(Args& a) { return Text(rtl::IntToText(a.Int(0))); }
Variant IntToStr64(Args& a) { return Text(rtl::IntToText(a.Int64(0))); }

// Upper-case digits of the bit pattern, at least digits of them.
std::string Hex(std::uint64_t v, std::int64_t digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[v & 15]);
    v >>= 4;
  } while (v);
  if (digits > 32) digits = 32;
  if (static_cast<std::int64_t>(out.size()) < digits) out.insert(0, static_cast<std::size_t>(digits) - out.size(), '0');
  return out;
}

Variant IntToHex(Args& a) { return Text(Hex(static_cast<std::uint32_t>(a.Int(0)), a.Int(1))); }
Variant IntToHex64(Args& a) { return Text(Hex(static_cast<std::uint64_t>(a.Int64(0)), a.Int(1))); }

Variant StrToInt(Args& a) { return Variant(rtl::StrToInt(a.Str(0).view())); }
Variant StrToInt64(Args& a) { return Variant(rtl::StrToInt64(a.Str(0).view())); }

Variant StrToIntDef(Args& a) {
  std::int32_t v;
  return rtl::TryStrToInt(a.Str(0).view(), v) ? Variant(v) : a.Value(1);
}

Variant StrToInt64Def(Args& a) {
  std::int64_t v;
  return rtl::TryStrToInt64(a.Str(0).view(), v) ? Variant(v) : a.Value(1);
}

Variant StrToBool(Args& a) { return Variant(rtl::StrToBool(a.Str(0).view())); }

Variant StrToBoolDef(Args& a) {
  bool v;
  return rtl::TryStrToBool(a.Str(0).view(), v) ? Variant(v) : a.Value(1);
}

Variant BoolToStr(Args& a) { return Text(rtl::BoolToStr(a.Bool(0), a.Bool(1))); }

Variant FloatToStr(Args& a) { return Text(rtl::FloatToStr(a.Float(0))); }
Variant FormatFloat(Args& a) { return Text(rtl::FormatFloat(a.Str(0).view(), a.Float(1))); }
Variant StrToFloat(Args& a) { return Variant(rtl::StrToFloat(a.Str(0).view())); }

Variant StrToFloatDef(Args& a) {
  double v;
  return rtl::TryStrToFloat(a.Str(0).view(), v) ? Variant(v) : a.Value(1);
}

// Dates ------------------------------------------------------------------------------------

Variant EncodeDate(Args& a) { return Date(rtl::EncodeDate(a.Int(0), a.Int(1), a.Int(2))); }
Variant EncodeTime(Args& a) { return Date(rtl::EncodeTime(a.Int(0), a.Int(1), a.Int(2), a.Int(3))); }
Variant DayOfWeek(Args& a) { return Variant(rtl::DayOfWeek(a.Float(0))); }
Variant Today(Args&) { return Date(rtl::Date()); }
Variant TimeNow(Args&) { return Date(rtl::Time()); }
Variant Now(Args&) { return Date(rtl::Now()); }
Variant CurrentYear(Args&) { return Variant(rtl::DecodeDateTime(rtl::Now()).Year); }
Variant IncMonth(Args& a) { return Date(rtl::IncMonths(a.Float(0), a.Int(1))); }
Variant IsLeapYear(Args& a) { return Variant(rtl::IsLeapYear(a.Int(0))); }
Variant DateToStr(Args& a) { return Text(rtl::DateToStr(a.Float(0))); }
Variant TimeToStr(Args& a) { return Text(rtl::TimeToStr(a.Float(0))); }
Variant DateTimeToStr(Args& a) { return Text(rtl::DateTimeToStr(a.Float(0))); }
Variant StrToDate(Args& a) { return Date(rtl::StrToDate(a.Str(0).view())); }
Variant StrToTime(Args& a) { return Date(rtl::StrToTime(a.Str(0).view())); }
Variant StrToDateTime(Args& a) { return Date(rtl::StrToDateTime(a.Str(0).view())); }

// The Def forms give Default for any text the reader refuses.
template <bool (*Try)(std::string_view, double&, const rtl::FormatSettings&)>
Variant StrToDateDef(Args& a) {
  double v;
  return Try(a.Str(0).view(), v, rtl::CurrentFormatSettings()) ? Date(v) : a.Value(1);
}

Variant FormatDateTime(Args& a) { return Text(rtl::FormatDateTime(a.Str(0).view(), a.Float(1))); }

Variant FloatToDateTime(Args& a) {
  const double v = a.Float(0);
  rtl::DateTimeParts parts;
  if (!rtl::TryDecodeDateTime(v, parts)) rtl::InvalidDateTimeValue(v);
  return Date(v);
}

// File names ----------------------------------------------------------------------------------

std::string SystemName(const AnsiString& name) {
  rtl::CheckFileName(name.view());
  return platform::NativePath(name.view());
}
char PathDelimiter() { return platform::PathDelimiter(); }

Variant ChangeFileExt(Args& a) { return Variant(rtl::ChangeFileExt(a.Str(0).view(), a.Str(1).view())); }
Variant ExtractFilePath(Args& a) { return Variant(rtl::ExtractFilePath(a.Str(0).view())); }
Variant ExtractFileDir(Args& a) { return Variant(rtl::ExtractFileDir(a.Str(0).view())); }
Variant ExtractFileDrive(Args& a) { return Variant(rtl::ExtractFileDrive(a.Str(0).view())); }
Variant ExtractFileName(Args& a) { return Variant(rtl::ExtractFileName(a.Str(0).view())); }
Variant ExtractFileExt(Args& a) { return Variant(rtl::ExtractFileExt(a.Str(0).view())); }
Variant ExpandFileName(Args& a) { return Text(platform::FullPathName(SystemName(a.Str(0)))); }
Variant ExpandUNCFileName(Args& a) { return Text(platform::UniversalName(SystemName(a.Str(0)))); }
Variant ExtractShortPathName(Args& a) { return Text(platform::ShortPathName(SystemName(a.Str(0)))); }

Variant ExtractRelativePath(Args& a) {
  return Variant(rtl::ExtractRelativePath(a.Str(0).view(), a.Str(1).view(), PathDelimiter()));
}

Variant IsPathDelimiter(Args& a) { return Variant(rtl::IsPathDelimiter(a.Str(0).view(), a.Int(1))); }
Variant IncludeTrailingPathDelimiter(Args& a) {
  return Variant(rtl::IncludeTrailingPathDelimiter(a.Str(0).view(), PathDelimiter()));
}
Variant ExcludeTrailingPathDelimiter(Args& a) { return Variant(rtl::ExcludeTrailingPathDelimiter(a.Str(0).view())); }
Variant AnsiCompareFileName(Args& a) { return Variant(rtl::CompareFileNames(a.Str(0).view(), a.Str(1).view())); }
Variant SameFileName(Args& a) { return Variant(rtl::CompareFileNames(a.Str(0).view(), a.Str(1).view()) == 0); }

// The file system -------------------------------------------------------------------------------

std::int32_t Packed(const platform::LocalStamp& s) {
  return rtl::PackFileDate(s.Year, s.Month, s.Day, s.Hour, s.Minute, s.Second);
}

Variant FileAge(Args& a) {
  platform::LocalStamp stamp;
  return Variant(platform::FileModified(SystemName(a.Str(0)), stamp) ? Packed(stamp) : -1);
}

Variant FileGetDate(Args& a) {
  platform::LocalStamp stamp;
  return Variant(platform::OpenFileModified(a.Int(0), stamp) ? Packed(stamp) : -1);
}

Variant FileExists(Args& a) { return Variant(platform::FileExists(SystemName(a.Str(0)))); }
Variant DirectoryExists(Args& a) { return Variant(platform::FolderExists(SystemName(a.Str(0)))); }
Variant ForceDirectories(Args& a) {
  return Variant(platform::ForceDirectories(SystemName(a.Str(0))));
}
Variant FileGetAttr(Args& a) { return Variant(platform::FileAttributes(SystemName(a.Str(0)))); }

Variant FileIsReadOnly(Args& a) {
  const std::int32_t attr = platform::FileAttributes(SystemName(a.Str(0)));
  return Variant(attr != -1 && (attr & platform::faReadOnly) != 0);
}

Variant DeleteFile(Args& a) { return Variant(platform::RemoveFile(SystemName(a.Str(0)))); }
Variant RenameFile(Args& a) {
  return Variant(platform::RenameFileOrFolder(SystemName(a.Str(0)), SystemName(a.Str(1))));
}
Variant CreateDir(Args& a) { return Variant(platform::CreateFolder(SystemName(a.Str(0)))); }
Variant RemoveDir(Args& a) { return Variant(platform::RemoveFolder(SystemName(a.Str(0)))); }
Variant GetCurrentDir(Args&) { return Text(platform::CurrentFolder()); }

template <bool Free>
Variant DiskSpace(Args& a) {
  std::int64_t free = 0, total = 0;
  if (!platform::DiskSpace(a.Int(0), free, total)) return Variant(std::int64_t{-1});
  return Variant(Free ? free : total);
}

Variant FileDateToDateTime(Args& a) { return Date(rtl::FileDateToDateTime(a.Int(0))); }
Variant DateTimeToFileDate(Args& a) { return Variant(rtl::DateTimeToFileDate(a.Float(0))); }

// The platform ----------------------------------------------------------------------------------

Variant SysErrorMessage(Args& a) { return Text(platform::SystemErrorMessage(a.Int(0))); }

Variant GetLocaleStr(Args& a) {
  std::string value;
  return platform::LocaleInfo(static_cast<std::uint32_t>(a.Int(0)), static_cast<std::uint32_t>(a.Int(1)), value)
             ? Text(value)
             : a.Value(2);
}

Variant GetLocaleChar(Args& a) {
  std::string value;
  if (platform::LocaleInfo(static_cast<std::uint32_t>(a.Int(0)), static_cast<std::uint32_t>(a.Int(1)), value) &&
      !value.empty())
    return Text(value.substr(0, 1));
  return a.Value(2);
}

Variant GetEnvironmentVariable(Args& a) { return Text(platform::EnvironmentVariable(a.Str(0).c_str())); }

// An argument "-Switch" or "/Switch" of the process's command line.
bool HasSwitch(const AnsiString& name, bool ignoreCase) {
  for (const std::string& arg : platform::CommandLineParameters()) {
    if (arg.empty() || (arg[0] != '-' && arg[0] != '/')) continue;
    const std::string_view given = std::string_view(arg).substr(1);
    if (ignoreCase ? rtl::AnsiUpperCase(given).view() == rtl::AnsiUpperCase(name).view() : given == name.view())
      return true;
  }
  return false;
}

Variant FindCmdLineSwitch(Args& a) { return Variant(HasSwitch(a.Str(0), true)); }
Variant FindCmdLineSwitch2(Args& a) { return Variant(HasSwitch(a.Str(0), a.Bool(1))); }

// The value when it is not zero; otherwise the error of the last failed system call.
Variant Win32Check(Args& a) {
  const Variant& v = a.Value(0);
  if (!v.IsEmptyOrNull() && rtl::VarToInt64(v) != 0) return v;
  const std::int32_t code = platform::LastSystemError();
  std::string message = platform::SystemErrorMessage(code);
  if (message.empty()) message = rtl::Format(msg::kSystemError, {rtl::FormatArg::FromInt(code)});
  throw rtl::Exception(message, "EOSError");
}

// Multi-byte text -------------------------------------------------------------------------------

Variant ByteToCharLen(Args& a) { return Variant(rtl::ByteToCharLen(a.Str(0).view(), a.Int(1))); }
Variant CharToByteLen(Args& a) { return Variant(rtl::CharToByteLen(a.Str(0).view(), a.Int(1))); }
Variant ByteToCharIndex(Args& a) { return Variant(rtl::ByteToCharIndex(a.Str(0).view(), a.Int(1))); }
Variant CharToByteIndex(Args& a) { return Variant(rtl::CharToByteIndex(a.Str(0).view(), a.Int(1))); }
Variant CharLength(Args& a) { return Variant(rtl::CharLength(a.Str(0).view(), a.Int(1))); }
Variant NextCharIndex(Args& a) { return Variant(rtl::NextCharIndex(a.Str(0).view(), a.Int(1))); }
Variant IsDelimiter(Args& a) { return Variant(rtl::IsDelimiter(a.Str(0).view(), a.Str(1).view(), a.Int(2))); }
Variant LastDelimiter(Args& a) { return Variant(rtl::LastDelimiter(a.Str(0).view(), a.Str(1).view())); }
Variant AnsiPos(Args& a) { return Variant(rtl::AnsiPos(a.Str(0).view(), a.Str(1).view())); }
Variant WideAnsiPos(Args& a) { return Variant(rtl::WidePos(a.Wide(0), a.Wide(1))); }
Variant WrapText(Args& a) { return Variant(rtl::WrapText(a.Str(0).view(), a.Int(1))); }

// Null ------------------------------------------------------------------------------------------------

Variant IsNull(Args& a) { return Variant(a.Value(0).IsEmptyOrNull()); }
Variant Nvl(Args& a) { return a.Value(0).IsEmptyOrNull() ? a.Value(1) : a.Value(0); }

const TfsLibraryEntry kSysUtils[] = {
    {"function UpperCase(const S: string): string", &UpperCase, kAllRequired, &WideUpperCase},
    {"function LowerCase(const S: string): string", &LowerCase, kAllRequired, &WideLowerCase},
    {"function CompareStr(const S1, S2: string): Integer", &CompareStr},
    {"function CompareText(const S1, S2: string): Integer", &CompareText},
    {"function SameText(const S1, S2: string): Boolean", &SameText},
    {"function AnsiUpperCase(const S: string): string", &AnsiUpperCase, kAllRequired, &WideAnsiUpperCase},
    {"function AnsiLowerCase(const S: string): string", &AnsiLowerCase, kAllRequired, &WideAnsiLowerCase},
    {"function AnsiCompareStr(const S1, S2: string): Integer", &AnsiCompareStr},
    {"function AnsiSameStr(const S1, S2: string): Boolean", &AnsiSameStr},
    {"function AnsiCompareText(const S1, S2: string): Integer", &AnsiCompareText},
    {"function AnsiSameText(const S1, S2: string): Boolean", &AnsiSameText},
    {"function Trim(const S: string): string", &Trim, kAllRequired, &WideTrim},
    {"function TrimLeft(const S: string): string", &TrimLeft, kAllRequired, &WideTrimLeft},
    {"function TrimRight(const S: string): string", &TrimRight, kAllRequired, &WideTrimRight},
    {"function QuotedStr(const S: string): string", &QuotedStr},
    {"function AnsiQuotedStr(const S: string; Quote: Char): string", &AnsiQuotedStr},
    {"function AnsiDequotedStr(const S: string; AQuote: Char): string", &AnsiDequotedStr},
    {"function IsValidIdent(const Ident: string): Boolean", &IsValidIdent},
    {"function IntToStr(Value: Integer): string", &IntToStr},
    {"function IntToStr64(Value: Int64): string", &IntToStr64},
    {"function IntToHex(Value: Integer; Digits: Integer): string", &IntToHex},
    {"function IntToHex64(Value: Int64; Digits: Integer): string", &IntToHex64},
    {"function StrToInt(const S: string): Integer", &StrToInt},
    {"function StrToIntDef(const S: string; Default: Integer): Integer", &StrToIntDef},
    {"function StrToInt64(const S: string): Int64", &StrToInt64},
    {"function StrToInt64Def(const S: string; Default: Int64): Int64", &StrToInt64Def},
    {"function StrToBool(const S: string): Boolean", &StrToBool},
    {"function StrToBoolDef(const S: string; const Default: Boolean): Boolean", &StrToBoolDef},
    {"function BoolToStr(B: Boolean; UseBoolStrs: Boolean = False): string", &BoolToStr},
    {"function FileAge(const FileName: string): Integer", &FileAge},
    {"function FileExists(const FileName: string): Boolean", &FileExists},
    {"function DirectoryExists(const Directory: string): Boolean", &DirectoryExists},
    {"function ForceDirectories(const Dir: string): Boolean", &ForceDirectories},
    {"function FileGetDate(Handle: Integer): Integer", &FileGetDate},
    {"function FileGetAttr(const FileName: string): Integer", &FileGetAttr},
    {"function FileIsReadOnly(const FileName: string): Boolean", &FileIsReadOnly},
    {"function DeleteFile(const FileName: string): Boolean", &DeleteFile},
    {"function RenameFile(const OldName, NewName: string): Boolean", &RenameFile},
    {"function ChangeFileExt(const FileName, Extension: string): string", &ChangeFileExt},
    {"function ExtractFilePath(const FileName: string): string", &ExtractFilePath},
    {"function ExtractFileDir(const FileName: string): string", &ExtractFileDir},
    {"function ExtractFileDrive(const FileName: string): string", &ExtractFileDrive},
    {"function ExtractFileName(const FileName: string): string", &ExtractFileName},
    {"function ExtractFileExt(const FileName: string): string", &ExtractFileExt},
    {"function ExpandFileName(const FileName: string): string", &ExpandFileName},
    {"function ExpandUNCFileName(const FileName: string): string", &ExpandUNCFileName},
    {"function ExtractRelativePath(const BaseName, DestName: string): string", &ExtractRelativePath},
    {"function ExtractShortPathName(const FileName: string): string", &ExtractShortPathName},
    {"function DiskFree(Drive: Byte): Int64", &DiskSpace<true>},
    {"function DiskSize(Drive: Byte): Int64", &DiskSpace<false>},
    {"function FileDateToDateTime(FileDate: Integer): TDateTime", &FileDateToDateTime},
    {"function DateTimeToFileDate(DateTime: TDateTime): Integer", &DateTimeToFileDate},
    {"function GetCurrentDir(): string", &GetCurrentDir},
    {"function CreateDir(const Dir: string): Boolean", &CreateDir},
    {"function RemoveDir(const Dir: string): Boolean", &RemoveDir},
    {"function FloatToStr(Value: Extended): string", &FloatToStr},
    {"function FormatFloat(const Format: string; Value: Extended): string", &FormatFloat},
    {"function StrToFloat(const S: string): Extended", &StrToFloat},
    {"function StrToFloatDef(const S: string; const Default: Extended): Extended", &StrToFloatDef},
    {"function EncodeDate(Year, Month, Day: Word): TDateTime", &EncodeDate},
    {"function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime", &EncodeTime},
    {"function DayOfWeek(const DateTime: TDateTime): Word", &DayOfWeek},
    {"function Date(): TDateTime", &Today},
    {"function Time(): TDateTime", &TimeNow},
    {"function GetTime(): TDateTime", &TimeNow},
    {"function Now(): TDateTime", &Now},
    {"function CurrentYear(): Word", &CurrentYear},
    {"function IncMonth(const DateTime: TDateTime; NumberOfMonths: Integer = 1): TDateTime", &IncMonth},
    {"function IsLeapYear(Year: Word): Boolean", &IsLeapYear},
    {"function DateToStr(const DateTime: TDateTime): string", &DateToStr},
    {"function TimeToStr(const DateTime: TDateTime): string", &TimeToStr},
    {"function DateTimeToStr(const DateTime: TDateTime): string", &DateTimeToStr},
    {"function StrToDate(const S: string): TDateTime", &StrToDate},
    {"function StrToDateDef(const S: string; const Default: TDateTime): TDateTime", &StrToDateDef<rtl::TryStrToDate>},
    {"function StrToTime(const S: string): TDateTime", &StrToTime},
    {"function StrToTimeDef(const S: string; const Default: TDateTime): TDateTime", &StrToDateDef<rtl::TryStrToTime>},
    {"function StrToDateTime(const S: string): TDateTime", &StrToDateTime},
    {"function StrToDateTimeDef(const S: string; const Default: TDateTime): TDateTime",
     &StrToDateDef<rtl::TryStrToDateTime>},
    {"function FormatDateTime(const Format: string; DateTime: TDateTime): string", &FormatDateTime},
    {"function FloatToDateTime(const Value: Extended): TDateTime", &FloatToDateTime},
    {"function SysErrorMessage(ErrorCode: Integer): string", &SysErrorMessage},
    {"function GetLocaleStr(Locale, LocaleType: Integer; const Default: string): string", &GetLocaleStr},
    {"function GetLocaleChar(Locale, LocaleType: Integer; Default: Char): Char", &GetLocaleChar},
    {"function ByteToCharLen(const S: string; MaxLen: Integer): Integer", &ByteToCharLen},
    {"function CharToByteLen(const S: string; MaxLen: Integer): Integer", &CharToByteLen},
    {"function ByteToCharIndex(const S: string; Index: Integer): Integer", &ByteToCharIndex},
    {"function CharToByteIndex(const S: string; Index: Integer): Integer", &CharToByteIndex},
    {"function CharLength(const S: String; Index: Integer): Integer", &CharLength},
    {"function NextCharIndex(const S: string; Index: Integer): Integer", &NextCharIndex},
    {"function IsPathDelimiter(const S: string; Index: Integer): Boolean", &IsPathDelimiter},
    {"function IsDelimiter(const Delimiters, S: string; Index: Integer): Boolean", &IsDelimiter},
    {"function IncludeTrailingPathDelimiter(const S: string): string", &IncludeTrailingPathDelimiter},
    {"function IncludeTrailingBackslash(const S: string): string", &IncludeTrailingPathDelimiter},
    {"function ExcludeTrailingPathDelimiter(const S: string): string", &ExcludeTrailingPathDelimiter},
    {"function ExcludeTrailingBackslash(const S: string): string", &ExcludeTrailingPathDelimiter},
    {"function LastDelimiter(const Delimiters, S: string): Integer", &LastDelimiter},
    {"function AnsiCompareFileName(const S1, S2: string): Integer", &AnsiCompareFileName},
    {"function SameFileName(const S1, S2: string): Boolean", &SameFileName},
    {"function AnsiLowerCaseFileName(const S: string): string", &AnsiLowerCase},
    {"function AnsiUpperCaseFileName(const S: string): string", &AnsiUpperCase},
    {"function AnsiPos(const Substr, S: string): Integer", &AnsiPos, kAllRequired, &WideAnsiPos},
    {"function WrapText(const Line: string; MaxCol: Integer = 45): string", &WrapText},
    {"function FindCmdLineSwitch(const Switch: string): Boolean", &FindCmdLineSwitch},
    {"function FindCmdLineSwitch2(const Switch: string; IgnoreCase: Boolean): Boolean", &FindCmdLineSwitch2},
    {"function Win32Check(RetVal: BOOL): BOOL", &Win32Check},
    {"function GetEnvironmentVariable(const Name: string): string", &GetEnvironmentVariable},
    // Null and empty are what these look at, so they see empty arguments themselves.
    {"function VarIsNull(const Value: variant): boolean", &IsNull, 0},
    {"function IsNull(const Value: variant): boolean", &IsNull, 0},
    {"function Nvl(const Value, Default: variant): variant", &Nvl, 0},
};

const TfsRTTIModuleClass kSysUtilsClass{"fs_SysUtils", moSysUtils, &NewRTTIModule<TfsSysUtils>};
TfsRuntimeModuleRegistration gSysUtilsRegistration(kSysUtilsClass);

}  // namespace

TfsSysUtils::TfsSysUtils(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  registry.RegisterTypeName("AnsiChar", fvtChar);
  registry.RegisterTypeName("DWORD", fvtInt);
  registry.RegisterTypeName("AnsiString", fvtString);
  RegisterLibrary(registry, Category, kSysUtils);
}

}  // namespace fs
