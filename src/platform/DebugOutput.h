// Debugger output: text a developer sees in a debugger (or on stderr on POSIX).
#pragma once

#include <string_view>

namespace platform {

void DebugOutput(std::string_view text);

}  // namespace platform
