// Highlighting classes per dialect: a table of source lines and the class of each of
// their characters (1 text, 3 comment, 4 keyword, 5 string), and the classes kept
// right when only changed lines are classified again.
#include <gtest/gtest.h>

#include "ui/fsSyntaxHighlighter.h"

using namespace ui;

namespace {

std::string Classes(const std::string& attr) {
  std::string s;
  for (char c : attr) s += static_cast<unsigned char>(c) < 10 ? static_cast<char>('0' + c) : c;
  return s;
}

std::vector<std::string> Highlight(TSyntaxType type, const std::vector<std::string>& lines) {
  TfsSyntaxHighlighter h(type);
  h.Highlight(lines);
  std::vector<std::string> out;
  for (const std::string& a : h.AttrLines()) out.push_back(Classes(a));
  return out;
}

struct Case {
  TSyntaxType Type;
  std::vector<std::string> Lines;
  std::vector<std::string> Expected;  // the class strings, then the closing " "
};

}  // namespace

TEST(SyntaxHighlight, ClassesPerDialect) {
  const Case cases[] = {
      {stPascal, {"Begin x := 'a''b'; end"}, {"4444411111155555511444", " "}},
      {stPascal, {"(* c *)x begin1 12"}, {"333333311111111111", " "}},
      {stPascal, {"a { open", "still }b"}, {"11333333", "33333331", " "}},
      {stPascal, {"{ never closed", "  more"}, {"33333333333333", "333333", " "}},
      {stPascal, {"(*)x // rest"}, {"333113333333", " "}},
      {stCpp, {"int x; // note", "#include \"a.h\""}, {"44411113333333", "14444444155555", " "}},
      {stCpp, {"/* a", "b */ return"}, {"3333", "33331444444", " "}},
      {stJs, {"var s = \"x y\"; function"}, {"44411111555551144444444", " "}},
      {stVB, {"' not a comment", "Rem x"}, {"114441111111111", "44411", " "}},
      {stSQL, {"select -- c", "\"s\" 'plain' From"}, {"44444413333", "5551111111114444", " "}},
      {stText, {"begin 'x' // y"}, {"11111111111111", " "}},
  };
  for (const Case& c : cases) EXPECT_EQ(Highlight(c.Type, c.Lines), c.Expected) << c.Lines[0];
}

TEST(SyntaxHighlight, ControlCharactersKeepTheirCode) {
  EXPECT_EQ(Highlight(stPascal, {"\tend"}), (std::vector<std::string>{"9444", " "}));
}

TEST(SyntaxHighlight, UpdatesOnlyWhatCanChange) {
  std::vector<std::string> lines(1000, "x := 1; // line");
  TfsSyntaxHighlighter h(stPascal);
  h.Highlight(lines);
  h.TakeClassifiedCount();
  // A change inside one line: that line only.
  lines[500] = "x := 2; // line";
  h.Update(lines, 500, 1, 1);
  EXPECT_EQ(h.TakeClassifiedCount(), 1u);
  // An opened comment runs on to the end; closing it again restores the rest.
  lines[10] = "{ x := 1; // line";
  h.Update(lines, 10, 1, 1);
  EXPECT_EQ(h.TakeClassifiedCount(), 990u);
  EXPECT_EQ(Classes(h.AttrLines()[999]), std::string(15, '3'));
  lines[20] = "}";
  h.Update(lines, 20, 1, 1);
  EXPECT_EQ(Classes(h.AttrLines()[21]), "111111113333333");
  // Lines inserted and removed keep the rest in place.
  lines.insert(lines.begin() + 30, {"begin", "end"});
  h.Update(lines, 30, 0, 2);
  lines.erase(lines.begin() + 5);
  h.Update(lines, 5, 1, 0);
  TfsSyntaxHighlighter whole(stPascal);
  whole.Highlight(lines);
  EXPECT_EQ(h.AttrLines(), whole.AttrLines());
}
