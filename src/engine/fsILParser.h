// TfsILParser: the grammar-driven parser. It interprets a dialect's grammar document
// over the source with the scanner and writes the program tree, an XML document the
// builder understands. Syntax errors are data: the first reportable one is recorded
// with its position and handed to the script component.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/fsParser.h"
#include "engine/fsXMLDocument.h"

namespace fs {

class TfsScript;

// Grammar elements nested deeper than this while matching end the parse with a
// syntax error instead of exhausting the stack. A nested parenthesis, block or
// statement costs about ten levels, so scripts may nest some 450 deep; a level takes
// under 80 bytes of stack in the 32-bit build and about 110 in the sanitizer build.
constexpr int kMaxParseDepth = 5000;
// The error text of that case.
extern const char* const kNestingTooDeep;
// The compile error of a unit or include file that is nowhere on the include path.
extern const char* const kFileNotFound;

class TfsILParser {
public:
  explicit TfsILParser(TfsScript* program);
  ~TfsILParser();
  TfsILParser(const TfsILParser&) = delete;
  TfsILParser& operator=(const TfsILParser&) = delete;

  // Resets the scanner, loads the dialect's grammar and applies its parser settings.
  void SelectDialect(const std::string& name);
  // Parses source with the selected dialect; true when a program tree was produced.
  // Always stores the recorded error text and position in the script component.
  bool BuildProgramTree(const std::string& source);

  TfsScript* Program() const { return FProgram; }
  TfsParser& Parser() { return FParser; }
  // The selected dialect's grammar document (shared; read only).
  const TfsXMLDocument& Grammar() const;
  // The program tree of the last successful BuildProgramTree.
  TfsXMLDocument& ProgramTree() { return FProgramTree; }
  // With KeepPartial set, a failed parse keeps what it had written when it stopped;
  // BuildPartialTree then makes the program tree of that (every node it holds is whole:
  // declarations before the error, the statements of blocks left open). For readers
  // of a script being typed, never for compiling.
  void SetKeepPartial(bool on) { FKeepPartial = on; }
  void BuildPartialTree();
  const std::string& DialectName() const { return FDialectName; }
  // False when the dialect lets scripts use variables without declaring them.
  bool DeclareVars() const { return FDeclareVars; }

  // Name of the unit this parser reads (empty for the main source).
  const std::string& UnitName() const { return FUnitName; }
  void SetUnitName(const std::string& name) { FUnitName = name; }
  // Units included so far in this compile.
  std::vector<std::string>& UsedUnits() { return FUsedUnits; }

  const std::string& ErrorText() const { return FErrorText; }
  const std::string& ErrorPos() const { return FErrorPos; }

private:
  struct Element;
  struct CompiledGrammar;
  struct GrammarSetup;

  static std::shared_ptr<const GrammarSetup> SetupOf(const std::string& name);
  static void CompileGrammar(GrammarSetup& setup);

  bool MatchElement(const Element* e);
  bool MatchLoop(const Element* e);
  bool MatchEnd(const Element* e, int start);
  bool MatchToken(const Element* e);
  bool ReadSeparator(const Element* e);
  void RecordError(const Element* e, int start);
  void WrapNode(const Element* e, int start, std::size_t mark);
  void Wrap(const Element* e, int start, std::size_t mark, bool matched);
  void WriteAdd(const Element* e);
  [[noreturn]] void NestingLimitReached();
  void WriteLeaf(const std::string& name, const std::string& text);
  void WriteFRString(const std::string& text);
  // start: where the uses clause begins, the position of a unit's error.
  void IncludeUnits(std::size_t mark, int start);
  // The unit's text; nothing when its file is nowhere on the include path.
  std::optional<std::string> UnitText(const std::string& unitName);
  // Records an error of the uses clause at start unless an earlier one is recorded.
  void UnitError(const std::string& text, int start);
  const Element* ResolveRule(const Element* e);
  void BuildDocument();

  TfsScript* FProgram;
  TfsParser FParser;
  std::shared_ptr<const GrammarSetup> FSetup;
  TfsXMLDocument FProgramTree;
  const CompiledGrammar* FCompiled = nullptr;
  std::string FDialectName;
  std::string FUnitName;
  std::vector<std::string> FUsedUnits;
  bool FDeclareVars = true;
  // The grammar's error text for a block comment that runs to the end of the source
  // (empty: it just ends the source).
  std::string FUnterminatedCommentError;

  // State of one BuildProgramTree.
  std::vector<std::string> FLines;
  bool FKeepPartial = false, FPartialPending = false;
  std::vector<std::string> FPartialLines;
  std::string FErrorText, FErrorPos;
  bool FLastErrorTerm = false;
  std::string FToken;  // text of the token the current element read
  int FDepth = 0;
  int FBaseDepth = 0;  // depth the enclosing parse had reached (included units)
};

}  // namespace fs
