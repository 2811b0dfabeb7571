#include "engine/fsStatements.h"

#include <cstdint>
#include <exception>

#include "engine/fsDesignator.h"
#include "engine/fsExpression.h"
#include "engine/fsExpressionNodes.h"
#include "engine/fsScript.h"
#include "engine/fsValueCopy.h"
#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "rtl/VariantOps.h"

namespace fs {

using rtl::Variant;

// TfsStatement --------------------------------------------------------------------------

TfsStatement::TfsStatement(TfsScript* program, const std::string& sourcePos, const std::string& unitName)
    : FProgram(program), FSourcePos(sourcePos), FUnitName(unitName) {}

void TfsStatement::Run() { RunItems(); }

void TfsStatement::RunItems() {
  TfsScript* program = FProgram;
  program->ClearErrorPosition();
  for (TfsItemList* item : FItems) {
    auto* statement = static_cast<TfsStatement*>(item);
    program->SetCurrentStatement(statement);
    statement->Run();
    if (program->AnyRequest()) break;
  }
}

bool TfsStatement::RunLoopPass() {
  FProgram->RunLimit().Tick();
  RunItems();
  if (FProgram->BreakRequest() || FProgram->ExitRequest()) return false;
  FProgram->SetContinueRequest(false);
  return true;
}

void TfsStatement::NotifyRunLine() { FProgram->NotifyRunLine(this); }

// Assignments -----------------------------------------------------------------------------

TfsAssignmentStmt::~TfsAssignmentStmt() = default;

void TfsAssignmentStmt::SetParts(TfsDesignator* designator, TfsExpression* expression) {
  FDesignator.reset(designator);
  FExpression.reset(expression);
  auto* plain = dynamic_cast<TfsVariableDesignator*>(designator);
  FVar = plain ? plain->RefItem() : designator;
  TfsCustomVariable* single = expression->SingleOperand();
  FExpr = single ? single : static_cast<TfsCustomVariable*>(expression->Top());
  // The source can be read before the target when reading it cannot touch the target:
  // a constant or another plain variable.
  const TfsItemKind k = FVar->Kind();
  const bool plainTarget =
      (k == TfsItemKind::Variable || k == TfsItemKind::StringVariable || k == TfsItemKind::Param) &&
      !FVar->OnGetVarValue();
  const bool simpleSource = single && single != FVar &&
                            (single->Kind() == TfsItemKind::Expression || single->Kind() == TfsItemKind::Variable ||
                             single->Kind() == TfsItemKind::StringVariable || single->Kind() == TfsItemKind::Param);
  FAppendInPlace = plainTarget && simpleSource;
  FSourceReadsOnly = ReadsStoredValuesOnly(expression->Top());
}

RTL_ALWAYS_INLINE void TfsAssignmentStmt::RunCompound(rtl::TVarOp op) {
  if (FSourceReadsOnly) {
    if (const Variant* stored = FExpression->Top()->Direct()) {
      FVar->ApplyOp(*stored, op);
    } else {
      FVar->ApplyOp(FExpr->Value(), op);
    }
    return;
  }
  // The target is read before the source, which may change it.
  Variant v = FVar->Value();
  rtl::VarOpInPlace(v, FExpr->GetValue(), op);
  FVar->Assign(v);
}

void TfsAssignmentStmt::Run() {
  NotifyRunLine();
  FVar->Assign(FExpr->Value());
}

void TfsAssignPlusStmt::Run() {
  NotifyRunLine();
  if (FAppendInPlace) {
    Variant tail = FExpr->GetValue();
    Variant& stored = FVar->StoredValue();
    if (tail.VarType() == rtl::varString && stored.VarType() == rtl::varString) {
      // Building a string: the text is taken out of the variable so that, held alone,
      // it grows where it stands instead of being copied on every append.
      Variant text = std::move(stored);
      try {
        rtl::VarOpInPlace(text, tail, rtl::TVarOp::Add);
      } catch (...) {
        stored = std::move(text);
        throw;
      }
      stored = std::move(text);
      return;
    }
    FVar->ApplyOp(tail, rtl::TVarOp::Add);
    return;
  }
  RunCompound(rtl::TVarOp::Add);
}

void TfsAssignMinusStmt::Run() {
  NotifyRunLine();
  RunCompound(rtl::TVarOp::Subtract);
}

void TfsAssignMulStmt::Run() {
  NotifyRunLine();
  RunCompound(rtl::TVarOp::Multiply);
}

void TfsAssignDivStmt::Run() {
  NotifyRunLine();
  RunCompound(rtl::TVarOp::Divide);
}

// Calls -------------------------------------------------------------------------------------

TfsCallStmt::~TfsCallStmt() = default;

void TfsCallStmt::SetDesignator(TfsDesignator* designator) {
  FDesignator.reset(designator);
  auto* plain = dynamic_cast<TfsVariableDesignator*>(designator);
  FVar = plain ? plain->RefItem() : nullptr;
}

void TfsCallStmt::Run() {
  NotifyRunLine();
  if (FStep == 0) {
    FDesignator->GetValue();
    return;
  }
  if (FVar) {
    FVar->ApplyOp(FStepValue, rtl::TVarOp::Add);
    return;
  }
  Variant v = FDesignator->GetValue();
  rtl::VarOpInPlace(v, FStepValue, rtl::TVarOp::Add);
  FDesignator->SetValue(v);
}

// If, case ----------------------------------------------------------------------------------

TfsIfStmt::TfsIfStmt(TfsScript* program, const std::string& sourcePos, const std::string& unitName)
    : TfsStatement(program, sourcePos, unitName),
      FElseStmt(std::make_unique<TfsStatement>(program, sourcePos, unitName)) {}

TfsIfStmt::~TfsIfStmt() = default;

void TfsIfStmt::SetCondition(TfsExpression* condition) { FCondition.reset(condition); }

void TfsIfStmt::Run() {
  NotifyRunLine();
  if (FCondition->Condition())
    RunItems();
  else
    FElseStmt->Run();
}

TfsCaseSelector::~TfsCaseSelector() = default;

void TfsCaseSelector::SetSetExpression(TfsSetExpression* set) { FSetExpression.reset(set); }

bool TfsCaseSelector::Check(const Variant& value) { return FSetExpression && FSetExpression->Contains(value); }

TfsCaseStmt::TfsCaseStmt(TfsScript* program, const std::string& sourcePos, const std::string& unitName)
    : TfsStatement(program, sourcePos, unitName),
      FElseStmt(std::make_unique<TfsStatement>(program, sourcePos, unitName)) {}

TfsCaseStmt::~TfsCaseStmt() = default;

void TfsCaseStmt::SetCondition(TfsExpression* condition) { FCondition.reset(condition); }

void TfsCaseStmt::Run() {
  Variant value = FCondition->GetValue();
  NotifyRunLine();
  for (TfsItemList* item : FItems) {
    auto* selector = static_cast<TfsCaseSelector*>(item);
    if (selector->Check(value)) {
      selector->RunBranch();
      return;
    }
  }
  FElseStmt->Run();
}

// Loops -------------------------------------------------------------------------------------

TfsRepeatStmt::~TfsRepeatStmt() = default;

void TfsRepeatStmt::SetCondition(TfsExpression* condition) { FCondition.reset(condition); }

void TfsRepeatStmt::Run() {
  NotifyRunLine();
  TfsScript* program = FProgram;
  for (;;) {
    if (!RunLoopPass()) break;
    program->SetCurrentStatement(this);
    if (FCondition->Condition() != FInverse) break;
  }
  program->SetBreakRequest(false);
}

TfsWhileStmt::~TfsWhileStmt() = default;

void TfsWhileStmt::SetCondition(TfsExpression* condition) { FCondition.reset(condition); }

void TfsWhileStmt::Run() {
  NotifyRunLine();
  TfsScript* program = FProgram;
  for (;;) {
    program->SetCurrentStatement(this);
    if (!FCondition->Condition()) break;
    if (!RunLoopPass()) break;
  }
  program->SetBreakRequest(false);
}

TfsForStmt::~TfsForStmt() = default;

void TfsForStmt::SetBeginValue(TfsExpression* e) { FBeginValue.reset(e); }
void TfsForStmt::SetEndValue(TfsExpression* e) { FEndValue.reset(e); }

void TfsForStmt::Run() {
  const std::int32_t first = rtl::VarToInt32(FBeginValue->GetValue());
  const std::int32_t last = rtl::VarToInt32(FEndValue->GetValue());
  NotifyRunLine();
  TfsScript* program = FProgram;
  Variant& counter = FVariable->StoredValue();
  if (!FDown) {
    for (std::int64_t i = first; i <= last; ++i) {
      CopyValue(counter, Variant(static_cast<std::int32_t>(i)));
      if (!RunLoopPass()) break;
    }
  } else {
    for (std::int64_t i = first; i >= last; --i) {
      CopyValue(counter, Variant(static_cast<std::int32_t>(i)));
      if (!RunLoopPass()) break;
    }
  }
  program->SetBreakRequest(false);
}

TfsVbForStmt::~TfsVbForStmt() = default;

void TfsVbForStmt::SetBeginValue(TfsExpression* e) { FBeginValue.reset(e); }
void TfsVbForStmt::SetEndValue(TfsExpression* e) { FEndValue.reset(e); }
void TfsVbForStmt::SetStep(TfsExpression* e) { FStep.reset(e); }

void TfsVbForStmt::Run() {
  Variant current = FBeginValue->GetValue();
  const Variant last = FEndValue->GetValue();
  const Variant step = FStep ? FStep->GetValue() : Variant(std::int32_t{1});
  NotifyRunLine();
  const bool down = rtl::VarCompare(step, Variant(std::int32_t{0}), rtl::TVarCompareOp::Less);
  const rtl::TVarCompareOp test = down ? rtl::TVarCompareOp::GreaterEqual : rtl::TVarCompareOp::LessEqual;
  TfsScript* program = FProgram;
  while (rtl::VarCompare(current, last, test)) {
    CopyValue(FVariable->StoredValue(), current);
    if (!RunLoopPass()) break;
    rtl::VarOpInPlace(current, step, rtl::TVarOp::Add);
  }
  program->SetBreakRequest(false);
}

TfsCppForStmt::TfsCppForStmt(TfsScript* program, const std::string& sourcePos, const std::string& unitName)
    : TfsStatement(program, sourcePos, unitName),
      FFirstStmt(std::make_unique<TfsStatement>(program, sourcePos, unitName)),
      FSecondStmt(std::make_unique<TfsStatement>(program, sourcePos, unitName)) {}

TfsCppForStmt::~TfsCppForStmt() = default;

void TfsCppForStmt::SetCondition(TfsExpression* condition) { FCondition.reset(condition); }

void TfsCppForStmt::Run() {
  NotifyRunLine();
  TfsScript* program = FProgram;
  FFirstStmt->Run();
  for (;;) {
    program->SetCurrentStatement(this);
    if (!FCondition->Condition()) break;
    if (!RunLoopPass()) break;
    FSecondStmt->Run();
  }
  program->SetBreakRequest(false);
}

// Try ---------------------------------------------------------------------------------------

TfsTryStmt::TfsTryStmt(TfsScript* program, const std::string& sourcePos, const std::string& unitName)
    : TfsStatement(program, sourcePos, unitName),
      FExceptStmt(std::make_unique<TfsStatement>(program, sourcePos, unitName)) {}

TfsTryStmt::~TfsTryStmt() = default;

void TfsTryStmt::HandleException(const std::string& className, const std::string& message) {
  FProgram->SetScriptVariable("ExceptionClassName", Variant(rtl::AnsiString(className)));
  FProgram->SetScriptVariable("ExceptionMessage", Variant(rtl::AnsiString(message)));
  FProgram->MarkErrorPosition();
  FExceptStmt->Run();
}

void TfsTryStmt::RunFinally() {
  // The handler runs in full whatever request stopped the items; the requests hold
  // again afterwards (together with any the handler makes).
  TfsScript* program = FProgram;
  const bool breakRequest = program->BreakRequest();
  const bool continueRequest = program->ContinueRequest();
  const bool exitRequest = program->ExitRequest();
  program->ClearRequests();
  FExceptStmt->Run();
  if (breakRequest) program->SetBreakRequest(true);
  if (continueRequest) program->SetContinueRequest(true);
  if (exitRequest) program->SetExitRequest(true);
}

void TfsTryStmt::Run() {
  NotifyRunLine();
  if (FIsExcept) {
    std::string className, message;
    try {
      RunItems();
      return;
    } catch (const ERunTimeLimit&) {
      throw;
    } catch (const rtl::Exception& e) {
      className = e.ClassName();
      message = e.Message();
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      className = "Exception";
      message = e.what();
    }
    HandleException(className, message);
    return;
  }
  try {
    RunItems();
  } catch (...) {
    // The error is reported at the statement that failed, not in the handler.
    const TfsStatement* failing = FProgram->CurrentStatement();
    RunFinally();
    FProgram->SetCurrentStatement(failing);
    throw;
  }
  RunFinally();
}

// Jumps -------------------------------------------------------------------------------------

void TfsBreakStmt::Run() { FProgram->SetBreakRequest(true); }

void TfsContinueStmt::Run() { FProgram->SetContinueRequest(true); }

void TfsExitStmt::Run() {
  NotifyRunLine();
  FProgram->SetExitRequest(true);
}

// With --------------------------------------------------------------------------------------

TfsWithStmt::~TfsWithStmt() = default;

void TfsWithStmt::SetParts(TfsDesignator* designator, TfsCustomVariable* variable) {
  FDesignator.reset(designator);
  FVariable = variable;
}

void TfsWithStmt::Run() {
  FProgram->ClearErrorPosition();
  FVariable->SetValue(FDesignator->GetValue());
}

}  // namespace fs
