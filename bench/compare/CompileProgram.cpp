#include "compare/CompileProgram.h"

#include <algorithm>
#include <vector>

namespace compare {

namespace {

// One block: CalcK sums over a loop with a branch, StepK works on strings and the
// globals and calls CalcK. The main block calls StepK(3 * K).
std::vector<std::string> PascalBlock(int k) {
  const std::string n = std::to_string(k);
  return {"function Calc" + n + "(a: Integer; b: Extended): Extended;",
          "var",
          "  i: Integer;",
          "  t: Extended;",
          "begin",
          "  t := 0;",
          "  for i := 1 to a do",
          "  begin",
          "    if i mod 3 = " + std::to_string(k % 3) + " then",
          "      t := t + b * i",
          "    else",
          "      t := t - i / 2;",
          "  end;",
          "  Result := t;",
          "end;",
          "",
          "procedure Step" + n + "(x: Integer);",
          "var",
          "  s: String;",
          "begin",
          "  s := 'step' + IntToStr(x);",
          "  if Length(s) > 5 then",
          "    gName := s",
          "  else",
          "    gName := gName + s;",
          "  gCount := gCount + x;",
          "  gTotal := gTotal + Calc" + n + "(x, " + n + ".5);",
          "  while gCount > 100 do gCount := gCount - 100;",
          "end;",
          ""};
}

std::vector<std::string> LuaBlock(int k) {
  const std::string n = std::to_string(k);
  return {"local function Calc" + n + "(a, b)",
          "  local t = 0",
          "  for i = 1, a do",
          "    if i % 3 == " + std::to_string(k % 3) + " then",
          "      t = t + b * i",
          "    else",
          "      t = t - i / 2",
          "    end",
          "  end",
          "  return t",
          "end",
          "",
          "local function Step" + n + "(x)",
          "  local s = \"step\" .. tostring(x)",
          "  if #s > 5 then",
          "    gName = s",
          "  else",
          "    gName = gName .. s",
          "  end",
          "  gCount = gCount + x",
          "  gTotal = gTotal + Calc" + n + "(x, " + n + ".5)",
          "  while gCount > 100 do gCount = gCount - 100 end",
          "end",
          ""};
}

// What one run of the program does, in C++.
void RunNatively(int blocks, GeneratedProgram& p) {
  p.Count = 0;
  p.Total = 0;
  p.Name.clear();
  for (int k = 1; k <= blocks; ++k) {
    const int x = 3 * k;
    const std::string s = "step" + std::to_string(x);
    p.Name = s.size() > 5 ? s : p.Name + s;
    p.Count += x;
    double t = 0;
    const double b = k + 0.5;
    for (int i = 1; i <= x; ++i) t = i % 3 == k % 3 ? t + b * i : t - i / 2.0;
    p.Total += t;
    while (p.Count > 100) p.Count -= 100;
  }
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace

GeneratedProgram GenerateCompileProgram(int minLines) {
  const std::vector<std::string> pascalHead = {"{ Generated filter-style program. }", "var", "  gCount: Integer;",
                                               "  gTotal: Extended;", "  gName: String;", ""};
  const std::size_t blockLines = PascalBlock(1).size();
  // Head, blocks, and a main block of begin, the initialisations, one call per block, end.
  const int blocks = std::max(1, static_cast<int>((minLines - pascalHead.size() - 5 + blockLines) / (blockLines + 1)));

  std::vector<std::string> pascal = pascalHead;
  std::vector<std::string> lua = {"-- Generated filter-style program.", "local gCount, gTotal, gName = 0, 0.0, \"\"", ""};
  for (int k = 1; k <= blocks; ++k) {
    for (std::string& line : PascalBlock(k)) pascal.push_back(std::move(line));
    for (std::string& line : LuaBlock(k)) lua.push_back(std::move(line));
  }
  pascal.insert(pascal.end(), {"begin", "  gCount := 0;", "  gTotal := 0;", "  gName := '';"});
  for (int k = 1; k <= blocks; ++k) {
    pascal.push_back("  Step" + std::to_string(k) + "(" + std::to_string(3 * k) + ");");
    lua.push_back("Step" + std::to_string(k) + "(" + std::to_string(3 * k) + ")");
  }
  pascal.push_back("end.");
  lua.push_back("return gCount, gTotal, gName");

  GeneratedProgram p;
  p.Pascal = Joined(pascal);
  p.Lua = Joined(lua);
  p.PascalLines = static_cast<int>(pascal.size());
  RunNatively(blocks, p);
  return p;
}

}  // namespace compare
