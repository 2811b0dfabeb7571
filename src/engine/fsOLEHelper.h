// TfsOLEHelper: one member access on an automation object (obj.Method(a, b),
// obj.Property, obj.Property := v), resolved by name through the object's dispatch
// interface each time it runs. Its parameters are one variant per argument written.
#pragma once

#include <string>

#include "engine/fsHelpers.h"

namespace fs {

class TfsOLEHelper : public TfsCustomHelper {
public:
  explicit TfsOLEHelper(const std::string& name);

  // Adds the variant parameter for one more written argument.
  void AddArgumentParam();

  // A method call, or a call or property read when the result is needed.
  rtl::Variant GetValue() override;
  // A property put (by reference when the value is an automation object).
  void SetValue(const rtl::Variant& value) override;
};

}  // namespace fs
