#include "runtime/fsSysFunctions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <mutex>
#include <utility>
#include <vector>

#include "engine/fsHelpers.h"
#include "engine/fsScript.h"
#include "platform/Automation.h"
#include "platform/Locale.h"
#include "platform/MessageBox.h"
#include "rtl/BoundedText.h"
#include "rtl/ScriptMemory.h"
#include "rtl/UserWait.h"
#include "rtl/CodePage.h"
#include "rtl/CurrentTime.h"
#include "rtl/DateUtils.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "rtl/FormatArgs.h"
#include "rtl/FormatDateTime.h"
#include "rtl/FormatFloat.h"
#include "rtl/FormatMaskText.h"
#include "rtl/MathRoutines.h"
#include "rtl/NumberText.h"
#include "rtl/Random.h"
#include "rtl/Rounding.h"
#include "rtl/StringRoutines.h"
#include "rtl/TextConversions.h"
#include "rtl/VariantArrays.h"
#include "rtl/VariantConvert.h"
#include "rtl/WideStringRoutines.h"
#include "rtl/VariantOps.h"
#include "runtime/fsFunctionTable.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::Variant;
using Args = TfsMethodHelper;

Variant Text(const std::string& s) { return Variant(AnsiString(s)); }
Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }

// ShowMessage's way out where there are no message boxes.
struct MessageHookSlot {
  std::mutex Lock;
  TfsMessageHook Hook;
};

MessageHookSlot& MessageHook() {
  static MessageHookSlot slot;
  return slot;
}

// Conversion ------------------------------------------------------------------------

Variant IntToStr(Args& a) { return Text(rtl::IntToText(a.ArgInt(0))); }
Variant FloatToStr(Args& a) { return Text(rtl::FloatToStr(a.ArgFloat(0))); }
Variant DateToStr(Args& a) { return Text(rtl::DateToStr(a.ArgFloat(0))); }
Variant TimeToStr(Args& a) { return Text(rtl::TimeToStr(a.ArgFloat(0))); }
Variant DateTimeToStr(Args& a) { return Text(rtl::DateTimeToStr(a.ArgFloat(0))); }
Variant BoolToStr(Args& a) { return Text(rtl::BoolToStr(a.ArgBool(0))); }
Variant VarToStr(Args& a) { return Variant(rtl::VarToStr(a.ArgumentValue(0))); }
Variant StrToInt(Args& a) { return Variant(rtl::StrToInt(a.ArgString(0))); }
Variant StrToInt64(Args& a) { return Variant(rtl::StrToInt64(a.ArgString(0))); }
Variant StrToFloat(Args& a) { return Variant(rtl::StrToFloat(a.ArgString(0))); }
Variant StrToDate(Args& a) { return Variant::FromDate(rtl::StrToDate(a.ArgString(0))); }
Variant StrToTime(Args& a) { return Variant::FromDate(rtl::StrToTime(a.ArgString(0))); }
Variant StrToDateTime(Args& a) { return Variant::FromDate(rtl::StrToDateTime(a.ArgString(0))); }
Variant StrToBool(Args& a) { return Variant(rtl::StrToBool(a.ArgString(0))); }

// Formatting ------------------------------------------------------------------------

Variant Format(Args& a) {
  return Text(rtl::Format(a.ArgString(0).view(), rtl::FormatArgsFromVariant(a.ArgumentValue(1))));
}
Variant FormatFloat(Args& a) { return Text(rtl::FormatFloat(a.ArgString(0).view(), a.ArgFloat(1))); }
Variant FormatDateTime(Args& a) { return Text(rtl::FormatDateTime(a.ArgString(0).view(), a.ArgFloat(1))); }
Variant FormatMaskText(Args& a) { return Text(rtl::FormatMaskText(a.ArgString(0).view(), a.ArgString(1).view())); }

// Dates -------------------------------------------------------------------------------

Variant EncodeDate(Args& a) { return Variant::FromDate(rtl::EncodeDate(a.ArgInt(0), a.ArgInt(1), a.ArgInt(2))); }

