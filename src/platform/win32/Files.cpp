#include "platform/Files.h"

#include <windows.h>

#include "platform/win32/DiskFile.h"

// The system names its A/W variants with macros that would rename ours.
#undef ReplaceFile

namespace platform {

bool FileExists(const std::string& fileName) {
  if (fileName.empty()) return false;
  DWORD attr = GetFileAttributesA(fileName.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

FileKind KindOfFile(const std::string& fileName) {
  if (fileName.empty()) return FileKind::Missing;
  const DWORD attr = GetFileAttributesA(fileName.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES) return FileKind::Missing;
  if (attr & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Folder;
  if (attr & FILE_ATTRIBUTE_DEVICE) return FileKind::Other;
  // Pipes and devices (NUL, CON, COM1 ...) may carry plain attributes: what the name
  // opens tells. Opening without access neither reads nor waits.
  HANDLE h = CreateFileA(fileName.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FileKind::Regular;
  const DWORD type = GetFileType(h);
  CloseHandle(h);
  return type == FILE_TYPE_DISK ? FileKind::Regular : FileKind::Other;
}

bool ReplaceFile(const std::string& source, const std::string& dest) {
  // A reader that has the file open can make the rename fail for a moment; try again
  // briefly before giving up.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (MoveFileExA(source.c_str(), dest.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return false;
    Sleep(10);
  }
  return false;
}

bool RemoveFile(const std::string& fileName) { return DeleteFileA(fileName.c_str()) != 0; }

std::string TempFolder() {
  char buf[MAX_PATH + 1];
  DWORD n = GetTempPathA(sizeof buf, buf);
  std::string folder = n && n < sizeof buf ? std::string(buf, n) : std::string(".\\");
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

FileHandle FileOpen(const std::string& name, FileAccess access, FileShare share, bool create) {
  if (name.empty()) return kNoFile;
  DWORD desired = 0;
  switch (access) {
    case FileAccess::Read: desired = GENERIC_READ; break;
    case FileAccess::Write: desired = GENERIC_WRITE; break;
    case FileAccess::ReadWrite: desired = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD shareMode = 0;
  switch (share) {
    case FileShare::Compatible:
    case FileShare::Exclusive: shareMode = 0; break;
    case FileShare::DenyWrite: shareMode = FILE_SHARE_READ; break;
    case FileShare::DenyRead: shareMode = FILE_SHARE_WRITE; break;
    case FileShare::DenyNone: shareMode = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
  }
  bool notAFile = false;
  HANDLE h = win32::OpenDiskFile(name, desired, shareMode, create ? CREATE_ALWAYS : OPEN_EXISTING, notAFile);
  return h == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(h);
}

int FileRead(FileHandle file, void* buffer, int count) {
  if (file == kNoFile || count < 0) return -1;
  DWORD done = 0;
  if (!::ReadFile(reinterpret_cast<HANDLE>(file), buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

int FileWrite(FileHandle file, const void* buffer, int count) {
  if (file == kNoFile || count < 0) return -1;
  DWORD done = 0;
  if (!::WriteFile(reinterpret_cast<HANDLE>(file), buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

std::int64_t FileSeek(FileHandle file, std::int64_t offset, int origin) {
  if (file == kNoFile || origin < 0 || origin > 2) return -1;
  static const DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance, at;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(reinterpret_cast<HANDLE>(file), distance, &at, kMethod[origin])) return -1;
  return at.QuadPart;
}

void FileClose(FileHandle file) {
  if (file != kNoFile) CloseHandle(reinterpret_cast<HANDLE>(file));
}

}  // namespace platform
