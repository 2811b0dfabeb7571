#include <cstdio>

#include "HostCommands.h"

// Placeholder until the parser lands: reports that the command is not available.
int RunParse(int, char**) {
  std::fprintf(stderr, "velmora-host: parse is not available in this build\n");
  return 2;
}
