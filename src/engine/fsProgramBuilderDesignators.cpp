// The designator and expression half of TfsProgramBuilder.
#include <charconv>
#include <cstdint>
#include <memory>

#include "engine/fsClassVariable.h"
#include "engine/fsDesignator.h"
#include "engine/fsExpression.h"
#include "engine/fsExpressionNodes.h"
#include "engine/fsHelpers.h"
#include "engine/fsILParser.h"
#include "engine/fsOLEHelper.h"
#include "engine/fsProcVariable.h"
#include "engine/fsProgramBuilder.h"
#include "engine/fsScript.h"
#include "engine/fsStatements.h"
#include "engine/fsStrings.h"
#include "engine/fsTypeCheck.h"
#include "engine/fsVariables.h"
#include "engine/fsXMLItem.h"
#include "platform/Automation.h"
#include "rtl/Component.h"
#include "rtl/Exceptions.h"
#include "rtl/Object.h"
#include "rtl/VariantConvert.h"

namespace fs {

using rtl::Variant;

// A designator being built: the designator that receives the links, owned while it is
// built from scratch.
struct TfsProgramBuilder::Chain {
  std::unique_ptr<TfsDesignator> Owner;
  TfsDesignator* D = nullptr;
  TfsXMLItem* Node = nullptr;  // the dsgn node being read
  bool Automation = false;     // the rest names members of an automation object
};

namespace {

bool IsNode(const TfsXMLItem* node, const char* name) { return SameText(node->Name(), name); }

bool StoresValue(const TfsCustomVariable* item) {
  TfsItemKind k = item->Kind();
  return k == TfsItemKind::Variable || k == TfsItemKind::StringVariable || k == TfsItemKind::Param;
}

// The object a value names, or nullptr when it names none.
rtl::TObject* ObjectOf(const Variant& value) {
  const std::uint16_t t = value.VarType();
  if (t != rtl::varInteger && t != rtl::varInt64 && t != rtl::varLongWord) return nullptr;
  try {
    return rtl::VariantToObject(value);
  } catch (const rtl::Exception&) {
    return nullptr;
  }
}

// Parses "line:column".
bool ParsePos(const std::string& pos, int& line, int& column) {
  std::size_t colon = pos.find(':');
  if (colon == std::string::npos) return false;
  auto r1 = std::from_chars(pos.data(), pos.data() + colon, line);
  auto r2 = std::from_chars(pos.data() + colon + 1, pos.data() + pos.size(), column);
  return r1.ec == std::errc() && r2.ec == std::errc();
}

}  // namespace

// Designators -------------------------------------------------------------------------------

void TfsProgramBuilder::PushLink(Chain& chain, TfsCustomVariable* target) {
  chain.D->AddLink(new TfsDesignatorItem(target, FErrorPos));
}

// dsgn: optional leaf addr, node leaves (names and "[") and expr arguments.
TfsDesignator* TfsProgramBuilder::BuildDesignator(TfsXMLItem* node, DesignatorMode mode) {
  UpdatePos(node);
  const std::string callPos = FErrorPos;
  Chain chain;
  chain.Owner = std::make_unique<TfsDesignator>(FScope);
  chain.D = chain.Owner.get();
  chain.Node = node;
  if (node->Count() == 0) Error("Identifier expected");

  TfsXMLItem* first = node->Items(0);
  if (IsNode(first, "addr")) {
    // The address of a routine: its name as a string constant.
    UpdatePos(first);
    if (node->Count() != 2 || !IsNode(node->Items(1), "node")) Error("Variable required");
    UpdatePos(node->Items(1));
    auto* constant = new TfsStringVariable(std::string(), fvtString, std::string());
    FProgram->AddName(std::string(), constant);
    constant->SetValue(Variant(rtl::AnsiString(node->Items(1)->Prop("text"))));
    constant->SetReadOnly(true);
    PushLink(chain, constant);
    return FinishDesignator(chain, callPos);
  }

  UpdatePos(first);
  const bool complete = ResolveFirst(chain, node, first);
  if (mode == DesignatorMode::New) {
    TfsCustomVariable* cls = chain.D->LinkCount() ? chain.D->Links(0)->Ref() : nullptr;
    if (!complete || chain.D->LinkCount() != 1 || cls->Kind() != TfsItemKind::Class) Error("Class type required");
    TfsCustomVariable* create = static_cast<TfsClassVariable*>(cls)->FindMember("Create");
    if (!create) Error("Undeclared identifier: 'Create'");
    PushLink(chain, create);
  }
  if (complete) AddChildren(chain, node, 1);
  if (mode == DesignatorMode::Delete) {
    if (chain.D->Pending()) Error("Class type required");
    TfsCustomVariable* last = chain.D->LastLink()->Ref();
    TfsVarType t = last->Typ() == fvtConstructor ? fvtClass : last->Typ();
    if (t != fvtClass && t != fvtVariant) Error("Class type required");
    TfsClassVariable* tobject = FindClassVariable(FScope, "TObject");
    if (!tobject) Error("Undeclared identifier: 'TObject'");
    TfsCustomVariable* free = tobject->FindMember("Free");
    if (!free) Error("Undeclared identifier: 'Free'");
    PushLink(chain, free);
  }
  return FinishDesignator(chain, callPos);
}

// The first node leaf of a dsgn: with-targets, then the scope.
bool TfsProgramBuilder::ResolveFirst(Chain& chain, TfsXMLItem* node, TfsXMLItem* leaf) {
  const std::string name = leaf->Prop("text");
  // Members of the open with-targets, innermost first.
  for (auto it = FWithList.rbegin(); it != FWithList.rend(); ++it) {
    TfsCustomVariable* hidden = it->Statement->Variable();
    if (hidden->Typ() == fvtVariant) {
      if (FScope->Lookup(name)) break;
      // Looked up as a member of the target's value when first evaluated.
      PushLink(chain, hidden);
      auto late = std::make_unique<TfsLateBinding>();
      late->Tree = std::make_unique<TfsXMLItem>();
      late->Tree->CopyTreeFrom(node);
      auto* hiddenLeaf = new TfsXMLItem;
      hiddenLeaf->SetName("node");
      hiddenLeaf->SetProp("text", hidden->Name());
      hiddenLeaf->SetProp("pos", leaf->Prop("pos"));
      late->Tree->InsertItem(0, hiddenLeaf);
      late->Next = 1;
      late->Program = FProgram;
      late->Scope = FScope;
      late->DeclareVars = FDeclareVars;
      late->UnitName = FUnitName;
      chain.D->SetLateBinding(std::move(late));
      return false;
    }
    TfsClassVariable* cls = FindClassVariable(FScope, hidden->TypeName());
    if (TfsCustomVariable* member = cls ? cls->FindMember(name) : nullptr) {
      PushLink(chain, hidden);
      PushLink(chain, member);
      return true;
    }
  }
  TfsCustomVariable* item = FScope->Lookup(name);
  if (!item) {
    if (FDeclareVars || FRunning) Error("Undeclared identifier: '" + name + "'");
    // Undeclared names are global variables of the program, even inside a routine.
    item = NewVariable(name, fvtVariant, "Variant");
    FProgram->AddName(name, item);
  }
  PushLink(chain, item);
  return true;
}

// The node leaves and expr children of a dsgn after its first name.
void TfsProgramBuilder::AddChildren(Chain& chain, TfsXMLItem* node, int from) {
  for (int k = from; k < node->Count(); ++k) {
    TfsXMLItem* child = node->Items(k);
    UpdatePos(child);
    if (IsNode(child, "node")) {
      if (chain.Automation) {
        // "[" adds nothing: the expressions after it are arguments of the member.
        if (child->Prop("text") != "[") PushOLELink(chain, child->Prop("text"));
        continue;
      }
      TfsCustomVariable* previous = chain.D->LastLink()->Ref();
      if (!ResolveNext(chain, child->Prop("text"), previous->StoredValue(), false)) {
        // The rest waits for the value the chain reaches when it runs.
        if (TfsLateBinding* late = chain.D->LateBinding()) {
          late->Next = k;
        } else {
          auto created = std::make_unique<TfsLateBinding>();
          created->Tree = std::make_unique<TfsXMLItem>();
          created->Tree->CopyTreeFrom(node);
          created->Next = k;
          created->Program = FProgram;
          created->Scope = FScope;
          created->DeclareVars = FDeclareVars;
          created->UnitName = FUnitName;
          chain.D->SetLateBinding(std::move(created));
        }
        return;
      }
    } else if (IsNode(child, "expr")) {
      TfsDesignatorItem* link = chain.D->LastLink();
      auto* member = chain.Automation ? dynamic_cast<TfsOLEHelper*>(link->Ref()) : nullptr;
      if (member && member->ParamCount() >= platform::kMaxAutomationArgs) Error("Too many actual parameters");
      link->AddArgument(BuildExpression(child));
      // One variant parameter per argument, so that the argument count checks pass.
      if (member) member->AddArgumentParam();
    }
  }
}

void TfsProgramBuilder::PushOLELink(Chain& chain, const std::string& name) {
  auto* helper = new TfsOLEHelper(name);
  FProgram->AddName(std::string(), helper);
  PushLink(chain, helper);
}

bool TfsProgramBuilder::ResolveNext(Chain& chain, const std::string& text, const Variant& previousValue,
                                    bool valueKnown) {
  TfsDesignatorItem* link = chain.D->LastLink();
  TfsCustomVariable* previous = link->Ref();
  if (previous->Kind() == TfsItemKind::Helper && static_cast<TfsCustomHelper*>(previous)->IsIndexProp() &&
      !link->Flag()) {
    // The arguments that follow index the method.
    if (text != "[") Error("Index required");
    link->SetFlag(true);
    return true;
  }
  switch (previous->Typ()) {
    case fvtString:
    case fvtChar: {
      if (text != "[") Error("Strings doesn't have properties or methods");
      TfsCustomVariable* helper = FScope->Lookup("__StringHelper");
      if (!helper) Error("Undeclared identifier: '__StringHelper'");
      PushLink(chain, helper);
      return true;
    }
    case fvtClass: {
      TfsClassVariable* cls = FindClassVariable(FScope, previous->TypeName());
      if (!cls) Error("Unknown type: '" + previous->TypeName() + "'");
      ResolveClassMember(chain, cls, text, previousValue);
      return true;
    }
    case fvtArray: {
      if (text != "[") Error("Index required");
      TfsCustomVariable* helper = previous->RefItem();
      if (!helper) helper = FScope->Lookup("__ArrayHelper");
      if (!helper) Error("Undeclared identifier: '__ArrayHelper'");
      PushLink(chain, helper);
      return true;
    }
    case fvtVariant: return ResolveByValue(chain, text, previousValue, valueKnown);
    default: Error("Array type required");
  }
}

bool TfsProgramBuilder::ResolveByValue(Chain& chain, const std::string& text, const Variant& value,
                                       bool valueKnown) {
  if (value.IsEmptyOrNull()) {
    if (!valueKnown) return false;
    Error(text == "[" ? "Array type required" : "Class type required");
  }
  if (value.IsString()) {
    if (text != "[") Error("Strings doesn't have properties or methods");
    TfsCustomVariable* helper = FScope->Lookup("__StringHelper");
    if (!helper) Error("Undeclared identifier: '__StringHelper'");
    PushLink(chain, helper);
    return true;
  }
  const std::uint16_t t = value.VarType();
  if (t == rtl::varDispatch || t == rtl::varUnknown) {
    // Members of an automation object are found by name when they run.
    chain.Automation = true;
    if (text != "[") PushOLELink(chain, text);
    return true;
  }
  if (value.IsArray()) {
    if (text != "[") Error("Index required");
    TfsCustomVariable* helper = FScope->Lookup("__ArrayHelper");
    if (!helper) Error("Undeclared identifier: '__ArrayHelper'");
    PushLink(chain, helper);
    return true;
  }
  // Anything else must name an object: its class decides.
  rtl::TObject* object = ObjectOf(value);
  if (!object) Error(text == "[" ? "Array type required" : "Class type required");
  TfsClassVariable* cls = nullptr;
  for (rtl::TClass c = &object->ClassInfo(); c && !cls; c = c->ClassParent()) cls = FindClassVariable(FScope, c->ClassName());
  if (!cls) Error("Unknown type: '" + object->ClassName() + "'");
  ResolveClassMember(chain, cls, text, value);
  return true;
}

void TfsProgramBuilder::ResolveClassMember(Chain& chain, TfsClassVariable* cls, const std::string& text,
                                           const Variant& value) {
  if (text == "[") {
    TfsCustomHelper* def = cls->DefProperty();
    if (!def) Error("Class " + cls->Name() + " does not have a default property");
    PushLink(chain, def);
    chain.D->LastLink()->SetFlag(true);
    return;
  }
  if (TfsCustomVariable* member = cls->FindMember(text)) {
    PushLink(chain, member);
    return;
  }
  // A component owned by the object reached so far, when that object is known now.
  if (auto* owner = dynamic_cast<rtl::TComponent*>(ObjectOf(value))) {
    if (rtl::TComponent* component = owner->FindComponent(text)) {
      auto* constant = new TfsVariable(std::string(), fvtClass, component->ClassName());
      FProgram->AddName(std::string(), constant);
      constant->StoredValue() = rtl::ObjectToVariant(component);
      constant->SetReadOnly(true);
      PushLink(chain, constant);
      return;
    }
  }
  Error("Undeclared identifier: '" + text + "'");
}

void TfsProgramBuilder::CheckArguments(TfsDesignator* designator, int fromLink, const std::string& callPos) {
  for (int i = fromLink; i < designator->LinkCount(); ++i) {
    TfsDesignatorItem* link = designator->Links(i);
    TfsCustomVariable* target = link->Ref();
    if (target->Kind() == TfsItemKind::Designator) continue;
    const int given = link->ArgumentCount();
    const int params = target->ParamCount();
    int required = 0;
    for (int j = 0; j < params; ++j)
      if (!target->Params(j)->IsOptional()) ++required;
    if (given < required) {
      if (!callPos.empty()) FErrorPos = callPos;
      Error("Not enough actual parameters");
    }
    if (given > params) {
      if (!callPos.empty()) FErrorPos = callPos;
      Error("Too many actual parameters");
    }
    for (int j = given; j < params; ++j) {
      TfsParamItem* p = target->Params(j);
      const TfsVarType t = p->Typ() == fvtClass ? fvtVariant : p->Typ();
      link->AddArgument(ConstantExpression(p->DefValue(), t, t == fvtVariant ? std::string() : p->TypeName()));
    }
    for (int j = 0; j < given; ++j) {
      TfsCustomExpression* arg = link->Arguments(j);
      TfsParamItem* p = target->Params(j);
      if (!CanAssign(FScope, p->Typ(), p->TypeName(), arg->Typ(), arg->TypeName(), true) ||
          (p->RefusesObjects() && arg->Typ() == fvtClass)) {
        if (!arg->SourcePos().empty()) FErrorPos = arg->SourcePos();
        Error(IncompatibleTypesText(p->Typ(), p->TypeName(), arg->Typ(), arg->TypeName()));
      }
    }
  }
}

TfsDesignator* TfsProgramBuilder::FinishDesignator(Chain& chain, const std::string& callPos) {
  TfsDesignator* d = chain.D;
  CheckArguments(d, 0, callPos);
  d->Finish();
  if (d->Pending()) return chain.Owner.release();
  std::unique_ptr<TfsDesignator> special;
  const int n = d->LinkCount();
  TfsDesignatorItem* first = n ? d->Links(0) : nullptr;
  if (n == 1 && StoresValue(first->Ref()) && first->ArgumentCount() == 0) {
    special = std::make_unique<TfsVariableDesignator>(FScope);
  } else if (n == 2 && first->ArgumentCount() == 0 && d->Links(1)->ArgumentCount() == 1 &&
             first->Ref()->Kind() == TfsItemKind::StringVariable &&
             dynamic_cast<TfsStringHelper*>(d->Links(1)->Ref())) {
    special = std::make_unique<TfsStringDesignator>(FScope);
  } else if (n == 2 && first->ArgumentCount() == 0 && StoresValue(first->Ref()) && first->Ref()->Typ() == fvtArray &&
             dynamic_cast<TfsArrayHelper*>(d->Links(1)->Ref())) {
    special = std::make_unique<TfsArrayDesignator>(FScope);
  }
  if (!special) return chain.Owner.release();
  special->TakeLinks(*d);
  special->SetRefItem(first->Ref());
  special->Finish();
  special->SetNeedResult(d->NeedResult());
  return special.release();
}

void TfsProgramBuilder::ResolveLate(TfsDesignator* designator, const Variant& current) {
  TfsLateBinding* late = designator->LateBinding();
  TfsXMLItem* tree = late->Tree.get();
  const int k = late->Next;
  const int before = designator->LinkCount();
  const TfsVarType typ = designator->Typ();
  const std::string typeName = designator->TypeName();
  const bool readOnly = designator->IsReadOnly();
  Chain chain;
  chain.D = designator;
  chain.Node = tree;
  try {
    TfsXMLItem* leaf = tree->Items(k);
    UpdatePos(leaf);
    ResolveByValue(chain, leaf->Prop("text"), current, true);
    late->Next = tree->Count();
    AddChildren(chain, tree, k + 1);
    CheckArguments(designator, before, std::string());
    designator->Finish();
  } catch (...) {
    late->Next = k;
    while (designator->LinkCount() > before) designator->RemoveLastLink();
    throw;
  }
  // The static type stays what the program was built with.
  designator->SetTyp(typ);
  designator->SetTypeName(typeName);
  designator->SetReadOnly(readOnly);
}

// Expressions -------------------------------------------------------------------------------

// expr: operands and op leaves, nested expr nodes for parentheses.
TfsExpression* TfsProgramBuilder::BuildExpression(TfsXMLItem* node) {
  UpdatePos(node);
  auto e = std::make_unique<TfsExpression>(FScope);
  e->SetSourcePos(node->Prop("pos"));
  AddExpressionParts(e.get(), node);
  if (!e->Finish()) {
    FErrorPos = e->ErrorPos();
    Error(e->ErrorText());
  }
  if (FParser && FUnitName.empty()) e->SetSource(SourceText(node));
  return e.release();
}

// The children of an expr node, into one expression.
void TfsProgramBuilder::AddExpressionParts(TfsExpression* e, TfsXMLItem* node) {
  const int count = node->Count();
  for (int k = 0; k < count; ++k) {
    TfsXMLItem* child = node->Items(k);
    UpdatePos(child);
    if (IsNode(child, "op")) {
      const std::string text = UpperCase(child->Prop("text"));
      if (text != ")" && k == count - 1) continue;
      TfsOperatorNode* op = CreateOperatorNode(text);
      if (!op) Error("Invalid language definition");
      op->SetSourcePos(FErrorPos);
      e->AddOperator(op);
    } else if (IsNode(child, "number") || IsNode(child, "string")) {
      e->AddOperand(new TfsOperandNode(ConstantValue(child->Prop("text"))));
    } else if (IsNode(child, "dsgn")) {
      TfsDesignator* d = BuildDesignator(child, DesignatorMode::Plain);
      e->AddOperand(new TfsDesignatorNode(d));
    } else if (IsNode(child, "set")) {
      TfsSetExpression* set = BuildSet(child);
      e->AddOperand(new TfsSetNode(set));
    } else if (IsNode(child, "new")) {
      if (child->Count() == 0) Error("Class type required");
      TfsDesignator* d = BuildDesignator(child->Items(0), DesignatorMode::New);
      e->AddOperand(new TfsDesignatorNode(d));
    } else if (IsNode(child, "expr")) {
      AddExpressionParts(e, child);
    }
  }
}

// set: expr elements, range leaves between the bounds of a range.
TfsSetExpression* TfsProgramBuilder::BuildSet(TfsXMLItem* node) {
  UpdatePos(node);
  auto set = std::make_unique<TfsSetExpression>();
  for (int i = 0; i < node->Count(); ++i) {
    TfsXMLItem* child = node->Items(i);
    UpdatePos(child);
    if (IsNode(child, "expr"))
      set->AddElement(BuildExpression(child));
    else if (IsNode(child, "range"))
      set->AddRangeSlot();
  }
  return set.release();
}

TfsExpression* TfsProgramBuilder::ConstantExpression(const Variant& value, TfsVarType typ, const std::string& typeName) {
  auto e = std::make_unique<TfsExpression>(FScope);
  auto* node = new TfsOperandNode(value);
  node->SetTyp(typ);
  node->SetTypeName(typeName);
  e->AddOperand(node);
  e->Finish();
  return e.release();
}

// The text of a number or string leaf.
Variant TfsProgramBuilder::ConstantValue(const std::string& text) {
  if (!text.empty() && text[0] == '\'')
    return Variant(rtl::AnsiString(text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string()));
  // An integer: 32 bits when it fits, else 64.
  std::uint64_t u = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  std::from_chars_result r{};
  bool integer = false;
  if (!text.empty() && text[0] == '$') {
    r = std::from_chars(begin + 1, end, u, 16);
    integer = r.ec == std::errc() && r.ptr == end && text.size() > 1;
  } else {
    r = std::from_chars(begin, end, u, 10);
    integer = r.ec == std::errc() && r.ptr == end && u <= static_cast<std::uint64_t>(INT64_MAX);
  }
  if (integer) {
    const auto v = static_cast<std::int64_t>(u);
    if (v >= 2147483648LL || v < INT32_MIN) return Variant(v);
    return Variant(static_cast<std::int32_t>(v));
  }
  double d = 0;
  auto rd = std::from_chars(begin, end, d);
  if (rd.ec != std::errc() || rd.ptr != end) throw rtl::EConvertError("'" + text + "' is not a valid floating point value");
  return Variant(d);
}

std::string TfsProgramBuilder::SourceText(const TfsXMLItem* exprNode) const {
  int l1, c1, l2, c2;
  if (!FParser || !ParsePos(exprNode->Prop("pos"), l1, c1) || !ParsePos(exprNode->Prop("pos1"), l2, c2))
    return std::string();
  const TfsParser& p = FParser->Parser();
  int a = p.PlainPosition(c1, l1), b = p.PlainPosition(c2, l2);
  if (a < 1 || b < a || b - 1 > p.Size()) return std::string();
  return p.Text().substr(static_cast<std::size_t>(a - 1), static_cast<std::size_t>(b - a));
}

}  // namespace fs
