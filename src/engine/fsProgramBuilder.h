// TfsProgramBuilder: turns a program tree into program objects: variables and
// procedures, designators, expressions and statements. Names are resolved here, once;
// every node visited updates the error position, so a failure (raised as an exception)
// can be reported where it happened. The same builder finishes, while running, the
// designators whose chain depends on a variant's content.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/fsVarType.h"
#include "rtl/Variant.h"

namespace fs {

class TfsScript;
class TfsILParser;
class TfsXMLItem;
class TfsStatement;
class TfsCustomVariable;
class TfsProcVariable;
class TfsDesignator;
class TfsDesignatorItem;
class TfsExpression;
class TfsSetExpression;
class TfsWithStmt;
class TfsClassVariable;
struct TfsLateBinding;

class TfsProgramBuilder {
public:
  // For compiling program into itself; parser holds the program tree and the grammar.
  TfsProgramBuilder(TfsScript* program, TfsILParser* parser);
  // For finishing a designator while running.
  explicit TfsProgramBuilder(const TfsLateBinding& late);
  ~TfsProgramBuilder();
  TfsProgramBuilder(const TfsProgramBuilder&) = delete;
  TfsProgramBuilder& operator=(const TfsProgramBuilder&) = delete;

  // Builds a whole program tree into the program.
  void Build(TfsXMLItem* root);

  // Builds the part of a designator's chain that waits for the value reached so far.
  void ResolveLate(TfsDesignator* designator, const rtl::Variant& current);

  // Position (line:column) of the last node visited, and the unit being built.
  const std::string& ErrorPos() const noexcept { return FErrorPos; }
  const std::string& UnitName() const noexcept { return FUnitName; }

private:
  enum class DesignatorMode { Plain, New, Delete };
  struct WithEntry {
    std::string Name;
    TfsWithStmt* Statement;
  };
  struct Chain;

  [[noreturn]] void Error(const std::string& message);
  void UpdatePos(const TfsXMLItem* node);

  // Scopes and statements.
  void BuildScope(TfsXMLItem* root, TfsScript* scope, TfsStatement* list);
  void DeclareProcs(TfsXMLItem* node);
  void BuildNode(TfsXMLItem* node, TfsStatement* list);
  void BuildChildren(TfsXMLItem* node, TfsStatement* list);
  void BuildAssign(TfsXMLItem* node, TfsStatement* list);
  void BuildCall(TfsXMLItem* node, TfsStatement* list);
  void BuildIf(TfsXMLItem* node, TfsStatement* list);
  void BuildCase(TfsXMLItem* node, TfsStatement* list);
  void BuildFor(TfsXMLItem* node, TfsStatement* list);
  void BuildVbFor(TfsXMLItem* node, TfsStatement* list);
  void BuildCppFor(TfsXMLItem* node, TfsStatement* list);
  void BuildWhile(TfsXMLItem* node, TfsStatement* list);
  void BuildRepeat(TfsXMLItem* node, TfsStatement* list);
  void BuildTry(TfsXMLItem* node, TfsStatement* list);
  void BuildReturn(TfsXMLItem* node, TfsStatement* list);
  void BuildWith(TfsXMLItem* node, TfsStatement* list);
  void BuildDelete(TfsXMLItem* node, TfsStatement* list);
  void BuildUses(TfsXMLItem* node, TfsStatement* list);
  void BuildConst(TfsXMLItem* node);
  void BuildProcBody(TfsXMLItem* node);
  TfsCustomVariable* LoopVariable(TfsXMLItem* identLeaf);

  // Declarations.
  void DeclareVars(TfsXMLItem* node, TfsStatement* list, TfsProcVariable* proc, bool byRefGroup);
  TfsProcVariable* DeclareProc(TfsXMLItem* node);
  void CheckRedeclared(TfsScript* scope, const std::string& name);
  // Resolves a type name through the aliases and the item table.
  TfsVarType ResolveType(const std::string& name, std::string& typeName);
  TfsCustomVariable* NewVariable(const std::string& name, TfsVarType typ, const std::string& typeName);
  void CheckAssign(TfsVarType target, const std::string& targetTypeName, TfsVarType source,
                   const std::string& sourceTypeName);

  // Designators.
  TfsDesignator* BuildDesignator(TfsXMLItem* node, DesignatorMode mode);
  bool ResolveFirst(Chain& chain, TfsXMLItem* node, TfsXMLItem* leaf);
  // Resolves a member name or "[" after the chain's last link; false when the rest of
  // the chain waits for the value (late binding).
  bool ResolveNext(Chain& chain, const std::string& text, const rtl::Variant& previousValue, bool valueKnown);
  bool ResolveByValue(Chain& chain, const std::string& text, const rtl::Variant& value, bool valueKnown);
  void ResolveClassMember(Chain& chain, TfsClassVariable* cls, const std::string& text, const rtl::Variant& value);
  void PushLink(Chain& chain, TfsCustomVariable* target);
  // A member of an automation object, resolved by name when it runs.
  void PushOLELink(Chain& chain, const std::string& name);
  void AddChildren(Chain& chain, TfsXMLItem* node, int from);
  void CheckArguments(TfsDesignator* designator, int fromLink, const std::string& callPos);
  TfsDesignator* FinishDesignator(Chain& chain, const std::string& callPos);

  // Expressions.
  TfsExpression* BuildExpression(TfsXMLItem* node);
  void AddExpressionParts(TfsExpression* e, TfsXMLItem* node);
  TfsSetExpression* BuildSet(TfsXMLItem* node);
  TfsExpression* ConstantExpression(const rtl::Variant& value, TfsVarType typ, const std::string& typeName);
  rtl::Variant ConstantValue(const std::string& text);
  std::string SourceText(const TfsXMLItem* exprNode) const;

  TfsScript* FProgram;            // the script being compiled
  TfsScript* FScope;              // the current scope
  TfsILParser* FParser;           // nullptr while running
  TfsXMLItem* FTreeRoot = nullptr;  // root of the current scope's tree (type aliases)
  bool FDeclareVars = true;
  bool FRunning = false;
  std::string FErrorPos;
  std::string FUnitName;
  std::vector<WithEntry> FWithList;
  std::vector<std::string> FUsedUnits;
  std::unordered_map<const TfsXMLItem*, TfsProcVariable*> FProcs;
  std::vector<std::unique_ptr<TfsXMLItem>> FKeptTrees;  // unit trees read from OnGetILUnit
};

}  // namespace fs
