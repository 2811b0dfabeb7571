// The grammar-driven parser over small grammars of its own: element kinds, output,
// error recording, units, the dialect registry and the nesting limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "engine/fsDialects.h"
#include "engine/fsILParser.h"
#include "engine/fsScript.h"
#include "engine/fsStrings.h"
#include "platform/Process.h"
#include "rtl/Exceptions.h"

namespace fs {
namespace {

const char* const kErrors =
    "<errors><err1 text=\"Identifier expected\"/><err2 text=\"Expression expected\"/>"
    "<err5 text=\"';' expected\"/><err6 text=\"'.' expected\"/><err7 text=\"')' expected\"/>"
    "<err9 text=\"'=' expected\"/><err13 text=\"'THEN' expected\"/><err20 text=\"'&#62;' expected\"/></errors>";

// A small Pascal-like dialect: uses, const section, begin-end block, assignments,
// calls, if, expressions with "+", parentheses and angle-bracket texts.
const std::string kMini = std::string("<?xml version=\"1.0\"?><language text=\"Mini\"><parser>") +
                          "<keywords><begin/><end/><const/><uses/><if/><then/></keywords>" + kErrors +
                          "</parser><types><int type=\"integer\"/></types>"
                          "<program><optional><usesclause/></optional><optionalloop><constsection/></optionalloop>"
                          "<compoundstmt err=\"err5\"/><char text=\".\" err=\"err6\"/></program>"
                          "<usesclause node=\"uses\"><keyword text=\"uses\"/>"
                          "<loop text=\",\"><string add=\"file\" err=\"err1\"/></loop><char text=\";\" err=\"err5\"/>"
                          "</usesclause>"
                          "<constsection><keyword text=\"const\"/><loop><constantdecl/></loop></constsection>"
                          "<constantdecl node=\"const\"><ident add=\"ident\" err=\"err1\" term=\"1\"/>"
                          "<char text=\"=\" err=\"err9\"/><expression err=\"err2\"/><char text=\";\" err=\"err5\"/>"
                          "</constantdecl>"
                          "<compoundstmt node=\"compoundstmt\"><keyword text=\"begin\"/>"
                          "<loop text=\";\"><statement/></loop><keyword text=\"end\" err=\"err5\"/></compoundstmt>"
                          "<statement><optionalswitch><assignstmt/><ifstmt/><callstmt/><compoundstmt/>"
                          "</optionalswitch></statement>"
                          "<assignstmt node=\"assignstmt\"><designator/><char text=\":\"/>"
                          "<char text=\"=\" skip=\"0\" err=\"err9\"/><expression err=\"err2\"/></assignstmt>"
                          "<ifstmt node=\"ifstmt\"><keyword text=\"if\"/><expression err=\"err2\"/>"
                          "<keyword text=\"then\" err=\"err13\"/><statement node=\"thenstmt\"/></ifstmt>"
                          "<callstmt node=\"callstmt\"><designator/></callstmt>"
                          "<designator node=\"dsgn\"><ident add=\"node\"/><optional><char text=\"(\"/>"
                          "<loop text=\",\"><expression/></loop><char text=\")\" err=\"err7\"/></optional></designator>"
                          "<expression node=\"expr\"><factor/><optionalloop><char text=\"+\" add=\"op\"/>"
                          "<factor err=\"err2\"/></optionalloop></expression>"
                          "<factor><switch><designator/><number add=\"number\"/><string add=\"string\"/>"
                          "<sequence><char text=\"(\" add=\"op\"/><expression err=\"err2\"/>"
                          "<char text=\")\" add=\"op\" err=\"err7\"/></sequence>"
                          "<sequence><char text=\"&#60;\"/><frstring/><char text=\"&#62;\" err=\"err20\"/></sequence>"
                          "</switch></factor>"
                          "</language>";

std::string Grammar(const std::string& name, const std::string& parser, const std::string& rules) {
  return "<?xml version=\"1.0\"?><language text=\"" + name + "\"><parser>" + parser + kErrors + "</parser>" + rules +
         "</language>";
}

class ILParserTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterDialect("Mini", kMini); }

