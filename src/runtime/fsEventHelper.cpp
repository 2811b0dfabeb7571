#include "runtime/fsEventHelper.h"

#include <memory>

#include "engine/fsProcVariable.h"
#include "engine/fsScript.h"
#include "rtl/Object.h"
#include "rtl/VariantConvert.h"

namespace fs {

using rtl::Variant;

TfsEventHelper::TfsEventHelper(const std::string& name, rtl::TClass classRef, TfsCustomEventClass adapterClass)
    : TfsCustomHelper(name, fvtString, std::string()), FClassRef(classRef), FAdapterClass(adapterClass) {}

Variant TfsEventHelper::GetValue() { return Variant(rtl::AnsiString()); }

void TfsEventHelper::SetValue(const Variant& value) {
  rtl::TObject* instance = rtl::VariantToObject(FParentValue);
  if (!instance) throw rtl::EPropertyError("Cannot assign event " + FName + " of a nil object");
  const rtl::TPropInfo* slot = instance->ClassInfo().FindEvent(FName);
  if (!slot) throw rtl::EPropertyError("Property " + FName + " does not exist");

  const rtl::AnsiString text = rtl::VarToStr(value);
  // Nil, 0 or an empty name clear the event.
  if (text.str() == "0" || text.IsEmpty()) {
    slot->SetMethod(instance, rtl::TMethod());
    return;
  }
  TfsCustomVariable* item = FProgram ? FProgram->Lookup(text.str()) : nullptr;
  if (!item || item->Kind() != TfsItemKind::Proc || !FAdapterClass)
    throw rtl::Exception("Event handler must be a procedure");

  std::unique_ptr<TfsCustomEvent> adapter(FAdapterClass(instance, static_cast<TfsProcVariable*>(item)));
  adapter->CheckHandler();
  slot->SetMethod(instance, adapter->GetMethod());
  // The script that assigned the event owns the adapter from now on.
  FProgram->AddName(std::string(), adapter.release());
}

}  // namespace fs
