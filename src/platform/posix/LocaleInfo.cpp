#include "platform/LocaleInfo.h"

#include "platform/Locale.h"
#include "rtl/CodePage.h"

namespace platform {

namespace {

// The information types the stand-in knows (Windows numbering).
enum : std::uint32_t {
  kLanguageId = 0x01,
  kLanguageName = 0x02,
  kListSeparator = 0x0C,
  kMeasure = 0x0D,
  kDecimal = 0x0E,
  kThousand = 0x0F,
  kCurrency = 0x14,
  kCurrencyDigits = 0x19,
  kCurrencyFormat = 0x1B,
  kNegCurrencyFormat = 0x1C,
  kDateSeparator = 0x1D,
  kTimeSeparator = 0x1E,
  kShortDate = 0x1F,
  kLongDate = 0x20,
  kMorning = 0x28,
  kAfternoon = 0x29,
  kDayName1 = 0x2A,        // Monday ... Sunday
  kShortDayName1 = 0x31,   // Mon ... Sun
  kMonthName1 = 0x38,      // January ... December
  kShortMonthName1 = 0x44, // Jan ... Dec
  kIsoLanguage = 0x59,
  kIsoCountry = 0x5A,
  kOemCodePage = 0x0B,
  kEnglishLanguage = 0x1001,
  kEnglishCountry = 0x1002,
  kAnsiCodePage = 0x1004,
};

bool KnownLocale(std::uint32_t locale) {
  return locale == 0 || locale == 0x400 || locale == 0x800 || locale == 0x409;
}

}  // namespace

bool LocaleInfo(std::uint32_t locale, std::uint32_t type, std::string& value) {
  if (!KnownLocale(locale)) return false;
  const rtl::FormatSettings fs = SystemFormatSettings();
  if (type >= kDayName1 && type < kDayName1 + 7) {
    value = fs.LongDayNames[(type - kDayName1 + 1) % 7];
    return true;
  }
  if (type >= kShortDayName1 && type < kShortDayName1 + 7) {
    value = fs.ShortDayNames[(type - kShortDayName1 + 1) % 7];
    return true;
  }
  if (type >= kMonthName1 && type < kMonthName1 + 12) {
    value = fs.LongMonthNames[type - kMonthName1];
    return true;
  }
  if (type >= kShortMonthName1 && type < kShortMonthName1 + 12) {
    value = fs.ShortMonthNames[type - kShortMonthName1];
    return true;
  }
  switch (type) {
    case kLanguageId: value = "0409"; return true;
    case kLanguageName: value = "English (United States)"; return true;
    case kListSeparator: value = fs.DecimalSeparator == ',' ? ";" : ","; return true;
    case kMeasure: value = "1"; return true;
    case kDecimal: value = std::string(1, fs.DecimalSeparator); return true;
    case kThousand: value = std::string(1, fs.ThousandSeparator); return true;
    case kCurrency: value = fs.CurrencyString; return true;
    case kCurrencyDigits: value = std::to_string(fs.CurrencyDecimals); return true;
    case kCurrencyFormat: value = std::to_string(fs.CurrencyFormat); return true;
    case kNegCurrencyFormat: value = std::to_string(fs.NegCurrFormat); return true;
    case kDateSeparator: value = std::string(1, fs.DateSeparator); return true;
    case kTimeSeparator: value = std::string(1, fs.TimeSeparator); return true;
    case kShortDate: value = fs.ShortDateFormat; return true;
    case kLongDate: value = fs.LongDateFormat; return true;
    case kMorning: value = fs.TimeAMString; return true;
    case kAfternoon: value = fs.TimePMString; return true;
    case kIsoLanguage: value = "en"; return true;
    case kIsoCountry: value = "US"; return true;
    case kOemCodePage: value = std::to_string(rtl::OemCodePage()); return true;
    case kEnglishLanguage: value = "English"; return true;
    case kEnglishCountry: value = "United States"; return true;
    case kAnsiCodePage: value = std::to_string(rtl::ProcessCodePage()); return true;
    default: return false;
  }
}

}  // namespace platform
