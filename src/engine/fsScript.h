// TfsScript: the script component. It holds the source lines and the dialect, the item
// table of everything a script can name (registered helpers and classes, the script's
// own variables, constants and procedures), the compiled program as a tree of
// statement objects, and the state of a run. Compiling runs the grammar-driven parser
// and then the builder; running walks the statements. Procedure scopes are scripts too,
// whose parent is the declaring script.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fsItemTable.h"
#include "engine/fsCustomVariable.h"
#include "engine/fsRunLimit.h"
#include "rtl/ObjectTracker.h"

namespace fs {

class TfsScript;
class TfsStatement;

// Supplies the source of an included unit (OnGetUnit) or its ready program tree
// (OnGetILUnit): (sender, unit name, unit text out).
using TfsGetUnitEvent = std::function<void(TfsScript* Sender, const std::string& UnitName, std::string& UnitText)>;
// Told before a statement runs: (the statement's script, its unit, "line:column").
using TfsRunLineEvent =
    std::function<void(TfsScript* Sender, const std::string& UnitName, const std::string& SourcePos)>;

// OnRunLine: holds the handler and notes, for the whole process, that a handler has
// been set, so that statements look for one only from then on.
class TfsRunLineHandler {
public:
  template <class F>
  TfsRunLineHandler& operator=(F&& handler) {
    FHandler = std::forward<F>(handler);
    if (FHandler) FSeen.store(true, std::memory_order_relaxed);
    return *this;
  }
  explicit operator bool() const noexcept { return static_cast<bool>(FHandler); }
  void operator()(TfsScript* sender, const std::string& unitName, const std::string& sourcePos) const {
    FHandler(sender, unitName, sourcePos);
  }
  static bool AnySet() noexcept { return FSeen.load(std::memory_order_relaxed); }

private:
  static inline std::atomic<bool> FSeen{false};
  TfsRunLineEvent FHandler;
};

class TfsScript {
public:
  TfsScript();
  virtual ~TfsScript();
  TfsScript(const TfsScript&) = delete;
  TfsScript& operator=(const TfsScript&) = delete;

  // Source ----------------------------------------------------------------------------

  std::vector<std::string>& Lines() { return FLines; }
  const std::vector<std::string>& Lines() const { return FLines; }
  void SetLines(const std::vector<std::string>& lines) { FLines = lines; }
  // The lines, each followed by a carriage return and a line feed.
  std::string LinesText() const;
  // Splits text into lines at CR LF, CR or LF (a trailing line end adds no line).
  void SetLinesText(const std::string& text);

  // Dialect used when compiling; "PascalScript" by default.
  const std::string& SyntaxType() const { return FSyntaxType; }
  void SetSyntaxType(const std::string& name) { FSyntaxType = name; }

  // Directories searched for included units; starts with one empty entry.
  std::vector<std::string>& IncludeDirs() { return FIncludeDirs; }
  const std::vector<std::string>& IncludeDirs() const { return FIncludeDirs; }

  // Script consulted when a name is not found here (the global registry for a host's
  // script, the declaring script for a procedure scope).
  TfsScript* ParentScript() const noexcept { return FParent; }
  void SetParentScript(TfsScript* parent) noexcept { FParent = parent; }

  // Names -------------------------------------------------------------------------------

  // Appends to the item table (owned unless told otherwise); a script item takes the
  // script's current global mark.
  void AddName(const std::string& name, TfsObject* item, bool owned = true);
  // The script item of that name in this table, or nullptr.
  TfsCustomVariable* LookupLocal(std::string_view name) const;
  // LookupLocal here, then in the parent scripts.
  TfsCustomVariable* Lookup(std::string_view name) const;
  // Sets the variable Lookup finds; adds a Variant variable here when there is none.
  void SetScriptVariable(const std::string& name, const rtl::Variant& value);
  TfsItemTable& Items() noexcept { return FItems; }
  const TfsItemTable& Items() const noexcept { return FItems; }

  // Set while runtime modules are being loaded: items added then survive ClearProgram.
  bool GlobalMark() const noexcept { return FGlobalMark; }
  void SetGlobalMark(bool on) noexcept { FGlobalMark = on; }

  // Program -----------------------------------------------------------------------------

  // Destroys the program and every item except runtime modules and items with the
  // global mark; clears the last error.
  void ClearProgram();
  // Parses and builds the lines; true on success, else the error is in LastErrorText,
  // LastErrorPos and LastErrorUnit. Unknown dialects and unreadable units raise.
  bool CompileProgram();
  // Runs the main statement list; run-time errors leave as exceptions, with
  // LastErrorPos set to the statement of this script that was running.
  void RunProgram();

