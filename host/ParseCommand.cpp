// velmora-host parse --language NAME FILE: runs the grammar-driven parser over a script
// file and prints its program tree, one element per line, or its first syntax error.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "HostCommands.h"
#include "HostFiles.h"
#include "HostUsage.h"
#include "ScriptFileArgs.h"
#include "ScriptLanguage.h"
#include "engine/fsILParser.h"
#include "engine/fsScript.h"
#include "engine/fsXMLItem.h"

namespace {

void PrintTree(const fs::TfsXMLItem* item, std::string& out) {
  // Iterative, as trees can be deep; each frame is (element, next child).
  struct Frame {
    const fs::TfsXMLItem* Item;
    int Next;
  };
  auto open = [&out](const fs::TfsXMLItem* e, std::size_t level) {
    out.append(level * 2, ' ');
    out += "<" + e->Name();
    if (!e->Text().empty()) out += (e->Text()[0] == ' ' ? "" : " ") + e->Text();
    out += e->Count() == 0 ? "/>\n" : ">\n";
  };
  open(item, 0);
  if (item->Count() == 0) return;
  std::vector<Frame> stack{{item, 0}};
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.Next < f.Item->Count()) {
      const fs::TfsXMLItem* child = f.Item->Items(f.Next++);
      open(child, stack.size());
      if (child->Count() > 0) stack.push_back({child, 0});
    } else {
      out.append((stack.size() - 1) * 2, ' ');
      out += "</" + f.Item->Name() + ">\n";
      stack.pop_back();
    }
  }
}

}  // namespace

int RunParse(int argc, char** argv) {
  ScriptFileArgs args;
  if (int rc = ReadScriptFileArgs("parse", argc, argv, args)) return rc;
  const std::string& file = args.File;
  std::string content, error;
  if (!ReadRegularFile(file, kMaxScriptBytes, content, error)) return Failure("parse", error);
  if (int rc = ResolveLanguage("parse", content, args)) return rc;
  const std::string language = kLanguageNames[args.LanguageIndex];

  fs::TfsScript script;
  script.SetLinesText(content);
  script.SetSyntaxType(language);
  // Units are looked for in the current directory, then next to the script.
  std::string dir = DirectoryOf(file);
  if (!dir.empty()) script.IncludeDirs().push_back(dir);

  fs::TfsILParser parser(&script);
  try {
    parser.SelectDialect(language);
  } catch (const std::exception& e) {
    return Failure("parse", e.what());
  }
  bool built = false;
  try {
    built = parser.BuildProgramTree(script.LinesText());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
    return 1;
  }
  if (!built) {
    std::string where = script.LastErrorUnit().empty() ? file : script.LastErrorUnit();
    if (script.LastErrorText().empty())
      std::fprintf(stderr, "%s: the script does not match the %s grammar\n", where.c_str(), language.c_str());
    else
      std::fprintf(stderr, "%s:%s: %s\n", where.c_str(), script.LastErrorPos().c_str(),
                   script.LastErrorText().c_str());
    return 1;
  }
  std::string out;
  PrintTree(parser.ProgramTree().Root(), out);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