  // Parses source lines (joined with CR LF) and returns the tree without the header.
  bool Parse(const std::string& dialect, const std::string& source) {
    FScript.SetLinesText(source);
    TfsILParser parser(&FScript);
    parser.SelectDialect(dialect);
    bool ok = parser.BuildProgramTree(FScript.LinesText());
    FTree.clear();
    if (ok) {
      FTree = parser.ProgramTree().SaveToString();
      FTree.erase(0, FTree.find("<program>"));
    }
    return ok;
  }
  std::string Error() const { return FScript.LastErrorPos() + ": " + FScript.LastErrorText(); }

  TfsScript FScript;
  std::string FTree;
};

TEST_F(ILParserTest, WritesTheProgramTree) {
  ASSERT_TRUE(Parse("Mini", "begin\n  x := f(1, 'a') + (2)\nend."));
  EXPECT_EQ(FTree,
            "<program><compoundstmt pos=\"1:1\"><assignstmt pos=\"2:3\"><dsgn pos=\"2:3\">"
            "<node text=\"x\" pos=\"2:4\"/></dsgn><expr pos=\"2:8\" pos1=\"2:23\"><dsgn pos=\"2:8\">"
            "<node text=\"f\" pos=\"2:9\"/><expr pos=\"2:10\" pos1=\"2:11\"><number text=\"1\" pos=\"2:11\"/></expr>"
            "<expr pos=\"2:13\" pos1=\"2:16\"><string text=\"'a'\" pos=\"2:16\"/></expr></dsgn>"
            "<op text=\"+\" pos=\"2:19\"/><op text=\"(\" pos=\"2:21\"/><expr pos=\"2:21\" pos1=\"2:22\">"
            "<number text=\"2\" pos=\"2:22\"/></expr><op text=\")\" pos=\"2:23\"/></expr></assignstmt>"
            "</compoundstmt><types><int type=\"integer\"/></types></program>");
  EXPECT_EQ(FScript.LastErrorText(), "");
  EXPECT_EQ(FScript.LastErrorPos(), "");
}

TEST_F(ILParserTest, ReportsTheFirstMissingItem) {
  struct Case {
    const char* Source;
    const char* Error;
  } cases[] = {
      {"begin\n  a := 1\n  b := 2\nend.", "3:3: ';' expected"},
      {"begin a := end.", "1:12: Expression expected"},
      {"begin a : = 1 end.", "1:11: '=' expected"},  // ":=" cannot be split by a blank
      {"begin if a b end.", "1:12: 'THEN' expected"},
      {"begin f(1 end.", "1:11: ')' expected"},
      {"begin a := <> end.", "1:12: Expression expected"},
      {"begin a := <abc", "2:1: '>' expected"},
      {"begin end", "2:1: '.' expected"},  // the line end of the last line comes first
      {"const a = 1; b 2; begin end.", "1:16: '=' expected"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Parse("Mini", c.Source)) << c.Source;
    EXPECT_EQ(Error(), c.Error) << c.Source;
    EXPECT_EQ(FTree, "");
  }
}

TEST_F(ILParserTest, TerminalErrorsOnlyEndAList) {
  // The ident error of a constant carries term: "begin" ends the list quietly.
  ASSERT_TRUE(Parse("Mini", "const a = 1; b = 2;\nbegin end.")) << Error();
  EXPECT_EQ(FTree,
            "<program><const pos=\"1:7\"><ident text=\"a\" pos=\"1:8\"/><expr pos=\"1:11\" pos1=\"1:12\">"
            "<number text=\"1\" pos=\"1:12\"/></expr></const><const pos=\"1:14\"><ident text=\"b\" pos=\"1:15\"/>"
            "<expr pos=\"1:18\" pos1=\"1:19\"><number text=\"2\" pos=\"1:19\"/></expr></const>"
            "<compoundstmt pos=\"2:1\"/><types><int type=\"integer\"/></types></program>");
  // A first item missing is an error all the same.
  EXPECT_FALSE(Parse("Mini", "const begin end."));
  EXPECT_EQ(Error(), "1:7: Identifier expected");
}

