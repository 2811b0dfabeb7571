#include "platform/Automation.h"

namespace platform {

rtl::UnknownInterface* CreateAutomationObject(std::u16string_view, AutomationError& error) {
  error.Code = static_cast<std::int32_t>(0x80004001u);  // "not implemented"
  error.Text = "Automation objects are not available on this system";
  return nullptr;
}

}  // namespace platform