Variant DecodeDate(Args& a) {
  std::uint16_t year, month, day;
  rtl::DecodeDate(a.ArgFloat(0), year, month, day);
  a.SetArgumentValue(1, Variant::FromWord(year));
  a.SetArgumentValue(2, Variant::FromWord(month));
  a.SetArgumentValue(3, Variant::FromWord(day));
  return Variant();
}

Variant EncodeTime(Args& a) {
  return Variant::FromDate(rtl::EncodeTime(a.ArgInt(0), a.ArgInt(1), a.ArgInt(2), a.ArgInt(3)));
}

Variant DecodeTime(Args& a) {
  std::uint16_t hour, minute, second, ms;
  rtl::DecodeTime(a.ArgFloat(0), hour, minute, second, ms);
  a.SetArgumentValue(1, Variant::FromWord(hour));
  a.SetArgumentValue(2, Variant::FromWord(minute));
  a.SetArgumentValue(3, Variant::FromWord(second));
  a.SetArgumentValue(4, Variant::FromWord(ms));
  return Variant();
}

Variant Date(Args&) { return Variant::FromDate(rtl::Date()); }
Variant Time(Args&) { return Variant::FromDate(rtl::Time()); }
Variant Now(Args&) { return Variant::FromDate(rtl::Now()); }
Variant DayOfWeek(Args& a) { return Int(rtl::DayOfWeek(a.ArgFloat(0))); }
Variant IsLeapYear(Args& a) { return Variant(rtl::IsLeapYear(a.ArgInt(0))); }
Variant DaysInMonth(Args& a) { return Int(rtl::DaysInMonth(a.ArgInt(0), a.ArgInt(1))); }

// Strings -----------------------------------------------------------------------------

Variant Length(Args& a) {
  const Variant& v = a.ArgumentValue(0);
  if (v.IsArray()) return Int(rtl::VarArrayLength(v));
  if (v.VarType() == rtl::varOleStr) return Int(static_cast<std::int64_t>(v.AsOleStrRaw().size()));
  return Int(static_cast<std::int64_t>(a.ArgString(0).Length()));
}

// The routines whose work needs no bytes keep a wide text wide: the row's values arrive
// wide, and characters outside the code page pass through them.
Variant Wide(std::u16string_view s) { return Variant(s); }

Variant Copy(Args& a) {
  if (a.ArgIsWide(0)) return Wide(rtl::WideCopy(a.ArgumentValue(0).AsOleStrRaw(), a.ArgInt(1), a.ArgInt(2)));
  return Variant(rtl::Copy(a.ArgString(0), a.ArgInt(1), a.ArgInt(2)));
}

Variant Pos(Args& a) {
  if (a.ArgIsWide(0) || a.ArgIsWide(1)) return Variant(rtl::WidePos(a.ArgWideString(0), a.ArgWideString(1)));
  return Variant(rtl::Pos(a.ArgString(0).view(), a.ArgString(1).view()));
}

Variant Delete(Args& a) {
  if (a.ArgIsWide(0)) {
    std::u16string s = a.ArgWideString(0);
    rtl::WideDelete(s, a.ArgInt(1), a.ArgInt(2));
    a.SetArgumentValue(0, Wide(s));
    return Variant();
  }
  AnsiString s = a.ArgString(0);
  rtl::Delete(s, a.ArgInt(1), a.ArgInt(2));
  a.SetArgumentValue(0, Variant(s));
  return Variant();
}

Variant Insert(Args& a) {
  if (a.ArgIsWide(0) || a.ArgIsWide(1)) {
    std::u16string s2 = a.ArgWideString(1);
    rtl::WideInsert(a.ArgWideString(0), s2, a.ArgInt(2));
    a.SetArgumentValue(1, Wide(s2));
    return Variant();
  }
  AnsiString s2 = a.ArgString(1);
  rtl::Insert(a.ArgString(0).view(), s2, a.ArgInt(2));
  a.SetArgumentValue(1, Variant(s2));
  return Variant();
}

