// TPersistent: objects whose state can be copied from another object with Assign.
// A class that knows how to copy from a source overrides Assign; a class that knows
// how to copy itself into a destination overrides AssignTo. When neither side knows,
// Assign raises EConvertError "Cannot assign a %s to a %s".
#pragma once

#include "rtl/Object.h"

namespace rtl {

class TPersistent : public TObject {
  RTL_CLASS_INFO

public:
  // Copies source's state into this object (nil raises the assign error).
  virtual void Assign(const TPersistent* source);

protected:
  // Copies this object's state into dest; the default raises the assign error.
  virtual void AssignTo(TPersistent* dest) const;
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace rtl
