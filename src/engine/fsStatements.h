// The statements of a compiled program. A TfsStatement is a list of statements run in
// order; every other statement class overrides Run. Statements hold direct references
// to the items they read and call: nothing is looked up by name while running.
#pragma once

#include <memory>
#include <string>

#include "engine/fsItemList.h"
#include "rtl/Variant.h"
#include "rtl/VariantOps.h"

namespace fs {

class TfsScript;
class TfsCustomVariable;
class TfsDesignator;
class TfsExpression;
class TfsSetExpression;

class TfsStatement : public TfsItemList {
public:
  TfsStatement(TfsScript* program, const std::string& sourcePos, const std::string& unitName);

  // Runs the statement; for a plain list, its items in order until a break, continue
  // or exit request is set.
  virtual void Run();

  void AddStatement(TfsStatement* statement) { Add(statement); }
  TfsStatement* Statements(int index) const noexcept { return static_cast<TfsStatement*>(Get(index)); }

  TfsScript* Program() const noexcept { return FProgram; }
  const std::string& SourcePos() const noexcept { return FSourcePos; }
  const std::string& UnitName() const noexcept { return FUnitName; }

protected:
  // The list behaviour, for statements whose items are their body.
  void RunItems();
  // Runs the items as one pass of a loop body; false when the loop must stop (a break
  // or an exit was requested). A continue request ends with the pass.
  bool RunLoopPass();
  void NotifyRunLine();

  TfsScript* FProgram;
  std::string FSourcePos;
  std::string FUnitName;
};

// target := source. The run-time shortcuts: the target's variable when the target is a
// plain variable (else the designator), and the source's constant node, designator or
// variable when the whole expression is one (else the expression).
class TfsAssignmentStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  ~TfsAssignmentStmt() override;

  void Run() override;

  // Takes over the target and the source; computes the shortcuts.
  void SetParts(TfsDesignator* designator, TfsExpression* expression);
  TfsDesignator* Designator() const noexcept { return FDesignator.get(); }
  TfsExpression* Expression() const noexcept { return FExpression.get(); }

protected:
  std::unique_ptr<TfsDesignator> FDesignator;
  std::unique_ptr<TfsExpression> FExpression;
  TfsCustomVariable* FVar = nullptr;
  TfsCustomVariable* FExpr = nullptr;
  bool FAppendInPlace = false;  // see TfsAssignPlusStmt
  // The source only reads stored values (no call can change the target meanwhile), so
  // it may be evaluated before the target is read.
  bool FSourceReadsOnly = false;

  // target := target op source.
  RTL_ALWAYS_INLINE void RunCompound(rtl::TVarOp op);
};

// target := target + source, and so on.
class TfsAssignPlusStmt : public TfsAssignmentStmt {
public:
  using TfsAssignmentStmt::TfsAssignmentStmt;
  void Run() override;
};

class TfsAssignMinusStmt : public TfsAssignmentStmt {
public:
  using TfsAssignmentStmt::TfsAssignmentStmt;
  void Run() override;
};

class TfsAssignMulStmt : public TfsAssignmentStmt {
public:
  using TfsAssignmentStmt::TfsAssignmentStmt;
  void Run() override;
};

class TfsAssignDivStmt : public TfsAssignmentStmt {
public:
  using TfsAssignmentStmt::TfsAssignmentStmt;
  void Run() override;
};

// A call, or an increment ("+") or decrement ("-") of the designator.
class TfsCallStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  ~TfsCallStmt() override;

  void Run() override;

  void SetDesignator(TfsDesignator* designator);
  TfsDesignator* Designator() const noexcept { return FDesignator.get(); }
  const std::string& Modificator() const noexcept { return FModificator; }
  void SetModificator(const std::string& text) {
    FModificator = text;
    FStep = text.empty() ? 0 : text == "+" ? 1 : -1;
    FStepValue = rtl::Variant(FStep);
  }

private:
  std::unique_ptr<TfsDesignator> FDesignator;
  TfsCustomVariable* FVar = nullptr;  // the variable of a plain variable designator
  rtl::Variant FStepValue;
  std::string FModificator;
  std::int32_t FStep = 0;  // what "++" / "--" add
};

// The items are the then-branch.
class TfsIfStmt : public TfsStatement {
public:
  TfsIfStmt(TfsScript* program, const std::string& sourcePos, const std::string& unitName);
  ~TfsIfStmt() override;

  void Run() override;

  void SetCondition(TfsExpression* condition);
  TfsStatement* ElseStmt() const noexcept { return FElseStmt.get(); }

private:
  std::unique_ptr<TfsExpression> FCondition;
  std::unique_ptr<TfsStatement> FElseStmt;
};

