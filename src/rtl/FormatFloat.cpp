#include "rtl/FormatFloat.h"

#include <climits>
#include <cmath>
#include <vector>

#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatDecimal.h"
#include "rtl/NumberText.h"

namespace rtl {

namespace {

constexpr std::size_t kMaxPicture = 224;
constexpr int kMaxDigits = 18;

bool IsQuote(char c) noexcept { return c == '"' || c == '\''; }

// Index just past the quoted text that starts at i (or the end when it is open).
std::size_t SkipQuoted(std::string_view s, std::size_t i) noexcept {
  const char q = s[i++];
  while (i < s.size() && s[i] != q) i += IsAnsiLeadByte(s[i]) ? 2 : 1;
  return i < s.size() ? i + 1 : s.size();
}

bool IsExponentMark(std::string_view s, std::size_t i) noexcept {
  return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

// Up to three sections split at ";" outside quotes; a fourth and later are ignored.
std::vector<std::string_view> SplitSections(std::string_view picture) {
  std::vector<std::string_view> sections;
  std::size_t start = 0, i = 0;
  while (i < picture.size() && sections.size() < 2) {
    char c = picture[i];
    if (IsAnsiLeadByte(c)) {
      i += 2;
    } else if (IsQuote(c)) {
      i = SkipQuoted(picture, i);
    } else if (c == ';') {
      sections.push_back(picture.substr(start, i - start));
      start = ++i;
    } else {
      ++i;
    }
  }
  // The last section ends at the next separator outside quotes.
  std::size_t end = start;
  while (end < picture.size()) {
    char c = picture[end];
    if (IsAnsiLeadByte(c)) end += 2;
    else if (IsQuote(c)) end = SkipQuoted(picture, end);
    else if (c == ';') break;
    else ++end;
  }
  sections.push_back(picture.substr(start, std::min(end, picture.size()) - start));
  return sections;
}

// What a section asks for: its digit placeholders around the decimal point.
struct SectionLayout {
  int IntPlaces = 0;   // placeholders before the decimal point
  int FracPlaces = 0;  // placeholders after it
  int MinInt = 0;      // integer digits always shown (from the first "0" on)
  int MinFrac = 0;     // decimals always shown (up to the last "0")
  bool Grouping = false;
  bool Scientific = false;
};

SectionLayout ScanSection(std::string_view s) {
  SectionLayout layout;
  int digits = 0, decimalIndex = -1, firstZero = INT_MAX, lastZero = 0;
  for (std::size_t i = 0; i < s.size();) {
    char c = s[i];
    if (IsAnsiLeadByte(c)) {
      i += 2;
      continue;
    }
    if (IsQuote(c)) {
      i = SkipQuoted(s, i);
      continue;
    }
    if (IsExponentMark(s, i)) {
      layout.Scientific = true;
      // The exponent's own zeros are no digit placeholders.
      for (i += 2; i < s.size() && s[i] == '0';) ++i;
      continue;
    }
    if (c == '#') {
      ++digits;
    } else if (c == '0') {
      if (firstZero == INT_MAX) firstZero = digits;
      lastZero = ++digits;
    } else if (c == '.') {
      if (decimalIndex < 0) decimalIndex = digits;
    } else if (c == ',') {
      layout.Grouping = true;
    }
    ++i;
  }
  if (decimalIndex < 0) decimalIndex = digits;
  layout.IntPlaces = decimalIndex;
  layout.FracPlaces = digits - decimalIndex;
  layout.MinInt = firstZero == INT_MAX ? 0 : std::max(0, decimalIndex - firstZero);
  layout.MinFrac = std::max(0, lastZero - decimalIndex);
  return layout;
}

FloatDecimal RoundFor(double value, const SectionLayout& layout) {
  if (layout.Scientific) return FloatToDecimal(value, layout.IntPlaces + layout.FracPlaces, INT_MAX / 2);
  return FloatToDecimal(value, kMaxDigits, layout.FracPlaces);
}

// Writes one section with the value's digits.
class SectionWriter {
public:
  SectionWriter(const SectionLayout& layout, const FloatDecimal& d, const FormatSettings& fs)
      : FLayout(layout), FSettings(fs) {
    const int len = static_cast<int>(d.Digits.size());
    auto digitAt = [&](int i) { return i >= 0 && i < len ? d.Digits[static_cast<std::size_t>(i)] : '0'; };
    int fracStart;
    if (layout.Scientific) {
      // The first IntPlaces digits stand before the point; the exponent makes up the rest.
      if (len > 0)
        for (int i = 0; i < layout.IntPlaces; ++i) FInt += digitAt(i);
      fracStart = layout.IntPlaces;
      FExponent = len > 0 ? d.Exponent - layout.IntPlaces : 0;
    } else {
      for (int i = 0; i < d.Exponent && len > 0; ++i) FInt += digitAt(i);
      fracStart = d.Exponent;
    }
    if (static_cast<int>(FInt.size()) < layout.MinInt)
      FInt.insert(0, static_cast<std::size_t>(layout.MinInt) - FInt.size(), '0');
    for (int i = 0; i < layout.FracPlaces; ++i) FFrac += len > 0 ? digitAt(fracStart + i) : '0';
    while (static_cast<int>(FFrac.size()) > layout.MinFrac && FFrac.back() == '0') FFrac.pop_back();
  }

  std::string Write(std::string_view section, bool minus) {
    if (minus) FOut += '-';
    for (std::size_t i = 0; i < section.size();) {
      char c = section[i];
      if (IsAnsiLeadByte(c)) {
        FOut.append(section.substr(i, 2));
        i += 2;
      } else if (IsQuote(c)) {
        std::size_t end = SkipQuoted(section, i);
        std::size_t textEnd = end > i + 1 && end <= section.size() && section[end - 1] == c ? end - 1 : end;
        FOut.append(section.substr(i + 1, textEnd - (i + 1)));
        i = end;
      } else if (IsExponentMark(section, i)) {
        i = WriteExponent(section, i);
      } else {
        if (c == '0' || c == '#') Placeholder();
        else if (c != '.' && c != ',') FOut += c;
        ++i;
      }
    }
    return std::move(FOut);
  }

private:
  void Placeholder() {
    const int place = FPlace++;
    if (place < FLayout.IntPlaces) {
      // Placeholders are right-aligned to the integer digits; the first one also
      // takes every digit that has no placeholder of its own.
      const int len = static_cast<int>(FInt.size());
      const int fromRight = FLayout.IntPlaces - 1 - place;
      if (place == 0) {
        for (int i = 0; i < len - fromRight; ++i) IntDigit(i);
      } else if (fromRight < len) {
        IntDigit(len - 1 - fromRight);
      }
      return;
    }
    if (FLayout.IntPlaces == 0 && place == 0)
      for (int i = 0; i < static_cast<int>(FInt.size()); ++i) IntDigit(i);
    const auto frac = static_cast<std::size_t>(place - FLayout.IntPlaces);
    if (frac < FFrac.size()) {
      if (frac == 0) FOut += FSettings.DecimalSeparator;
      FOut += FFrac[frac];
    }
  }

  void IntDigit(int i) {
    FOut += FInt[static_cast<std::size_t>(i)];
    const int fromRight = static_cast<int>(FInt.size()) - 1 - i;
    if (FLayout.Grouping && fromRight > 0 && fromRight % 3 == 0 && FSettings.ThousandSeparator != '\0')
      FOut += FSettings.ThousandSeparator;
  }

  std::size_t WriteExponent(std::string_view section, std::size_t i) {
    FOut += section[i];
    const bool alwaysSign = section[i + 1] == '+';
    i += 2;
    int minDigits = 0;
    for (; i < section.size() && section[i] == '0'; ++i)
      if (minDigits < 4) ++minDigits;
    if (FExponent < 0) FOut += '-';
    else if (alwaysSign) FOut += '+';
    std::string digits = std::to_string(FExponent < 0 ? -FExponent : FExponent);
    if (static_cast<int>(digits.size()) < minDigits) FOut.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
    FOut += digits;
    return i;
  }

  const SectionLayout& FLayout;
  const FormatSettings& FSettings;
  std::string FInt, FFrac, FOut;
  int FExponent = 0;
  int FPlace = 0;
};

}  // namespace

std::string FormatFloat(std::string_view picture, double value, const FormatSettings& fs) {
  if (picture.size() > kMaxPicture) throw EConvertError("Format string too long");
  const std::vector<std::string_view> sections = SplitSections(picture);
  if (sections[0].empty() || !std::isfinite(value)) return FloatToText(value, fs.DecimalSeparator, 15);

  std::size_t use = 0;
  SectionLayout layout = ScanSection(sections[0]);
  FloatDecimal d = RoundFor(value, layout);
  if (d.Digits.empty()) {
    if (sections.size() > 2 && !sections[2].empty()) {
      use = 2;
      layout = ScanSection(sections[2]);
    }
  } else if (d.Negative && sections.size() > 1 && !sections[1].empty()) {
    // The negative section writes the magnitude with its own placeholders.
    use = 1;
    layout = ScanSection(sections[1]);
    d = RoundFor(value, layout);
  }
  if (!layout.Scientific && d.Exponent > kMaxDigits) return FloatToText(value, fs.DecimalSeparator, 15);
  SectionWriter writer(layout, d, fs);
  return writer.Write(sections[use], use == 0 && d.Negative);
}

}  // namespace rtl
