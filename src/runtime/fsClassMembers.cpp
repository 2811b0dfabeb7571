#include "runtime/fsClassMembers.h"

#include <utility>

#include "engine/fsStrings.h"
#include "runtime/fsCommaText.h"
#include "runtime/fsDeclaration.h"

namespace fs {

TfsMethodHelper* TfsClassMembers::DeclareMethod(const std::string& declaration, TfsMethodCallback callback) {
  if (!FClass) return nullptr;
  auto* helper = new TfsMethodHelper(ParseDeclaration(declaration, FClass->Program()), declaration);
  helper->SetCallback(std::move(callback));
  helper->SetClassRef(FClass->ClassRef());
  FClass->AddMember(helper);
  return helper;
}

TfsMethodHelper* TfsClassMembers::DeclareConstructor(const std::string& declaration, TfsMethodCallback callback) {
  // "constructor Create(...)" becomes "function Create(...): Constructor".
  const std::size_t blank = declaration.find(' ');
  const std::string rest = blank == std::string::npos ? std::string() : declaration.substr(blank);
  return DeclareMethod("function" + rest + ": Constructor", std::move(callback));
}

TfsPropertyHelper* TfsClassMembers::DeclareProperty(const std::string& name, const std::string& typeName,
                                                    TfsPropertyGetter getter, TfsPropertySetter setter) {
  if (!FClass) return nullptr;
  auto* helper = new TfsPropertyHelper(name, TypeCodeOf(typeName, FClass->Program()), typeName, FClass->ClassRef(),
                                       std::move(getter), std::move(setter));
  FClass->AddMember(helper);
  return helper;
}

TfsMethodHelper* TfsClassMembers::DeclareIndexedProperty(const std::string& name, std::string_view indexTypes,
                                                         const std::string& typeName, TfsMethodCallback callback,
                                                         bool readOnly) {
  if (!FClass) return nullptr;
  std::string params;
  const std::vector<std::string> types = CommaTextNames(indexTypes);
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (i) params += "; ";
    params += "p" + std::to_string(i) + ": " + types[i];
  }
  TfsMethodHelper* helper = DeclareMethod("function " + name + "(" + params + "): " + typeName, std::move(callback));
  helper->SetReadOnly(readOnly);
  helper->SetIndexProp(true);
  return helper;
}

TfsMethodHelper* TfsClassMembers::DeclareDefaultProperty(const std::string& name, std::string_view indexTypes,
                                                         const std::string& typeName, TfsMethodCallback callback,
                                                         bool readOnly) {
  TfsMethodHelper* helper = DeclareIndexedProperty(name, indexTypes, typeName, std::move(callback), readOnly);
  if (helper) FClass->SetDefProperty(helper);
  return helper;
}

TfsEventHelper* TfsClassMembers::DeclareEvent(const std::string& name, TfsCustomEventClass adapterClass) {
  if (!FClass) return nullptr;
  auto* helper = new TfsEventHelper(name, FClass->ClassRef(), adapterClass);
  FClass->AddMember(helper);
  return helper;
}

TfsComponentHelper* TfsClassMembers::DeclareComponent(rtl::TComponent* component) {
  if (!FClass || !component) return nullptr;
  auto* helper = new TfsComponentHelper(component);
  FClass->AddMember(helper);
  return helper;
}

TfsCustomVariable* TfsClassMembers::FindMember(std::string_view name) const {
  return FClass ? FClass->FindMember(name) : nullptr;
}

void TfsClassMembers::DeclareEntry(const std::string& declaration, TfsMethodCallback callback) {
  const std::size_t blank = declaration.find(' ');
  if (SameText(std::string_view(declaration).substr(0, blank), "constructor"))
    DeclareConstructor(declaration, std::move(callback));
  else
    DeclareMethod(declaration, std::move(callback));
}

}  // namespace fs
