#include "engine/fsExpressionNodes.h"

#include <vector>

#include "engine/fsClassVariable.h"
#include "engine/fsDesignator.h"
#include "engine/fsExpression.h"
#include "engine/fsHelpers.h"
#include "engine/fsValueCopy.h"
#include "rtl/ClassInfo.h"
#include "rtl/Object.h"
#include "rtl/VariantConvert.h"
#include "rtl/VariantOps.h"

namespace fs {

using rtl::Variant;

// TfsExpressionNode -----------------------------------------------------------------------

TfsExpressionNode::TfsExpressionNode() : TfsCustomVariable(std::string(), fvtVariant, std::string()) {
  FKind = TfsItemKind::Expression;
}

TfsExpressionNode::~TfsExpressionNode() {
  // Without recursion: a long operator chain makes a deep tree.
  std::vector<TfsExpressionNode*> pending;
  if (FLeft) pending.push_back(FLeft);
  if (FRight) pending.push_back(FRight);
  while (!pending.empty()) {
    TfsExpressionNode* node = pending.back();
    pending.pop_back();
    if (node->FLeft) pending.push_back(node->FLeft);
    if (node->FRight) pending.push_back(node->FRight);
    node->FLeft = node->FRight = nullptr;
    delete node;
  }
}

bool TfsExpressionNode::Condition() { return rtl::VarAsCondition(GetValue()); }

void TfsExpressionNode::SetLeft(TfsExpressionNode* node) noexcept {
  FLeft = node;
  if (node) node->FParent = this;
}

void TfsExpressionNode::SetRight(TfsExpressionNode* node) noexcept {
  FRight = node;
  if (node) node->FParent = this;
}

void TfsExpressionNode::Release(TfsExpressionNode* child) noexcept {
  if (FLeft == child) FLeft = nullptr;
  if (FRight == child) FRight = nullptr;
  if (child && child->FParent == this) child->FParent = nullptr;
}

void TfsExpressionNode::ReplaceChild(TfsExpressionNode* oldChild, TfsExpressionNode* newChild) noexcept {
  if (FLeft == oldChild)
    SetLeft(newChild);
  else if (FRight == oldChild)
    SetRight(newChild);
  if (oldChild && oldChild->FParent == this) oldChild->FParent = nullptr;
}

// Operands ----------------------------------------------------------------------------------

namespace {

TfsVarType ConstantType(const Variant& value) {
  switch (value.VarType()) {
    case rtl::varBoolean: return fvtBool;
    case rtl::varSingle:
    case rtl::varDouble:
    case rtl::varCurrency:
    case rtl::varDate: return fvtFloat;
    case rtl::varInt64: return fvtInt64;
    case rtl::varString:
    case rtl::varOleStr: return fvtString;
    default: return fvtInt;
  }
}

}  // namespace

TfsOperandNode::TfsOperandNode(const Variant& value) {
  FValue = value;
  FTyp = ConstantType(value);
  FDirect = &FValue;
}

Variant TfsOperandNode::GetValue() { return ValueCopy(FValue); }

TfsDesignatorNode::TfsDesignatorNode(TfsDesignator* designator) : FDesignator(designator), FVar(nullptr) {
  FTyp = designator->Typ();
  FTypeName = designator->TypeName();
  FIsReadOnly = designator->IsReadOnly();
  if (dynamic_cast<TfsVariableDesignator*>(designator)) FVar = designator->RefItem();
  // A variable's storage stays where it is for the life of the program (recursive
  // calls save and restore its content); handlers are given when items are made.
  if (FVar && FVar->ReadsStorageOnly()) FDirect = &FVar->StoredValue();
}

TfsDesignatorNode::~TfsDesignatorNode() = default;

Variant TfsDesignatorNode::GetValue() { return FVar ? FVar->Value() : FDesignator->GetValue(); }

TfsSetNode::TfsSetNode(TfsSetExpression* set) : FSetExpression(set) { FTyp = fvtVariant; }

TfsSetNode::~TfsSetNode() = default;

Variant TfsSetNode::GetValue() { return FSetExpression->GetValue(); }

// Operators ---------------------------------------------------------------------------------

TfsOperatorNode::TfsOperatorNode(TfsOperatorCode op) : FOp(op) {}

int TfsOperatorNode::Priority() const {
  switch (FOp) {
    case opNone: return 7;
    case opGreat:
    case opLess:
    case opLessEq:
    case opGreatEq:
    case opNonEq:
    case opEq:
    case opIn:
    case opIs: return 4;
    case opPlus:
    case opMinus:
    case opOr:
    case opXor: return 3;
    case opMul:
    case opDivFloat:
    case opDivInt:
    case opMod:
    case opAnd:
    case opShl:
    case opShr: return 2;
    case opLeftBracket: return 6;
    case opRightBracket: return 5;
    case opNot:
    case opUnMinus: return 1;
  }
  return 7;
}

Variant TNoneNode::GetValue() { return FLeft ? FLeft->GetValue() : Variant::Null(); }

namespace {

// An operation known when compiled: the fast paths see a constant and keep only
// their own case.
template <auto Op>
struct Fixed {
  constexpr operator decltype(Op)() const noexcept { return Op; }
};

rtl::TVarCompareOp CompareOpOf(TfsOperatorCode op) {
  switch (op) {
    case opGreat: return rtl::TVarCompareOp::Greater;
    case opLess: return rtl::TVarCompareOp::Less;
    case opLessEq: return rtl::TVarCompareOp::LessEqual;
    case opGreatEq: return rtl::TVarCompareOp::GreaterEqual;
    case opNonEq: return rtl::TVarCompareOp::NotEqual;
    default: return rtl::TVarCompareOp::Equal;
  }
}

rtl::TVarOp VarOpOf(TfsOperatorCode op) {
  switch (op) {
    case opMinus: return rtl::TVarOp::Subtract;
    case opMul: return rtl::TVarOp::Multiply;
    case opDivFloat: return rtl::TVarOp::Divide;
    case opDivInt: return rtl::TVarOp::IntDivide;
    case opMod: return rtl::TVarOp::Modulus;
    case opShl: return rtl::TVarOp::ShiftLeft;
    case opShr: return rtl::TVarOp::ShiftRight;
    case opXor: return rtl::TVarOp::Xor;
    case opAnd: return rtl::TVarOp::And;
    case opOr: return rtl::TVarOp::Or;
    default: return rtl::TVarOp::Add;
  }
}

}  // namespace

namespace {

template <class Op>
bool CompareOperands(const TfsExpressionNode* node, const Variant& left, const Variant& right, Op op) {
  if ((op == rtl::TVarCompareOp::Equal || op == rtl::TVarCompareOp::NotEqual) && node->Right()->Typ() == fvtClass) {
    // Object references compare as the integers that carry them.
    bool same = rtl::VarToInt64(left) == rtl::VarToInt64(right);
    return op == rtl::TVarCompareOp::Equal ? same : !same;
  }
  return rtl::VarCompare(left, right, op);
}

// The left operand is read in place only when the right one is a stored value too:
// evaluating the right one (a call) could change the left one after it was read.
template <class Op>
bool Comparison(const TfsExpressionNode* node, Op op) {
  TfsExpressionNode* l = node->Left();
  TfsExpressionNode* r = node->Right();
  if (const Variant* right = r->Direct()) {
    if (const Variant* left = l->Direct()) return CompareOperands(node, *left, *right, op);
    const Variant left = l->GetValue();
    return CompareOperands(node, left, *right, op);
  }
  const Variant left = l->GetValue();
  const Variant right = r->GetValue();
  return CompareOperands(node, left, right, op);
}

}  // namespace

bool TfsCompareNode::Condition() { return Comparison(this, CompareOpOf(FOp)); }
bool TGreatNode::Condition() { return Comparison(this, Fixed<rtl::TVarCompareOp::Greater>()); }
bool TLessNode::Condition() { return Comparison(this, Fixed<rtl::TVarCompareOp::Less>()); }
bool TLessEqNode::Condition() { return Comparison(this, Fixed<rtl::TVarCompareOp::LessEqual>()); }
bool TGreatEqNode::Condition() { return Comparison(this, Fixed<rtl::TVarCompareOp::GreaterEqual>()); }
bool TNonEqNode::Condition() { return Comparison(this, Fixed<rtl::TVarCompareOp::NotEqual>()); }
bool TEqNode::Condition() { return Comparison(this, Fixed<rtl::TVarCompareOp::Equal>()); }

Variant TfsCompareNode::GetValue() { return Variant(Condition()); }

TfsArithmeticNode::TfsArithmeticNode(TfsOperatorCode op) : TfsOperatorNode(op), FVarOp(static_cast<int>(VarOpOf(op))) {}

namespace {

// left op right, reading stored operands in place (the left one only when the right
// one is stored too, as for comparisons).
template <class Op>
Variant Arithmetic(TfsExpressionNode* l, TfsExpressionNode* r, Op op) {
  if (const Variant* right = r->Direct()) {
    if (const Variant* left = l->Direct()) return rtl::VarBinaryOp(*left, *right, op);
    Variant left = l->GetValue();
    rtl::VarOpInPlace(left, *right, op);
    return left;
  }
  Variant left = l->GetValue();
  rtl::VarOpInPlace(left, r->GetValue(), op);
  return left;
}

}  // namespace

Variant TfsArithmeticNode::GetValue() { return Arithmetic(FLeft, FRight, static_cast<rtl::TVarOp>(FVarOp)); }
Variant TPlusNode::GetValue() { return Arithmetic(FLeft, FRight, Fixed<rtl::TVarOp::Add>()); }
Variant TMinusNode::GetValue() { return Arithmetic(FLeft, FRight, Fixed<rtl::TVarOp::Subtract>()); }
Variant TMulNode::GetValue() { return Arithmetic(FLeft, FRight, Fixed<rtl::TVarOp::Multiply>()); }
Variant TDivFloatNode::GetValue() { return Arithmetic(FLeft, FRight, Fixed<rtl::TVarOp::Divide>()); }
Variant TDivIntNode::GetValue() { return Arithmetic(FLeft, FRight, Fixed<rtl::TVarOp::IntDivide>()); }
Variant TModNode::GetValue() { return Arithmetic(FLeft, FRight, Fixed<rtl::TVarOp::Modulus>()); }

Variant TStrCatNode::GetValue() {
  Variant left = FLeft->GetValue();
  Variant right = FRight->GetValue();
  if (left.VarType() == rtl::varOleStr || right.VarType() == rtl::varOleStr) {
    std::u16string text = left.IsEmptyOrNull() ? std::u16string() : rtl::VarToWideString(left);
    if (!right.IsEmptyOrNull()) text += rtl::VarToWideString(right);
    return Variant(std::u16string_view(text));
  }
  rtl::AnsiString text = rtl::VarToStr(left);
  if (!right.IsEmptyOrNull()) text += rtl::VarToAnsiString(right).view();
  return Variant(text);
}

Variant TAndNode::GetValue() {
  Variant left = FLeft->GetValue();
  if (FOptimize) {
    if (!rtl::VarAsCondition(left)) return left;
    return FRight->GetValue();
  }
  rtl::VarOpInPlace(left, FRight->GetValue(), rtl::TVarOp::And);
  return left;
}

bool TAndNode::Condition() {
  if (FOptimize) return FLeft->Condition() && FRight->Condition();
  return TfsOperatorNode::Condition();
}

bool TOrNode::Condition() {
  if (FOptimize) return FLeft->Condition() || FRight->Condition();
  return TfsOperatorNode::Condition();
}

Variant TOrNode::GetValue() {
  Variant left = FLeft->GetValue();
  if (FOptimize) {
    if (rtl::VarAsCondition(left)) return left;
    return FRight->GetValue();
  }
  rtl::VarOpInPlace(left, FRight->GetValue(), rtl::TVarOp::Or);
  return left;
}

Variant TNotNode::GetValue() { return rtl::VarNot(FLeft->GetValue()); }

Variant TUnMinusNode::GetValue() { return rtl::VarNegate(FLeft->GetValue()); }

Variant TInNode::GetValue() {
  Variant value = FLeft->GetValue();
  if (auto* set = dynamic_cast<TfsSetNode*>(FRight)) return Variant(set->SetExpression()->Contains(value));
  return Variant(ArrayContains(FRight->GetValue(), value));
}

Variant TIsNode::GetValue() {
  Variant value = FLeft->GetValue();
  auto* node = dynamic_cast<TfsDesignatorNode*>(FRight);
  TfsDesignator* d = node ? node->Designator() : nullptr;
  TfsCustomVariable* target = d && d->LinkCount() ? d->Links(0)->Ref() : nullptr;
  if (!target || target->Kind() != TfsItemKind::Class) return Variant(false);
  rtl::TObject* object = rtl::VariantToObject(value);
  if (!object) return Variant(false);
  rtl::TClass cls = static_cast<TfsClassVariable*>(target)->ClassRef();
  return Variant(cls != nullptr && object->ClassInfo().InheritsFrom(cls));
}

TfsOperatorNode* CreateOperatorNode(const std::string& upperText) {
  const std::string& t = upperText;
  if (t == ">") return new TGreatNode;
  if (t == "<") return new TLessNode;
  if (t == "<=") return new TLessEqNode;
  if (t == ">=") return new TGreatEqNode;
  if (t == "<>") return new TNonEqNode;
  if (t == "=") return new TEqNode;
  if (t == "+") return new TPlusNode;
  if (t == "STRCAT") return new TStrCatNode;
  if (t == "-") return new TMinusNode;
  if (t == "OR") return new TOrNode;
  if (t == "XOR") return new TXorNode;
  if (t == "*") return new TMulNode;
  if (t == "/") return new TDivFloatNode;
  if (t == "DIV") return new TDivIntNode;
  if (t == "MOD") return new TModNode;
  if (t == "AND") return new TAndNode;
  if (t == "SHL") return new TShlNode;
  if (t == "SHR") return new TShrNode;
  if (t == "(") return new TLeftBracketNode;
  if (t == ")") return new TRightBracketNode;
  if (t == "NOT") return new TNotNode;
  if (t == "UNMINUS") return new TUnMinusNode;
  if (t == "IN") return new TInNode;
  if (t == "IS") return new TIsNode;
  return nullptr;
}

bool ReadsStoredValuesOnly(const TfsExpressionNode* top) {
  std::vector<const TfsExpressionNode*> pending{top};
  while (!pending.empty()) {
    const TfsExpressionNode* node = pending.back();
    pending.pop_back();
    if (!node) continue;
    if (node->Direct()) continue;
    if (!dynamic_cast<const TfsOperatorNode*>(node) || dynamic_cast<const TfsSetNode*>(node)) return false;
    if (!node->Left() && !node->Right()) return false;
    pending.push_back(node->Left());
    pending.push_back(node->Right());
  }
  return true;
}

bool ArrayContains(const Variant& array, const Variant& value) {
  if (!array.IsArray()) RaiseNotAnArray();
  const rtl::VarArray* a = array.AsArrayRaw();
  if (!a || a->DimCount != 1) RaiseArrayIndexError();
  const std::int64_t low = a->Bounds[0].LowBound;
  const std::int64_t high = low + static_cast<std::int64_t>(a->Bounds[0].ElementCount) - 1;
  auto element = [&](std::int64_t i) -> const Variant& {
    if (i < low || i > high) RaiseArrayIndexError();
    return rtl::VarArrayData(a)[i - low];
  };
  for (std::int64_t i = 0; i <= high; ++i) {
    if (rtl::VarCompare(value, element(i), rtl::TVarCompareOp::Equal)) return true;
    if (i + 1 < high && element(i + 1).IsNull()) {
      if (rtl::VarCompare(value, element(i), rtl::TVarCompareOp::GreaterEqual) &&
          rtl::VarCompare(value, element(i + 2), rtl::TVarCompareOp::LessEqual))
        return true;
      i += 2;
    }
  }
  return false;
}

}  // namespace fs
