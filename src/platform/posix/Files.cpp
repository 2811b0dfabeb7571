#include "platform/Files.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/posix/RegularFile.h"

namespace platform {

bool FileExists(const std::string& fileName) {
  struct stat st{};
  return !fileName.empty() && stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileKind KindOfFile(const std::string& fileName) {
  struct stat st{};
  if (fileName.empty() || stat(NativePath(fileName).c_str(), &st) != 0) return FileKind::Missing;
  if (S_ISREG(st.st_mode)) return FileKind::Regular;
  return S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
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

FileHandle FileOpen(const std::string& name, FileAccess access, FileShare share, bool create) {
  if (name.empty()) return kNoFile;
  const std::string path = NativePath(name);
  int flags = 0;
  switch (access) {
    case FileAccess::Read: flags |= O_RDONLY; break;
    case FileAccess::Write: flags |= O_WRONLY; break;
    case FileAccess::ReadWrite: flags |= O_RDWR; break;
  }
  // The lock comes before emptying, so a refused opener leaves the file as it was.
  bool notAFile = false;
  const int fd = posix::OpenRegularFile(path, create ? (flags | O_CREAT) : flags, notAFile);
  if (fd < 0) return kNoFile;
  const int lock = share == FileShare::DenyWrite || share == FileShare::DenyNone ? LOCK_SH : LOCK_EX;
  if (flock(fd, lock | LOCK_NB) != 0) {
    close(fd);
    return kNoFile;
  }
  if (create && ftruncate(fd, 0) != 0) {
    close(fd);
    return kNoFile;
  }
  return fd;
}

int FileRead(FileHandle file, void* buffer, int count) {
  if (file < 0 || count < 0) return -1;
  int done = 0;
  while (done < count) {
    const ssize_t n =
        read(static_cast<int>(file), static_cast<char*>(buffer) + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<int>(n);
  }
  return done;
}

int FileWrite(FileHandle file, const void* buffer, int count) {
  if (file < 0 || count < 0) return -1;
  int done = 0;
  while (done < count) {
    const ssize_t n =
        write(static_cast<int>(file), static_cast<const char*>(buffer) + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return done ? done : -1;
    done += static_cast<int>(n);
  }
  return done;
}

std::int64_t FileSeek(FileHandle file, std::int64_t offset, int origin) {
  if (file < 0 || origin < 0 || origin > 2) return -1;
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  const off_t at = lseek(static_cast<int>(file), static_cast<off_t>(offset), kWhence[origin]);
  return at < 0 ? -1 : static_cast<std::int64_t>(at);
}

void FileClose(FileHandle file) {
  if (file >= 0) close(static_cast<int>(file));
}

}  // namespace platform
