#include "rtl/FormatMaskText.h"

#include <vector>

#include "rtl/CodePage.h"

namespace rtl {

namespace {

enum class MaskKind : unsigned char { Position, Literal, Separator, Directive, FieldSeparator, Field };

// The blank that fills gaps; the mask's own blank field is not used.
constexpr char kBlank = ' ';
// Field separators are recognised only this close to the end of the mask.
constexpr std::size_t kFieldTail = 4;

bool IsMaskPosition(char c) noexcept {
  switch (c) {
    case '0': case 'A': case 'C': case 'L': case '9': case '#': case 'a': case 'c': case 'l': return true;
    default: return false;
  }
}

struct PictureChar {
  MaskKind Kind;
  char Out;  // what a literal or separator writes
};

struct ParsedMask {
  std::vector<PictureChar> Picture;  // directives included, fields left out
  bool Insertion = false;
  bool RightAligned = false;
  std::size_t EditPositions = 0;
};

ParsedMask ParseMask(std::string_view mask, const FormatSettings& fs) {
  const std::size_t len = mask.size();
  std::vector<MaskKind> kinds(len, MaskKind::Literal);
  ParsedMask parsed;
  bool escaped = false, trail = false;
  for (std::size_t i = 0; i < len; ++i) {
    const char c = mask[i];
    const bool inTail = len >= kFieldTail && i >= len - kFieldTail;
    if (trail) {
      trail = false;  // second byte of a double-byte character
    } else if (IsAnsiLeadByte(c)) {
      trail = true;
      escaped = false;
    } else if (escaped) {
      escaped = false;
    } else if (c == ';' && inTail) {
      kinds[i] = MaskKind::FieldSeparator;
    } else if (i > 0 && kinds[i - 1] == MaskKind::FieldSeparator) {
      kinds[i] = MaskKind::Field;
    } else if (c == '\\') {
      kinds[i] = MaskKind::Directive;
      escaped = true;
    } else if (c == '!' || c == '<' || c == '>') {
      kinds[i] = MaskKind::Directive;
      if (c == '!') parsed.RightAligned = true;
    } else if (IsMaskPosition(c)) {
      kinds[i] = MaskKind::Position;
    } else if (c == '/' || c == ':') {
      kinds[i] = MaskKind::Separator;
    }
  }

  bool firstSeparator = true;
  for (std::size_t i = 0; i < len; ++i) {
    MaskKind kind = kinds[i];
    if (kind == MaskKind::FieldSeparator) {
      // The first separator's field decides: "0" means the value lacks the literals.
      if (firstSeparator && i + 1 < len && kinds[i + 1] == MaskKind::Field && mask[i + 1] == '0')
        parsed.Insertion = true;
      firstSeparator = false;
      continue;
    }
    if (kind == MaskKind::Field) continue;
    char out = mask[i];
    if (kind == MaskKind::Separator) {
      // A separator is a literal that writes the locale's character.
      const char local = out == '/' ? fs.DateSeparator : fs.TimeSeparator;
      if (local != '\0') out = local;
      kind = MaskKind::Literal;
    }
    parsed.Picture.push_back({kind, out});
    if (kind != MaskKind::Directive) ++parsed.EditPositions;
  }
  return parsed;
}

// Makes text[from, to) exactly `length` characters: blanks added at its end (at its
// start when right-aligned), surplus cut from its end (from its start).
void FitStretch(std::string& text, std::size_t from, std::size_t to, std::size_t length, bool right) {
  const std::size_t have = to - from;
  if (have < length) text.insert(right ? from : to, length - have, kBlank);
  else if (have > length) text.erase(right ? from : from + length, have - length);
}

std::string Insert(const ParsedMask& m, std::string text) {
  if (!m.RightAligned) {
    std::size_t p = 0;  // where the next literal goes
    for (const PictureChar& pc : m.Picture) {
      if (pc.Kind == MaskKind::Literal) {
        text.insert(p++, 1, pc.Out);
      } else if (pc.Kind == MaskKind::Position) {
        if (text.size() <= p) text.push_back(kBlank);
        ++p;
      }
    }
    return text;
  }
  // Right-aligned: fill from the end, so surplus characters stay at the front.
  std::size_t c = text.size();
  for (auto it = m.Picture.rbegin(); it != m.Picture.rend(); ++it) {
    if (it->Kind == MaskKind::Literal) {
      text.insert(c, 1, it->Out);
    } else if (it->Kind == MaskKind::Position) {
      if (c >= 1) --c;
      else text.insert(0, 1, kBlank);
    }
  }
  return text;
}

std::string Match(const ParsedMask& m, std::string text) {
  std::size_t prev = 0, j = 0;
  for (const PictureChar& pc : m.Picture) {
    if (pc.Kind == MaskKind::Directive) continue;
    ++j;
    if (pc.Kind != MaskKind::Literal) continue;
    std::size_t at = text.find(pc.Out, prev);
    if (at == std::string::npos) {
      text.push_back(pc.Out);
      at = text.size() - 1;
    }
    FitStretch(text, prev, at, j - prev - 1, m.RightAligned);
    prev = j;
  }
  if (text.size() != m.EditPositions) FitStretch(text, prev, text.size(), m.EditPositions - prev, m.RightAligned);
  // Spaces at mask positions would become the blank character here; the blank is
  // always the space, so the text is final.
  return text;
}

}  // namespace

std::string FormatMaskText(std::string_view editMask, std::string_view value, const FormatSettings& fs) {
  const ParsedMask m = ParseMask(editMask, fs);
  return m.Insertion ? Insert(m, std::string(value)) : Match(m, std::string(value));
}

}  // namespace rtl
