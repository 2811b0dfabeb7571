// TfsParser: the character-level scanner under every script dialect. It keeps the
// whole source and a position; callers ask for one item of a given kind at a time
// and get an empty result when it is not there, moving the position back themselves.
// Everything that differs between dialects is a setting the grammar fills in.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace fs {

class TfsParser {
public:
  TfsParser();

  // Clears the keywords and restores every setting to its default.
  void ResetSyntax();
  // Stores the source (plus a NUL sentinel), moves to position 1, rebuilds the line table.
  void LoadText(const std::string& text);

  // 1-based position; setting it also sets the token start.
  int Position() const { return FPosition; }
  void SetPosition(int position);
  int TokenStart() const { return FTokenStart; }
  // Length of the source without the sentinel.
  int Size() const { return FSize; }
  const std::string& Text() const { return FText; }

  // Settings, named after the grammar keys that set them.
  const std::string& CommentLine1() const { return FCommentLine1; }
  void SetCommentLine1(const std::string& s) { FCommentLine1 = s; }
  const std::string& CommentLine2() const { return FCommentLine2; }
  void SetCommentLine2(const std::string& s) { FCommentLine2 = s; }
  const std::string& CommentBlock1() const { return FCommentBlock1; }
  void SetBlockComment1(const std::string& pair);
  const std::string& CommentBlock2() const { return FCommentBlock2; }
  void SetBlockComment2(const std::string& pair);
  const std::string& StringQuotes() const { return FStringQuotes; }
  void SetStringQuotes(const std::string& s) { FStringQuotes = s; }
  const std::string& HexSequence() const { return FHexSequence; }
  void SetHexSequence(const std::string& s) { FHexSequence = s; }
  bool SpecStrChar() const { return FSpecStrChar; }
  void SetSpecStrChar(bool on) { FSpecStrChar = on; }
  bool SkipEOL() const { return FSkipEOL; }
  void SetSkipEOL(bool on) { FSkipEOL = on; }
  const std::string& SkipChar() const { return FSkipChar; }
  void SetSkipChar(const std::string& s) { FSkipChar = s; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool on) { FCaseSensitive = on; }
  // Replaces the identifier set by exactly these characters.
  void SetIdentifierChars(const std::string& chars);
  bool IsIdentifierChar(unsigned char c) const { return FIdentifierChars.test(c); }

  // Reserved words; kept sorted ignoring case.
  void AddKeyword(const std::string& word);
  const std::vector<std::string>& Keywords() const { return FKeywords; }
  // Keyword test under the case rule.
  bool IsReservedWord(const std::string& word) const;

  // Moves past blanks, comments and line continuations; sets the token start.
  void SkipBlanks();
  // Where the first block comment that ran to the end of the source opened (0: none
  // since the text was loaded).
  int UnterminatedComment() const { return FUnterminatedComment; }
  // True when a carriage return or line feed stands here (after blanks); consumes the run.
  bool ReadLineEnd();
  // Moves past blanks, comments and line ends; true when nothing but them was left.
  bool SkipToEndOfText();
  // An identifier-shaped word, keywords included.
  std::string ReadWord();
  // As ReadWord, but empty for a keyword (the position stays after it).
  std::string ReadIdentifier();
  // One punctuation character, without skipping blanks.
  std::string ReadSymbol();
  // A string literal, its value wrapped in apostrophes whatever the quote.
  std::string ReadStringLiteral();
  // A number's text, the hexadecimal prefix normalised to "$".
  std::string ReadNumberLiteral();
  // Raw text up to the bracket closing one already opened, without skipping blanks.
  std::string ReadBracketText();

  // The current position as "line:column".
  std::string PositionText() const;
  // "line:column" of any position.
  std::string PositionTextAt(int position) const;
  // The 1-based position of a line and column, or -1 when the line is out of range.
  int PlainPosition(int column, int line) const;
  // Entries: 0, then the position of every line feed.
  const std::vector<int>& LineTable() const { return FLines; }

private:
  unsigned char Ch(int position) const {
    return position >= 1 && position <= FSize ? static_cast<unsigned char>(FText[position - 1]) : 0;
  }
  bool TextAt(int position, const std::string& marker) const;
  bool IsBlank(unsigned char c) const { return c <= 32 && (FSkipEOL || c != 13); }
  bool SkipBlockComment(const std::string& open, const std::string& close);
  bool ReadInteger();
  bool ReadReal();
  bool ReadQuotedPart(std::string& value);
  bool ReadCharCode(std::string& value);

  std::string FText;  // source plus the NUL sentinel
  int FSize = 0;
  int FPosition = 1;
  int FTokenStart = 1;
  int FUnterminatedComment = 0;
  std::vector<int> FLines{0};

  std::string FCommentLine1, FCommentLine2;
  std::string FCommentBlock1, FCommentBlock2;
  std::string FBlock1Open, FBlock1Close, FBlock2Open, FBlock2Close;
  std::string FStringQuotes, FHexSequence, FSkipChar;
  bool FSpecStrChar = false;
  bool FSkipEOL = true;
  bool FCaseSensitive = false;
  std::bitset<256> FIdentifierChars;
  std::vector<std::string> FKeywords;
};

}  // namespace fs
