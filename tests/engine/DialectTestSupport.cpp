// Running scripts through the grammar-driven parser for the dialect tests, printing
// program trees and reading the case folders.
#include "DialectTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/fsILParser.h"
#include "engine/fsScript.h"
#include "engine/fsXMLDocument.h"
#include "helpers/TestFiles.h"

namespace fs::test {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Prints item with its first shown children (all of them when shown is negative).
void PrintItem(const TfsXMLItem* item, int depth, std::string& out, int shown = -1) {
  if (shown < 0) shown = item->Count();
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
  out += '<';
  out += item->Name();
  if (!item->Text().empty()) {
    if (item->Text()[0] != ' ') out += ' ';
    out += item->Text();
  }
  if (shown == 0) {
    out += "/>\n";
    return;
  }
  out += ">\n";
  for (int i = 0; i < shown; ++i) PrintItem(item->Items(i), depth + 1, out);
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
  out += "</" + item->Name() + ">\n";
}

bool EndsWithTypes(const TfsXMLItem* root) {
  return root->Count() > 0 && root->Items(root->Count() - 1)->Name() == "types";
}

}  // namespace

std::string PrintTree(const TfsXMLItem* item, bool withTrailingTypes) {
  std::string out;
  PrintItem(item, 0, out, withTrailingTypes || !EndsWithTypes(item) ? item->Count() : item->Count() - 1);
  return out;
}

ParseOutcome ParseScript(const std::string& dialect, const std::string& source, const std::string& unitDir) {
  TfsScript script;
  script.SetSyntaxType(dialect);
  script.SetLinesText(source);
  // A host hands unit sources over as it does scripts: lines joined by CR LF (BasicScript
  // depends on that, a lone line feed being a blank there). A missing file is an empty unit.
  script.OnGetUnit = [unitDir](TfsScript*, const std::string& unitName, std::string& unitText) {
    std::filesystem::path path = std::filesystem::path(unitDir) / unitName;
    TfsScript unit;
    if (std::filesystem::exists(path)) unit.SetLinesText(ReadFile(path));
    unitText = unit.LinesText();
  };
  TfsILParser parser(&script);
  parser.SelectDialect(script.SyntaxType());
  ParseOutcome outcome;
  outcome.Built = parser.BuildProgramTree(script.LinesText());
  if (!script.LastErrorText().empty() || !script.LastErrorPos().empty()) {
    outcome.Error = script.LastErrorPos() + ": " + script.LastErrorText();
    if (!script.LastErrorUnit().empty()) outcome.Error = script.LastErrorUnit() + ":" + outcome.Error;
  }
  if (outcome.Built) {
    const TfsXMLItem* root = parser.ProgramTree().Root();
    outcome.Tree = PrintTree(root, false);
    if (EndsWithTypes(root)) outcome.Types = PrintTree(root->Items(root->Count() - 1));
  }
  return outcome;
}

bool DeclaresVariables(const std::string& dialect) {
  TfsScript script;
  TfsILParser parser(&script);
  parser.SelectDialect(dialect);
  return parser.DeclareVars();
}

std::string CaseDir(const std::string& folder) {
  return (testfiles::TestsDir() / "engine" / "cases" / folder).string();
}

std::vector<DialectCase> LoadCases(const std::string& folder) {
  std::vector<DialectCase> cases;
  std::filesystem::path dir(CaseDir(folder));
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (entry.path().extension() != ".script") continue;
    DialectCase c;
    c.Name = entry.path().stem().string();
    c.Script = ReadFile(entry.path());
    std::filesystem::path xml = dir / (c.Name + ".xml");
    std::filesystem::path error = dir / (c.Name + ".error");
    c.ExpectError = std::filesystem::exists(error);
    c.Expected = ReadFile(c.ExpectError ? error : xml);
    cases.push_back(std::move(c));
  }
  std::sort(cases.begin(), cases.end(),
            [](const DialectCase& a, const DialectCase& b) { return a.Name < b.Name; });
  return cases;
}

std::string NormaliseText(const std::string& text) {
  std::string out;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    out += line;
    out += '\n';
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

void RunCase(const std::string& dialect, const std::string& folder, const DialectCase& c) {
  ASSERT_FALSE(c.Expected.empty()) << c.Name << ": no expected .xml or .error file";
  ParseOutcome outcome;
  try {
    outcome = ParseScript(dialect, c.Script, CaseDir(folder));
  } catch (const std::exception& e) {
    FAIL() << c.Name << ": parsing raised " << e.what();
  }
  if (c.ExpectError) {
    EXPECT_FALSE(outcome.Built) << c.Name;
    EXPECT_EQ(NormaliseText(c.Expected), outcome.Error) << c.Name;
  } else {
    EXPECT_TRUE(outcome.Built) << c.Name << ": " << outcome.Error;
    EXPECT_EQ("", outcome.Error) << c.Name;
    EXPECT_EQ(NormaliseText(c.Expected), NormaliseText(outcome.Tree)) << c.Name;
  }
}

}  // namespace fs::test
