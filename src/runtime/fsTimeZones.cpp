#include "runtime/fsTimeZones.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/TimeZone.h"
#include "rtl/CodePage.h"
#include "rtl/CurrentTime.h"
#include "rtl/DateCalendar.h"
#include "rtl/DateUtils.h"
#include "rtl/Rounding.h"
#include "rtl/StringRoutines.h"
#include "rtl/TextConversions.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::Variant;
using Args = TfsLibraryArgs;

Variant Date(double v) { return Variant::FromDate(v); }
Variant Text(const std::string& s) { return Variant(AnsiString(s)); }

// The bias in force now: the base bias plus the standard or daylight bias.
std::int32_t LocalBias() {
  const platform::TimeZoneInfo tz = platform::CurrentTimeZone();
  switch (tz.State) {
    case platform::TimeZoneState::Standard: return tz.Bias + tz.StandardBias;
    case platform::TimeZoneState::Daylight: return tz.Bias + tz.DaylightBias;
    default: return tz.Bias;
  }
}

// Local time to GMT: UTC = local time + bias.
double ToGmt(double v, std::int32_t bias) { return rtl::AddDaysToSerial(v, bias / 1440.0); }

Variant GetLocalTZBias(Args&) { return Variant(LocalBias()); }

Variant GetTimeZoneName(Args&) {
  const platform::TimeZoneInfo tz = platform::CurrentTimeZone();
  switch (tz.State) {
    case platform::TimeZoneState::Standard: return Text(tz.StandardName);
    case platform::TimeZoneState::Daylight: return Text(tz.DaylightName);
    default: return Text(std::string());
  }
}

// "GMT", or "GMT+" / "GMT-" and the hours, whole or with their fraction.
Variant GetGMTDifference(Args&) {
  const int bias = platform::CurrentTimeZone().Bias;
  if (bias == 0) return Text("GMT");
  const double hours = -bias / 60.0;
  return Text(std::string(hours > 0 ? "GMT+" : "GMT-") + rtl::FloatToStr(std::fabs(hours)));
}

// The hours after the sign of a "GMT+5.5" text (negated after "-"); no sign gives 0.
double GmtValue(const AnsiString& text) {
  const std::string s = text.str();
  const std::size_t sign = s.find_first_of("+-");
  if (sign == std::string::npos) return 0;
  const std::string number = rtl::Trim(AnsiString(s.substr(sign + 1))).str();
  double value;
  if (!rtl::TryStrToFloat(number, value)) {
    // A decimal point is read in every locale; anything else raises the locale's error.
    rtl::FormatSettings point = rtl::CurrentFormatSettings();
    point.DecimalSeparator = '.';
    if (!rtl::TryStrToFloat(number, value, point)) value = rtl::StrToFloat(number);
  }
  return s[sign] == '-' ? -value : value;
}

Variant GMTStr2Value(Args& a) { return Variant(GmtValue(a.Str(0))); }
Variant GetGMTTime(Args& a) { return Date(ToGmt(a.Float(0), LocalBias())); }
Variant GetLocalTime(Args& a) { return Date(ToGmt(a.Float(0), -LocalBias())); }

Variant ConvertGMTStrTimes(Args& a) {
  const double from = GmtValue(a.Str(0));
  const double dt = a.Float(1);
  return Date(rtl::AddDaysToSerial(dt, (GmtValue(a.Str(2)) - from) / 24));
}

Variant GMTNow(Args&) { return Date(ToGmt(rtl::Now(), LocalBias())); }
Variant GMTDate(Args&) { return Date(rtl::DateOfSerial(ToGmt(rtl::Now(), LocalBias()))); }
Variant GMTTime(Args&) { return Date(rtl::TimeOfSerial(ToGmt(rtl::Now(), LocalBias()))); }