// One branch of a case statement: its items are its statements.
class TfsCaseSelector : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  ~TfsCaseSelector() override;

  void SetSetExpression(TfsSetExpression* set);
  bool Check(const rtl::Variant& value);
  void RunBranch() { RunItems(); }

private:
  std::unique_ptr<TfsSetExpression> FSetExpression;
};

// The items are TfsCaseSelectors.
class TfsCaseStmt : public TfsStatement {
public:
  TfsCaseStmt(TfsScript* program, const std::string& sourcePos, const std::string& unitName);
  ~TfsCaseStmt() override;

  void Run() override;

  void SetCondition(TfsExpression* condition);
  TfsStatement* ElseStmt() const noexcept { return FElseStmt.get(); }

private:
  std::unique_ptr<TfsExpression> FCondition;
  std::unique_ptr<TfsStatement> FElseStmt;
};

// repeat body until condition; with the inverse flag, while the condition holds.
class TfsRepeatStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  ~TfsRepeatStmt() override;

  void Run() override;

  void SetCondition(TfsExpression* condition);
  void SetInverse(bool on) noexcept { FInverse = on; }

private:
  std::unique_ptr<TfsExpression> FCondition;
  bool FInverse = false;
};

class TfsWhileStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  ~TfsWhileStmt() override;

  void Run() override;

  void SetCondition(TfsExpression* condition);

private:
  std::unique_ptr<TfsExpression> FCondition;
};

// Counting loop over 32-bit integers, upward or downward.
class TfsForStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  ~TfsForStmt() override;

  void Run() override;

  void SetVariable(TfsCustomVariable* variable) noexcept { FVariable = variable; }
  void SetBeginValue(TfsExpression* e);
  void SetEndValue(TfsExpression* e);
  void SetDown(bool on) noexcept { FDown = on; }

private:
  TfsCustomVariable* FVariable = nullptr;
  std::unique_ptr<TfsExpression> FBeginValue, FEndValue;
  bool FDown = false;
};

// Counting loop over variant values with an optional step.
class TfsVbForStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  ~TfsVbForStmt() override;

  void Run() override;

  void SetVariable(TfsCustomVariable* variable) noexcept { FVariable = variable; }
  void SetBeginValue(TfsExpression* e);
  void SetEndValue(TfsExpression* e);
  void SetStep(TfsExpression* e);

private:
  TfsCustomVariable* FVariable = nullptr;
  std::unique_ptr<TfsExpression> FBeginValue, FEndValue, FStep;
};

// for (first; condition; second) body; the items are the body.
class TfsCppForStmt : public TfsStatement {
public:
  TfsCppForStmt(TfsScript* program, const std::string& sourcePos, const std::string& unitName);
  ~TfsCppForStmt() override;

  void Run() override;

  TfsStatement* FirstStmt() const noexcept { return FFirstStmt.get(); }
  TfsStatement* SecondStmt() const noexcept { return FSecondStmt.get(); }
  void SetCondition(TfsExpression* condition);

private:
  std::unique_ptr<TfsStatement> FFirstStmt, FSecondStmt;
  std::unique_ptr<TfsExpression> FCondition;
};

// try items except/finally handler end.
class TfsTryStmt : public TfsStatement {
public:
  TfsTryStmt(TfsScript* program, const std::string& sourcePos, const std::string& unitName);
  ~TfsTryStmt() override;

  void Run() override;

  TfsStatement* ExceptStmt() const noexcept { return FExceptStmt.get(); }
  bool IsExcept() const noexcept { return FIsExcept; }
  void SetExcept(bool on) noexcept { FIsExcept = on; }

private:
  void HandleException(const std::string& className, const std::string& message);
  void RunFinally();

  std::unique_ptr<TfsStatement> FExceptStmt;
  bool FIsExcept = false;
};

class TfsBreakStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  void Run() override;
};

class TfsContinueStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  void Run() override;
};

class TfsExitStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  void Run() override;
};

// Evaluates a with-target into its hidden variable.
class TfsWithStmt : public TfsStatement {
public:
  using TfsStatement::TfsStatement;
  ~TfsWithStmt() override;

  void Run() override;

  void SetParts(TfsDesignator* designator, TfsCustomVariable* variable);
  TfsDesignator* Designator() const noexcept { return FDesignator.get(); }
  TfsCustomVariable* Variable() const noexcept { return FVariable; }

private:
  std::unique_ptr<TfsDesignator> FDesignator;
  TfsCustomVariable* FVariable = nullptr;
};

}  // namespace fs
