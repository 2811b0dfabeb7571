#include "platform/FileVersion.h"

#include <windows.h>

#include <vector>

namespace platform {

bool ReadFileVersion(const std::string& fileName, std::array<std::uint16_t, 4>& parts) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
  if (!size) return false;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len) || !info || len < sizeof(*info))
    return false;
  parts = {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
           LOWORD(info->dwFileVersionLS)};
  return true;
}

}  // namespace platform
