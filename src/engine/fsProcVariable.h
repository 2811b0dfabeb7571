// TfsProcVariable: a script procedure or function. It owns its scope (a script whose
// parent is the declaring script) and its parameters; locals and parameters are items
// of the scope and keep their values between calls. A recursive call saves and
// restores the caller's locals (TfsLocalVariablesHelper entries on a stack).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/fsCustomVariable.h"

namespace fs {

class TfsScript;

// Script procedure calls nested deeper than this raise "Stack overflow" instead of
// exhausting the machine stack. A call level costs about 600 bytes of stack in the
// 32-bit build (under 2 KB in the sanitizer build), and a host thread may have only
// 1 MB.
constexpr int kMaxCallDepth = 400;
// Nested calls also stop when they have used this much stack since the outermost call:
// a level whose statements hold deeply nested expressions costs more than the usual.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::uintptr_t kMaxCallStack = 4u << 20;
#else
constexpr std::uintptr_t kMaxCallStack = 512u << 10;
#endif
extern const char* const kStackOverflowText;

// One saved local value of a recursive call.
struct TfsLocalVariablesHelper {
  TfsCustomVariable* Variable;
  rtl::Variant Value;
};

class TfsProcVariable : public TfsCustomVariable {
public:
  // The scope is created here; depthRoot is the script whose counter bounds the nesting
  // of calls (the compiled program).
  TfsProcVariable(const std::string& name, TfsVarType typ, const std::string& typeName, TfsScript* parent,
                  bool isFunc, TfsScript* depthRoot);
  ~TfsProcVariable() override;

  // Runs the procedure with the parameter values already written; a function gives
  // its Result.
  rtl::Variant GetValue() override;

  TfsScript* Program() const noexcept { return FProgram.get(); }
  bool IsFunc() const noexcept { return FIsFunc; }
  bool Executing() const noexcept { return FExecuting; }

  // Recursion: saves the values of the scope's variables and parameters; Restore puts
  // the last saved set back.
  void SaveLocals();
  void RestoreLocals();

private:
  std::unique_ptr<TfsScript> FProgram;
  TfsScript* FDepthRoot;
  bool FIsFunc;
  bool FExecuting = false;
  std::vector<TfsLocalVariablesHelper> FLocalStack;
  std::vector<std::size_t> FFrames;  // start of each saved set in FLocalStack
  // The scope's variables and parameters, found again when its table has changed.
  std::vector<TfsCustomVariable*> FLocals;
  std::uint32_t FLocalsVersion = 0;
  bool FLocalsKnown = false;
};

}  // namespace fs
