#include "platform/FileSystem.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

#include <vector>

#include "platform/posix/RegularFile.h"

namespace platform {

namespace {

bool StampOf(time_t t, LocalStamp& stamp) {
  tm parts{};
  if (!localtime_r(&t, &parts)) return false;
  stamp = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
  return true;
}

// The part after the last "/".
std::string_view LastPart(std::string_view name) {
  while (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
  const std::size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

}  // namespace

std::string NativePath(std::string_view name) {
  std::string path(name);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::int32_t FileAttributes(const std::string& name) {
  struct stat st{};
  if (name.empty() || lstat(name.c_str(), &st) != 0) return -1;
  std::int32_t attr = 0;
  if (S_ISLNK(st.st_mode)) {
    attr |= faSymLink;
    struct stat target{};
    if (stat(name.c_str(), &target) == 0) st = target;
  }
  if (S_ISDIR(st.st_mode)) attr |= faDirectory;
  else attr |= faArchive;
  if (!(st.st_mode & S_IWUSR)) attr |= faReadOnly;
  const std::string_view last = LastPart(name);
  if (last.size() > 1 && last[0] == '.' && last != "..") attr |= faHidden;
  return attr;
}

bool FolderExists(const std::string& name) {
  struct stat st{};
  return !name.empty() && stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolder(const std::string& name) { return !name.empty() && mkdir(name.c_str(), 0777) == 0; }

bool RemoveFolder(const std::string& name) { return !name.empty() && rmdir(name.c_str()) == 0; }

bool RenameFileOrFolder(const std::string& oldName, const std::string& newName) {
  if (oldName.empty() || newName.empty()) return false;
  // rename() would replace an existing target; the rule here is that it stays.
  struct stat st{};
  if (lstat(newName.c_str(), &st) == 0) return false;
  return rename(oldName.c_str(), newName.c_str()) == 0;
}

bool FileModified(const std::string& name, LocalStamp& stamp) {
  struct stat st{};
  if (name.empty() || stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return StampOf(st.st_mtime, stamp);
}

bool OpenFileModified(std::intptr_t handle, LocalStamp& stamp) {
  struct stat st{};
  if (handle < 0 || handle > INT_MAX || fstat(static_cast<int>(handle), &st) != 0) return false;
  return StampOf(st.st_mtime, stamp);
}

std::string CurrentFolder() {
  std::vector<char> buffer(PATH_MAX);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string FullPathName(const std::string& name) {
  if (name.empty()) return std::string();
  std::string path = name;
  if (path[0] != '/') {
    const std::string current = CurrentFolder();
    if (current.empty()) return std::string();
    path = current + "/" + path;
  }
  // Resolve "." and ".." by the names alone, as the path is written (a ".." above the
  // root stays at the root).
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at <= path.size()) {
    std::size_t end = path.find('/', at);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(at, end - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = end + 1;
  }
  std::string full;
  for (const std::string& p : parts) full += "/" + p;
  if (full.empty()) full = "/";
  // A name that ended with a delimiter keeps it.
  if (name.back() == '/' && full != "/") full += '/';
  return full;
}

std::string ShortPathName(const std::string& name) {
  struct stat st{};
  if (name.empty() || stat(name.c_str(), &st) != 0) return std::string();
  return name;
}

std::string UniversalName(const std::string& name) { return FullPathName(name); }

bool DiskSpace(int drive, std::int64_t& freeBytes, std::int64_t& totalBytes) {
  if (drive != 0) return false;
  struct statvfs fs{};
  if (statvfs(".", &fs) != 0) return false;
  freeBytes = static_cast<std::int64_t>(fs.f_bavail) * static_cast<std::int64_t>(fs.f_frsize);
  totalBytes = static_cast<std::int64_t>(fs.f_blocks) * static_cast<std::int64_t>(fs.f_frsize);
  return true;
}

WholeFile ReadWholeFile(const std::string& name, std::size_t maxSize, std::string& content) {
  content.clear();
  if (name.empty()) return WholeFile::Failed;
  bool notAFile = false;
  const int fd = posix::OpenRegularFile(name, O_RDONLY, notAFile);
  if (fd < 0) return notAFile ? WholeFile::NotAFile : WholeFile::Failed;
  struct stat st{};
  WholeFile result = WholeFile::Ok;
  if (fstat(fd, &st) != 0) {
    result = WholeFile::Failed;
  } else if (static_cast<std::uint64_t>(st.st_size) > maxSize) {
    result = WholeFile::TooLarge;
  } else {
    char buffer[65536];
    for (;;) {
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n < 0) {
        if (errno == EINTR) continue;
        result = WholeFile::Failed;
        break;
      }
      if (n == 0) break;
      if (content.size() + static_cast<std::size_t>(n) > maxSize) {
        result = WholeFile::TooLarge;
        break;
      }
      content.append(buffer, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  if (result != WholeFile::Ok) content.clear();
  return result;
}

WholeFile WriteWholeFile(const std::string& name, std::string_view data, bool append) {
  if (name.empty()) return WholeFile::Failed;
  // Emptied only once it is known to be a regular file.
  bool notAFile = false;
  const int fd = posix::OpenRegularFile(name, O_WRONLY | O_CREAT | (append ? O_APPEND : 0), notAFile);
  if (fd < 0) return notAFile ? WholeFile::NotAFile : WholeFile::Failed;
  bool ok = append || ftruncate(fd, 0) == 0;
  while (ok && !data.empty()) {
    const ssize_t n = write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  if (close(fd) != 0) ok = false;
  return ok ? WholeFile::Ok : WholeFile::Failed;
}

}  // namespace platform