std::string TwoDigits(std::int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// "(" sign hhmm ")", the sign "-" for a positive bias (west of GMT).
std::string BiasText(std::int64_t bias) {
  const std::int64_t n = bias < 0 ? -bias : bias;
  return std::string("(") + (bias > 0 ? "-" : "+") + TwoDigits(n / 60) + TwoDigits(n % 60) + ")";
}

Variant Bias2RFC822(Args& a) { return Text(BiasText(a.Int(0))); }
Variant GetRFC822Difference(Args&) { return Text(BiasText(LocalBias())); }

// The hours east of GMT of an RFC 822 zone: a name, a military letter or +hhmm / -hhmm.
double RfcValue(const AnsiString& text) {
  std::string s;
  for (char c : rtl::AnsiUpperCase(text).str())
    if (c != '(' && c != ')' && c != ' ') s += c;
  static const struct {
    const char* Zone;
    double Hours;
  } kZones[] = {{"GMT", 0}, {"UT", 0},  {"Z", 0},   {"EST", -5}, {"EDT", -4}, {"CST", -6}, {"CDT", -5}, {"MST", -7},
                {"MDT", -6}, {"PST", -8}, {"PDT", -7}, {"A", -1},   {"M", -12},  {"N", 1},    {"Y", 12}};
  if (s.empty()) return 0;
  for (const auto& z : kZones)
    if (s == z.Zone) return z.Hours;
  const std::int32_t hhmm = rtl::StrToInt(s);
  return hhmm / 100 + (hhmm % 100) / 60.0;
}

Variant RFC822Value(Args& a) { return Variant(RfcValue(a.Str(0))); }
Variant RFC8222Bias(Args& a) { return Variant(-rtl::RoundToInt32(RfcValue(a.Str(0)) * 60)); }

Variant ConvertRFC822Times(Args& a) {
  const double from = RfcValue(a.Str(0));
  const double dt = a.Float(1);
  return Date(rtl::AddDaysToSerial(dt, (RfcValue(a.Str(2)) - from) / 24));
}

const char* const kEnglishMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kEnglishDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// dd Mmm yy hh:nn:ss (+hhmm), with "Ddd, " in front for the long form; the month names
// English or the locale's.
std::string RfcDateText(double v, std::int64_t bias, bool withDay, bool localMonths) {
  const rtl::DateTimeParts p = rtl::DecodeDateTime(v);
  std::string s;
  if (withDay) s += std::string(kEnglishDays[rtl::DayOfWeek(v) - 1]) + ", ";
  s += TwoDigits(p.Day) + " " +
       (localMonths ? rtl::CurrentFormatSettings().ShortMonthNames[p.Month - 1] : kEnglishMonths[p.Month - 1]) + " " +
       TwoDigits(p.Year % 100) + " " + TwoDigits(p.Hour) + ":" + TwoDigits(p.Minute) + ":" + TwoDigits(p.Second) +
       " " + BiasText(bias);
  return s;
}

// (DT, Bias) or (DT) with the local bias.
template <bool WithDay, bool LocalMonths>
Variant RfcDate(Args& a) {
  return Text(RfcDateText(a.Float(0), a.Int(1), WithDay, LocalMonths));
}

template <bool WithDay, bool LocalMonths>
Variant RfcDateLocal(Args& a) {
  return Text(RfcDateText(a.Float(0), LocalBias(), WithDay, LocalMonths));
}

const TfsLibraryEntry kTimeZones[] = {
    {"function GetLocalTZBias(): LongInt", &GetLocalTZBias},
    {"function GetTimeZoneName(): string", &GetTimeZoneName},
    {"function GetGMTDifference(): string", &GetGMTDifference},
    {"function GMTStr2Value(const GMTStr: string): Extended", &GMTStr2Value},
    {"function GetGMTTime(const DT: TDateTime): TDateTime", &GetGMTTime},
    {"function GetLocalTime(const DT: TDateTime): TDateTime", &GetLocalTime},
    {"function ConvertGMTStrTimes(const FromGMTStr: string; const FromDT: TDateTime; const ToGMTStr: string): "
     "TDateTime",
     &ConvertGMTStrTimes},
    {"function GMTNow(): TDateTime", &GMTNow},
    {"function GMTDate(): TDateTime", &GMTDate},
    {"function GMTTime(): TDateTime", &GMTTime},
    {"function Bias2RFC822(const Bias: LongInt): string", &Bias2RFC822},
    {"function RFC8222Bias(const RFC822: string): LongInt", &RFC8222Bias},
    {"function GetRFC822Difference(): string", &GetRFC822Difference},
    {"function RFC822Value(const RFC822: string): Extended", &RFC822Value},
    {"function ConvertRFC822Times(const FromRFC822: string; const FromDT: TDateTime; const ToRFC822: string): "
     "TDateTime",
     &ConvertRFC822Times},
    {"function RFC822DateTime2Str(const DT: TDateTime; const Bias: LongInt): string", &RfcDate<false, false>},
    {"function RFC822DateTime2Str2(const DT: TDateTime): string", &RfcDateLocal<false, false>},
    {"function RFC822DateTime2LongStr(const DT: TDateTime; const Bias: LongInt): string", &RfcDate<true, false>},
    {"function RFC822DateTime2LongStr2(const DT: TDateTime): string", &RfcDateLocal<true, false>},
    {"function LocalRFC822DateTime2Str(const DT: TDateTime; const Bias: LongInt): string", &RfcDate<false, true>},
    {"function LocalRFC822DateTime2Str2(const DT: TDateTime): string", &RfcDateLocal<false, true>},
    {"function LocalRFC822DateTime2LongStr(const DT: TDateTime; const Bias: LongInt): string", &RfcDate<true, true>},
    {"function LocalRFC822DateTime2LongStr2(const DT: TDateTime): string", &RfcDateLocal<true, true>},
};

const TfsRTTIModuleClass kTimeZonesClass{"fs_TimeZones", moTimeZones, &NewRTTIModule<TfsTimeZones>};
TfsRuntimeModuleRegistration gTimeZonesRegistration(kTimeZonesClass);

}  // namespace

TfsTimeZones::TfsTimeZones(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  RegisterLibrary(registry, Category, kTimeZones);
}

}  // namespace fs