TEST_F(ILParserTest, AFailedAlternativeSpoilsTheParse) {
  RegisterDialect("Spoil", Grammar("Spoil", "<keywords/>",
                                   "<program><switch><sequence><keyword text=\"a\"/><keyword text=\"b\" err=\"err1\"/>"
                                   "</sequence><sequence><keyword text=\"a\" add=\"a\"/><keyword text=\"c\"/>"
                                   "</sequence></switch></program>"));
  EXPECT_FALSE(Parse("Spoil", "a c"));
  EXPECT_EQ(Error(), "1:3: Identifier expected");
  EXPECT_TRUE(Parse("Spoil", "a b"));
}

TEST_F(ILParserTest, ADialectRegisteredAgainParsesWithItsNewGrammar) {
  RegisterDialect("Again", Grammar("Again", "<keywords/>", "<program><keyword text=\"one\"/></program>"));
  EXPECT_TRUE(Parse("Again", "one"));
  EXPECT_FALSE(Parse("Again", "two"));
  RegisterDialect("Again", Grammar("Again", "<keywords/>", "<program><keyword text=\"two\"/></program>"));
  EXPECT_TRUE(Parse("Again", "two"));
  EXPECT_FALSE(Parse("Again", "one"));
}

TEST_F(ILParserTest, ElementKinds) {
  // Each case: rules, source, expected tree (without the types element) or "" for failure.
  struct Case {
    const char* Rules;
    const char* Source;
    const char* Tree;
  } cases[] = {
      // Token comparison ignores case unless the dialect is case-sensitive.
      {"<program><keyword text=\"BEGIN\" add=\"k\"/></program>", "Begin", "<k text=\"Begin\" pos=\"1:6\"/>"},
      {"<program><ident add=\"i\"/></program>", "begin", ""},
      {"<program><ident text=\"x\"/></program>", "y", ""},
      // addtext replaces the token; a non-token element adds an empty text.
      {"<program><char text=\"!\" add=\"op\" addtext=\"not\"/><empty add=\"inverse\"/></program><empty/>", "!",
       "<op text=\"not\" pos=\"1:2\"/><inverse text=\"\" pos=\"1:2\"/>"},
      // An optionalswitch or optional that fails leaves nothing consumed.
      {"<program><optional><number add=\"n\"/><char text=\";\"/></optional><number add=\"m\"/></program>", "1 2",
       "<n text=\"1\" pos=\"1:2\"/><m text=\"1\" pos=\"1:2\"/>"},
      {"<program><optionalswitch><char text=\"x\"/></optionalswitch><number add=\"n\"/></program>", "5",
       "<n text=\"5\" pos=\"1:2\"/>"},
      // A separator that no pass follows stays consumed.
      {"<program><loop text=\",\"><number add=\"n\"/></loop><char text=\";\"/></program>", "1, 2,;",
       "<n text=\"1\" pos=\"1:2\"/><n text=\"2\" pos=\"1:5\"/>"},
      {"<program><loop><number add=\"n\"/></loop></program>", "x", ""},
      {"<program><optionalloop><number add=\"n\"/></optionalloop><ident add=\"i\"/></program>", "x",
       "<i text=\"x\" pos=\"1:2\"/>"},
      // A loop whose pass consumes nothing stops.
      {"<program><loop><optional><number add=\"n\"/></optional></loop><ident add=\"i\"/></program>", "1 2 x",
       "<n text=\"1\" pos=\"1:2\"/><n text=\"2\" pos=\"1:4\"/><i text=\"x\" pos=\"1:6\"/>"},
      // A node on an element wraps only the rule's output; its add and children follow.
      {"<program><item node=\"wrap\" add=\"after\"><number add=\"child\"/></item></program>"
       "<item><ident add=\"inner\"/></item>",
       "a 7",
       "<wrap pos=\"1:1\"><inner text=\"a\" pos=\"1:2\"/></wrap><after text=\"\" pos=\"1:2\"/>"
       "<child text=\"7\" pos=\"1:4\"/>"},
      // A failed rule with a node takes back its lines; the next alternative is clean.
      {"<program><switch><both/><number add=\"n\"/></switch></program>"
       "<both node=\"both\"><number add=\"n\"/><ident/></both>",
       "1", "<n text=\"1\" pos=\"1:2\"/>"},
      // An empty bracket text is no match, and the designator lines go with the rule.
      {"<program><switch><fr/><char text=\"&#60;\" add=\"lt\"/></switch></program>"
       "<fr node=\"x\"><char text=\"&#60;\"/><frstring/></fr>",
       "<>", "<lt text=\"&#60;\" pos=\"1:2\"/>"},
      {"<program><char text=\"&#60;\"/><frstring/><char text=\"&#62;\"/></program>", "<a<b>c>",
       "<dsgn pos=\"1:7\"><node text=\"Get\" pos=\"1:7\"/><expr pos=\"1:7\"><string text=\"'a&#60;b&#62;c'\" "
       "pos=\"1:7\"/></expr></dsgn>"},
      // Line ends are seen where skipeol is off.
      {"<program><loop><ident add=\"i\"/><eol add=\"eol\"/></loop></program>", "a\nb",
       "<i text=\"a\" pos=\"1:2\"/><eol text=\"\" pos=\"2:1\"/><i text=\"b\" pos=\"2:2\"/><eol text=\"\" pos=\"3:1\"/>"},
  };
  int n = 0;
  for (const auto& c : cases) {
    std::string name = "Kinds" + std::to_string(n++);
    std::string parser = std::string("<keywords><begin/></keywords>") +
                         (std::string(c.Rules).find("<eol") != std::string::npos ? "<skipeol text=\"0\"/>" : "");
    RegisterDialect(name, Grammar(name, parser, c.Rules));
    bool ok = Parse(name, c.Source);
    if (!*c.Tree) {
      EXPECT_FALSE(ok) << c.Rules;
      continue;
    }
    ASSERT_TRUE(ok) << c.Rules << " " << Error();
    EXPECT_EQ(FTree, "<program>" + std::string(c.Tree) + "<types/></program>") << c.Rules;
  }
}

