#include "engine/fsParser.h"

#include <algorithm>

#include "engine/fsStrings.h"

namespace fs {

namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(unsigned char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Comma-text splitting of a string list: items separated by commas or blanks,
// double quotes group (a doubled quote inside stands for one).
std::vector<std::string> SplitCommaText(const std::string& s) {
  std::vector<std::string> items;
  std::size_t p = 0, n = s.size();
  auto blank = [&](std::size_t i) { return i < n && s[i] >= 1 && static_cast<unsigned char>(s[i]) <= ' '; };
  while (blank(p)) ++p;
  while (p < n && s[p] != '\0') {
    std::string item;
    if (s[p] == '"') {
      ++p;
      while (p < n) {
        if (s[p] == '"') {
          if (p + 1 < n && s[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += s[p++];
      }
    } else {
      std::size_t b = p;
      while (p < n && static_cast<unsigned char>(s[p]) > ' ' && s[p] != ',') ++p;
      item = s.substr(b, p - b);
    }
    items.push_back(item);
    while (blank(p)) ++p;
    if (p < n && s[p] == ',') {
      if (p + 1 >= n) items.emplace_back();
      do ++p;
      while (blank(p));
    }
  }
  return items;
}

void SplitPair(const std::string& pair, std::string& open, std::string& close) {
  std::vector<std::string> items = SplitCommaText(pair);
  open = items.size() > 0 ? items[0] : std::string();
  close = items.size() > 1 ? items[1] : std::string();
}

}  // namespace

TfsParser::TfsParser() {
  ResetSyntax();
  LoadText(std::string());
}

void TfsParser::ResetSyntax() {
  FKeywords.clear();
  FCommentLine1 = "//";
  FCommentLine2.clear();
  SetBlockComment1("{,}");
  SetBlockComment2("(*,*)");
  FStringQuotes = "'";
  FHexSequence = "$";
  FSpecStrChar = false;
  FSkipEOL = true;
  FSkipChar.clear();
  FCaseSensitive = false;
  FIdentifierChars.reset();
  for (int c = '0'; c <= '9'; ++c) FIdentifierChars.set(static_cast<std::size_t>(c));
  for (int c = 'A'; c <= 'Z'; ++c) FIdentifierChars.set(static_cast<std::size_t>(c));
  for (int c = 'a'; c <= 'z'; ++c) FIdentifierChars.set(static_cast<std::size_t>(c));
  FIdentifierChars.set('_');
}

void TfsParser::LoadText(const std::string& text) {
  FText = text;
  FText.push_back('\0');
  FSize = static_cast<int>(text.size());
  FPosition = FTokenStart = 1;
  FUnterminatedComment = 0;
  FLines.assign(1, 0);
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') FLines.push_back(static_cast<int>(i) + 1);
}

void TfsParser::SetPosition(int position) {
  // Every read stays within the text and its sentinel.
  position = std::clamp(position, 1, FSize + 1);
  FPosition = FTokenStart = position;
}

void TfsParser::SetBlockComment1(const std::string& pair) {
  FCommentBlock1 = pair;
  SplitPair(pair, FBlock1Open, FBlock1Close);
}

void TfsParser::SetBlockComment2(const std::string& pair) {
  FCommentBlock2 = pair;
  SplitPair(pair, FBlock2Open, FBlock2Close);
}

void TfsParser::SetIdentifierChars(const std::string& chars) {
  FIdentifierChars.reset();
  for (char c : chars) FIdentifierChars.set(static_cast<unsigned char>(c));
}

void TfsParser::AddKeyword(const std::string& word) {
  auto less = [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; };
  FKeywords.insert(std::upper_bound(FKeywords.begin(), FKeywords.end(), word, less), word);
}

bool TfsParser::IsReservedWord(const std::string& word) const {
  if (FCaseSensitive) return std::find(FKeywords.begin(), FKeywords.end(), word) != FKeywords.end();
  auto less = [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; };
  auto it = std::lower_bound(FKeywords.begin(), FKeywords.end(), word, less);
  return it != FKeywords.end() && SameText(*it, word);
}

bool TfsParser::TextAt(int position, const std::string& marker) const {
  if (marker.empty() || position < 1 || position > FSize) return false;
  if (static_cast<std::size_t>(FSize - position + 1) < marker.size()) return false;
  return FText.compare(static_cast<std::size_t>(position - 1), marker.size(), marker) == 0;
}

bool TfsParser::SkipBlockComment(const std::string& open, const std::string& close) {
  if (!TextAt(FPosition, open)) return false;
  const int opened = FPosition;
  FPosition += static_cast<int>(open.size());
  while (FPosition <= FSize && !TextAt(FPosition, close)) ++FPosition;
  // An unterminated comment consumes the rest of the source; where it opened is kept
  // for dialects that call that an error.
  if (FPosition > FSize && (FUnterminatedComment == 0 || opened < FUnterminatedComment)) FUnterminatedComment = opened;
  FPosition = FPosition <= FSize ? FPosition + static_cast<int>(close.size()) : FSize + 1;
  return true;
}

void TfsParser::SkipBlanks() {
  // A line continuation asks for a line-end read after the blanks that follow it;
  // those reads are counted here instead of nesting calls, so a long run of
  // continuation characters cannot exhaust the stack.
  int pendingLineEnds = 0;
  for (;;) {
    while (FPosition <= FSize && IsBlank(Ch(FPosition))) ++FPosition;
    if (FPosition <= FSize && !FSkipChar.empty() &&
        Ch(FPosition) == static_cast<unsigned char>(FSkipChar[0])) {
      ++FPosition;
      ++pendingLineEnds;
      continue;
    }
    if (FPosition < FSize) {
      if (TextAt(FPosition, FCommentLine1) || TextAt(FPosition, FCommentLine2)) {
        // Where line ends matter, a comment after code leaves its line end in place.
        bool toCR = FPosition > 1 && Ch(FPosition - 1) != '\n' && !FSkipEOL;
        while (FPosition <= FSize && Ch(FPosition) != '\n' && !(toCR && Ch(FPosition) == '\r')) ++FPosition;
        continue;
      }
      if (SkipBlockComment(FBlock1Open, FBlock1Close) || SkipBlockComment(FBlock2Open, FBlock2Close)) continue;
    }
    if (pendingLineEnds > 0) {
      --pendingLineEnds;
      while (FPosition <= FSize && (Ch(FPosition) == '\r' || Ch(FPosition) == '\n')) ++FPosition;
      continue;
    }
    break;
  }
  FTokenStart = FPosition;
}

bool TfsParser::ReadLineEnd() {
  SkipBlanks();
  if (FPosition > FSize || (Ch(FPosition) != '\r' && Ch(FPosition) != '\n')) return false;
  while (FPosition <= FSize && (Ch(FPosition) == '\r' || Ch(FPosition) == '\n')) ++FPosition;
  return true;
}

bool TfsParser::SkipToEndOfText() {
  while (ReadLineEnd()) {
  }
  return FPosition > FSize;
}

std::string TfsParser::ReadWord() {
  SkipBlanks();
  unsigned char c = Ch(FPosition);
  if (FPosition > FSize || !IsIdentifierChar(c) || IsDigit(c)) return std::string();
  while (FPosition <= FSize && IsIdentifierChar(Ch(FPosition))) ++FPosition;
  return FText.substr(static_cast<std::size_t>(FTokenStart - 1), static_cast<std::size_t>(FPosition - FTokenStart));
}

std::string TfsParser::ReadIdentifier() {
  std::string word = ReadWord();
  if (!word.empty() && IsReservedWord(word)) return std::string();
  return word;
}

std::string TfsParser::ReadSymbol() {
  if (FPosition > FSize) return std::string();
  unsigned char c = Ch(FPosition);
  bool punct = (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
  if (!punct) return std::string();
  ++FPosition;
  return std::string(1, static_cast<char>(c));
}

bool TfsParser::ReadQuotedPart(std::string& value) {
  unsigned char quote = static_cast<unsigned char>(FStringQuotes.empty() ? '\0' : FStringQuotes[0]);
  if (FStringQuotes.empty() || FPosition > FSize || Ch(FPosition) != quote) return false;
  for (;;) {
    ++FPosition;
    if (FPosition > FSize) return false;  // ran into the end of the text
    unsigned char c = Ch(FPosition);
    if (FSpecStrChar && c == '\\') {
      ++FPosition;
      unsigned char e = Ch(FPosition);  // the sentinel when the text ends here
      switch (LowCase(static_cast<char>(e))) {
        case 'n':
          c = '\n';
          break;
        case 'r':
          c = '\r';
          break;
        case 'x': {
          int b = FPosition + 1, p = b;
          while (p <= FSize && IsHexDigit(Ch(p))) ++p;
          FPosition = p - 1;
          if (p == b) continue;  // "\x" without digits stands for nothing
          std::string digits = "$" + FText.substr(static_cast<std::size_t>(b - 1), static_cast<std::size_t>(p - b));
          c = static_cast<unsigned char>(StrToInt(digits) & 0xFF);
          value += static_cast<char>(c);
          // A code such as \x0A is a character of the value, not a line end of the text.
          continue;
        }
        default:
          c = e;
          break;
      }
      value += static_cast<char>(c);
      if (FPosition > FSize) return false;
      if (e < 32 && e != 9) return false;
      continue;
    }
    if (c == quote) {
      if (FSpecStrChar || Ch(FPosition + 1) != quote) {
        ++FPosition;
        return true;
      }
      ++FPosition;  // doubled quote
      value += static_cast<char>(quote);
      continue;
    }
    value += static_cast<char>(c);
    if (c < 32 && c != 9) return false;  // a string does not run across a line end
  }
}

bool TfsParser::ReadInteger() {
  int start = FPosition;
  if (!FHexSequence.empty() && TextAt(FPosition, FHexSequence)) {
    FPosition += static_cast<int>(FHexSequence.size());
    if (!IsHexDigit(Ch(FPosition)) || FPosition > FSize) {
      FPosition = start;
      return false;
    }
    while (FPosition <= FSize && IsHexDigit(Ch(FPosition))) ++FPosition;
    return true;
  }
  if (FPosition > FSize || !IsDigit(Ch(FPosition))) return false;
  while (FPosition <= FSize && IsDigit(Ch(FPosition))) ++FPosition;
  return true;
}

bool TfsParser::ReadReal() {
  int start = FPosition;
  if (!ReadInteger()) return false;
  if (Ch(FPosition) == '.' && FPosition <= FSize) {
    if (!IsDigit(Ch(FPosition + 1)) || FPosition + 1 > FSize) {
      FPosition = start;
      return false;
    }
    FPosition += 1;
    while (FPosition <= FSize && IsDigit(Ch(FPosition))) ++FPosition;
  }
  unsigned char e = Ch(FPosition);
  if (FPosition <= FSize && (e == 'e' || e == 'E')) {
    int p = FPosition + 1;
    if (Ch(p) == '+' || Ch(p) == '-') ++p;
    if (p <= FSize && IsDigit(Ch(p))) {
      while (p <= FSize && IsDigit(Ch(p))) ++p;
      FPosition = p;
    }
  }
  return true;
}

bool TfsParser::ReadCharCode(std::string& value) {
  int start = FPosition;
  if (Ch(FPosition) != '#' || FPosition > FSize) return false;
  ++FPosition;
  int b = FPosition;
  if (!ReadInteger()) {
    FPosition = start;
    return false;
  }
  std::string digits = FText.substr(static_cast<std::size_t>(b - 1), static_cast<std::size_t>(FPosition - b));
  value += static_cast<char>(StrToInt(digits) & 0xFF);
  return true;
}

std::string TfsParser::ReadStringLiteral() {
  SkipBlanks();
  std::string value;
  bool any = false;
  for (;;) {
    int start = FPosition;
    std::size_t kept = value.size();
    if (ReadQuotedPart(value)) {
      any = true;
      continue;
    }
    FPosition = start;
    value.resize(kept);
    if (ReadCharCode(value)) {
      any = true;
      continue;
    }
    FPosition = start;
    value.resize(kept);
    break;
  }
  if (!any) return std::string();
  return "'" + value + "'";
}

std::string TfsParser::ReadNumberLiteral() {
  SkipBlanks();
  int start = FPosition;
  if (!ReadReal()) {
    FPosition = start;
    if (!ReadInteger()) {
      FPosition = start;
      return std::string();
    }
  }
  std::string result =
      FText.substr(static_cast<std::size_t>(FTokenStart - 1), static_cast<std::size_t>(FPosition - FTokenStart));
  if (!FHexSequence.empty() && FHexSequence != "$") {
    std::string out;
    std::size_t i = 0;
    while (i < result.size()) {
      if (result.compare(i, FHexSequence.size(), FHexSequence) == 0) {
        out += '$';
        i += FHexSequence.size();
      } else {
        out += result[i++];
      }
    }
    result = out;
  }
  return result;
}

std::string TfsParser::ReadBracketText() {
  int start = FPosition;
  int depth = 1;
  bool inDouble = false, inSingle = false;
  while (FPosition <= FSize) {
    unsigned char c = Ch(FPosition);
    if (c == '"' && !inSingle) {
      inDouble = !inDouble;
    } else if (c == '\'' && !inDouble) {
      inSingle = !inSingle;
    } else if (!inDouble && !inSingle) {
      if (c == '<' || c == '[') {
        ++depth;
      } else if (c == '>' || c == ']') {
        if (--depth == 0) break;
      }
    }
    ++FPosition;
  }
  return FText.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(FPosition - start));
}

std::string TfsParser::PositionTextAt(int position) const {
  // The line is the index of the first entry not below the position; a line feed
  // belongs to the line it ends.
  auto it = std::lower_bound(FLines.begin(), FLines.end(), position);
  std::size_t line = static_cast<std::size_t>(it - FLines.begin());
  if (line == 0) line = 1;  // positions start at 1, above the leading 0
  return std::to_string(line) + ":" + std::to_string(position - FLines[line - 1]);
}

std::string TfsParser::PositionText() const { return PositionTextAt(FPosition); }

int TfsParser::PlainPosition(int column, int line) const {
  if (line - 1 < 0 || line - 1 >= static_cast<int>(FLines.size())) return -1;
  return column + FLines[static_cast<std::size_t>(line - 1)];
}

}  // namespace fs
