#include "rtl/Format.h"

#include <cmath>
#include <cstdint>

#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatDecimal.h"
#include "rtl/NumberText.h"
#include "rtl/VariantConvert.h"

namespace rtl {

namespace {

constexpr int kMaxPrecision = 18;
// A width beyond this is taken as a malformed specifier rather than a request for
// megabytes of padding.
constexpr std::int64_t kMaxWidth = 1 << 20;
// Numbers in specifiers stop growing here; every limit above is far below it.
constexpr std::int64_t kNumberCap = 1000000000;

std::string HexDigits(std::uint64_t v, int minDigits) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string s;
  do {
    s.insert(s.begin(), kHex[v & 0xF]);
    v >>= 4;
  } while (v);
  if (static_cast<int>(s.size()) < minDigits) s.insert(0, static_cast<std::size_t>(minDigits) - s.size(), '0');
  return s;
}

// Decimal digits of a magnitude, at least minDigits of them, with "-" in front.
std::string DecimalDigits(std::uint64_t magnitude, bool negative, int minDigits) {
  std::string s = std::to_string(magnitude);
  if (static_cast<int>(s.size()) < minDigits) s.insert(0, static_cast<std::size_t>(minDigits) - s.size(), '0');
  if (negative) s.insert(s.begin(), '-');
  return s;
}

std::uint64_t Magnitude(std::int64_t v) noexcept {
  return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

void AppendGrouped(std::string& out, std::string_view digits, char separator) {
  for (std::size_t i = 0; i < digits.size(); ++i) {
    out += digits[i];
    const std::size_t left = digits.size() - 1 - i;
    if (separator != '\0' && left > 0 && left % 3 == 0) out += separator;
  }
}

// The magnitude in fixed notation; false when the value needs the general format
// (infinite, not a number, or 10^18 and more).
bool FixedMagnitude(double v, int decimals, bool grouping, const FormatSettings& fs, std::string& out,
                    bool& negative) {
  if (!std::isfinite(v)) return false;
  const FloatDecimal d = FloatToDecimal(v, kMaxPrecision, decimals);
  if (d.Exponent > kMaxPrecision) return false;
  negative = d.Negative;
  const int len = static_cast<int>(d.Digits.size());
  auto digitAt = [&](int i) { return i >= 0 && i < len ? d.Digits[static_cast<std::size_t>(i)] : '0'; };
  std::string whole;
  for (int i = 0; i < d.Exponent; ++i) whole += digitAt(i);
  if (whole.empty()) whole = "0";
  if (grouping) AppendGrouped(out, whole, fs.ThousandSeparator);
  else out += whole;
  if (decimals > 0) {
    out += fs.DecimalSeparator;
    for (int i = 0; i < decimals; ++i) out += digitAt(d.Exponent + i);
  }
  return true;
}

std::string FixedText(double v, int decimals, bool grouping, const FormatSettings& fs) {
  std::string magnitude;
  bool negative = false;
  if (!FixedMagnitude(v, decimals, grouping, fs, magnitude, negative)) return FloatToText(v, fs.DecimalSeparator, 15);
  return negative ? "-" + magnitude : magnitude;
}

std::string ScientificText(double v, int digits, const FormatSettings& fs) {
  if (!std::isfinite(v)) return FloatToText(v, fs.DecimalSeparator, 15);
  if (digits < 1) digits = 1;
  const FloatDecimal d = FloatToDecimal(v, digits, kNumberCap);
  std::string out = d.Negative ? "-" : "";
  std::string all = d.Digits.empty() ? "0" : d.Digits;
  all.resize(static_cast<std::size_t>(digits), '0');
  out += all[0];
  if (digits > 1) {
    out += fs.DecimalSeparator;
    out.append(all, 1, std::string::npos);
  }
  const int exp10 = d.Digits.empty() ? 0 : d.Exponent - 1;
  out += exp10 < 0 ? "E-" : "E+";
  out += DecimalDigits(static_cast<std::uint64_t>(exp10 < 0 ? -exp10 : exp10), false, 3);
  return out;
}

std::string MoneyText(double v, int decimals, const FormatSettings& fs) {
  std::string m;
  bool negative = false;
  if (!FixedMagnitude(v, decimals, true, fs, m, negative)) return FloatToText(v, fs.DecimalSeparator, 15);
  const std::string& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1: return m + c;
      case 2: return c + " " + m;
      case 3: return m + " " + c;
      default: return c + m;
    }
  }
  switch (fs.NegCurrFormat) {
    case 1: return "-" + c + m;
    case 2: return c + "-" + m;
    case 3: return c + m + "-";
    case 4: return "(" + m + c + ")";
    case 5: return "-" + m + c;
    case 6: return m + "-" + c;
    case 7: return m + c + "-";
    case 8: return "-" + m + " " + c;
    case 9: return "-" + c + " " + m;
    case 10: return m + " " + c + "-";
    case 11: return c + " " + m + "-";
    case 12: return c + " -" + m;
    case 13: return m + "- " + c;
    case 14: return "(" + c + " " + m + ")";
    case 15: return "(" + m + " " + c + ")";
    default: return "(" + c + m + ")";
  }
}

