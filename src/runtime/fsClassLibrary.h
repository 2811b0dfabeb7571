// TfsClassLibrary: a runtime module that exposes native classes from declarative
// tables. Each class is one row: the native class, its ancestor's name, and tables of
// its methods and constructors (declaration text and work), declared properties (name,
// type, read and write work), indexed and default properties and events. The module
// registers every row in order and answers every member through one method callback,
// one property getter and one property setter, which find the work by the declaring
// class and the upper-case member name ("ITEMS.GET", "ADDOBJECT" ...); a combination
// nobody declared gives the integer 0.
//
// Before the work runs, the callback makes sure the object can take it: a member called
// on nil raises "Cannot call %s of a nil object", and an object that is not of the
// declaring class (a stale reference whose address a new object reuses) raises the
// invalid typecast error, so work may take Self<T>() as a T. A constructor that fails
// on the fresh instance a class name made frees it at once.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "rtl/ClassInfo.h"
#include "rtl/Object.h"
#include "rtl/Variant.h"
#include "runtime/fsCustomEvent.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsRegistry;

// A message text with its "%s" filled.
std::string FillMessage(const char* text, std::string_view s);

// What a member's work receives.
struct TfsMemberCall {
  rtl::TObject* Instance;  // checked to be of the declaring class (nil for global functions)
  rtl::TClass ClassType;    // the declaring class
  TfsMethodHelper* Caller;  // the arguments (methods and indexed properties; else nullptr)
  const rtl::Variant* Value;  // the value being written (property setters; else nullptr)

  template <class T>
  T& Self() const {
    return *static_cast<T*>(Instance);
  }
  TfsMethodHelper& Args() const { return *Caller; }
  // The value an indexed property is being given.
  const rtl::Variant& Written() const { return Caller->ArgumentValue(Caller->ParamCount()); }
};

using TfsMemberWork = rtl::Variant (*)(TfsMemberCall& call);

// A method or constructor ("constructor ..." declarations are constructors).
struct TfsClassMethod {
  const char* Declaration;
  TfsMemberWork Work;
};
// A declared property; without Write it is read-only.
struct TfsClassProperty {
  const char* Name;
  const char* TypeName;
  TfsMemberWork Read;
  TfsMemberWork Write = nullptr;
};
// An indexed property (comma-separated index types); Default makes indexing the object
// itself reach it. Without Write it is read-only.
struct TfsClassIndexed {
  const char* Name;
  const char* IndexTypes;
  const char* TypeName;
  TfsMemberWork Read;
  TfsMemberWork Write = nullptr;
  bool Default = false;
};
struct TfsClassEvent {
  const char* Name;
  TfsCustomEventClass Adapter;
};

struct TfsClassEntry {
  const rtl::TClassInfo& (*Class)();
  const char* Ancestor;
  std::span<const TfsClassMethod> Methods = {};
  std::span<const TfsClassProperty> Properties = {};
  std::span<const TfsClassIndexed> Indexed = {};
  std::span<const TfsClassEvent> Events = {};
};

class TfsClassLibrary : public TfsRTTIModule {
public:
  explicit TfsClassLibrary(TfsScript* script) : TfsRTTIModule(script) {}

  // Registers the rows in order; a class whose name is visible already is skipped with
  // its members.
  void RegisterClasses(std::span<const TfsClassEntry> classes);
  // A global routine answered by the same method callback (declaring class nil).
  void RegisterRoutine(const char* declaration, const char* category, TfsMemberWork work);

  rtl::Variant CallMethod(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& MethodName,
                          TfsMethodHelper* Caller);
  rtl::Variant GetProperty(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName);
  void SetProperty(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName,
                   const rtl::Variant& Value);

private:
  struct Work {
    TfsMemberWork Fn = nullptr;
    bool Constructor = false;
  };
  using Table = std::unordered_map<std::string, Work>;

  const Work* Find(const std::unordered_map<rtl::TClass, Table>& tables, rtl::TClass cls,
                   const std::string& name) const;
  static void CheckInstance(rtl::TObject* instance, rtl::TClass cls, const std::string& name);

  std::unordered_map<rtl::TClass, Table> FMethods;
  std::unordered_map<rtl::TClass, Table> FGetters;
  std::unordered_map<rtl::TClass, Table> FSetters;
};

}  // namespace fs
