// TfsClassVariable: a native class as scripts see it: its class info, the ancestor
// name it was registered with, its members (helpers, in registration order) and its
// default indexed property. Used as a value, the class name is a typecast (the class
// applied to a value gives the value) or a fresh instance for a constructor call.
#pragma once

#include <string>
#include <string_view>

#include "engine/fsCustomVariable.h"
#include "rtl/ClassInfo.h"

namespace fs {

class TfsScript;
class TfsCustomHelper;

class TfsClassVariable : public TfsCustomVariable {
public:
  TfsClassVariable(rtl::TClass classRef, const std::string& ancestor, TfsScript* program);
  ~TfsClassVariable() override;

  // The typecast argument when one was written, else a new uninitialised instance;
  // the typecast argument is reset either way.
  rtl::Variant GetValue() override;
  // The same, a new instance belonging to program (the program that reads the name);
  // GetValue gives it to the script the class was registered in.
  rtl::Variant ValueFor(TfsScript* program);

  rtl::TClass ClassRef() const noexcept { return FClassRef; }
  const std::string& Ancestor() const noexcept { return FAncestor; }
  TfsScript* Program() const noexcept { return FProgram; }

  TfsCustomHelper* DefProperty() const noexcept { return FDefProperty; }
  void SetDefProperty(TfsCustomHelper* helper) noexcept { FDefProperty = helper; }

  // Appends a member; the class owns it.
  void AddMember(TfsCustomVariable* member);
  int MembersCount() const noexcept { return FMembers.Count(); }
  TfsCustomVariable* Members(int index) const noexcept;
  // The first member of that name (ignoring case), then the ancestor's.
  TfsCustomVariable* FindMember(std::string_view name) const;

  // Whether this class is, or derives from, another registered class.
  bool InheritsFrom(const TfsClassVariable* other) const;

private:
  rtl::TClass FClassRef;
  std::string FAncestor;
  TfsScript* FProgram;
  TfsCustomHelper* FDefProperty = nullptr;
  TfsItemList FMembers;
};

}  // namespace fs