Variant Uppercase(Args& a) {
  if (a.ArgIsWide(0)) return Wide(rtl::WideAsciiUpperCase(a.ArgumentValue(0).AsOleStrRaw()));
  return Variant(rtl::UpperCase(a.ArgString(0)));
}

Variant Lowercase(Args& a) {
  if (a.ArgIsWide(0)) return Wide(rtl::WideAsciiLowerCase(a.ArgumentValue(0).AsOleStrRaw()));
  return Variant(rtl::LowerCase(a.ArgString(0)));
}

Variant Trim(Args& a) {
  if (a.ArgIsWide(0)) return Wide(rtl::WideTrim(a.ArgumentValue(0).AsOleStrRaw()));
  return Variant(rtl::Trim(a.ArgString(0)));
}

Variant NameCase(Args& a) { return Variant(rtl::NameCase(a.ArgString(0).view())); }
Variant CompareText(Args& a) { return Variant(rtl::CompareText(a.ArgString(0).view(), a.ArgString(1).view())); }

Variant Chr(Args& a) {
  const char c = static_cast<char>(a.ArgInt(0) & 0xFF);
  return Variant(AnsiString(&c, 1));
}

// The code of an empty text's first character is taken to be 0.
Variant Ord(Args& a) {
  const AnsiString s = a.ArgString(0);
  return Int(s.IsEmpty() ? 0 : static_cast<unsigned char>(s[0]));
}

Variant SetLength(Args& a) {
  Variant s = a.ArgumentValue(0);
  const std::int64_t length = a.ArgInt(1);
  const auto chars = static_cast<std::size_t>(std::max<std::int64_t>(length, 0));
  if (s.VarType() == rtl::varString) {
    AnsiString text = s.AsAnsiStringRaw();
    text.SetLength(chars);
    a.SetArgumentValue(0, Variant(text));
  } else if (s.VarType() == rtl::varOleStr) {
    rtl::ScriptMemoryCheck(std::uint64_t{chars} * 2);
    std::u16string text(s.AsOleStrRaw());
    text.resize(chars);
    a.SetArgumentValue(0, Variant(std::u16string_view(text)));
  } else {
    rtl::VarArrayRedim(s, static_cast<std::int32_t>(
                              std::max<std::int64_t>(length - 1, std::numeric_limits<std::int32_t>::min())));
    a.SetArgumentValue(0, s);
  }
  return Variant();
}

// Mathematics -------------------------------------------------------------------------

// A value no 64-bit integer holds (1e300, the infinities, NaN) has no integer part to
// give: the invalid-operation error, as the processor's conversion raises it.
double Integral(double v) {
  if (!rtl::FitsInt64(v)) throw rtl::EInvalidOp();
  return v;
}

Variant Round(Args& a) { return Variant(rtl::RoundToInt32(Integral(a.ArgFloat(0)))); }
Variant Trunc(Args& a) { return Variant(rtl::TruncToInt32(Integral(a.ArgFloat(0)))); }
// Declared Integer, yet a floating-point value, as it always was.
Variant IntFn(Args& a) { return Variant(rtl::IntPart(a.ArgFloat(0))); }
Variant Frac(Args& a) { return Variant(rtl::FracPart(a.ArgFloat(0))); }
Variant Sqrt(Args& a) { return Variant(rtl::Sqrt(a.ArgFloat(0))); }
Variant Abs(Args& a) { return Variant(std::fabs(a.ArgFloat(0))); }
Variant Sin(Args& a) { return Variant(rtl::Sin(a.ArgFloat(0))); }
Variant Cos(Args& a) { return Variant(rtl::Cos(a.ArgFloat(0))); }
Variant ArcTan(Args& a) { return Variant(std::atan(a.ArgFloat(0))); }
Variant Tan(Args& a) { return Variant(rtl::Tan(a.ArgFloat(0))); }
Variant Exp(Args& a) { return Variant(rtl::Exp(a.ArgFloat(0))); }
Variant Ln(Args& a) { return Variant(rtl::Ln(a.ArgFloat(0))); }
Variant Pi(Args&) { return Variant(rtl::kPi); }

