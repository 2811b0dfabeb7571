// Automation objects of the operating system: creating one by its programmatic
// identifier ("Scripting.Dictionary"). Scripts then use it by name through the
// engine's late binding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rtl/Variant.h"

namespace platform {

struct AutomationError {
  std::int32_t Code = 0;  // the system's result code
  std::string Text;       // the system's message for it (may be empty)
};

// Windows: the dispatch interface of a new object of the class registered under
// progId, as a new reference the caller releases; COM is initialised on the calling
// thread first if nothing has done so. POSIX has no automation: always nullptr.
// nullptr with error filled in on failure.
rtl::UnknownInterface* CreateAutomationObject(std::u16string_view progId, AutomationError& error);

}  // namespace platform
