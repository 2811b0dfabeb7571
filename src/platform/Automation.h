// Automation objects of the operating system: creating one by its programmatic
// identifier ("Scripting.Dictionary") and calling its members by name through its
// dispatch interface, which is how the engine's late binding reaches them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rtl/Variant.h"

namespace platform {

struct AutomationError {
  std::int32_t Code = 0;  // the system's result code
  std::string Text;       // the system's message for it (may be empty)
  // The exception information the object returned with a failed call (each may be
  // empty).
  std::string Source;
  std::string Description;
  std::string HelpFile;
};

// Windows: the dispatch interface of a new object of the class registered under
// progId, as a new reference the caller releases; COM is initialised on the calling
// thread first if nothing has done so. POSIX has no automation: always nullptr.
// nullptr with error filled in on failure.
rtl::UnknownInterface* CreateAutomationObject(std::u16string_view progId, AutomationError& error);

enum class AutomationCall : std::uint8_t {
  Method,          // a call whose result is not wanted
  MethodOrGet,     // a call or a property read, with its result
  PropertyPut,     // the last argument is the value put
  PropertyPutRef,  // the same, the value being an object reference
};

// The most arguments one member access passes.
constexpr int kMaxAutomationArgs = 64;

// Calls the member of that name on object (an automation object: a dispatch or
// unknown interface) with args in the order the script wrote them. The result, when
// result is not null, replaces *result. False with error filled in on failure; POSIX
// always fails.
bool InvokeAutomation(rtl::UnknownInterface* object, std::u16string_view member, const rtl::Variant* args,
                      int count, AutomationCall call, rtl::Variant* result, AutomationError& error);

}  // namespace platform
