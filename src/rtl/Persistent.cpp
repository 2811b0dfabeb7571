#include "rtl/Persistent.h"

namespace rtl {

namespace {
[[maybe_unused]] const TClassInfo& kRegistered = TPersistent::StaticClassInfo();
}

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", &TObject::StaticClassInfo());
  return info;
}

void TPersistent::Assign(const TPersistent* source) {
  if (source)
    source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
  const std::string sourceName = source ? source->ClassName() : std::string("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

}  // namespace rtl
