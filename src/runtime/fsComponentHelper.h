// TfsComponentHelper: a component owned by a registered form or data module, reachable
// as a member of its owner's class; reading it gives the component's reference.
#pragma once

#include "engine/fsHelpers.h"
#include "rtl/Component.h"

namespace fs {

class TfsComponentHelper : public TfsCustomHelper {
public:
  explicit TfsComponentHelper(rtl::TComponent* component);

  rtl::Variant GetValue() override;

  rtl::TComponent* Component() const noexcept { return FComponent; }

private:
  rtl::TComponent* FComponent;
};

}  // namespace fs