TEST_F(ILParserTest, ParserSettingsComeFromTheGrammar) {
  RegisterDialect("CaseDialect",
                  Grammar("CaseDialect",
                          "<casesensitive text=\"1\"/><stringquotes text=\"&#34;\"/><specstrchar text=\"1\"/>"
                          "<hexsequence text=\"0x\"/><commentline1 text=\"#\"/><commentblock1 text=\"/*,*/\"/>"
                          "<identchars text=\"abcdefghijklmnopqrstuvwxyzIF_\"/><declarevars text=\"0\"/>"
                          "<keywords><if/></keywords>",
                          "<program><keyword text=\"IF\"/><string add=\"s\"/><number add=\"n\"/>"
                          "<ident add=\"i\"/></program>"));
  EXPECT_TRUE(Parse("CaseDialect", "if /* c */ \"a\\n\" # c\n 0x1F IF"));
  EXPECT_EQ(FTree,
            "<program><s text=\"'a&#10;'\" pos=\"1:17\"/><n text=\"$1F\" pos=\"2:6\"/>"
            "<i text=\"IF\" pos=\"2:9\"/><types/></program>");
  EXPECT_FALSE(Parse("CaseDialect", "IF \"a\" 1 x"));  // keywords in lower case only
  TfsILParser parser(&FScript);
  parser.SelectDialect("CaseDialect");
  EXPECT_FALSE(parser.DeclareVars());
  parser.SelectDialect("Mini");
  EXPECT_TRUE(parser.DeclareVars());
  EXPECT_FALSE(parser.Parser().CaseSensitive());
}

