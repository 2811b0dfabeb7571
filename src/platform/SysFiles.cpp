// The base library's file needs, met by the platform's file services.
#include "rtl/SysFiles.h"

#include "platform/Files.h"
#include "rtl/FileNames.h"

namespace rtl::sys {

// Names with a NUL are refused here, before the system cuts them at it.
bool FileExists(const std::string& fileName) {
  CheckFileName(fileName);
  return platform::FileExists(fileName);
}
bool ReplaceFile(const std::string& source, const std::string& dest) {
  CheckFileName(source);
  CheckFileName(dest);
  return platform::ReplaceFile(source, dest);
}
bool RemoveFile(const std::string& fileName) {
  CheckFileName(fileName);
  return platform::RemoveFile(fileName);
}
bool IsOtherThanFile(const std::string& fileName) {
  CheckFileName(fileName);
  const platform::FileKind kind = platform::KindOfFile(fileName);
  return kind == platform::FileKind::Folder || kind == platform::FileKind::Other;
}

namespace {

platform::FileShare ShareOf(int mode) {
  switch (mode & 0xF0) {
    case 0x10: return platform::FileShare::Exclusive;
    case 0x20: return platform::FileShare::DenyWrite;
    case 0x30: return platform::FileShare::DenyRead;
    case 0x40: return platform::FileShare::DenyNone;
    default: return platform::FileShare::Compatible;
  }
}

}  // namespace

FileHandle FileOpen(const std::string& name, int mode) {
  CheckFileName(name);
  platform::FileAccess access;
  switch (mode & 0x0F) {
    case 0: access = platform::FileAccess::Read; break;
    case 1: access = platform::FileAccess::Write; break;
    case 2: access = platform::FileAccess::ReadWrite; break;
    default: return kNoFile;
  }
  return platform::FileOpen(name, access, ShareOf(mode), false);
}

FileHandle FileCreate(const std::string& name, int mode) {
  CheckFileName(name);
  return platform::FileOpen(name, platform::FileAccess::ReadWrite, ShareOf(mode), true);
}

int FileRead(FileHandle file, void* buffer, int count) { return platform::FileRead(file, buffer, count); }
int FileWrite(FileHandle file, const void* buffer, int count) { return platform::FileWrite(file, buffer, count); }
std::int64_t FileSeek(FileHandle file, std::int64_t offset, int origin) {
  return platform::FileSeek(file, offset, origin);
}
void FileClose(FileHandle file) { platform::FileClose(file); }

}  // namespace rtl::sys