  // The top-level statements.
  TfsStatement* MainStatement() const noexcept { return FStatement.get(); }
  // Set by RunProgram and never cleared: this script is one a host has run.
  bool MainRun() const noexcept { return FMainRun; }

  // The last compile error: text, position "line:column", and the unit it is in
  // (empty for the main source). After a run-time error LastErrorPos is the position
  // of the statement that failed.
  const std::string& LastErrorText() const { return FLastErrorText; }
  void SetLastErrorText(const std::string& s) { FLastErrorText = s; }
  const std::string& LastErrorPos() const { return FLastErrorPos; }
  void SetLastErrorPos(const std::string& s) { FLastErrorPos = s; }
  const std::string& LastErrorUnit() const { return FLastErrorUnit; }
  void SetLastErrorUnit(const std::string& s) { FLastErrorUnit = s; }

  // Running -----------------------------------------------------------------------------

  // Requests set by break, continue and exit; statement lists stop when one is set.
  bool BreakRequest() const noexcept { return FBreak; }
  bool ContinueRequest() const noexcept { return FContinue; }
  bool ExitRequest() const noexcept { return FExit; }
  bool AnyRequest() const noexcept { return FBreak | FContinue | FExit; }
  void SetBreakRequest(bool on) noexcept { FBreak = on; }
  void SetContinueRequest(bool on) noexcept { FContinue = on; }
  void SetExitRequest(bool on) noexcept { FExit = on; }
  void ClearRequests() noexcept { FBreak = FContinue = FExit = false; }

  // The statement of this script that is running.
  const TfsStatement* CurrentStatement() const noexcept { return FCurrent; }
  void SetCurrentStatement(const TfsStatement* statement) noexcept { FCurrent = statement; }
  // LastErrorPos becomes the running statement's position.
  void MarkErrorPosition();
  void ClearErrorPosition() noexcept { FLastErrorPos.clear(); }

  // Nesting of script procedure calls, counted in the compiled program's script; the
  // stack address where the outermost call started, and the lowest one the calls may
  // reach (0 until the first nested call works it out, so that a call compares one
  // address instead of asking for the stack).
  int& CallDepth() noexcept { return FCallDepth; }
  std::uintptr_t& CallStackBase() noexcept { return FCallStackBase; }
  std::uintptr_t& CallStackFloor() noexcept { return FCallStackFloor; }

  // The time bound of a run, shared by the compiled program's script and the scopes of
  // its routines.
  TfsRunLimit& RunLimit() noexcept { return *FRunLimit; }
  void ShareRunLimit(TfsScript* root) noexcept { FRunLimit = root->FRunLimit; }

  // Objects the program made (a class name read for a new instance): they belong to
  // the compiled program's script, which frees those still alive when it is cleared
  // or freed. A routine's scope hands them to its program's script.
  rtl::TObjectTracker& Objects();
  void ShareObjects(TfsScript* root) noexcept { FObjectRoot = root->FObjectRoot; }

  // Tells the first script up the parent chain that has OnRunLine about a statement.
  // Until some script of the process has had a handler, there is none to look for.
  void NotifyRunLine(const TfsStatement* statement) {
    if (TfsRunLineHandler::AnySet()) NotifyRunLineHandler(statement);
  }

  // Events --------------------------------------------------------------------------------

  TfsGetUnitEvent OnGetUnit;
  TfsGetUnitEvent OnGetILUnit;
  TfsRunLineHandler OnRunLine;
  TfsGetVariableValueEvent OnGetVarValue;

private:
  void NotifyRunLineHandler(const TfsStatement* statement);
  std::vector<std::string> FLines;
  std::string FSyntaxType = "PascalScript";
  std::vector<std::string> FIncludeDirs{std::string()};
  std::string FLastErrorText, FLastErrorPos, FLastErrorUnit;
  TfsScript* FParent = nullptr;
  TfsItemTable FItems;
  std::unique_ptr<TfsStatement> FStatement;
  const TfsStatement* FCurrent = nullptr;
  TfsRunLimit FOwnRunLimit;
  TfsRunLimit* FRunLimit = &FOwnRunLimit;
  std::unique_ptr<rtl::TObjectTracker> FOwnObjects;  // made with the first object
  TfsScript* FObjectRoot = this;
  int FCallDepth = 0;
  std::uintptr_t FCallStackBase = 0;
  std::uintptr_t FCallStackFloor = 0;
  bool FGlobalMark = false;
  bool FMainRun = false;
  bool FBreak = false, FContinue = false, FExit = false;
};

}  // namespace fs
