#include "platform/SystemCaptions.h"

namespace platform {

// POSIX has no system message boxes: the message array keeps its own captions.
const std::array<std::string, 12>& SystemButtonCaptions() {
  static const std::array<std::string, 12> none{};
  return none;
}

}  // namespace platform
