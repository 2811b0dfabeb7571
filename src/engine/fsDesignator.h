// Designators: a use of a name in a program, as a chain of links (a variable, then a
// member, an index, a call with arguments ...), built once and evaluated on every run.
// TfsVariableDesignator, TfsStringDesignator and TfsArrayDesignator serve the commonest
// chains (a plain variable, one character of a string variable, one element of an array
// variable) without the general walk. A chain that meets a variant whose content is
// unknown when building is finished when it is first evaluated, from the values it
// reaches then.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/fsCustomVariable.h"

namespace fs {

class TfsScript;
class TfsXMLItem;
class TfsCustomExpression;

// One link: its target, its argument expressions (the items), its position, and the
// index flag (the link is a default indexed property or the indexing of an indexed
// method).
class TfsDesignatorItem : public TfsItemList {
public:
  TfsDesignatorItem(TfsCustomVariable* target, const std::string& sourcePos);

  TfsCustomVariable* Ref() const noexcept { return FRef; }
  const std::string& SourcePos() const noexcept { return FSourcePos; }
  bool Flag() const noexcept { return FFlag; }
  void SetFlag(bool on) noexcept { FFlag = on; }

  void AddArgument(TfsCustomExpression* argument);
  int ArgumentCount() const noexcept { return Count(); }
  TfsCustomExpression* Arguments(int index) const noexcept;

  // Computed when the designator is finished: whether the target has by-reference
  // parameters, and whether the next link works on this target in place (so its value
  // need not be read).
  bool HasVarParams() const noexcept { return FHasVarParams; }
  bool SkipRead() const noexcept { return FSkipRead; }
  void Prepare(const TfsDesignatorItem* next);

private:
  TfsCustomVariable* FRef;
  std::string FSourcePos;
  bool FFlag = false;
  bool FHasVarParams = false;
  bool FSkipRead = false;
};

// What a designator needs to finish its chain while running.
struct TfsLateBinding {
  std::unique_ptr<TfsXMLItem> Tree;  // copy of the dsgn node
  int Next = 0;                      // first child not yet built
  TfsScript* Program = nullptr;      // the compiled program (undeclared names go there)
  TfsScript* Scope = nullptr;        // the scope the designator was built in
  bool DeclareVars = true;
  std::string UnitName;
  TfsLateBinding();
  ~TfsLateBinding();
};

class TfsDesignator : public TfsCustomVariable {
public:
  explicit TfsDesignator(TfsScript* program);
  ~TfsDesignator() override;

  rtl::Variant GetValue() override;
  void SetValue(const rtl::Variant& value) override;

  TfsScript* Program() const noexcept { return FProgram; }
  int LinkCount() const noexcept { return Count(); }
  TfsDesignatorItem* Links(int index) const noexcept { return static_cast<TfsDesignatorItem*>(Get(index)); }
  TfsDesignatorItem* LastLink() const noexcept { return Count() ? Links(Count() - 1) : nullptr; }
  void AddLink(TfsDesignatorItem* link) { Add(link); }
  // Destroys the last link (a chain finished while running backs out what it added
  // when it fails).
  void RemoveLastLink();
  // Takes over the links of another designator (specialising a finished chain).
  void TakeLinks(TfsDesignator& from);

  // The part of the chain still to be built when first evaluated; nullptr when the
  // chain is complete.
  TfsLateBinding* LateBinding() const noexcept { return FLate.get(); }
  void SetLateBinding(std::unique_ptr<TfsLateBinding> late);
  bool Pending() const noexcept;

  // Type, type name and read-only flag from the last link; readies the links.
  void Finish();

protected:
  rtl::Variant Walk(const rtl::Variant* writeValue);
  // The whole chain is one call of a script routine or a registered function.
  rtl::Variant CallSingle();
  void ResolvePending(const rtl::Variant& current);

  TfsScript* FProgram;
  std::unique_ptr<TfsLateBinding> FLate;
  bool FSingleCall = false;  // CallSingle does the walk
};

// One link whose target is a plain variable or parameter.
class TfsVariableDesignator : public TfsDesignator {
public:
  using TfsDesignator::TfsDesignator;
  rtl::Variant GetValue() override { return FRefItem->Value(); }
  void SetValue(const rtl::Variant& value) override { FRefItem->Assign(value); }
};

// A string variable and one index: one character, 1-based.
class TfsStringDesignator : public TfsDesignator {
public:
  using TfsDesignator::TfsDesignator;
  rtl::Variant GetValue() override;
  void SetValue(const rtl::Variant& value) override;
};

// An array variable and its indices: one element.
class TfsArrayDesignator : public TfsDesignator {
public:
  using TfsDesignator::TfsDesignator;
  rtl::Variant GetValue() override;
  void SetValue(const rtl::Variant& value) override;

private:
  rtl::Variant* Element();
};

}  // namespace fs