TEST_F(ILParserTest, LanguageDirectiveSwitchesTheDialect) {
  RegisterDialect("Other", Grammar("Other", "", "<program><number add=\"n\"/></program>"));
  FScript.SetSyntaxType("Mini");
  ASSERT_TRUE(Parse("Mini", "#language  Other \n42")) << Error();
  EXPECT_EQ(FTree, "<program><n text=\"42\" pos=\"2:3\"/><types/></program>");
  ASSERT_TRUE(Parse("Mini", "#LANGUAGE Other\r\n\r\n7"));
  try {
    Parse("Mini", "#language Nowhere\nbegin end.");
    ADD_FAILURE() << "no error for an unknown dialect";
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.Message(), "Language 'Nowhere' not found");
  }
  // Anything else after "#" is the dialect's own text.
  EXPECT_FALSE(Parse("Mini", "#lang Other\n42"));
}

TEST_F(ILParserTest, GrammarFaults) {
  TfsILParser parser(&FScript);
  try {
    parser.SelectDialect("NoSuchDialect");
    ADD_FAILURE();
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.Message(), "Language 'NoSuchDialect' not found");
  }
  RegisterDialect("Broken", "<?xml version=\"1.0\"?><language><program></language>");
  try {
    parser.SelectDialect("broken");
    ADD_FAILURE();
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid file format");
  }
  // A missing rule fails only where matching reaches it.
  RegisterDialect("Missing", Grammar("Missing", "", "<program><switch><number/><nowhere/></switch></program>"));
  EXPECT_TRUE(Parse("Missing", "1"));
  try {
    Parse("Missing", "x");
    ADD_FAILURE();
  } catch (const rtl::Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid language definition");
  }
  // A grammar without a start rule matches nothing and succeeds.
  RegisterDialect("Empty", Grammar("Empty", "", ""));
  EXPECT_TRUE(Parse("Empty", "whatever"));
  EXPECT_EQ(FTree, "<program><types/></program>");
  // A start rule that fails without a reportable element: no tree, no text.
  RegisterDialect("Quiet", Grammar("Quiet", "", "<program><number/></program>"));
  EXPECT_FALSE(Parse("Quiet", "x"));
  EXPECT_EQ(FScript.LastErrorText(), "");
  EXPECT_EQ(FScript.LastErrorPos(), "");
}

TEST_F(ILParserTest, RegistryReplacesByNameIgnoringCase) {
  RegisterDialect("Twice", Grammar("Twice", "", "<program><number/></program>"));
  RegisterDialect("TWICE", Grammar("Twice", "", "<program><ident/></program>"));
  EXPECT_TRUE(Parse("twice", "x"));
  int count = 0;
  for (const auto& n : DialectNames()) count += n == "Twice" || n == "TWICE";
  EXPECT_EQ(count, 1);
  EXPECT_NE(FindDialectGrammar("tWiCe").find("<ident/>"), std::string::npos);
}

#ifndef _WIN32
// A unit named by a named pipe would keep the compile waiting for a writer for ever.
TEST_F(ILParserTest, AUnitThatIsNoRegularFileIsRefused) {
  const std::string fifo = (std::filesystem::temp_directory_path() /
                            ("velmora-unit-fifo-" + std::to_string(platform::CurrentProcessId()) + ".pas"))
                               .string();
  std::filesystem::remove(fifo);
  ASSERT_EQ(std::system(("mkfifo '" + fifo + "'").c_str()), 0);
  // Passed over before it is opened (a pipe would wait for a writer): no unit file
  // is there, so the compile fails at the uses clause.
  EXPECT_FALSE(Parse("Mini", "uses '" + fifo + "';\nbegin end."));
  EXPECT_EQ(Error(), "1:1: File not found");
  std::filesystem::remove(fifo);
}
#endif

