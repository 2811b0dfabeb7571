#include "rtl/TextConversions.h"

#include <limits>

#include "rtl/DateText.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatDateTime.h"
#include "rtl/NumberText.h"

namespace rtl {

namespace {

int HexDigit(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The integer forms for a type of `bits` bits (32 or 64); the value as 64 bits.
bool ParseInteger(std::string_view s, int bits, std::int64_t& out) noexcept {
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i < n && s[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < n && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == n) return false;
  std::uint64_t magnitude = 0;
  if (hex) {
    for (; i < n; ++i) {
      const int d = HexDigit(s[i]);
      if (d < 0 || (magnitude >> (bits - 4)) != 0) return false;  // not a digit, or too wide
      magnitude = magnitude * 16 + static_cast<std::uint64_t>(d);
    }
    if (bits == 32) {
      std::uint32_t pattern = static_cast<std::uint32_t>(magnitude);
      if (negative) pattern = 0u - pattern;
      out = static_cast<std::int32_t>(pattern);
    } else {
      out = static_cast<std::int64_t>(negative ? 0u - magnitude : magnitude);
    }
    return true;
  }
  const std::uint64_t limit = (std::uint64_t{1} << (bits - 1)) - (negative ? 0 : 1);
  for (; i < n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    const auto d = static_cast<std::uint64_t>(s[i] - '0');
    if (magnitude > (limit - d) / 10) return false;
    magnitude = magnitude * 10 + d;
  }
  out = negative ? static_cast<std::int64_t>(0u - magnitude) : static_cast<std::int64_t>(magnitude);
  return true;
}

bool SameAscii(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

[[noreturn]] void Invalid(const char* what, std::string_view s) {
  throw EConvertError("'" + std::string(s) + "' is not a valid " + what);
}

}  // namespace

bool TryStrToInt(std::string_view s, std::int32_t& value) noexcept {
  std::int64_t v;
  if (!ParseInteger(s, 32, v)) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value) noexcept { return ParseInteger(s, 64, value); }

std::int32_t StrToInt(std::string_view s) {
  std::int32_t v;
  if (!TryStrToInt(s, v)) Invalid("integer value", s);
  return v;
}

std::int64_t StrToInt64(std::string_view s) {
  std::int64_t v;
  if (!TryStrToInt64(s, v)) Invalid("integer value", s);
  return v;
}

bool TryStrToFloat(std::string_view s, double& value, const FormatSettings& fs) noexcept {
  return TextToFloat(s, value, fs.DecimalSeparator) == NumParse::Ok;
}

double StrToFloat(std::string_view s, const FormatSettings& fs) {
  double v;
  if (!TryStrToFloat(s, v, fs)) Invalid("floating point value", s);
  return v;
}

std::string FloatToStr(double value, const FormatSettings& fs) { return FloatToText(value, fs.DecimalSeparator, 15); }

std::string BoolToStr(bool value, bool useBoolStrs, const FormatSettings& fs) {
  if (useBoolStrs) return value ? fs.TrueBoolStr : fs.FalseBoolStr;
  return value ? "-1" : "0";
}

bool TryStrToBool(std::string_view s, bool& value, const FormatSettings& fs) noexcept {
  if (SameAscii(s, fs.TrueBoolStr) || SameAscii(s, fs.FalseBoolStr)) {
    value = SameAscii(s, fs.TrueBoolStr);
    return true;
  }
  // The number reader allows blanks around a number; a boolean text has none.
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  if (s.empty() || blank(s.front()) || blank(s.back())) return false;
  double number;
  if (!TryStrToFloat(s, number, fs)) return false;
  value = number != 0;
  return true;
}

bool StrToBool(std::string_view s, const FormatSettings& fs) {
  bool v;
  if (!TryStrToBool(s, v, fs)) Invalid("boolean value", s);
  return v;
}

std::string DateToStr(double value, const FormatSettings& fs) { return FormatDateTime(fs.ShortDateFormat, value, fs); }

std::string TimeToStr(double value, const FormatSettings& fs) { return FormatDateTime(fs.LongTimeFormat, value, fs); }

std::string DateTimeToStr(double value, const FormatSettings& fs) { return FormatDateTime("c", value, fs); }

bool TryStrToDate(std::string_view s, double& value, const FormatSettings& fs) { return TryTextToDate(s, value, fs); }

bool TryStrToTime(std::string_view s, double& value, const FormatSettings& fs) { return TryTextToTime(s, value, fs); }

bool TryStrToDateTime(std::string_view s, double& value, const FormatSettings& fs) {
  return TryTextToDateTime(s, value, fs);
}

double StrToDate(std::string_view s, const FormatSettings& fs) {
  double v;
  if (!TryStrToDate(s, v, fs)) Invalid("date", s);
  return v;
}

double StrToTime(std::string_view s, const FormatSettings& fs) {
  double v;
  if (!TryStrToTime(s, v, fs)) Invalid("time", s);
  return v;
}

double StrToDateTime(std::string_view s, const FormatSettings& fs) {
  double v;
  if (!TryStrToDateTime(s, v, fs)) Invalid("date and time", s);
  return v;
}

}  // namespace rtl
