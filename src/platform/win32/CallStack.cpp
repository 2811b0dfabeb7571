#include "platform/CallStack.h"

#include <windows.h>

#include <cstdio>

namespace platform {

std::string CallStackText() {
  void* frames[32];
  USHORT n = CaptureStackBackTrace(1, 32, frames, nullptr);
  std::string text;
  char line[32];
  for (USHORT i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, "%p\r\n", frames[i]);
    text += line;
  }
  return text;
}

}  // namespace platform
