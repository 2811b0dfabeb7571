// Opening only disk files: a pipe, a console or another device may keep a reader or
// writer waiting for ever, and a folder is no file. The name is looked at before it is
// opened (creating a file over a device would open the device), and what was opened is
// looked at again.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32 {

// The handle, or INVALID_HANDLE_VALUE; notAFile tells a refusal from a failure.
inline HANDLE OpenDiskFile(const std::string& name, DWORD access, DWORD share, DWORD disposition, bool& notAFile) {
  notAFile = false;
  const DWORD attr = GetFileAttributesA(name.c_str());
  if (attr != INVALID_FILE_ATTRIBUTES && (attr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
    notAFile = true;
    return INVALID_HANDLE_VALUE;
  }
  HANDLE h = CreateFileA(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return h;
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    notAFile = true;
    return INVALID_HANDLE_VALUE;
  }
  return h;
}

}  // namespace platform::win32
