#include "platform/Files.h"

#include <windows.h>

// The system names its A/W variants with macros that would rename ours.
#undef ReplaceFile

namespace platform {

bool FileExists(const std::string& fileName) {
  if (fileName.empty()) return false;
  DWORD attr = GetFileAttributesA(fileName.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
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

}  // namespace platform