// Other ---------------------------------------------------------------------------------

Variant Inc(Args& a) {
  a.SetArgumentValue(0, rtl::VarBinaryOp(a.ArgumentValue(0), a.ArgumentValue(1), rtl::TVarOp::Add));
  return Variant();
}

Variant Dec(Args& a) {
  a.SetArgumentValue(0, rtl::VarBinaryOp(a.ArgumentValue(0), a.ArgumentValue(1), rtl::TVarOp::Subtract));
  return Variant();
}

// Messages are bounded before they are copied: the script's text is shared, not copied.
Variant RaiseException(Args& a) {
  throw rtl::Exception(rtl::BoundedText(rtl::VarToStr(a.ArgumentValue(0)).view()), "Exception");
}

Variant ShowMessage(Args& a) {
  const std::string text = rtl::BoundedText(rtl::VarToStr(a.ArgumentValue(0)).view());
  {
    rtl::TUserWaitScope waiting;
    if (platform::ShowMessageBox(text)) return Variant();
  }
  WriteScriptMessage(text);
  return Variant();
}

Variant Randomize(Args&) {
  rtl::Randomize();
  return Variant();
}

Variant Random(Args&) { return Variant(rtl::Random()); }

// The Valid... tests answer false for anything they cannot read, arrays included.
template <class Test>
Variant Valid(Args& a, Test test) {
  try {
    return Variant(test(a.ArgumentValue(0)));
  } catch (const rtl::Exception&) {
    return Variant(false);
  }
}

Variant ValidInt(Args& a) {
  return Valid(a, [](const Variant& v) {
    std::int32_t value;
    return rtl::TryStrToInt(rtl::VarToStr(v).view(), value);
  });
}

Variant ValidFloat(Args& a) {
  return Valid(a, [](const Variant& v) {
    double value;
    return rtl::TryStrToFloat(rtl::VarToStr(v).view(), value);
  });
}

Variant ValidDate(Args& a) {
  return Valid(a, [](const Variant& v) {
    const std::string text = v.VarType() == rtl::varDate ? rtl::DateToStr(v.AsDoubleRaw()) : rtl::VarToStr(v).str();
    double value;
    return rtl::TryStrToDate(text, value);
  });
}

Variant ExtractFilePath(Args& a) { return Variant(rtl::ExtractFilePath(a.ArgString(0).view())); }

Variant CreateOleObject(Args& a) {
  const std::string progId = a.ArgString(0).str();
  platform::AutomationError error;
  rtl::UnknownInterface* object = platform::CreateAutomationObject(rtl::AnsiToWide(progId), error);
  if (!object) {
    char code[16];
    std::snprintf(code, sizeof code, "%08X", static_cast<unsigned>(error.Code));
    throw rtl::Exception("OLE error " + std::string(code) + ": " + progId + (error.Text.empty() ? "" : ": " + error.Text),
                         "EOleSysError");
  }
  Variant result = Variant::FromInterface(object);
  object->Release();  // the variant holds its own reference
  return result;
}

Variant VarArrayCreate(Args& a) {
  const Variant& list = a.ArgumentValue(0);
  if (!list.IsArray() || !list.AsArrayRaw()) RaiseNotAnArray();
  const rtl::VarArray* raw = list.AsArrayRaw();
  std::vector<std::int32_t> bounds;
  const std::size_t n = rtl::VarArrayElementCount(raw);
  for (std::size_t i = 0; i < n; ++i) bounds.push_back(rtl::VarToInt32(rtl::VarArrayData(raw)[i]));
  return rtl::VarArrayCreate(bounds, static_cast<std::uint16_t>(a.ArgInt(1)));
}

Variant VarType(Args& a) { return Int(a.ArgumentValue(0).VarType()); }

