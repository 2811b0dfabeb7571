// ScriptOwnNames: the variables, constants and routines a script declares, read from
// the program tree the dialect's grammar makes of its text, for the editor's
// completion. A script being typed rarely parses as a whole, so the lines the parser
// stops at are blanked and the text read again, a few times, before giving up.
#pragma once

#include <string>
#include <vector>

namespace fs {

struct TfsScriptName {
  std::string Name;
  // A routine's header as written (its first line), empty for a variable or constant.
  std::string Declaration;
  bool Routine = false;
};

// How many of the parser's error lines are blanked before the text counts as unreadable.
constexpr int kNameParseRetries = 4;

// The names in order of declaration, each once. caretLine (1-based, 0 for none) is
// blanked first when the whole text does not parse: it is the line being typed.
// Empty when no attempt produced a program tree.
std::vector<TfsScriptName> ScriptOwnNames(const std::string& dialect, const std::string& text, int caretLine);

}  // namespace fs
