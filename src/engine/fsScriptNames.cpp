#include "engine/fsScriptNames.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "engine/fsILParser.h"
#include "engine/fsScript.h"
#include "engine/fsStrings.h"
#include "engine/fsXMLItem.h"

namespace fs {

namespace {

// Line starts of a text, so that a line can be blanked in place (positions stay).
std::vector<std::size_t> LineStarts(const std::string& text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') starts.push_back(i + 1);
  return starts;
}

void BlankLine(std::string& text, const std::vector<std::size_t>& starts, int line) {
  if (line < 1 || line > static_cast<int>(starts.size())) return;
  for (std::size_t i = starts[static_cast<std::size_t>(line - 1)]; i < text.size() && text[i] != '\r' && text[i] != '\n'; ++i)
    text[i] = ' ';
}

std::string HeaderLine(const std::string& text, const std::vector<std::size_t>& starts, const std::string& pos) {
  const int line = std::atoi(pos.c_str());
  if (line < 1 || line > static_cast<int>(starts.size())) return {};
  const std::size_t from = starts[static_cast<std::size_t>(line - 1)];
  std::size_t to = text.find_first_of("\r\n", from);
  if (to == std::string::npos) to = text.size();
  std::string header = text.substr(from, std::min<std::size_t>(to - from, 255));
  const std::size_t first = header.find_first_not_of(" \t");
  header.erase(0, first == std::string::npos ? header.size() : first);
  while (!header.empty() && (header.back() == ' ' || header.back() == '\t' || header.back() == '{')) header.pop_back();
  return header;
}

// The tree's shape is the same in every dialect: "var" and "const" hold "ident"
// children, "function" and "procedure" a "name".
void Collect(const TfsXMLItem* node, const std::string& text, const std::vector<std::size_t>& starts,
             std::unordered_set<std::string>& seen, std::vector<TfsScriptName>& out) {
  for (int i = 0; i < node->Count(); ++i) {
    const TfsXMLItem* child = node->Items(i);
    const std::string& kind = child->Name();
    if (kind == "var" || kind == "const") {
      for (int k = 0; k < child->Count(); ++k) {
        const TfsXMLItem* ident = child->Items(k);
        if (ident->Name() != "ident") continue;
        std::string name = ident->Prop("text");
        if (!name.empty() && seen.insert(UpperCase(name)).second) out.push_back({std::move(name), {}, false});
      }
    } else if (kind == "function" || kind == "procedure") {
      for (int k = 0; k < child->Count(); ++k) {
        const TfsXMLItem* name = child->Items(k);
        if (name->Name() != "name") continue;
        std::string text1 = name->Prop("text");
        if (!text1.empty() && seen.insert(UpperCase(text1)).second)
          out.push_back({std::move(text1), HeaderLine(text, starts, child->Prop("pos")), true});
        break;
      }
    }
    Collect(child, text, starts, seen, out);
  }
}

}  // namespace

std::vector<TfsScriptName> ScriptOwnNames(const std::string& dialect, const std::string& text, int caretLine) {
  std::vector<TfsScriptName> out;
  const std::vector<std::size_t> starts = LineStarts(text);
  std::string source = text;
  TfsScript script;
  TfsILParser parser(&script);
  try {
    parser.SelectDialect(dialect);
    parser.SetKeepPartial(true);
    bool parsed = parser.BuildProgramTree(source);
    // The line being typed is the likeliest reason; then what parsed before the error.
    if (!parsed && caretLine > 0 && caretLine <= static_cast<int>(starts.size())) {
      BlankLine(source, starts, caretLine);
      parsed = parser.BuildProgramTree(source);
    }
    if (!parsed) parser.BuildPartialTree();
    std::unordered_set<std::string> seen;
    Collect(parser.ProgramTree().Root(), text, starts, seen, out);
  } catch (...) {
    // An unknown dialect or a parser that gives up: the names found so far.
  }
  return out;
}

}  // namespace fs
