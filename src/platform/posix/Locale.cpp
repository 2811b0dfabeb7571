#include "platform/Locale.h"

#include <cstdlib>

namespace platform {

// No regional settings to ask on POSIX: English, adjusted by the environment.
rtl::FormatSettings SystemFormatSettings() {
  return EnglishFormatSettings([](const char* name) -> const char* { return std::getenv(name); });
}

}  // namespace platform
