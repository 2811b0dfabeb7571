#include "engine/fsExpression.h"

#include <utility>
#include <vector>

#include "engine/fsDesignator.h"
#include "engine/fsExpressionNodes.h"
#include "engine/fsScript.h"
#include "engine/fsTypeCheck.h"
#include "rtl/VariantOps.h"

namespace fs {

using rtl::Variant;

TfsCustomExpression::TfsCustomExpression() : TfsCustomVariable(std::string(), fvtVariant, std::string()) {
  FKind = TfsItemKind::Expression;
}

// TfsExpression ---------------------------------------------------------------------------

TfsExpression::TfsExpression(TfsScript* program) : FProgram(program), FRoot(std::make_unique<TNoneNode>()) {
  FCurrentNode = FRoot.get();
}

TfsExpression::~TfsExpression() = default;

Variant TfsExpression::GetValue() { return FTop->GetValue(); }

bool TfsExpression::Condition() { return FTop->Condition(); }

void TfsExpression::SetValue(const Variant& value) {
  if (FIsReadOnly) return;
  if (TfsDesignator* d = SingleDesignator()) d->SetValue(value);
}

void TfsExpression::AddOperand(TfsExpressionNode* node) {
  TfsExpressionNode* cursor = FCurrentNode;
  if (!cursor->Left())
    cursor->SetLeft(node);
  else
    cursor->SetRight(node);
  FCurrentNode = node;
}

namespace {

bool IsOperator(const TfsExpressionNode* node, TfsOperatorCode op) {
  auto* o = dynamic_cast<const TfsOperatorNode*>(node);
  return o && o->Op() == op;
}

}  // namespace

void TfsExpression::AddOperator(TfsOperatorNode* node) {
  const TfsOperatorCode op = node->Op();
  if (op == opLeftBracket || op == opNot || op == opUnMinus) {
    AddOperand(node);
    return;
  }
  if (op == opRightBracket) {
    std::unique_ptr<TfsOperatorNode> closing(node);
    TfsExpressionNode* open = FCurrentNode;
    while (open && closing->Priority() >= open->Priority()) open = open->Parent();
    if (!open || !IsOperator(open, opLeftBracket)) return;  // no "(" to close: the grammar never writes that
    TfsExpressionNode* inner = open->Left();
    TfsExpressionNode* parent = open->Parent();
    open->Release(inner);
    parent->ReplaceChild(open, inner);
    delete open;
    FCurrentNode = inner ? inner : parent;
    return;
  }
  TfsExpressionNode* c = FCurrentNode;
  TfsExpressionNode* x = nullptr;
  if (c == FRoot.get()) {
    // No operand before the operator.
    AddOperand(node);
    return;
  }
  if (!IsOperator(c, opLeftBracket)) {
    x = c;
    c = c->Parent();
  }
  while (node->Priority() >= c->Priority()) {
    x = c;
    c = c->Parent();
  }
  if (x) {
    c->ReplaceChild(x, node);
    node->SetLeft(x);
  } else if (!c->Left()) {
    c->SetLeft(node);
  } else {
    c->SetRight(node);
  }
  FCurrentNode = node;
}

bool TfsExpression::TypeNode(TfsExpressionNode* node) {
  if (!node) return true;
  auto* op = dynamic_cast<TfsOperatorNode*>(node);
  if (!op) return true;  // operands carry their types
  if (!TypeNode(node->Left()) || !TypeNode(node->Right())) return false;
  const TfsExpressionNode* l = node->Left();
  const TfsExpressionNode* r = node->Right();
  const TfsVarType lt = l ? l->Typ() : fvtVariant;
  const TfsVarType rt = r ? r->Typ() : fvtVariant;
  const std::string lname = l ? l->TypeName() : std::string();
  const std::string rname = r ? r->TypeName() : std::string();
  const TfsOperatorCode code = op->Op();
  if (lt == fvtBool && rt == fvtBool) op->SetShortCircuit(true);

  auto fail = [&]() {
    if (FErrorPos.empty()) FErrorPos = node->SourcePos();
    return false;
  };

  if (code == opNone) {
    node->SetTyp(lt);
    node->SetTypeName(lname);
    return true;
  }
  if (dynamic_cast<TStrCatNode*>(node)) {
    // Joins texts of any kinds.
    node->SetTyp(fvtString);
    node->SetTypeName(std::string());
    return true;
  }
  const bool comparison = code == opGreat || code == opLess || code == opLessEq || code == opGreatEq ||
                          code == opNonEq || code == opEq;
  if (code == opIs) {
    // The right operand must name a registered class.
    auto* dn = dynamic_cast<const TfsDesignatorNode*>(r);
    TfsDesignator* d = dn ? dn->Designator() : nullptr;
    if (!d || d->LinkCount() == 0 || d->Links(0)->Ref()->Kind() != TfsItemKind::Class) return fail();
    if (!(lt == fvtClass && rt == fvtClass) && !CanAssign(FProgram, lt, lname, rt, rname, false)) return fail();
  } else {
    if (!CanAssign(FProgram, lt, lname, rt, rname, false)) return fail();
    switch (lt) {
      case fvtBool:
        if (!(code == opEq || code == opNonEq || code == opOr || code == opXor || code == opAnd || code == opNot))
          return fail();
        break;
      case fvtChar:
      case fvtString:
        if (!(comparison || code == opPlus || code == opIn)) return fail();
        break;
      case fvtClass:
      case fvtArray:
        if (!(code == opEq || code == opNonEq)) return fail();
        break;
      default: break;
    }
  }
  TfsVarType result = lt;
  std::string resultName = lname;
  const bool lInt = lt == fvtInt || lt == fvtInt64;
  const bool rInt = rt == fvtInt || rt == fvtInt64;
  if (r && ((lt == fvtInt && rt == fvtFloat) || (lt == fvtFloat && rt == fvtInt) || (lt == fvtFloat && rt == fvtInt64) ||
            (lt == fvtInt64 && rt == fvtFloat)))
    result = fvtFloat;
  if (code == opDivFloat && lInt && rInt) result = fvtFloat;
  if (comparison || code == opIn || code == opIs) result = fvtBool;
  if (result != lt) resultName.clear();
  node->SetTyp(result);
  node->SetTypeName(resultName);
  return true;
}

namespace {

int TreeDepth(const TfsExpressionNode* top) {
  int depth = 0;
  std::vector<std::pair<const TfsExpressionNode*, int>> pending{{top, 1}};
  while (!pending.empty()) {
    auto [node, level] = pending.back();
    pending.pop_back();
    if (!node) continue;
    if (level > depth) depth = level;
    pending.push_back({node->Left(), level + 1});
    pending.push_back({node->Right(), level + 1});
  }
  return depth;
}

}  // namespace

bool TfsExpression::Finish() {
  TfsExpressionNode* root = FRoot.get();
  TfsExpressionNode* top = root->Left();
  if (top) {
    root->Release(top);
    FRoot.reset(top);
  }
  FTop = FRoot.get();
  FCurrentNode = nullptr;
  if (TreeDepth(FTop) > kMaxExpressionDepth) {
    FErrorText = "Expression too complex";
    FErrorPos = FSourcePos;
    FTyp = fvtVariant;
    return false;
  }
  bool ok = TypeNode(FTop);
  if (!ok) FErrorText = "Incompatible types";
  FTyp = FTop->Typ();
  FTypeName = FTop->TypeName();
  auto* dn = dynamic_cast<TfsDesignatorNode*>(FTop);
  FSingle = dn ? dn->Designator() : nullptr;
  TfsDesignator* d = FSingle;
  FIsReadOnly = !(d && !d->IsReadOnly());
  return ok;
}

TfsExpression* TfsExpression::FromNode(TfsScript* program, TfsExpressionNode* top) {
  auto* e = new TfsExpression(program);
  e->FRoot.reset(top);
  e->FTop = top;
  e->FCurrentNode = nullptr;
  e->FTyp = top->Typ();
  e->FTypeName = top->TypeName();
  auto* dn = dynamic_cast<TfsDesignatorNode*>(top);
  e->FSingle = dn ? dn->Designator() : nullptr;
  e->FIsReadOnly = !(e->FSingle && !e->FSingle->IsReadOnly());
  return e;
}

TfsCustomVariable* TfsExpression::SingleOperand() const noexcept {
  if (auto* dn = dynamic_cast<TfsDesignatorNode*>(FTop)) return dn->Variable() ? dn->Variable() : dn->Designator();
  if (dynamic_cast<TfsOperandNode*>(FTop)) return FTop;
  return nullptr;
}


// TfsSetExpression --------------------------------------------------------------------------

TfsSetExpression::TfsSetExpression() : TfsCustomVariable(std::string(), fvtVariant, std::string()) {
  FKind = TfsItemKind::Expression;
}

TfsExpression* TfsSetExpression::Elements(int index) const noexcept { return static_cast<TfsExpression*>(Get(index)); }

bool TfsSetExpression::Contains(const Variant& value) {
  const int n = Count();
  int i = 0;
  while (i < n) {
    TfsExpression* e = Elements(i);
    if (i + 1 < n && !Elements(i + 1)) {
      if (e && rtl::VarCompare(value, e->GetValue(), rtl::TVarCompareOp::GreaterEqual) && i + 2 < n && Elements(i + 2) &&
          rtl::VarCompare(value, Elements(i + 2)->GetValue(), rtl::TVarCompareOp::LessEqual))
        return true;
      i += 3;
    } else {
      if (e && rtl::VarCompare(value, e->GetValue(), rtl::TVarCompareOp::Equal)) return true;
      ++i;
    }
  }
  return false;
}

Variant TfsSetExpression::GetValue() {
  const int n = Count();
  std::int32_t bounds[2] = {0, n - 1};
  Variant result = Variant::AdoptArray(rtl::VarArrayCreate(bounds, 1));
  Variant* data = rtl::VarArrayData(result.AsArrayRaw());
  for (int i = 0; i < n; ++i) data[i] = Elements(i) ? Elements(i)->GetValue() : Variant::Null();
  return result;
}

}  // namespace fs
