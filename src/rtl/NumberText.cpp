#include "rtl/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace rtl {

namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view s) noexcept {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int HexValue(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A decimal number split into its parts: Digits without leading zeros, and the number
// of them that stand before the decimal point (after applying the exponent).
struct DecimalParts {
  bool Negative = false;
  std::string Digits;
  std::int64_t PointPos = 0;
};

// Reads the floating-point form; false when the text is not one.
bool SplitDecimal(std::string_view s, char sep, DecimalParts& p) {
  s = TrimBlanks(s);
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) p.Negative = s[i++] == '-';
  bool anyDigit = false, seenPoint = false;
  std::int64_t pointPos = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      anyDigit = true;
      if (p.Digits.empty() && c == '0') {
        if (seenPoint) --pointPos;  // a leading zero after the point moves it left
        continue;
      }
      p.Digits += c;
      if (!seenPoint) ++pointPos;
    } else if (c == sep && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  if (i < s.size()) {
    if (s[i] != 'e' && s[i] != 'E') return false;
    ++i;
    bool expNegative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    if (i == s.size()) return false;
    std::int64_t exp = 0;
    for (; i < s.size(); ++i) {
      if (s[i] < '0' || s[i] > '9') return false;
      // Far beyond any range; stop growing so the sum below cannot overflow.
      if (exp < 100000000) exp = exp * 10 + (s[i] - '0');
    }
    pointPos += expNegative ? -exp : exp;
  }
  // Trailing zeros carry no value.
  while (!p.Digits.empty() && p.Digits.back() == '0') p.Digits.pop_back();
  p.PointPos = p.Digits.empty() ? 0 : pointPos;
  return true;
}

// The general layout of a number given by its significant digits and the decimal
// exponent of the first one.
std::string GeneralLayout(bool negative, std::string_view digits, int exp10, char sep, int precision) {
  std::string out;
  if (negative) out += '-';
  if (exp10 >= precision || exp10 < -4) {
    out += digits[0];
    if (digits.size() > 1) {
      out += sep;
      out.append(digits.substr(1));
    }
    out += 'E';
    if (exp10 < 0) out += '-';
    out += std::to_string(exp10 < 0 ? -exp10 : exp10);
  } else if (exp10 >= 0) {
    std::size_t intDigits = static_cast<std::size_t>(exp10) + 1;
    if (digits.size() <= intDigits) {
      out.append(digits);
      out.append(intDigits - digits.size(), '0');
    } else {
      out.append(digits.substr(0, intDigits));
      out += sep;
      out.append(digits.substr(intDigits));
    }
  } else {
    out += '0';
    out += sep;
    out.append(static_cast<std::size_t>(-exp10 - 1), '0');
    out.append(digits);
  }
  return out;
}

// Splits the output of to_chars in scientific form ("-d.ddde+XX") into digits and
// exponent, dropping trailing zeros.
void SplitScientific(const char* first, const char* last, bool& negative, std::string& digits, int& exp10) {
  negative = *first == '-';
  if (negative) ++first;
  digits.clear();
  const char* p = first;
  for (; p < last && *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  exp10 = 0;
  if (p < last) std::from_chars(p[1] == '+' ? p + 2 : p + 1, last, exp10);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

// The value's significant digits rounded to `precision` digits, halves away from zero
// as decimal rounding is usually understood (to_chars itself rounds ties to even).
void RoundedDigits(double v, int precision, bool& negative, std::string& digits, int& exp10) {
  // Twenty digits tell on which side of the cut the value lies unless they read
  // exactly "5000..." after it; only then is the exact expansion needed.
  char buf[800];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 19);
  SplitScientific(buf, r.ptr, negative, digits, exp10);
  digits.resize(20, '0');
  auto p = static_cast<std::size_t>(precision);
  if (digits[p] == '5' && digits.find_first_not_of('0', p + 1) == std::string::npos) {
    r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 780);
    SplitScientific(buf, r.ptr, negative, digits, exp10);
    if (digits.size() <= p) digits.resize(p + 1, '0');
  }
  bool up = digits[p] >= '5';
  digits.resize(p);
  if (up) {
    std::size_t i = p;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exp10;
    } else {
      ++digits[i - 1];
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

}  // namespace

NumParse TextToInt64(std::string_view s, std::int64_t& out) noexcept {
  s = TrimBlanks(s);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::uint64_t value = 0;
  if (i < s.size() && (s[i] == '$' || (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')))) {
    i += s[i] == '$' ? 1 : 2;
    if (i == s.size()) return NumParse::Invalid;
    for (; i < s.size(); ++i) {
      int h = HexValue(s[i]);
      if (h < 0) return NumParse::Invalid;
      if (value >> 60) {
        // A seventeenth significant digit; the rest must still be hexadecimal.
        for (; i < s.size(); ++i)
          if (HexValue(s[i]) < 0) return NumParse::Invalid;
        return NumParse::Overflow;
      }
      value = (value << 4) | static_cast<std::uint64_t>(h);
    }
    out = static_cast<std::int64_t>(negative ? (0 - value) : value);
    return NumParse::Ok;
  }
  if (i == s.size()) return NumParse::Invalid;
  const std::uint64_t limit = negative ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << 63) - 1;
  bool overflow = false;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return NumParse::Invalid;
    auto d = static_cast<std::uint64_t>(s[i] - '0');
    if (value > (limit - d) / 10) overflow = true;
    else value = value * 10 + d;
  }
  if (overflow) return NumParse::Overflow;
  out = negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
  return NumParse::Ok;
}

NumParse TextToFloat(std::string_view s, double& out, char decimalSeparator) noexcept {
  DecimalParts p;
  try {
    if (!SplitDecimal(s, decimalSeparator, p)) return NumParse::Invalid;
    if (p.Digits.empty()) {
      out = p.Negative ? -0.0 : 0.0;
      return NumParse::Ok;
    }
    // Far outside the double range either way: decide without converting.
    if (p.PointPos > 400) return NumParse::Overflow;
    if (p.PointPos < -400) {
      out = p.Negative ? -0.0 : 0.0;
      return NumParse::Ok;
    }
    // "0.<digits>e<point position>", on the stack for all but very long texts.
    char stack[64];
    std::string heap;
    char* text = stack;
    std::size_t cap = sizeof stack;
    if (p.Digits.size() + 16 > cap) {
      heap.resize(p.Digits.size() + 16);
      text = heap.data();
      cap = heap.size();
    }
    text[0] = '0';
    text[1] = '.';
    p.Digits.copy(text + 2, p.Digits.size());
    char* end = text + 2 + p.Digits.size();
    *end++ = 'e';
    end = std::to_chars(end, text + cap, p.PointPos).ptr;
    double v = 0;
    auto r = std::from_chars(text, end, v);
    if (r.ec == std::errc::result_out_of_range) {
      if (p.PointPos > 0) return NumParse::Overflow;
      v = 0;
    } else if (r.ec != std::errc()) {
      return NumParse::Invalid;
    }
    if (std::isinf(v)) return NumParse::Overflow;
    out = p.Negative ? -v : v;
    return NumParse::Ok;
  } catch (...) {
    return NumParse::Invalid;  // out of memory for a pathological text
  }
}

NumParse TextToCurrency(std::string_view s, std::int64_t& scaled, char decimalSeparator) noexcept {
  DecimalParts p;
  try {
    if (!SplitDecimal(s, decimalSeparator, p)) return NumParse::Invalid;
  } catch (...) {
    return NumParse::Invalid;
  }
  // The value times 10000: its integer part is the first PointPos + 4 digits.
  std::int64_t intLen = p.Digits.empty() ? 0 : p.PointPos + 4;
  if (intLen > 19) return NumParse::Overflow;
  std::uint64_t value = 0;
  const std::uint64_t limit = std::uint64_t{1} << 63;
  for (std::int64_t k = 0; k < intLen; ++k) {
    std::uint64_t d = k < static_cast<std::int64_t>(p.Digits.size()) ? static_cast<std::uint64_t>(p.Digits[k] - '0') : 0;
    if (value > (limit - d) / 10) return NumParse::Overflow;
    value = value * 10 + d;
  }
  // Round on the digit after the integer part; a tie goes to the even neighbour.
  std::int64_t k = intLen;
  if (k >= 0 && k < static_cast<std::int64_t>(p.Digits.size())) {
    int r = p.Digits[k] - '0';
    bool rest = k + 1 < static_cast<std::int64_t>(p.Digits.size());  // trailing zeros are gone
    if (r > 5 || (r == 5 && (rest || (value & 1)))) ++value;
  }
  if (value > limit || (!p.Negative && value == limit)) return NumParse::Overflow;
  scaled = p.Negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
  return NumParse::Ok;
}

std::string FloatToText(double v, char decimalSeparator, int precision) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0) return "0";
  if (precision < 1) precision = 1;
  if (precision > 17) precision = 17;
  bool negative;
  std::string digits;
  int exp10;
  RoundedDigits(v, precision, negative, digits, exp10);
  return GeneralLayout(negative, digits, exp10, decimalSeparator, precision);
}

