// TfsEventHelper: an event of a registered class. Scripts assign it the name of a
// procedure (as a string, "@Proc" or 'Proc'); the helper then makes an adapter of its
// adapter class for the object and the procedure and puts the adapter's entry point in
// the object's event slot of the same name. Assigning nil clears the slot. Reading it
// gives the empty string.
#pragma once

#include <string>

#include "engine/fsHelpers.h"
#include "rtl/ClassInfo.h"
#include "runtime/fsCustomEvent.h"

namespace fs {

class TfsEventHelper : public TfsCustomHelper {
public:
  TfsEventHelper(const std::string& name, rtl::TClass classRef, TfsCustomEventClass adapterClass);

  rtl::Variant GetValue() override;
  // Raises "Event handler must be a procedure" when the name finds no script procedure.
  void SetValue(const rtl::Variant& value) override;

  rtl::TClass ClassRef() const noexcept { return FClassRef; }
  TfsCustomEventClass AdapterClass() const noexcept { return FAdapterClass; }

private:
  rtl::TClass FClassRef;
  TfsCustomEventClass FAdapterClass;
};

}  // namespace fs
