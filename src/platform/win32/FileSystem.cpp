#include "platform/FileSystem.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "platform/win32/DiskFile.h"

namespace platform {

namespace {

bool StampOf(const FILETIME& utc, LocalStamp& stamp) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return false;
  stamp = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
  return true;
}

// A result of a call that fills a buffer of chars and reports the length it needs.
template <class Call>
std::string Filled(Call call) {
  std::vector<char> buffer(MAX_PATH + 1);
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD n = call(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(n + 1);
  }
  return std::string();
}

}  // namespace

std::string NativePath(std::string_view name) { return std::string(name); }

std::int32_t FileAttributes(const std::string& name) {
  if (name.empty()) return -1;
  const DWORD attr = GetFileAttributesA(name.c_str());
  return attr == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<std::int32_t>(attr);
}

bool FolderExists(const std::string& name) {
  const std::int32_t attr = FileAttributes(name);
  return attr != -1 && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const std::string& name) { return !name.empty() && CreateDirectoryA(name.c_str(), nullptr); }

bool RemoveFolder(const std::string& name) { return !name.empty() && RemoveDirectoryA(name.c_str()); }

bool RenameFileOrFolder(const std::string& oldName, const std::string& newName) {
  return !oldName.empty() && !newName.empty() && MoveFileA(oldName.c_str(), newName.c_str());
}

bool FileModified(const std::string& name, LocalStamp& stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (name.empty() || !GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return false;
  return StampOf(data.ftLastWriteTime, stamp);
}

bool OpenFileModified(std::intptr_t handle, LocalStamp& stamp) {
  FILETIME written;
  if (!GetFileTime(reinterpret_cast<HANDLE>(handle), nullptr, nullptr, &written)) return false;
  return StampOf(written, stamp);
}

std::string CurrentFolder() {
  return Filled([](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); });
}

std::string FullPathName(const std::string& name) {
  if (name.empty()) return std::string();
  return Filled([&](char* b, DWORD n) { return GetFullPathNameA(name.c_str(), n, b, nullptr); });
}

std::string ShortPathName(const std::string& name) {
  if (name.empty()) return std::string();
  return Filled([&](char* b, DWORD n) { return GetShortPathNameA(name.c_str(), b, n); });
}

std::string UniversalName(const std::string& name) {
  const std::string full = FullPathName(name);
  if (full.size() < 2 || full[1] != ':') return full;
  std::vector<char> buffer(1024);
  DWORD size = static_cast<DWORD>(buffer.size());
  DWORD rc = WNetGetUniversalNameA(full.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
  if (rc == ERROR_MORE_DATA) {
    buffer.resize(size);
    rc = WNetGetUniversalNameA(full.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
  }
  if (rc != NO_ERROR) return full;  // a local drive, or no network
  const auto* info = reinterpret_cast<const UNIVERSAL_NAME_INFOA*>(buffer.data());
  return info->lpUniversalName ? std::string(info->lpUniversalName) : full;
}

bool DiskSpace(int drive, std::int64_t& freeBytes, std::int64_t& totalBytes) {
  if (drive < 0 || drive > 26) return false;
  char root[4] = {static_cast<char>('A' + drive - 1), ':', '\\', '\0'};
  ULARGE_INTEGER available, total, free;
  // Drive letters that name nothing make the system ask the user; not here.
  const UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const BOOL ok = GetDiskFreeSpaceExA(drive == 0 ? nullptr : root, &available, &total, &free);
  SetErrorMode(mode);
  if (!ok) return false;
  freeBytes = static_cast<std::int64_t>(available.QuadPart);
  totalBytes = static_cast<std::int64_t>(total.QuadPart);
  return true;
}

WholeFile ReadWholeFile(const std::string& name, std::size_t maxSize, std::string& content) {
  content.clear();
  if (name.empty()) return WholeFile::Failed;
  bool notAFile = false;
  HANDLE file = win32::OpenDiskFile(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, notAFile);
  if (file == INVALID_HANDLE_VALUE) return notAFile ? WholeFile::NotAFile : WholeFile::Failed;
  WholeFile result = WholeFile::Ok;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) {
    result = WholeFile::Failed;
  } else if (static_cast<std::uint64_t>(size.QuadPart) > maxSize) {
    result = WholeFile::TooLarge;
  } else {
    content.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < content.size()) {
      DWORD n = 0;
      if (!ReadFile(file, content.data() + done, static_cast<DWORD>(content.size() - done), &n, nullptr)) {
        result = WholeFile::Failed;
        break;
      }
      if (n == 0) break;
      done += n;
    }
    content.resize(done);
  }
  CloseHandle(file);
  if (result != WholeFile::Ok) content.clear();
  return result;
}

WholeFile WriteWholeFile(const std::string& name, std::string_view data, bool append) {
  if (name.empty()) return WholeFile::Failed;
  bool notAFile = false;
  HANDLE file = win32::OpenDiskFile(name, GENERIC_WRITE, FILE_SHARE_READ, append ? OPEN_ALWAYS : CREATE_ALWAYS, notAFile);
  if (file == INVALID_HANDLE_VALUE) return notAFile ? WholeFile::NotAFile : WholeFile::Failed;
  bool ok = true;
  if (append) {
    LARGE_INTEGER zero{};
    ok = SetFilePointerEx(file, zero, nullptr, FILE_END) != 0;
  }
  while (ok && !data.empty()) {
    DWORD n = 0;
    if (!WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &n, nullptr) || n == 0) ok = false;
    data.remove_prefix(n);
  }
  if (!CloseHandle(file)) ok = false;
  return ok ? WholeFile::Ok : WholeFile::Failed;
}

}  // namespace platform