class Formatter {
public:
  Formatter(std::string_view fmt, const std::vector<FormatArg>& args, const FormatSettings& fs)
      : FFmt(fmt), FArgs(args), FSettings(fs) {}

  std::string Run() {
    std::string out;
    std::size_t i = 0;
    while (i < FFmt.size()) {
      const std::size_t pct = FFmt.find('%', i);
      if (pct == std::string_view::npos) {
        out.append(FFmt.substr(i));
        break;
      }
      out.append(FFmt.substr(i, pct - i));
      i = pct + 1;
      if (i < FFmt.size() && FFmt[i] == '%') {
        out += '%';
        ++i;
        continue;
      }
      i = Specifier(i, out);
    }
    return out;
  }

private:
  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + std::string(FFmt) + "' invalid or incompatible with argument");
  }

  const FormatArg& NextArg() {
    if (FNext >= FArgs.size()) throw EConvertError("No argument for format '" + std::string(FFmt) + "'");
    return FArgs[FNext++];
  }

  // A number or "*" at i; false (i unchanged) when there is neither.
  bool Number(std::size_t& i, std::int64_t& value) {
    if (i < FFmt.size() && FFmt[i] == '*') {
      ++i;
      const FormatArg& a = NextArg();
      if (a.Kind != FormatArgKind::Integer) Invalid();
      value = a.Int;
      return true;
    }
    if (i >= FFmt.size() || FFmt[i] < '0' || FFmt[i] > '9') return false;
    value = 0;
    for (; i < FFmt.size() && FFmt[i] >= '0' && FFmt[i] <= '9'; ++i)
      if (value < kNumberCap) value = value * 10 + (FFmt[i] - '0');
    return true;
  }

  std::size_t Specifier(std::size_t i, std::string& out) {
    bool left = false;
    std::int64_t number = 0, width = -1, precision = -1;
    bool have = Number(i, number);
    if (have && i < FFmt.size() && FFmt[i] == ':') {
      // An argument index; the running position goes on from there.
      FNext = number < 0 ? FArgs.size() : static_cast<std::size_t>(number);
      ++i;
      have = false;
    }
    if (!have) {
      if (i < FFmt.size() && FFmt[i] == '-') {
        left = true;
        ++i;
      }
      have = Number(i, number);
    }
    if (have) width = number;
    if (i < FFmt.size() && FFmt[i] == '.') {
      ++i;
      if (!Number(i, precision)) precision = 0;
    }
    if (i >= FFmt.size()) Invalid();
    if (width > kMaxWidth) Invalid();
    if (precision > kMaxPrecision || precision < 0) precision = -1;
    char type = FFmt[i++];
    if (type >= 'a' && type <= 'z') type = static_cast<char>(type - 32);
    std::string text = Convert(type, NextArg(), static_cast<int>(precision));
    const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (text.size() < w) {
      if (left) text.append(w - text.size(), ' ');
      else text.insert(0, w - text.size(), ' ');
    }
    out += text;
    return i;
  }

  // The argument as an integer for d, u and x; false when it is none.
  bool IntegerOf(const FormatArg& a, std::int64_t& v, bool& wide) const {
    switch (a.Kind) {
      case FormatArgKind::Integer: v = a.Int; wide = false; return true;
      case FormatArgKind::Int64: v = a.Int64; wide = true; return true;
      case FormatArgKind::Variant:
        try {
          v = VarToInt64(a.Var);
        } catch (const Exception&) {
          return false;
        }
        wide = v < INT32_MIN || v > INT32_MAX;
        return true;
      default: return false;
    }
  }

  bool FloatOf(const FormatArg& a, double& v) const {
    if (a.Kind == FormatArgKind::Float) {
      v = a.Float;
      return true;
    }
    if (a.Kind != FormatArgKind::Variant) return false;
    try {
      v = VarToDouble(a.Var);
    } catch (const Exception&) {
      return false;
    }
    return true;
  }

  std::string VariantText(const rtl::Variant& v) const {
    try {
      return VarToStr(v).str();
    } catch (const Exception&) {
      Invalid();
    }
  }

  std::string Convert(char type, const FormatArg& a, int precision) {
    std::int64_t iv;
    bool wide;
    double fv;
    switch (type) {
      case 'D':
        if (!IntegerOf(a, iv, wide)) Invalid();
        return DecimalDigits(Magnitude(iv), iv < 0, precision);
      case 'U':
        if (!IntegerOf(a, iv, wide)) Invalid();
        // A 32-bit argument is read as its unsigned 32-bit pattern.
        return std::to_string(wide ? static_cast<std::uint64_t>(iv) : static_cast<std::uint32_t>(iv));
      case 'X':
        if (!IntegerOf(a, iv, wide)) Invalid();
        return HexDigits(wide ? static_cast<std::uint64_t>(iv) : static_cast<std::uint32_t>(iv), precision);
      case 'P':
        // A host object travels as a 32-bit integer holding its reference.
        if (a.Kind != FormatArgKind::Integer) Invalid();
        return HexDigits(static_cast<std::uint32_t>(a.Int), 8);
      case 'E':
        if (!FloatOf(a, fv)) Invalid();
        return ScientificText(fv, precision < 0 ? 15 : precision, FSettings);
      case 'F':
        if (!FloatOf(a, fv)) Invalid();
        return FixedText(fv, precision < 0 ? 2 : precision, false, FSettings);
      case 'N':
        if (!FloatOf(a, fv)) Invalid();
        return FixedText(fv, precision < 0 ? 2 : precision, true, FSettings);
      case 'G':
        if (!FloatOf(a, fv)) Invalid();
        return FloatToText(fv, FSettings.DecimalSeparator, precision < 0 ? 15 : precision);
      case 'M':
        if (!FloatOf(a, fv)) Invalid();
        return MoneyText(fv, precision < 0 ? FSettings.CurrencyDecimals : precision, FSettings);
      case 'S': {
        std::string s;
        if (a.Kind == FormatArgKind::ShortString) s = a.Short;
        else if (a.Kind == FormatArgKind::WideString) s = WideToAnsi(a.Wide).str();
        else if (a.Kind == FormatArgKind::Variant) s = VariantText(a.Var);
        else Invalid();
        if (precision >= 0 && s.size() > static_cast<std::size_t>(precision)) s.resize(static_cast<std::size_t>(precision));
        return s;
      }
      default: Invalid();
    }
  }

  std::string_view FFmt;
  const std::vector<FormatArg>& FArgs;
  const FormatSettings& FSettings;
  std::size_t FNext = 0;
};

}  // namespace

std::string Format(std::string_view fmt, const std::vector<FormatArg>& args, const FormatSettings& fs) {
  return Formatter(fmt, args, fs).Run();
}

}  // namespace rtl
