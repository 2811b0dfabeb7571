#include "platform/DebugOutput.h"

#include <cstdio>

namespace platform {

// No debugger channel on POSIX: developers read stderr.
void DebugOutput(std::string_view text) {
  std::fprintf(stderr, "[debug] %.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace platform