class ILParserUnitTest : public ILParserTest {
protected:
  void SetUp() override {
    FScript.OnGetUnit = [this](TfsScript* sender, const std::string& name, std::string& text) {
      EXPECT_EQ(sender, &FScript);
      FRequested.push_back(name);
      auto it = FUnits.find(LowerCase(name));
      if (it != FUnits.end()) text = it->second;
    };
  }
  std::map<std::string, std::string> FUnits;
  std::vector<std::string> FRequested;
};

TEST_F(ILParserUnitTest, UnitsComeBeforeTheCodeThatListsThem) {
  FUnits["a.pas"] = "const a = 1;\r\nbegin end.\r\n";
  FUnits["b.pas"] = "begin b end.\r\n";
  ASSERT_TRUE(Parse("Mini", "uses 'a.pas', 'b.pas';\nbegin end.")) << Error();
  EXPECT_EQ(FRequested, (std::vector<std::string>{"b.pas", "a.pas"}));
  EXPECT_EQ(FTree,
            "<program><uses unit=\"b.pas\"><program><compoundstmt pos=\"1:1\"><callstmt pos=\"1:7\">"
            "<dsgn pos=\"1:7\"><node text=\"b\" pos=\"1:8\"/></dsgn></callstmt></compoundstmt><types>"
            "<int type=\"integer\"/></types></program></uses><uses unit=\"a.pas\"><program><const pos=\"1:7\">"
            "<ident text=\"a\" pos=\"1:8\"/><expr pos=\"1:11\" pos1=\"1:12\"><number text=\"1\" pos=\"1:12\"/>"
            "</expr></const><compoundstmt pos=\"2:1\"/><types><int type=\"integer\"/></types></program></uses>"
            "<compoundstmt pos=\"2:1\"/><types><int type=\"integer\"/></types></program>");
}

TEST_F(ILParserUnitTest, AUnitIsIncludedOnce) {
  FUnits["a.pas"] = "uses 'B.PAS';\r\nbegin end.\r\n";
  FUnits["b.pas"] = "uses 'a.pas';\r\nbegin end.\r\n";
  ASSERT_TRUE(Parse("Mini", "uses 'b.pas', 'a.pas', 'A.pas';\nbegin end.")) << Error();
  // The last listed comes first and brings B.PAS; a.pas and b.pas are then included.
  EXPECT_EQ(FRequested, (std::vector<std::string>{"A.pas", "B.PAS"}));
  EXPECT_EQ(FTree.find("unit=\"b.pas\""), std::string::npos);
  EXPECT_EQ(FTree.find("unit=\"a.pas\""), std::string::npos);
  EXPECT_EQ(FTree.rfind("<program><uses unit=\"A.pas\"><program><uses unit=\"B.PAS\"><program>", 0), 0u) << FTree;
}

TEST_F(ILParserUnitTest, AFailedUsesClauseStillIncludesItsUnits) {
  FUnits["a.pas"] = "begin end.\r\n";
  EXPECT_FALSE(Parse("Mini", "uses 'a.pas' begin end."));
  EXPECT_EQ(Error(), "1:14: ';' expected");
  EXPECT_EQ(FRequested, (std::vector<std::string>{"a.pas"}));
}

TEST_F(ILParserUnitTest, AnEmptyUnitContributesNothing) {
  ASSERT_TRUE(Parse("Mini", "uses 'none.pas';\nbegin end.")) << Error();
  EXPECT_EQ(FTree.rfind("<program><uses unit=\"none.pas\"/><compoundstmt", 0), 0u) << FTree;
}

TEST_F(ILParserUnitTest, AnErrorInAUnitNamesTheUnit) {
  FUnits["ok.pas"] = "uses 'bad.pas';\r\nbegin end.\r\n";
  FUnits["bad.pas"] = "begin\r\n  x := \r\nend.\r\n";
  EXPECT_FALSE(Parse("Mini", "uses 'ok.pas';\nbegin end."));
  EXPECT_EQ(Error(), "3:1: Expression expected");
  EXPECT_EQ(FScript.LastErrorUnit(), "bad.pas");
}

