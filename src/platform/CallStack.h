// The current call stack as readable text, for error reports.
#pragma once

#include <string>

namespace platform {

// One return address per line (hexadecimal), innermost first; empty when unknown.
std::string CallStackText();

}  // namespace platform
