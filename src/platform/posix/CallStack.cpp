#include "platform/CallStack.h"

#include <execinfo.h>

#include <cstdio>

namespace platform {

std::string CallStackText() {
  void* frames[32];
  int n = backtrace(frames, 32);
  std::string text;
  char line[32];
  for (int i = 1; i < n; ++i) {
    std::snprintf(line, sizeof line, "%p\n", frames[i]);
    text += line;
  }
  return text;
}

}  // namespace platform
