#include "platform/Folders.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace platform {

std::string EnvironmentVariable(const char* name) {
  char buf[32768];
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  return n && n < sizeof buf ? std::string(buf, n) : std::string();
}

std::string CommonAppDataFolder() {
  char path[MAX_PATH];
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return path;
  // The shell cannot be asked: the value the shell keeps in the registry.
  HKEY key;
  std::string result;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                    KEY_READ, &key) == ERROR_SUCCESS) {
    char value[MAX_PATH * 2];
    DWORD size = sizeof value, type = 0;
    if (RegQueryValueExA(key, "Common AppData", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
      result.assign(value, strnlen(value, size));
    RegCloseKey(key);
  }
  return result;
}

bool ForceDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::string current;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/') {
      if (!current.empty() && current.back() != ':') CreateDirectoryA(current.c_str(), nullptr);
    }
    if (i < path.size()) current += path[i];
  }
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

char PathDelimiter() { return '\\'; }

std::vector<std::string> CommandLineParameters() {
  std::vector<std::string> args;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return args;
  for (int i = 1; i < argc; ++i) {
    int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? static_cast<std::size_t>(n - 1) : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, argv[i], -1, s.data(), n, nullptr, nullptr);
    args.push_back(s);
  }
  LocalFree(argv);
  return args;
}

}  // namespace platform
