#include "engine/fsOLEHelper.h"

#include <cstdio>
#include <vector>

#include "engine/fsVariables.h"
#include "platform/Automation.h"
#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"

namespace fs {

using rtl::Variant;

namespace {

// The failure of one access, in the words scripts have always seen.
[[noreturn]] void RaiseOleError(const std::string& member, const platform::AutomationError& error) {
  char code[16];
  std::snprintf(code, sizeof code, "%08X", static_cast<unsigned>(error.Code));
  std::string message = "OLE error " + std::string(code) + ": " + member + ": " + error.Text;
  if (!error.Source.empty()) message += "\nSource        ::  " + error.Source;
  if (!error.Description.empty()) message += "\nDescription ::  " + error.Description;
  if (!error.HelpFile.empty()) message += "\nHelp File     ::  " + error.HelpFile;
  throw rtl::Exception(message, "EOleException");
}

bool IsAutomationObject(const Variant& value) {
  const std::uint16_t t = value.VarType();
  return (t == rtl::varDispatch || t == rtl::varUnknown) && value.AsInterfaceRaw();
}

}  // namespace

TfsOLEHelper::TfsOLEHelper(const std::string& name) : TfsCustomHelper(name, fvtVariant, "Variant") {}

void TfsOLEHelper::AddArgumentParam() { AddParam(new TfsParamItem(std::string(), fvtVariant, "Variant", false, false)); }

Variant TfsOLEHelper::GetValue() {
  if (!IsAutomationObject(FParentValue)) throw rtl::EVariantError("Variant does not reference an automation object");
  const int count = ParamCount();
  std::vector<Variant> args(count);
  for (int i = 0; i < count; ++i) args[i] = Params(i)->StoredValue();
  Variant result;
  platform::AutomationError error;
  const bool wanted = NeedResult();
  const bool ok = platform::InvokeAutomation(FParentValue.AsInterfaceRaw(), rtl::AnsiToWide(Name()), args.data(), count,
                                             wanted ? platform::AutomationCall::MethodOrGet
                                                    : platform::AutomationCall::Method,
                                             wanted ? &result : nullptr, error);
  FParentValue = Variant::Null();  // the object is not kept past the access
  if (!ok) RaiseOleError(Name(), error);
  return result;
}

void TfsOLEHelper::SetValue(const Variant& value) {
  if (!IsAutomationObject(FParentValue)) throw rtl::EVariantError("Variant does not reference an automation object");
  const int count = ParamCount();
  std::vector<Variant> args(count + 1);
  for (int i = 0; i < count; ++i) args[i] = Params(i)->StoredValue();
  args[count] = value;
  platform::AutomationError error;
  const bool ok = platform::InvokeAutomation(
      FParentValue.AsInterfaceRaw(), rtl::AnsiToWide(Name()), args.data(), count + 1,
      IsAutomationObject(value) ? platform::AutomationCall::PropertyPutRef : platform::AutomationCall::PropertyPut,
      nullptr, error);
  FParentValue = Variant::Null();
  if (!ok) RaiseOleError(Name(), error);
}

}  // namespace fs
