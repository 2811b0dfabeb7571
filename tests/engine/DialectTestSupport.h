// Shared pieces of the dialect grammar tests: running the grammar-driven parser over a
// script the way a compile does, printing a program tree one element per line so that
// expected trees can be written and read by hand, and the case files under
// tests/engine/cases/<dialect>/.
//
// A case is <name>.script with either <name>.xml (the program tree, printed as by
// PrintTree, without the trailing types element that every tree carries) or
// <name>.error (one line "line:column: message", or "unit:line:column: message" for an
// error inside an included unit). Units a case includes are read from files of their
// name in the same folder.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/fsXMLItem.h"

namespace fs::test {

// What one parse gave.
struct ParseOutcome {
  bool Built = false;  // BuildProgramTree's result
  std::string Tree;    // the printed program tree without its types element; empty unless built
  std::string Types;   // the printed types element that ends the tree; empty unless built
  std::string Error;   // "line:column: message" from the script component, preceded by
                       // "unit:" when the error is in an included unit; empty when none
};

// Parses source (lines separated by any line end) with the named dialect, as the
// script component does: the lines each followed by CR LF. Included units are read
// from unitDir.
ParseOutcome ParseScript(const std::string& dialect, const std::string& source,
                         const std::string& unitDir = std::string());

// Whether the dialect requires variables to be declared (its grammar's declarevars).
bool DeclaresVariables(const std::string& dialect);

// One element per line, children indented by two blanks: "<name attrs/>" for a leaf,
// "<name attrs>" ... "</name>" otherwise; the attribute text as stored (escaped).
std::string PrintTree(const TfsXMLItem* item, bool withTrailingTypes = true);

// One case of a dialect's case folder.
struct DialectCase {
  std::string Name;
  std::string Script;
  bool ExpectError = false;
  std::string Expected;  // printed tree, or the error line
};

// The case folder of a dialect ("pascal", "cpp", "jscript", "basic").
std::string CaseDir(const std::string& folder);
// Every case of that folder, sorted by name.
std::vector<DialectCase> LoadCases(const std::string& folder);

// Line ends normalised to "\n", trailing blanks and line ends dropped.
std::string NormaliseText(const std::string& text);

// Runs one case and compares; the message names what differed.
void RunCase(const std::string& dialect, const std::string& folder, const DialectCase& c);

// Names cases in test output.
inline void PrintTo(const DialectCase& c, std::ostream* os) { *os << c.Name; }

}  // namespace fs::test