std::string SingleToText(float v, char decimalSeparator) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0) return "0";
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  bool negative;
  std::string digits;
  int exp10;
  SplitScientific(buf, r.ptr, negative, digits, exp10);
  return GeneralLayout(negative, digits, exp10, decimalSeparator, 15);
}

std::string CurrencyToText(std::int64_t scaled, char decimalSeparator) {
  bool negative = scaled < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  std::string out = negative ? "-" : "";
  out += std::to_string(magnitude / 10000);
  auto frac = static_cast<unsigned>(magnitude % 10000);
  if (frac) {
    char d[4];
    for (int i = 3; i >= 0; --i, frac /= 10) d[i] = static_cast<char>('0' + frac % 10);
    int n = 4;
    while (d[n - 1] == '0') --n;
    out += decimalSeparator;
    out.append(d, static_cast<std::size_t>(n));
  }
  return out;
}

std::string IntToText(std::int64_t v) { return std::to_string(v); }

double RoundHalfEven(double v) noexcept {
  // From the exact fraction, not std::round: some C runtimes round by adding 0.5,
  // which carries the largest double below one half up to 1.
  const double whole = std::trunc(v);
  const double fraction = std::fabs(v - whole);  // exact
  if (fraction < 0.5 || std::isnan(fraction)) return whole;
  const double away = whole + std::copysign(1.0, v);
  if (fraction > 0.5) return away;
  return std::fmod(whole, 2.0) == 0.0 ? whole : away;
}

}  // namespace rtl
