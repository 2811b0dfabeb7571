#include "platform/Automation.h"

namespace platform {

namespace {

constexpr std::int32_t kNotImplemented = static_cast<std::int32_t>(0x80004001u);
constexpr const char* kNoAutomation = "Automation objects are not available on this system";

}  // namespace

rtl::UnknownInterface* CreateAutomationObject(std::u16string_view, AutomationError& error) {
  error.Code = kNotImplemented;
  error.Text = kNoAutomation;
  return nullptr;
}

bool InvokeAutomation(rtl::UnknownInterface*, std::u16string_view, const rtl::Variant*, int, AutomationCall,
                      rtl::Variant*, AutomationError& error) {
  error.Code = kNotImplemented;
  error.Text = kNoAutomation;
  return false;
}

}  // namespace platform
