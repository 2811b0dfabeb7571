#include "engine/fsFiles.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/Files.h"
#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"

namespace fs {

namespace {

std::string Reason() {
  int e = errno;
  return e ? std::string(". ") + std::strerror(e) : std::string();
}

}  // namespace

// Only regular files: opening a named pipe to read would wait for a writer for ever.
bool FileExists(const std::string& fileName) {
  rtl::CheckFileName(fileName);
  if (fileName.empty() || platform::KindOfFile(fileName) != platform::FileKind::Regular) return false;
  std::ifstream f(fileName, std::ios::binary);
  if (!f) return false;
  // A directory opens on some systems but cannot be read.
  f.peek();
  return !f.bad();
}

std::string LoadFileText(const std::string& fileName) {
  rtl::CheckFileName(fileName);
  const platform::FileKind kind = platform::KindOfFile(fileName);
  if (kind == platform::FileKind::Folder || kind == platform::FileKind::Other)
    throw rtl::Exception("Cannot open file \"" + fileName + "\". Not a regular file", "EFOpenError");
  errno = 0;
  std::ifstream f(fileName, std::ios::binary);
  if (!f) RaiseFileOpenError(fileName);
  std::ostringstream s;
  s << f.rdbuf();
  if (f.bad()) RaiseFileOpenError(fileName);
  return s.str();
}

void RaiseFileOpenError(const std::string& fileName) {
  throw rtl::Exception("Cannot open file \"" + fileName + "\"" + Reason(), "EFOpenError");
}

void RaiseFileCreateError(const std::string& fileName) {
  throw rtl::Exception("Cannot create file \"" + fileName + "\"" + Reason(), "EFCreateError");
}

}  // namespace fs
