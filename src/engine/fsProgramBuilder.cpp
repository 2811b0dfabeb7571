#include "engine/fsProgramBuilder.h"

#include <memory>

#include "engine/fsClassVariable.h"
#include "engine/fsDesignator.h"
#include "engine/fsExpression.h"
#include "engine/fsExpressionNodes.h"
#include "engine/fsHelpers.h"
#include "engine/fsILParser.h"
#include "engine/fsProcVariable.h"
#include "engine/fsScript.h"
#include "engine/fsStatements.h"
#include "engine/fsStrings.h"
#include "engine/fsTypeCheck.h"
#include "engine/fsVariables.h"
#include "engine/fsXMLDocument.h"
#include "engine/fsXMLItem.h"
#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"

namespace fs {

using rtl::Variant;

namespace {

std::string NodeName(const TfsXMLItem* node) { return LowerCase(node->Name()); }

bool IsNode(const TfsXMLItem* node, const char* name) { return SameText(node->Name(), name); }

TfsXMLItem* Child(const TfsXMLItem* node, int index) { return index < node->Count() ? node->Items(index) : nullptr; }

// The first direct child of that name, or nullptr.
TfsXMLItem* FindChild(const TfsXMLItem* node, const char* name) {
  for (int i = 0; i < node->Count(); ++i)
    if (IsNode(node->Items(i), name)) return node->Items(i);
  return nullptr;
}

// The value a declared variable starts with.
Variant InitialValue(TfsVarType typ) {
  switch (typ) {
    case fvtBool: return Variant(false);
    case fvtChar:
    case fvtString: return Variant(rtl::AnsiString());
    case fvtArray:
    case fvtVariant:
    case fvtEnum:
    case fvtConstructor: return Variant::Null();
    default: return Variant(std::int32_t{0});
  }
}

}  // namespace

TfsProgramBuilder::TfsProgramBuilder(TfsScript* program, TfsILParser* parser)
    : FProgram(program), FScope(program), FParser(parser), FDeclareVars(parser ? parser->DeclareVars() : true) {}

TfsProgramBuilder::TfsProgramBuilder(const TfsLateBinding& late)
    : FProgram(late.Program),
      FScope(late.Scope),
      FParser(nullptr),
      FDeclareVars(late.DeclareVars),
      FRunning(true),
      FUnitName(late.UnitName) {}

TfsProgramBuilder::~TfsProgramBuilder() = default;

void TfsProgramBuilder::Error(const std::string& message) { throw rtl::Exception(message, "EParserError"); }

void TfsProgramBuilder::UpdatePos(const TfsXMLItem* node) {
  std::string pos = node->Prop("pos");
  if (!pos.empty()) FErrorPos = std::move(pos);
}

void TfsProgramBuilder::Build(TfsXMLItem* root) {
  FWithList.clear();
  FUsedUnits.clear();
  FUnitName.clear();
  BuildScope(root, FProgram, FProgram->MainStatement());
}

// Scopes ------------------------------------------------------------------------------------

// A scope: the program root, a unit's program or a routine's node; routines first.
void TfsProgramBuilder::BuildScope(TfsXMLItem* root, TfsScript* scope, TfsStatement* list) {
  TfsXMLItem* savedRoot = FTreeRoot;
  TfsScript* savedScope = FScope;
  FTreeRoot = root;
  FScope = scope;
  DeclareProcs(root);
  for (int i = 0; i < root->Count(); ++i) BuildNode(root->Items(i), list);
  FTreeRoot = savedRoot;
  FScope = savedScope;
}

// procedure and function nodes of a scope, also inside compoundstmt nodes.
void TfsProgramBuilder::DeclareProcs(TfsXMLItem* node) {
  for (int i = 0; i < node->Count(); ++i) {
    TfsXMLItem* child = node->Items(i);
    if (IsNode(child, "procedure") || IsNode(child, "function")) {
      if (!FProcs.count(child)) DeclareProc(child);
    } else if (IsNode(child, "compoundstmt")) {
      DeclareProcs(child);
    }
  }
}

// The children of a node, into one list.
void TfsProgramBuilder::BuildChildren(TfsXMLItem* node, TfsStatement* list) {
  for (int i = 0; i < node->Count(); ++i) BuildNode(node->Items(i), list);
}

// Any statement or declaration node, by its name.
void TfsProgramBuilder::BuildNode(TfsXMLItem* node, TfsStatement* list) {
  UpdatePos(node);
  const std::string name = NodeName(node);
  const std::string pos = node->Prop("pos");
  if (name == "compoundstmt") {
    BuildChildren(node, list);
  } else if (name == "assignstmt") {
    BuildAssign(node, list);
  } else if (name == "callstmt") {
    BuildCall(node, list);
  } else if (name == "ifstmt") {
    BuildIf(node, list);
  } else if (name == "casestmt") {
    BuildCase(node, list);
  } else if (name == "forstmt") {
    BuildFor(node, list);
  } else if (name == "vbforstmt") {
    BuildVbFor(node, list);
  } else if (name == "cppforstmt") {
    BuildCppFor(node, list);
  } else if (name == "whilestmt") {
    BuildWhile(node, list);
  } else if (name == "repeatstmt") {
    BuildRepeat(node, list);
  } else if (name == "trystmt") {
    BuildTry(node, list);
  } else if (name == "break") {
    list->AddStatement(new TfsBreakStmt(FScope, pos, FUnitName));
  } else if (name == "continue") {
    list->AddStatement(new TfsContinueStmt(FScope, pos, FUnitName));
  } else if (name == "exit") {
    list->AddStatement(new TfsExitStmt(FScope, pos, FUnitName));
  } else if (name == "return") {
    BuildReturn(node, list);
  } else if (name == "with") {
    BuildWith(node, list);
  } else if (name == "delete") {
    BuildDelete(node, list);
  } else if (name == "uses") {
    BuildUses(node, list);
  } else if (name == "var") {
    DeclareVars(node, list, nullptr, false);
  } else if (name == "const") {
    BuildConst(node);
  } else if (name == "procedure" || name == "function") {
    BuildProcBody(node);
  }
  // Name and type leaves, parameters, empty statements and the type aliases build
  // nothing here.
}

// Statements --------------------------------------------------------------------------------

void TfsProgramBuilder::CheckAssign(TfsVarType target, const std::string& targetTypeName, TfsVarType source,
                                    const std::string& sourceTypeName) {
  if (!CanAssign(FScope, target, targetTypeName, source, sourceTypeName, true))
    Error(IncompatibleTypesText(target, targetTypeName, source, sourceTypeName));
}

// assignstmt: dsgn, optional leaf modificator, expr.
void TfsProgramBuilder::BuildAssign(TfsXMLItem* node, TfsStatement* list) {
  // "Set x = e" arrives as an assignment inside an assignment.
  if (node->Count() > 0 && IsNode(node->Items(0), "assignstmt")) {
    BuildAssign(node->Items(0), list);
    return;
  }
  TfsXMLItem* dsgnNode = Child(node, 0);
  if (!dsgnNode) return;
  std::unique_ptr<TfsDesignator> designator(BuildDesignator(dsgnNode, DesignatorMode::Plain));
  int k = 1;
  std::string modificator;
  if (TfsXMLItem* m = Child(node, 1); m && IsNode(m, "modificator")) {
    UpdatePos(m);
    modificator = m->Prop("text");
    k = 2;
  }
  TfsXMLItem* exprNode = Child(node, k);
  if (!exprNode) return;
  if (designator->IsReadOnly()) {
    UpdatePos(dsgnNode);
    Error("Left side cannot be assigned to");
  }
  std::unique_ptr<TfsExpression> expression(BuildExpression(exprNode));
  UpdatePos(exprNode);
  CheckAssign(designator->Typ(), designator->TypeName(), expression->Typ(), expression->TypeName());

  const std::string pos = node->Prop("pos");
  std::unique_ptr<TfsAssignmentStmt> statement;
  if (modificator == "+") {
    statement = std::make_unique<TfsAssignPlusStmt>(FScope, pos, FUnitName);
  } else if (modificator == "-") {
    statement = std::make_unique<TfsAssignMinusStmt>(FScope, pos, FUnitName);
  } else if (modificator == "*") {
    statement = std::make_unique<TfsAssignMulStmt>(FScope, pos, FUnitName);
  } else if (modificator == "/") {
    statement = std::make_unique<TfsAssignDivStmt>(FScope, pos, FUnitName);
  } else {
    // x := x op e runs as x op= e, reading the variable once, not through the tree.
    TfsCustomVariable* variable = dynamic_cast<TfsVariableDesignator*>(designator.get()) ? designator->RefItem() : nullptr;
    auto* top = dynamic_cast<TfsOperatorNode*>(expression->Top());
    if (variable && top && !dynamic_cast<TStrCatNode*>(top) && top->Left() && top->Right()) {
      const TfsOperatorCode op = top->Op();
      auto sameVariable = [variable](TfsExpressionNode* n) {
        auto* dn = dynamic_cast<TfsDesignatorNode*>(n);
        return dn && dn->Variable() == variable;
      };
      const TfsVarType vt = variable->Typ();
      bool left = false, right = false;
      if ((op == opPlus || op == opMinus || op == opMul || op == opDivFloat) && sameVariable(top->Left()))
        left = true;
      else if ((op == opPlus || op == opMul) && sameVariable(top->Right()) && vt != fvtString && vt != fvtChar &&
               vt != fvtVariant)
        right = true;
      if (left || right) {
        if (op == opPlus)
          statement = std::make_unique<TfsAssignPlusStmt>(FScope, pos, FUnitName);
        else if (op == opMinus)
          statement = std::make_unique<TfsAssignMinusStmt>(FScope, pos, FUnitName);
        else if (op == opMul)
          statement = std::make_unique<TfsAssignMulStmt>(FScope, pos, FUnitName);
        else
          statement = std::make_unique<TfsAssignDivStmt>(FScope, pos, FUnitName);
        TfsExpressionNode* operand = left ? top->Right() : top->Left();
        top->Release(operand);
        expression.reset(TfsExpression::FromNode(FScope, operand));
      }
    }
    if (!statement) statement = std::make_unique<TfsAssignmentStmt>(FScope, pos, FUnitName);
  }
  statement->SetParts(designator.release(), expression.release());
  list->AddStatement(statement.release());
}

// callstmt: dsgn, optional leaf modificator ("+" or "-").
void TfsProgramBuilder::BuildCall(TfsXMLItem* node, TfsStatement* list) {
  TfsXMLItem* dsgnNode = Child(node, 0);
  if (!dsgnNode) return;
  auto statement = std::make_unique<TfsCallStmt>(FScope, node->Prop("pos"), FUnitName);
  TfsDesignator* designator = BuildDesignator(dsgnNode, DesignatorMode::Plain);
  statement->SetDesignator(designator);
  if (TfsXMLItem* m = Child(node, 1); m && IsNode(m, "modificator")) {
    UpdatePos(m);
    statement->SetModificator(m->Prop("text"));
    if (designator->IsReadOnly()) Error("Left side cannot be assigned to");
  } else {
    designator->SetNeedResult(false);
  }
  list->AddStatement(statement.release());
}

// ifstmt: expr, thenstmt, optional elsestmt.
void TfsProgramBuilder::BuildIf(TfsXMLItem* node, TfsStatement* list) {
  auto statement = std::make_unique<TfsIfStmt>(FScope, node->Prop("pos"), FUnitName);
  if (TfsXMLItem* c = Child(node, 0)) statement->SetCondition(BuildExpression(c));
  for (int i = 1; i < node->Count(); ++i) {
    TfsXMLItem* child = node->Items(i);
    if (IsNode(child, "thenstmt"))
      BuildChildren(child, statement.get());
    else if (IsNode(child, "elsestmt"))
      BuildChildren(child, statement->ElseStmt());
  }
  list->AddStatement(statement.release());
}

// casestmt: expr, caseselector nodes (set, statement), optional else statement last.
void TfsProgramBuilder::BuildCase(TfsXMLItem* node, TfsStatement* list) {
  auto statement = std::make_unique<TfsCaseStmt>(FScope, node->Prop("pos"), FUnitName);
  if (TfsXMLItem* c = Child(node, 0)) statement->SetCondition(BuildExpression(c));
  for (int i = 1; i < node->Count(); ++i) {
    TfsXMLItem* child = node->Items(i);
    UpdatePos(child);
    if (IsNode(child, "caseselector")) {
      auto selector = std::make_unique<TfsCaseSelector>(FScope, child->Prop("pos"), FUnitName);
      if (TfsXMLItem* set = Child(child, 0)) selector->SetSetExpression(BuildSet(set));
      if (TfsXMLItem* body = Child(child, 1)) BuildNode(body, selector.get());
      statement->AddStatement(selector.release());
    } else if (i == node->Count() - 1) {
      BuildNode(child, statement->ElseStmt());
    }
  }
  list->AddStatement(statement.release());
}

// The ident leaf of a counting loop: a plain numeric script variable.
TfsCustomVariable* TfsProgramBuilder::LoopVariable(TfsXMLItem* identLeaf) {
  UpdatePos(identLeaf);
  const std::string name = identLeaf->Prop("text");
  TfsCustomVariable* variable = FScope->Lookup(name);
  if (!variable) {
    if (FDeclareVars) Error("Undeclared identifier: '" + name + "'");
    variable = NewVariable(name, fvtVariant, "Variant");
    FProgram->AddName(name, variable);
  }
  const TfsVarType t = variable->Typ();
  if (variable->Kind() != TfsItemKind::Variable || !(t == fvtInt || t == fvtFloat || t == fvtVariant || t == fvtInt64))
    Error("For loop variable must be numeric variable");
  if (variable->IsReadOnly()) Error("Left side cannot be assigned to");
  return variable;
}

// forstmt: ident, expr, optional leaf downto, expr, optional body.
void TfsProgramBuilder::BuildFor(TfsXMLItem* node, TfsStatement* list) {
  auto statement = std::make_unique<TfsForStmt>(FScope, node->Prop("pos"), FUnitName);
  TfsXMLItem* ident = Child(node, 0);
  if (!ident) return;
  TfsCustomVariable* variable = LoopVariable(ident);
  statement->SetVariable(variable);
  int k = 1;
  auto bound = [&](TfsXMLItem* e) {
    TfsExpression* expression = BuildExpression(e);
    std::unique_ptr<TfsExpression> guard(expression);
    UpdatePos(e);
    CheckAssign(variable->Typ(), variable->TypeName(), expression->Typ(), expression->TypeName());
    return guard.release();
  };
  if (TfsXMLItem* e = Child(node, k++)) statement->SetBeginValue(bound(e));
  if (TfsXMLItem* d = Child(node, k); d && IsNode(d, "downto")) {
    statement->SetDown(true);
    ++k;
  }
  if (TfsXMLItem* e = Child(node, k++)) statement->SetEndValue(bound(e));
  if (TfsXMLItem* body = Child(node, k)) BuildNode(body, statement.get());
  list->AddStatement(statement.release());
}

// vbforstmt: ident, expr, expr, optional step expr, optional body.
void TfsProgramBuilder::BuildVbFor(TfsXMLItem* node, TfsStatement* list) {
  auto statement = std::make_unique<TfsVbForStmt>(FScope, node->Prop("pos"), FUnitName);
  TfsXMLItem* ident = Child(node, 0);
  if (!ident) return;
  TfsCustomVariable* variable = LoopVariable(ident);
  statement->SetVariable(variable);
  auto bound = [&](TfsXMLItem* e) {
    std::unique_ptr<TfsExpression> expression(BuildExpression(e));
    UpdatePos(e);
    CheckAssign(variable->Typ(), variable->TypeName(), expression->Typ(), expression->TypeName());
    return expression.release();
  };
  if (TfsXMLItem* e = Child(node, 1)) statement->SetBeginValue(bound(e));
  if (TfsXMLItem* e = Child(node, 2)) statement->SetEndValue(bound(e));
  int k = 3;
  if (TfsXMLItem* e = Child(node, 3); e && IsNode(e, "expr")) {
    statement->SetStep(bound(e));
    k = 4;
  }
  if (TfsXMLItem* body = Child(node, k)) BuildNode(body, statement.get());
  list->AddStatement(statement.release());
}

// cppforstmt: first statement(s), condition expr, second statement(s), body.
void TfsProgramBuilder::BuildCppFor(TfsXMLItem* node, TfsStatement* list) {
  auto statement = std::make_unique<TfsCppForStmt>(FScope, node->Prop("pos"), FUnitName);
  if (TfsXMLItem* first = Child(node, 0)) BuildNode(first, statement->FirstStmt());
  if (TfsXMLItem* c = Child(node, 1)) statement->SetCondition(BuildExpression(c));
  if (TfsXMLItem* second = Child(node, 2)) BuildNode(second, statement->SecondStmt());
  if (TfsXMLItem* body = Child(node, 3)) BuildNode(body, statement.get());
  list->AddStatement(statement.release());
}

// whilestmt: expr, optional body.
void TfsProgramBuilder::BuildWhile(TfsXMLItem* node, TfsStatement* list) {
  auto statement = std::make_unique<TfsWhileStmt>(FScope, node->Prop("pos"), FUnitName);
  if (TfsXMLItem* c = Child(node, 0)) statement->SetCondition(BuildExpression(c));
  if (TfsXMLItem* body = Child(node, 1)) BuildNode(body, statement.get());
  list->AddStatement(statement.release());
}

// repeatstmt: body statements, expr, optional leaf inverse.
void TfsProgramBuilder::BuildRepeat(TfsXMLItem* node, TfsStatement* list) {
  auto statement = std::make_unique<TfsRepeatStmt>(FScope, node->Prop("pos"), FUnitName);
  int n = node->Count();
  if (n == 0) return;
  int condition = n - 1;
  if (IsNode(node->Items(n - 1), "inverse")) {
    statement->SetInverse(true);
    condition = n - 2;
  }
  for (int i = 0; i < condition; ++i) BuildNode(node->Items(i), statement.get());
  if (condition >= 0) statement->SetCondition(BuildExpression(node->Items(condition)));
  list->AddStatement(statement.release());
}

// trystmt: statements, then exceptstmt or finallystmt.
void TfsProgramBuilder::BuildTry(TfsXMLItem* node, TfsStatement* list) {
  auto statement = std::make_unique<TfsTryStmt>(FScope, node->Prop("pos"), FUnitName);
  for (int i = 0; i < node->Count(); ++i) {
    TfsXMLItem* child = node->Items(i);
    if (IsNode(child, "exceptstmt")) {
      UpdatePos(child);
      statement->SetExcept(true);
      BuildChildren(child, statement->ExceptStmt());
    } else if (IsNode(child, "finallystmt")) {
      UpdatePos(child);
      BuildChildren(child, statement->ExceptStmt());
    } else {
      BuildNode(child, statement.get());
    }
  }
  list->AddStatement(statement.release());
}

// return: optional expr.
void TfsProgramBuilder::BuildReturn(TfsXMLItem* node, TfsStatement* list) {
  if (TfsXMLItem* e = FindChild(node, "expr")) {
    // return e: Result := e, then exit.
    const std::string pos = e->Prop("pos");
    auto* dsgn = new TfsXMLItem;
    dsgn->SetName("dsgn");
    dsgn->SetProp("pos", pos);
    TfsXMLItem* leaf = dsgn->Add();
    leaf->SetName("node");
    leaf->SetProp("text", "Result");
    leaf->SetProp("pos", pos);
    node->InsertItem(0, dsgn);
    BuildAssign(node, list);
  }
  list->AddStatement(new TfsExitStmt(FScope, node->Prop("pos"), FUnitName));
}

// with: one or more dsgn targets, then the body.
void TfsProgramBuilder::BuildWith(TfsXMLItem* node, TfsStatement* list) {
  std::size_t opened = 0;
  int i = 0;
  for (; i < node->Count() && IsNode(node->Items(i), "dsgn"); ++i) {
    TfsXMLItem* target = node->Items(i);
    std::unique_ptr<TfsDesignator> designator(BuildDesignator(target, DesignatorMode::Plain));
    UpdatePos(target);
    if (designator->Typ() != fvtClass && designator->Typ() != fvtVariant) Error("Class type required");
    std::string name;
    for (int n = 1;; ++n) {
      name = "_WithList_" + std::to_string(n);
      bool taken = FScope->Items().Find(name) != nullptr;
      for (const auto& w : FWithList) taken = taken || SameText(w.Name, name);
      if (!taken) break;
    }
    TfsCustomVariable* hidden = NewVariable(name, designator->Typ(), designator->TypeName());
    FScope->AddName(name, hidden);
    auto statement = std::make_unique<TfsWithStmt>(FScope, target->Prop("pos"), FUnitName);
    statement->SetParts(designator.release(), hidden);
    FWithList.push_back({name, statement.get()});
    ++opened;
    list->AddStatement(statement.release());
  }
  for (; i < node->Count(); ++i) BuildNode(node->Items(i), list);
  FWithList.resize(FWithList.size() - opened);
}

// delete: dsgn.
void TfsProgramBuilder::BuildDelete(TfsXMLItem* node, TfsStatement* list) {
  TfsXMLItem* dsgnNode = Child(node, 0);
  if (!dsgnNode) return;
  auto statement = std::make_unique<TfsCallStmt>(FScope, node->Prop("pos"), FUnitName);
  TfsDesignator* designator = BuildDesignator(dsgnNode, DesignatorMode::Delete);
  designator->SetNeedResult(false);
  statement->SetDesignator(designator);
  list->AddStatement(statement.release());
}

// uses: attribute unit, the unit's program tree.
void TfsProgramBuilder::BuildUses(TfsXMLItem* node, TfsStatement* list) {
  const std::string unitName = node->Prop("unit");
  for (const auto& u : FUsedUnits)
    if (SameText(u, unitName)) return;
  FUsedUnits.push_back(unitName);
  TfsXMLItem* tree = FindChild(node, "program");
  if (FProgram->OnGetILUnit) {
    std::string text;
    FProgram->OnGetILUnit(FProgram, unitName, text);
    if (!text.empty()) {
      auto document = std::make_unique<TfsXMLDocument>();
      // Trees are accepted with or without the XML header line.
      std::size_t start = text.find_first_not_of(" \t\r\n");
      if (start == std::string::npos || text.compare(start, 5, "<?xml") != 0) text = "<?xml version=\"1.0\"?>\r\n" + text;
      document->LoadFromString(text);
      auto root = std::make_unique<TfsXMLItem>();
      root->CopyTreeFrom(document->Root());
      tree = root.get();
      FKeptTrees.push_back(std::move(root));
    }
  }
  if (!tree) return;
  const std::string savedUnit = FUnitName;
  FUnitName = unitName;
  BuildScope(tree, FScope, list);
  FUnitName = savedUnit;
}

// const: leaf ident, expr.
void TfsProgramBuilder::BuildConst(TfsXMLItem* node) {
  TfsXMLItem* ident = Child(node, 0);
  TfsXMLItem* exprNode = Child(node, 1);
  if (!ident || !exprNode) return;
  UpdatePos(ident);
  const std::string name = ident->Prop("text");
  std::unique_ptr<TfsExpression> expression(BuildExpression(exprNode));
  UpdatePos(ident);
  CheckRedeclared(FScope, name);
  TfsCustomVariable* constant = NewVariable(name, expression->Typ(), expression->TypeName());
  FScope->AddName(name, constant);
  constant->SetValue(expression->GetValue());
  constant->SetReadOnly(true);
}

// procedure or function node: the body, into the routine's scope.
void TfsProgramBuilder::BuildProcBody(TfsXMLItem* node) {
  auto it = FProcs.find(node);
  TfsProcVariable* proc = it != FProcs.end() ? it->second : DeclareProc(node);
  std::vector<WithEntry> savedWith;
  savedWith.swap(FWithList);
  BuildScope(node, proc->Program(), proc->Program()->MainStatement());
  FWithList.swap(savedWith);
}

// Declarations ------------------------------------------------------------------------------

void TfsProgramBuilder::CheckRedeclared(TfsScript* scope, const std::string& name) {
  if (scope->LookupLocal(name)) Error("Identifier redeclared: '" + name + "'");
}

// A type leaf's text: aliases, then type names and classes of the item table.
TfsVarType TfsProgramBuilder::ResolveType(const std::string& name, std::string& typeName) {
  std::string resolved = name;
  // Type aliases of the dialect: the program tree's first, then the grammar's.
  auto alias = [&](TfsXMLItem* root) -> bool {
    if (!root) return false;
    int t = root->Find("types");
    if (t < 0) return false;
    TfsXMLItem* types = root->Items(t);
    int a = types->Find(name);
    if (a < 0) return false;
    std::string target = types->Items(a)->Prop("type");
    if (target.empty()) return false;
    resolved = target;
    return true;
  };
  if (!alias(FTreeRoot) && FParser) alias(FParser->Grammar().Root());
  TfsCustomVariable* item = FScope->Lookup(resolved);
  if (item) {
    if (item->Kind() == TfsItemKind::TypeName || (item->Typ() == fvtEnum && item->Kind() == TfsItemKind::Variable)) {
      typeName = item->Typ() == fvtEnum && !item->TypeName().empty() ? item->TypeName() : item->Name();
      return item->Typ();
    }
    if (item->Kind() == TfsItemKind::Class) {
      typeName = item->Name();
      return fvtClass;
    }
  }
  Error("Unknown type: '" + name + "'");
}

TfsCustomVariable* TfsProgramBuilder::NewVariable(const std::string& name, TfsVarType typ, const std::string& typeName) {
  TfsCustomVariable* v = typ == fvtString || typ == fvtChar ? new TfsStringVariable(name, typ, typeName)
                                                             : new TfsVariable(name, typ, typeName);
  v->SetSourcePos(FErrorPos);
  v->SetSourceUnit(FUnitName);
  if (FProgram->OnGetVarValue) v->SetOnGetVarValue(FProgram->OnGetVarValue);
  return v;
}

// var: ident leaves, at most one type leaf, array and init nodes, varparam leaves.
void TfsProgramBuilder::DeclareVars(TfsXMLItem* node, TfsStatement* list, TfsProcVariable* proc, bool byRefGroup) {
  UpdatePos(node);
  struct Decl {
    TfsXMLItem* Leaf;
    bool ByRef;
    TfsXMLItem* Array;
    TfsXMLItem* Init;
  };
  std::vector<Decl> decls;
  TfsXMLItem* typeLeaf = FindChild(node, "type");
  const bool typeFirst = typeLeaf && node->Count() > 0 && node->Items(0) == typeLeaf;
  TfsXMLItem* sharedArray = nullptr;
  TfsXMLItem* sharedInit = nullptr;
  bool nextByRef = false;
  for (int i = 0; i < node->Count(); ++i) {
    TfsXMLItem* child = node->Items(i);
    if (IsNode(child, "ident")) {
      decls.push_back({child, nextByRef, nullptr, nullptr});
      nextByRef = false;
    } else if (IsNode(child, "varparam")) {
      nextByRef = true;
    } else if (IsNode(child, "array")) {
      if (typeFirst && !decls.empty())
        decls.back().Array = child;
      else
        sharedArray = child;
    } else if (IsNode(child, "init")) {
      if (typeFirst && !decls.empty())
        decls.back().Init = child;
      else
        sharedInit = child;
    }
  }
  TfsVarType typ = fvtVariant;
  std::string typeName = "Variant";
  if (typeLeaf) {
    UpdatePos(typeLeaf);
    typ = ResolveType(typeLeaf->Prop("text"), typeName);
  }

  for (const Decl& d : decls) {
    UpdatePos(d.Leaf);
    const std::string name = d.Leaf->Prop("text");
    TfsXMLItem* arrayNode = typeFirst ? d.Array : sharedArray;
    TfsXMLItem* initNode = typeFirst ? d.Init : sharedInit;
    CheckRedeclared(FScope, name);

    TfsVarType vt = typ;
    Variant initial = InitialValue(typ);
    int dims = 0;
    if (arrayNode) {
      std::vector<std::int32_t> bounds;
      for (int i = 0; i < arrayNode->Count(); ++i) {
        TfsXMLItem* dim = arrayNode->Items(i);
        if (!IsNode(dim, "dim")) continue;
        UpdatePos(dim);
        std::vector<std::int32_t> values;
        for (int j = 0; j < dim->Count(); ++j) {
          if (!IsNode(dim->Items(j), "expr")) continue;
          std::unique_ptr<TfsExpression> e(BuildExpression(dim->Items(j)));
          values.push_back(rtl::VarToInt32(e->GetValue()));
        }
        if (values.size() >= 2) {
          bounds.push_back(values[0]);
          bounds.push_back(values[1]);
        } else if (values.size() == 1) {
          bounds.push_back(0);
          bounds.push_back(values[0] - 1);
        }
      }
      if (bounds.empty()) bounds = {0, 0};
      dims = static_cast<int>(bounds.size() / 2);
      initial = Variant::AdoptArray(rtl::VarArrayCreate(bounds.data(), dims));
      vt = fvtArray;
    }

    TfsCustomVariable* item;
    if (proc) {
      item = new TfsParamItem(name, vt, typeName, initNode != nullptr, byRefGroup || d.ByRef);
      item->SetSourcePos(FErrorPos);
      item->SetSourceUnit(FUnitName);
    } else {
      item = NewVariable(name, vt, typeName);
    }
    if (proc) {
      FScope->AddName(name, item, false);
      proc->AddParam(static_cast<TfsParamItem*>(item));
    } else {
      FScope->AddName(name, item);
    }
    item->SetValue(initial);
    if (arrayNode) {
      auto* helper = new TfsArrayHelper(std::string(), dims, dims, typ, typeName);
      FScope->AddName(std::string(), helper);
      item->SetRefItem(helper);
    }

    if (initNode) {
      TfsXMLItem* exprNode = FindChild(initNode, "expr");
      if (!exprNode) continue;
      std::unique_ptr<TfsExpression> e(BuildExpression(exprNode));
      UpdatePos(exprNode);
      CheckAssign(vt, typeName, e->Typ(), e->TypeName());
      if (proc) {
        static_cast<TfsParamItem*>(item)->SetDefValue(e->GetValue());
      } else {
        // The initialisation runs where the declaration stands, each time it is reached.
        auto designator = std::make_unique<TfsVariableDesignator>(FScope);
        designator->AddLink(new TfsDesignatorItem(item, FErrorPos));
        designator->SetRefItem(item);
        designator->Finish();
        auto statement = std::make_unique<TfsAssignmentStmt>(FScope, initNode->Prop("pos"), FUnitName);
        statement->SetParts(designator.release(), e.release());
        list->AddStatement(statement.release());
      }
    }
  }
}

// procedure or function: leaf name, parameters, leaf type (first pass).
TfsProcVariable* TfsProgramBuilder::DeclareProc(TfsXMLItem* node) {
  UpdatePos(node);
  TfsXMLItem* nameLeaf = FindChild(node, "name");
  const std::string name = nameLeaf ? nameLeaf->Prop("text") : std::string();
  if (nameLeaf) UpdatePos(nameLeaf);
  CheckRedeclared(FScope, name);
  bool isFunc = IsNode(node, "function");
  TfsVarType typ = fvtVariant;
  std::string typeName = "Variant";
  if (TfsXMLItem* typeLeaf = isFunc ? FindChild(node, "type") : nullptr) {
    const std::string t = typeLeaf->Prop("text");
    if (SameText(t, "void")) {
      isFunc = false;
    } else {
      UpdatePos(typeLeaf);
      typ = ResolveType(t, typeName);
    }
  }
  auto* proc = new TfsProcVariable(name, typ, typeName, FScope, isFunc, FProgram);
  proc->SetSourcePos(node->Prop("pos"));
  proc->SetSourceUnit(FUnitName);
  FScope->AddName(name, proc);
  FProcs[node] = proc;
  TfsScript* savedScope = FScope;
  FScope = proc->Program();
  if (isFunc) {
    TfsCustomVariable* result = NewVariable("Result", typ, typeName);
    FScope->AddName("Result", result);
    result->SetValue(InitialValue(typ));
    proc->SetRefItem(result);
  }
  if (TfsXMLItem* params = FindChild(node, "parameters")) {
    bool byRef = false;
    for (int i = 0; i < params->Count(); ++i) {
      TfsXMLItem* child = params->Items(i);
      if (IsNode(child, "varparams")) {
        byRef = true;
      } else if (IsNode(child, "var")) {
        DeclareVars(child, nullptr, proc, byRef);
        byRef = false;
      }
    }
  }
  FScope = savedScope;
  return proc;
}

}  // namespace fs
