// The in-process clipboard of the headless build.
#include "platform/Clipboard.h"

#include <mutex>

namespace platform {

namespace {
std::mutex gLock;
std::string& Stored() {
  static auto* text = new std::string();
  return *text;
}
}  // namespace

std::string ClipboardText() {
  std::lock_guard lock(gLock);
  return Stored();
}

void SetClipboardText(const std::string& text) {
  std::lock_guard lock(gLock);
  Stored() = text;
}

}  // namespace platform
