#include "platform/Console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace platform {

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // Standard output to a device (NUL, a console) would otherwise go out one character
  // per system call; the host flushes after each packet and at exit.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
}

}  // namespace platform
