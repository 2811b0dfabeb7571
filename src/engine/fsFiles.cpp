#include "engine/fsFiles.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"

namespace fs {

namespace {

std::string Reason() {
  int e = errno;
  return e ? std::string(". ") + std::strerror(e) : std::string();
}

}  // namespace

bool FileExists(const std::string& fileName) {
  rtl::CheckFileName(fileName);
  if (fileName.empty()) return false;
  std::ifstream f(fileName, std::ios::binary);
  if (!f) return false;
  // A directory opens on some systems but cannot be read.
  f.peek();
  return !f.bad();
}

std::string LoadFileText(const std::string& fileName) {
  rtl::CheckFileName(fileName);
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
