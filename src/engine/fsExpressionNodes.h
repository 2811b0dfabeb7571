// The nodes of an expression tree: operands (constants, designators, set
// constructors) and operators. Each node is typed when the expression is built and
// evaluated by a recursive walk over variant values.
#pragma once

#include <memory>
#include <string>

#include "engine/fsCustomVariable.h"

namespace fs {

class TfsDesignator;
class TfsSetExpression;

// Operator codes.
enum TfsOperatorCode : int {
  opNone = 0,
  opGreat = 1,
  opLess = 2,
  opLessEq = 3,
  opGreatEq = 4,
  opNonEq = 5,
  opEq = 6,
  opPlus = 7,  // also the string join
  opMinus = 8,
  opOr = 9,
  opXor = 10,
  opMul = 11,
  opDivFloat = 12,
  opDivInt = 13,
  opMod = 14,
  opAnd = 15,
  opShl = 16,
  opShr = 17,
  opLeftBracket = 18,
  opRightBracket = 19,
  opNot = 20,
  opUnMinus = 21,
  opIn = 22,
  opIs = 23,
};

class TfsExpressionNode : public TfsCustomVariable {
public:
  TfsExpressionNode();
  ~TfsExpressionNode() override;

  // Binding strength: a lower number binds tighter.
  virtual int Priority() const = 0;
  // The value as the condition of an if, a loop or a short-circuit operator.
  virtual bool Condition();
  // Where the node's value is kept for as long as the expression lives (constants, and
  // variables and parameters read without a handler), so that operators read it in
  // place instead of copying it; nullptr for the others.
  const rtl::Variant* Direct() const noexcept { return FDirect; }

  // Children are owned.
  TfsExpressionNode* Left() const noexcept { return FLeft; }
  TfsExpressionNode* Right() const noexcept { return FRight; }
  TfsExpressionNode* Parent() const noexcept { return FParent; }
  void SetLeft(TfsExpressionNode* node) noexcept;
  void SetRight(TfsExpressionNode* node) noexcept;
  // Detaches a child without destroying it.
  void Release(TfsExpressionNode* child) noexcept;
  // Replaces a child by another (the old one is detached, not destroyed).
  void ReplaceChild(TfsExpressionNode* oldChild, TfsExpressionNode* newChild) noexcept;

protected:
  TfsExpressionNode* FLeft = nullptr;
  TfsExpressionNode* FRight = nullptr;
  TfsExpressionNode* FParent = nullptr;
  const rtl::Variant* FDirect = nullptr;
};

// A constant: its type follows the value's kind.
class TfsOperandNode : public TfsExpressionNode {
public:
  explicit TfsOperandNode(const rtl::Variant& value);
  int Priority() const override { return 0; }
  rtl::Variant GetValue() override;
};

// A designator operand; reads go straight to the variable of a plain variable
// designator.
class TfsDesignatorNode : public TfsExpressionNode {
public:
  explicit TfsDesignatorNode(TfsDesignator* designator);
  ~TfsDesignatorNode() override;
  int Priority() const override { return 0; }
  rtl::Variant GetValue() override;

  TfsDesignator* Designator() const noexcept { return FDesignator.get(); }
  // The variable of a plain variable designator, else nullptr.
  TfsCustomVariable* Variable() const noexcept { return FVar; }

private:
  std::unique_ptr<TfsDesignator> FDesignator;
  TfsCustomVariable* FVar;
};

// A set constructor used as an operand: its value is a variant array.
class TfsSetNode : public TfsExpressionNode {
public:
  explicit TfsSetNode(TfsSetExpression* set);
  ~TfsSetNode() override;
  int Priority() const override { return 0; }
  rtl::Variant GetValue() override;

  TfsSetExpression* SetExpression() const noexcept { return FSetExpression.get(); }

private:
  std::unique_ptr<TfsSetExpression> FSetExpression;
};

class TfsOperatorNode : public TfsExpressionNode {
public:
  explicit TfsOperatorNode(TfsOperatorCode op);
  int Priority() const override;

