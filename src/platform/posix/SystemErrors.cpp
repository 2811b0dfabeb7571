#include "platform/SystemErrors.h"

#include <errno.h>
#include <string.h>

namespace platform {

std::int32_t LastSystemError() { return errno; }

std::string SystemErrorMessage(std::int32_t code) {
  char buffer[256];
  buffer[0] = '\0';
  // The GNU form returns the text (possibly not in the buffer); the XSI form fills it.
#if defined(__GLIBC__) && defined(_GNU_SOURCE)
  const char* text = strerror_r(code, buffer, sizeof buffer);
#else
  const char* text = strerror_r(code, buffer, sizeof buffer) == 0 ? buffer : "";
#endif
  return text ? std::string(text) : std::string();
}

}  // namespace platform
