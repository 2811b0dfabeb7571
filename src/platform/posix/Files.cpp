#include "platform/Files.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool FileExists(const std::string& fileName) {
  struct stat st{};
  return !fileName.empty() && stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReplaceFile(const std::string& source, const std::string& dest) {
  // rename() replaces the target atomically on the same file system.
  return rename(source.c_str(), dest.c_str()) == 0;
}

bool RemoveFile(const std::string& fileName) { return unlink(fileName.c_str()) == 0; }

std::string TempFolder() {
  const char* dir = getenv("TMPDIR");
  std::string folder = dir && *dir ? dir : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace platform