  TfsOperatorCode Op() const noexcept { return FOp; }
  // Both operands are Boolean at build time: and/or evaluate only what decides.
  bool ShortCircuit() const noexcept { return FOptimize; }
  void SetShortCircuit(bool on) noexcept { FOptimize = on; }

protected:
  TfsOperatorCode FOp;
  bool FOptimize = false;
};

// The placeholder root while building; reads its child.
class TNoneNode : public TfsOperatorNode {
public:
  TNoneNode() : TfsOperatorNode(opNone) {}
  rtl::Variant GetValue() override;
};

// The six comparisons share one class; the code picks the test, and each has its own
// evaluation with the test known when compiled.
class TfsCompareNode : public TfsOperatorNode {
public:
  explicit TfsCompareNode(TfsOperatorCode op) : TfsOperatorNode(op) {}
  rtl::Variant GetValue() override;
  bool Condition() override;
};

class TGreatNode : public TfsCompareNode {
public:
  TGreatNode() : TfsCompareNode(opGreat) {}
  bool Condition() override;
};
class TLessNode : public TfsCompareNode {
public:
  TLessNode() : TfsCompareNode(opLess) {}
  bool Condition() override;
};
class TLessEqNode : public TfsCompareNode {
public:
  TLessEqNode() : TfsCompareNode(opLessEq) {}
  bool Condition() override;
};
class TGreatEqNode : public TfsCompareNode {
public:
  TGreatEqNode() : TfsCompareNode(opGreatEq) {}
  bool Condition() override;
};
class TNonEqNode : public TfsCompareNode {
public:
  TNonEqNode() : TfsCompareNode(opNonEq) {}
  bool Condition() override;
};
class TEqNode : public TfsCompareNode {
public:
  TEqNode() : TfsCompareNode(opEq) {}
  bool Condition() override;
};

// Arithmetic, shifts and xor: one variant operation. The commonest operators have
// their own evaluation, with the operation known when compiled.
class TfsArithmeticNode : public TfsOperatorNode {
public:
  explicit TfsArithmeticNode(TfsOperatorCode op);
  rtl::Variant GetValue() override;

private:
  int FVarOp;
};

class TPlusNode : public TfsArithmeticNode {
public:
  TPlusNode() : TfsArithmeticNode(opPlus) {}
  rtl::Variant GetValue() override;
};
class TMinusNode : public TfsArithmeticNode {
public:
  TMinusNode() : TfsArithmeticNode(opMinus) {}
  rtl::Variant GetValue() override;
};
class TMulNode : public TfsArithmeticNode {
public:
  TMulNode() : TfsArithmeticNode(opMul) {}
  rtl::Variant GetValue() override;
};
class TDivFloatNode : public TfsArithmeticNode {
public:
  TDivFloatNode() : TfsArithmeticNode(opDivFloat) {}
  rtl::Variant GetValue() override;
};
class TDivIntNode : public TfsArithmeticNode {
public:
  TDivIntNode() : TfsArithmeticNode(opDivInt) {}
  rtl::Variant GetValue() override;
};
class TModNode : public TfsArithmeticNode {
public:
  TModNode() : TfsArithmeticNode(opMod) {}
  rtl::Variant GetValue() override;
};
class TShlNode : public TfsArithmeticNode {
public:
  TShlNode() : TfsArithmeticNode(opShl) {}
};
class TShrNode : public TfsArithmeticNode {
public:
  TShrNode() : TfsArithmeticNode(opShr) {}
};
class TXorNode : public TfsArithmeticNode {
public:
  TXorNode() : TfsArithmeticNode(opXor) {}
};

// The string-join operator: the texts of both operands joined, whatever their kinds
// (null and empty read as the empty text); wide when either operand is wide.
class TStrCatNode : public TfsOperatorNode {
public:
  TStrCatNode() : TfsOperatorNode(opPlus) {}
  rtl::Variant GetValue() override;
};

class TAndNode : public TfsOperatorNode {
public:
  TAndNode() : TfsOperatorNode(opAnd) {}
  rtl::Variant GetValue() override;
  bool Condition() override;
};

class TOrNode : public TfsOperatorNode {
public:
  TOrNode() : TfsOperatorNode(opOr) {}
  rtl::Variant GetValue() override;
  bool Condition() override;
};

class TLeftBracketNode : public TfsOperatorNode {
public:
  TLeftBracketNode() : TfsOperatorNode(opLeftBracket) {}
};

class TRightBracketNode : public TfsOperatorNode {
public:
  TRightBracketNode() : TfsOperatorNode(opRightBracket) {}
};

class TNotNode : public TfsOperatorNode {
public:
  TNotNode() : TfsOperatorNode(opNot) {}
  rtl::Variant GetValue() override;
};

class TUnMinusNode : public TfsOperatorNode {
public:
  TUnMinusNode() : TfsOperatorNode(opUnMinus) {}
  rtl::Variant GetValue() override;
};

class TInNode : public TfsOperatorNode {
public:
  TInNode() : TfsOperatorNode(opIn) {}
  rtl::Variant GetValue() override;
};

class TIsNode : public TfsOperatorNode {
public:
  TIsNode() : TfsOperatorNode(opIs) {}
  rtl::Variant GetValue() override;
};

// The node class for an operator text (upper-cased: ">", "STRCAT", "DIV", ...), or
// nullptr for an unknown text.
TfsOperatorNode* CreateOperatorNode(const std::string& upperText);

// Whether evaluating the tree only reads stored values: every operand is kept in
// storage (constants, plain variables) and every inner node an operator.
bool ReadsStoredValuesOnly(const TfsExpressionNode* top);

// Membership of a value in a variant array, reading elements from index 0; an
// element followed by a null element starts a range up to the element after it.
bool ArrayContains(const rtl::Variant& array, const rtl::Variant& value);

}  // namespace fs
