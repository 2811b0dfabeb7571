// TfsExpression: an expression of a program, built from the flat operand and operator
// sequence of an expr node by precedence climbing, typed statically (mismatches are
// compile errors) and evaluated on every read. TfsSetExpression: a set constructor,
// its elements and ranges.
#pragma once

#include <memory>
#include <string>

#include "engine/fsCustomVariable.h"

namespace fs {

class TfsScript;
class TfsExpressionNode;

// Expression trees deeper than this are refused when building ("Expression too
// complex"): they are walked recursively when typed and evaluated. A long chain of
// operators of one priority nests one level per operator.
constexpr int kMaxExpressionDepth = 1000;
class TfsOperatorNode;
class TfsDesignator;

class TfsCustomExpression : public TfsCustomVariable {
public:
  TfsCustomExpression();
};

class TfsExpression : public TfsCustomExpression {
public:
  explicit TfsExpression(TfsScript* program);
  ~TfsExpression() override;

  rtl::Variant GetValue() override;
  bool Condition();
  // Writes the designator when the expression is one writable designator (by-reference
  // arguments); otherwise nothing happens.
  void SetValue(const rtl::Variant& value) override;

  // Building: operands and operators in source order, then Finish.
  void AddOperand(TfsExpressionNode* node);
  // "(", "not" and "unminus" wait for an operand; ")" closes the last "(".
  void AddOperator(TfsOperatorNode* node);
  // Types the tree; false when it is too deep or an operator's operands do not fit
  // (ErrorText and ErrorPos then tell why and where).
  bool Finish();
  const std::string& ErrorText() const noexcept { return FErrorText; }
  // An expression around a node that is already typed (taken over).
  static TfsExpression* FromNode(TfsScript* program, TfsExpressionNode* top);
  const std::string& ErrorPos() const noexcept { return FErrorPos; }

  // The top node after Finish.
  TfsExpressionNode* Top() const noexcept { return FTop; }
  // The expression's only operand when it is a constant, a designator or a variable,
  // else nullptr: what an assignment reads directly.
  TfsCustomVariable* SingleOperand() const noexcept;
  // The designator when the whole expression is one, else nullptr.
  TfsDesignator* SingleDesignator() const noexcept { return FSingle; }

  TfsScript* Program() const noexcept { return FProgram; }
  const std::string& Source() const noexcept { return FSource; }
  void SetSource(const std::string& source) { FSource = source; }

private:
  bool TypeNode(TfsExpressionNode* node);

  TfsScript* FProgram;
  std::unique_ptr<TfsExpressionNode> FRoot;  // placeholder root while building, then the top node
  TfsExpressionNode* FTop = nullptr;
  TfsExpressionNode* FCurrentNode = nullptr;
  TfsDesignator* FSingle = nullptr;
  std::string FSource;
  std::string FErrorPos;
  std::string FErrorText;
};

// Elements are expressions (items); an empty slot (nullptr) between two elements
// makes a range.
class TfsSetExpression : public TfsCustomVariable {
public:
  TfsSetExpression();

  void AddElement(TfsExpression* element) { Add(element); }
  void AddRangeSlot() { Add(nullptr); }
  TfsExpression* Elements(int index) const noexcept;

  // Set membership: equality with an element or inclusion in a range (the upper bound
  // is evaluated only when the value reaches the lower one).
  bool Contains(const rtl::Variant& value);
  // The set as an operand: a variant array of the element values, null for each slot.
  rtl::Variant GetValue() override;
};

}  // namespace fs