// Tables, in registration order ---------------------------------------------------------

using S = TfsSysFunctions;
using Entry = TfsFunctionEntry<S>;

const Entry kConversion[] = {
    {"function IntToStr(i: Integer): String", S::ctConv, &S::Call<IntToStr>},
    {"function FloatToStr(e: Extended): String", S::ctConv, &S::Call<FloatToStr>},
    {"function DateToStr(e: Extended): String", S::ctConv, &S::Call<DateToStr>},
    {"function TimeToStr(e: Extended): String", S::ctConv, &S::Call<TimeToStr>},
    {"function DateTimeToStr(e: Extended): String", S::ctConv, &S::Call<DateTimeToStr>},
    {"function BoolToStr(B: Boolean): string;", S::ctConv, &S::Call<BoolToStr>},
    {"function VarToStr(v: Variant): String", S::ctConv, &S::Call<VarToStr>},
    {"function StrToInt(s: String): Integer", S::ctConv, &S::Call<StrToInt>},
    {"function StrToInt64(s: String): Int64", S::ctConv, &S::Call<StrToInt64>},
    {"function StrToFloat(s: String): Extended", S::ctConv, &S::Call<StrToFloat>},
    {"function StrToDate(s: String): Extended", S::ctConv, &S::Call<StrToDate>},
    {"function StrToTime(s: String): Extended", S::ctConv, &S::Call<StrToTime>},
    {"function StrToDateTime(s: String): Extended", S::ctConv, &S::Call<StrToDateTime>},
    {"function StrToBool(const S: string): Boolean;", S::ctConv, &S::Call<StrToBool>},
};

const Entry kFormatting[] = {
    {"function Format(Fmt: String; Args: array): String", S::ctFormat, &S::Call<Format>},
    {"function FormatFloat(Fmt: String; Value: Extended): String", S::ctFormat, &S::Call<FormatFloat>},
    {"function FormatDateTime(Fmt: String; DateTime: TDateTime): String", S::ctFormat, &S::Call<FormatDateTime>},
    {"function FormatMaskText(EditMask: string; Value: string): string", S::ctFormat, &S::Call<FormatMaskText>},
};

const Entry kDates[] = {
    {"function EncodeDate(Year, Month, Day: Word): TDateTime", S::ctDate, &S::Call<EncodeDate>},
    {"procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)", S::ctDate, &S::Call<DecodeDate>},
    {"function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime", S::ctDate, &S::Call<EncodeTime>},
    {"procedure DecodeTime(Time: TDateTime; var Hour, Min, Sec, MSec: Word)", S::ctDate, &S::Call<DecodeTime>},
    {"function Date: TDateTime", S::ctDate, &S::Call<Date>},
    {"function Time: TDateTime", S::ctDate, &S::Call<Time>},
    {"function Now: TDateTime", S::ctDate, &S::Call<Now>},
    {"function DayOfWeek(aDate: TDateTime): Integer", S::ctDate, &S::Call<DayOfWeek>},
    {"function IsLeapYear(Year: Word): Boolean", S::ctDate, &S::Call<IsLeapYear>},
    {"function DaysInMonth(nYear, nMonth: Integer): Integer", S::ctDate, &S::Call<DaysInMonth>},
};

const Entry kStrings[] = {
    {"function Length(s: Variant): Integer", S::ctString, &S::Call<Length>},
    {"function Copy(s: String; from, count: Integer): String", S::ctString, &S::Call<Copy>},
    {"function Pos(substr, s: String): Integer", S::ctString, &S::Call<Pos>},
    {"procedure Delete(var s: String; from, count: Integer)", S::ctString, &S::Call<Delete>},
    {"procedure DeleteStr(var s: String; from, count: Integer)", S::ctString, &S::Call<Delete>},
    {"procedure Insert(s: String; var s2: String; pos: Integer)", S::ctString, &S::Call<Insert>},
    {"function Uppercase(s: String): String", S::ctString, &S::Call<Uppercase>},
    {"function Lowercase(s: String): String", S::ctString, &S::Call<Lowercase>},
    {"function Trim(s: String): String", S::ctString, &S::Call<Trim>},
    {"function NameCase(s: String): String", S::ctString, &S::Call<NameCase>},
    {"function CompareText(s, s1: String): Integer", S::ctString, &S::Call<CompareText>},
    {"function Chr(i: Integer): Char", S::ctString, &S::Call<Chr>},
    {"function Ord(ch: Char): Integer", S::ctString, &S::Call<Ord>},
    {"procedure SetLength(var S: Variant; L: Integer)", S::ctString, &S::Call<SetLength>},
};