TEST_F(ILParserTest, UnitsFromTheIncludeDirectories) {
  std::string dir = ::testing::TempDir() + "h1_units";
  std::remove((dir + "/u1.pas").c_str());
  {
    std::ofstream(dir + "_u0.pas") << "begin zero end.";
  }
  FScript.IncludeDirs() = {::testing::TempDir(), ""};
  ASSERT_TRUE(Parse("Mini", "uses 'h1_units_u0.pas';\nbegin end.")) << Error();
  EXPECT_NE(FTree.find("<node text=\"zero\""), std::string::npos);
  std::remove((dir + "_u0.pas").c_str());
  // A unit that is nowhere is a syntax error at its uses clause, not an exception.
  EXPECT_FALSE(Parse("Mini", "\n  uses 'h1_units_missing.pas';\nbegin end."));
  EXPECT_EQ(Error(), "2:3: File not found");
}

TEST_F(ILParserTest, NestingDeeperThanTheLimitIsASyntaxError) {
  std::string deep = "begin x := ";
  for (int i = 0; i < 100000; ++i) deep += "(";
  EXPECT_FALSE(Parse("Mini", deep + "1 end."));
  EXPECT_EQ(FScript.LastErrorText(), kNestingTooDeep);
  EXPECT_EQ(FScript.LastErrorPos().compare(0, 2, "1:"), 0);
  // Statement nesting and nesting through units meet the same limit.
  std::string blocks;
  for (int i = 0; i < 20000; ++i) blocks += "begin ";
  EXPECT_FALSE(Parse("Mini", blocks));
  EXPECT_EQ(FScript.LastErrorText(), kNestingTooDeep);
  // Realistic nesting is far from it.
  std::string fifty = "begin x := ";
  for (int i = 0; i < 50; ++i) fifty += "(";
  fifty += "1";
  for (int i = 0; i < 50; ++i) fifty += ")";
  EXPECT_TRUE(Parse("Mini", fifty + " end.")) << Error();
}

TEST_F(ILParserUnitTest, UnitChainsMeetTheNestingLimit) {
  for (int i = 0; i < 2000; ++i)
    FUnits["u" + std::to_string(i)] = "uses 'u" + std::to_string(i + 1) + "';\r\nbegin end.\r\n";
  EXPECT_FALSE(Parse("Mini", "uses 'u0';\nbegin end."));
  EXPECT_EQ(FScript.LastErrorText(), kNestingTooDeep);
  EXPECT_NE(FScript.LastErrorUnit(), "");
}

TEST(ILParserDialectsTest, EmbeddedGrammarsAreRegisteredAndBounded) {
  std::vector<std::string> names = DialectNames();
  for (const char* dialect : {"PascalScript", "C++Script", "JScript", "BasicScript"}) {
    if (std::find(names.begin(), names.end(), dialect) == names.end()) {
      ADD_FAILURE() << dialect << " is not registered";
      continue;
    }
    // Whatever the dialect, deep nesting ends as a syntax error with a position.
    std::string deep(100000, '(');
    TfsScript script;
    script.SetSyntaxType(dialect);
    TfsILParser parser(&script);
    parser.SelectDialect(dialect);
    std::map<std::string, std::string> starts = {{"PascalScript", "begin x := "}, {"C++Script", "{ x = "}};
    std::string source = (starts.count(dialect) ? starts[dialect] : std::string("x = ")) + deep + "\r\n";
    EXPECT_FALSE(parser.BuildProgramTree(source)) << dialect;
    EXPECT_EQ(script.LastErrorText(), kNestingTooDeep) << dialect;
    EXPECT_FALSE(script.LastErrorPos().empty()) << dialect;
  }
}

}  // namespace
}  // namespace fs
