#include "platform/DebugOutput.h"

#include <windows.h>

#include <string>

namespace platform {

void DebugOutput(std::string_view text) {
  std::string s(text);
  OutputDebugStringA(s.c_str());
}

}  // namespace platform