const Entry kMathematics[] = {
    {"function Round(e: Extended): Integer", S::ctMath, &S::Call<Round>},
    {"function Trunc(e: Extended): Integer", S::ctMath, &S::Call<Trunc>},
    {"function Int(e: Extended): Integer", S::ctMath, &S::Call<IntFn>},
    {"function Frac(X: Extended): Extended", S::ctMath, &S::Call<Frac>},
    {"function Sqrt(e: Extended): Extended", S::ctMath, &S::Call<Sqrt>},
    {"function Abs(e: Extended): Extended", S::ctMath, &S::Call<Abs>},
    {"function Sin(e: Extended): Extended", S::ctMath, &S::Call<Sin>},
    {"function Cos(e: Extended): Extended", S::ctMath, &S::Call<Cos>},
    {"function ArcTan(X: Extended): Extended", S::ctMath, &S::Call<ArcTan>},
    {"function Tan(X: Extended): Extended", S::ctMath, &S::Call<Tan>},
    {"function Exp(X: Extended): Extended", S::ctMath, &S::Call<Exp>},
    {"function Ln(X: Extended): Extended", S::ctMath, &S::Call<Ln>},
    {"function Pi: Extended", S::ctMath, &S::Call<Pi>},
};

const Entry kOther[] = {
    {"procedure Inc(var i: Integer; incr: Integer = 1)", S::ctOther, &S::Call<Inc>},
    {"procedure Dec(var i: Integer; decr: Integer = 1)", S::ctOther, &S::Call<Dec>},
    {"procedure RaiseException(Param: String)", S::ctOther, &S::Call<RaiseException>},
    {"procedure ShowMessage(Msg: Variant)", S::ctOther, &S::Call<ShowMessage>},
    {"procedure Randomize", S::ctOther, &S::Call<Randomize>},
    {"function Random: Extended", S::ctOther, &S::Call<Random>},
    {"function ValidInt(cInt: String): Boolean", S::ctOther, &S::Call<ValidInt>},
    {"function ValidFloat(cFlt: String): Boolean", S::ctOther, &S::Call<ValidFloat>},
    {"function ValidDate(cDate: String): Boolean", S::ctOther, &S::Call<ValidDate>},
    {"function ExtractFilePath(const FileName: string): string;", S::ctOther, &S::Call<ExtractFilePath>},
    {"function CreateOleObject(ClassName: String): Variant", S::ctOther, &S::Call<CreateOleObject>},
    {"function VarArrayCreate(Bounds: Array; Typ: Integer): Variant", S::ctOther, &S::Call<VarArrayCreate>},
    {"function VarType(V: Variant): Integer", S::ctOther, &S::Call<VarType>},
};

struct TypeName {
  const char* Name;
  TfsVarType Typ;
};

const TypeName kTypeNames[] = {
    {"Byte", fvtInt},        {"Word", fvtInt},         {"Integer", fvtInt},    {"Int64", fvtInt64},
    {"Longint", fvtInt},     {"Cardinal", fvtInt},     {"TColor", fvtInt},     {"TAlphaColor", fvtInt},
    {"Boolean", fvtBool},    {"Real", fvtFloat},       {"Single", fvtFloat},   {"Double", fvtFloat},
    {"Extended", fvtFloat},  {"Currency", fvtFloat},   {"TDate", fvtFloat},    {"TTime", fvtFloat},
    {"TDateTime", fvtFloat}, {"Char", fvtChar},        {"String", fvtString},  {"Variant", fvtVariant},
    {"Pointer", fvtVariant}, {"Array", fvtArray},      {"Constructor", fvtConstructor},
};

