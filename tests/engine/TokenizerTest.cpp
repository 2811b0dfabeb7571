// The scanner: blank and comment skipping under the dialect settings, every read, and
// position conversion.
#include <gtest/gtest.h>

#include <string>

#include "engine/fsParser.h"
#include "rtl/Exceptions.h"

namespace fs {
namespace {

TfsParser Loaded(const std::string& text) {
  TfsParser p;
  p.LoadText(text);
  return p;
}

TEST(TokenizerTest, ResetSyntaxRestoresDefaults) {
  TfsParser p;
  p.SetCommentLine1("'");
  p.SetBlockComment1("/*,*/");
  p.SetStringQuotes("\"");
  p.SetHexSequence("0x");
  p.SetSpecStrChar(true);
  p.SetSkipEOL(false);
  p.SetSkipChar("_");
  p.SetCaseSensitive(true);
  p.SetIdentifierChars("ab");
  p.AddKeyword("begin");
  p.ResetSyntax();
  EXPECT_EQ(p.CommentLine1(), "//");
  EXPECT_EQ(p.CommentLine2(), "");
  EXPECT_EQ(p.CommentBlock1(), "{,}");
  EXPECT_EQ(p.CommentBlock2(), "(*,*)");
  EXPECT_EQ(p.StringQuotes(), "'");
  EXPECT_EQ(p.HexSequence(), "$");
  EXPECT_FALSE(p.SpecStrChar());
  EXPECT_TRUE(p.SkipEOL());
  EXPECT_EQ(p.SkipChar(), "");
  EXPECT_FALSE(p.CaseSensitive());
  EXPECT_TRUE(p.Keywords().empty());
  EXPECT_TRUE(p.IsIdentifierChar('z') && p.IsIdentifierChar('_') && p.IsIdentifierChar('7'));
  EXPECT_FALSE(p.IsIdentifierChar('$'));
}

TEST(TokenizerTest, CommentsAndBlanksBetweenWords) {
  struct Case {
    const char* Text;
    const char* Second;  // the word after "a"
  } cases[] = {
      {"a // note\r\nb", "b"},
      {"a { block\r\n } b", "b"},
      {"a (* block *) b", "b"},
      {"a {x}(*y*){z} b", "b"},
      {"a {never closed b", ""},
  };
  for (const auto& c : cases) {
    TfsParser p = Loaded(c.Text);
    EXPECT_EQ(p.ReadWord(), "a") << c.Text;
    EXPECT_EQ(p.ReadWord(), c.Second) << c.Text;
  }
  // An unterminated block comment consumes the rest without error.
  TfsParser p = Loaded("a {never closed b");
  p.ReadWord();
  p.SkipBlanks();
  EXPECT_EQ(p.Position(), p.Size() + 1);
}

TEST(TokenizerTest, LineCommentsWhereLineEndsMatter) {
  TfsParser p = Loaded("a = 1 ' note\r\n' whole line\r\nb");
  p.SetCommentLine1("'");
  p.SetSkipEOL(false);
  EXPECT_EQ(p.ReadWord(), "a");
  p.SkipBlanks();
  EXPECT_EQ(p.ReadSymbol(), "=");
  EXPECT_EQ(p.ReadNumberLiteral(), "1");
  // The comment after code leaves its line end for the grammar...
  EXPECT_TRUE(p.ReadLineEnd());
  // ...while a line holding only a comment vanishes with its line end.
  EXPECT_EQ(p.ReadWord(), "b");
  EXPECT_FALSE(p.ReadLineEnd());
}

TEST(TokenizerTest, CommentMarkersMatchAsPlainText) {
  TfsParser p = Loaded("remark = 1\r\nx");
  p.SetCommentLine2("rem");
  EXPECT_EQ(p.ReadWord(), "x");
  // Markers compare exactly: REM is no comment.
  p.LoadText("REM note");
  EXPECT_EQ(p.ReadWord(), "REM");
}

TEST(TokenizerTest, LineContinuation) {
  TfsParser p = Loaded("x = 1 _\r\n  + 2");
  p.SetSkipEOL(false);
  p.SetSkipChar("_");
  p.ReadWord();
  p.SkipBlanks();
  p.ReadSymbol();
  EXPECT_EQ(p.ReadNumberLiteral(), "1");
  p.SkipBlanks();
  EXPECT_EQ(p.ReadSymbol(), "+");
  // A long run of continuation characters is no danger to the stack.
  std::string many;
  for (int i = 0; i < 200000; ++i) many += "_ ";
  p.LoadText(many + "y");
  EXPECT_EQ(p.ReadWord(), "y");
}

TEST(TokenizerTest, WordsAndKeywords) {
  TfsParser p = Loaded("  begin Begin _x1 1abc");
  p.AddKeyword("end");
  p.AddKeyword("begin");
  EXPECT_EQ(p.ReadIdentifier(), "");  // a keyword in an identifier position
  EXPECT_EQ(p.Position(), 8);         // stays after the word
  p.SetPosition(1);
  EXPECT_EQ(p.ReadWord(), "begin");
  EXPECT_EQ(p.ReadIdentifier(), "");  // any case
  EXPECT_EQ(p.ReadIdentifier(), "_x1");
  EXPECT_EQ(p.ReadWord(), "");  // a word cannot start with a digit
  p.SetCaseSensitive(true);
  EXPECT_TRUE(p.IsReservedWord("begin"));
  EXPECT_FALSE(p.IsReservedWord("Begin"));
  p.SetIdentifierChars("ab");
  p.LoadText("abc");
  EXPECT_EQ(p.ReadWord(), "ab");
}

TEST(TokenizerTest, Symbols) {
  TfsParser p = Loaded(" :=");
  EXPECT_EQ(p.ReadSymbol(), "");  // no blank skipping
  p.SetPosition(2);
  EXPECT_EQ(p.ReadSymbol(), ":");
  EXPECT_EQ(p.ReadSymbol(), "=");
  EXPECT_EQ(p.ReadSymbol(), "");  // end of text
  for (char c : std::string("!/:@[`{~")) EXPECT_EQ(Loaded(std::string(1, c)).ReadSymbol(), std::string(1, c));
  for (char c : std::string("a0 \x7f\x80\t")) EXPECT_EQ(Loaded(std::string(1, c)).ReadSymbol(), "") << int(c);
}

TEST(TokenizerTest, StringLiterals) {
  struct Case {
    const char* Text;
    bool SpecialChar;
    const char* Quote;
    const char* Expected;
  } cases[] = {
      {"'it''s'", false, "'", "'it's'"},
      {"'a'#13#10'b'", false, "'", "'a\r\nb'"},
      {"#$41#66", false, "'", "'AB'"},
      {"'x'#", false, "'", "'x'"},
      {"\"\\\"a\\\"\"", true, "\"", "'\"a\"'"},
      {"\"\\x41\\x4Ag\"", true, "\"", "'AJg'"},
      {"\"\\q\\n\\R\"", true, "\"", "'q\n\r'"},
      {"\"a\\xz\"", true, "\"", "'az'"},
      {"\"tab\there\"", true, "\"", "'tab\there'"},
      {"\"\"", true, "\"", "''"},
      {"\"\"\"\"", false, "\"", "'\"'"},
  };
  for (const auto& c : cases) {
    TfsParser p = Loaded(c.Text);
    p.SetSpecStrChar(c.SpecialChar);
    p.SetStringQuotes(c.Quote);
    EXPECT_EQ(p.ReadStringLiteral(), c.Expected) << c.Text;
  }
}

TEST(TokenizerTest, UnterminatedStringsAreNoStrings) {
  for (const char* text : {"  'abc\r\nx'", "  'abc", "  '\\", "  'a'#13'b"}) {
    TfsParser p = Loaded(text);
    std::string r = p.ReadStringLiteral();
    if (std::string(text) == "  'a'#13'b") {
      // The valid pieces before the broken one still form the literal.
      EXPECT_EQ(r, "'a\r'");
      EXPECT_EQ(p.Position(), 9);
    } else {
      EXPECT_EQ(r, "") << text;
      EXPECT_EQ(p.Position(), 3) << text;
    }
  }
}

TEST(TokenizerTest, OversizedCharacterCodesRaise) {
  TfsParser p = Loaded("#99999999999");
  EXPECT_THROW(p.ReadStringLiteral(), rtl::EConvertError);
  p.LoadText("\"\\x1FFFFFFFF\"");
  p.SetSpecStrChar(true);
  p.SetStringQuotes("\"");
  EXPECT_THROW(p.ReadStringLiteral(), rtl::EConvertError);
  // Leading zeros do not make a code too large.
  p.LoadText("\"\\x0000000041\"");
  EXPECT_EQ(p.ReadStringLiteral(), "'A'");
}

TEST(TokenizerTest, Numbers) {
  struct Case {
    const char* Text;
    const char* Hex;
    const char* Expected;
    int After;  // position after the read
  } cases[] = {
      {"$FF", "$", "$FF", 4},       {"0xFF", "0x", "$FF", 5},     {"0x1e5", "0x", "$1e5", 6},
      {"1..5", "$", "1", 2},        {"1e5", "$", "1e5", 4},       {"1.5E-3x", "$", "1.5E-3", 7},
      {"1.e5", "$", "1", 2},        {"2e+", "$", "2", 2},         {"  42;", "$", "42", 5},
      {"$", "$", "", 1},            {"0x", "0x", "", 1},          {"x1", "$", "", 1},
      {"12.25", "0x", "12.25", 6},
  };
  for (const auto& c : cases) {
    TfsParser p = Loaded(c.Text);
    p.SetHexSequence(c.Hex);
    EXPECT_EQ(p.ReadNumberLiteral(), c.Expected) << c.Text;
    if (*c.Expected) {
      EXPECT_EQ(p.Position(), c.After) << c.Text;
    }
  }
}

TEST(TokenizerTest, BracketText) {
  struct Case {
    const char* Text;
    const char* Expected;
  } cases[] = {
      {"abc>rest", "abc"},
      {"a<b>c]d>e", "a<b>c"},
      {"x '>' \"]'\" y>z", "x '>' \"]'\" y"},
      {">", ""},
      {"never closed", "never closed"},
  };
  for (const auto& c : cases) EXPECT_EQ(Loaded(c.Text).ReadBracketText(), c.Expected) << c.Text;
}

TEST(TokenizerTest, LineEnds) {
  TfsParser p = Loaded("a  \r\n\r\n\n b");
  p.SetSkipEOL(false);
  p.ReadWord();
  EXPECT_TRUE(p.ReadLineEnd());
  EXPECT_EQ(p.ReadWord(), "b");
  EXPECT_FALSE(p.ReadLineEnd());
}

TEST(TokenizerTest, Positions) {
  TfsParser p = Loaded("ab\r\ncd\r\n\r\nef");
  EXPECT_EQ(p.PositionText(), "1:1");
  EXPECT_EQ(p.PositionTextAt(4), "1:4");  // the line feed belongs to the line it ends
  EXPECT_EQ(p.PositionTextAt(5), "2:1");
  EXPECT_EQ(p.PositionTextAt(11), "4:1");
  EXPECT_EQ(p.PositionTextAt(13), "4:3");  // just after the text
  EXPECT_EQ(p.PlainPosition(1, 1), 1);
  EXPECT_EQ(p.PlainPosition(2, 2), 6);
  EXPECT_EQ(p.PlainPosition(1, 4), 11);
  EXPECT_EQ(p.PlainPosition(1, 5), -1);
  EXPECT_EQ(p.PlainPosition(1, 0), -1);
  p.ReadWord();
  p.ReadWord();
  EXPECT_EQ(p.PositionText(), "2:3");
}

}  // namespace
}  // namespace fs
