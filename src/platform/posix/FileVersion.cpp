#include "platform/FileVersion.h"

#include <sys/stat.h>

#include "platform/VersionInfo.h"

namespace platform {

// POSIX libraries carry no version resource: every file of ours has the build's version.
bool ReadFileVersion(const std::string& fileName, std::array<std::uint16_t, 4>& parts) {
  struct stat st{};
  if (fileName.empty() || stat(fileName.c_str(), &st) != 0) return false;
  parts = {VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR, VELMORA_VERSION_PATCH, VELMORA_VERSION_BUILD};
  return true;
}

}  // namespace platform