struct TypeCode {
  const char* Name;
  std::int32_t Value;
};

const TypeCode kVariantTypeCodes[] = {
    {"varEmpty", 0},     {"varNull", 1},       {"varSmallint", 2},   {"varInteger", 3},  {"varSingle", 4},
    {"varDouble", 5},    {"varCurrency", 6},   {"varDate", 7},       {"varOleStr", 8},   {"varDispatch", 9},
    {"varError", 10},    {"varBoolean", 11},   {"varVariant", 12},   {"varUnknown", 13}, {"varShortInt", 16},
    {"varByte", 17},     {"varWord", 18},      {"varLongWord", 19},  {"varInt64", 20},   {"varStrArg", 72},
    {"varString", 256},  {"varAny", 257},      {"varTypeMask", 4095}, {"varArray", 8192}, {"varByRef", 16384},
};

// Inc and Dec take floating-point variables too, which keep their fraction. Their
// declarations say Integer; the first parameter gets the kind whose check admits
// every integer kind and floating point as well.
void AdmitFloats(TfsScript* script, const char* name) {
  TfsCustomVariable* routine = script->LookupLocal(name);
  if (routine && routine->ParamCount() > 0) routine->Params(0)->SetTyp(fvtInt64);
}

}  // namespace

TfsSysFunctions::TfsSysFunctions(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry r(script);
  for (const TypeName& t : kTypeNames) r.RegisterTypeName(t.Name, t.Typ);

  r.RegisterConstant("True", "Boolean", Variant(true));
  r.RegisterConstant("False", "Boolean", Variant(false));
  r.RegisterConstant("nil", "Variant", Variant(std::int32_t{0}));
  r.RegisterConstant("Null", "Variant", Variant::Null());
  for (const TypeCode& c : kVariantTypeCodes) r.RegisterConstant(c.Name, "Integer", Variant(c.Value));

  r.RegisterIndexHelpers();
  r.RegisterVariable("ExceptionClassName", "String", Variant(AnsiString()));
  r.RegisterVariable("ExceptionMessage", "String", Variant(AnsiString()));

  r.RegisterFunctions(this, kConversion);
  r.RegisterFunctions(this, kFormatting);
  r.RegisterFunctions(this, kDates);
  r.RegisterFunctions(this, kStrings);
  r.RegisterFunctions(this, kMathematics);
  r.RegisterFunctions(this, kOther);
  AdmitFloats(script, "Inc");
  AdmitFloats(script, "Dec");
}

void WriteScriptMessage(const std::string& text) {
  MessageHookSlot& slot = MessageHook();
  TfsMessageHook hook;
  {
    std::lock_guard<std::mutex> guard(slot.Lock);
    hook = slot.Hook;
  }
  if (hook) {
    hook(text);
  } else {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
  }
}

void SetShowMessageHook(TfsMessageHook hook) {
  MessageHookSlot& slot = MessageHook();
  std::lock_guard<std::mutex> guard(slot.Lock);
  slot.Hook = std::move(hook);
}

namespace {

const TfsRTTIModuleClass kSysFunctionsClass{"TfsSysFunctions", moSysFunctions, &NewRTTIModule<TfsSysFunctions>};

// The unit's start-up, in this order: the regional settings, then the module joins
// the list of runtime modules.
struct RegionalSettingsAtStartUp {
  RegionalSettingsAtStartUp() { rtl::SetCurrentFormatSettings(platform::SystemFormatSettings()); }
};

RegionalSettingsAtStartUp gRegionalSettings;
TfsRuntimeModuleRegistration gSysFunctionsRegistration(kSysFunctionsClass);

}  // namespace

}  // namespace fs
