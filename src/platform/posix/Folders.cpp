#include "platform/Folders.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace platform {

std::string EnvironmentVariable(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string CommonAppDataFolder() {
  std::string xdg = EnvironmentVariable("XDG_DATA_HOME");
  if (!xdg.empty()) return xdg;
  std::string home = EnvironmentVariable("HOME");
  return home.empty() ? std::string() : home + "/.local/share";
}

bool ForceDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::string current;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      if (!current.empty()) mkdir(current.c_str(), 0777);
    }
    if (i < path.size()) current += path[i];
  }
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

char PathDelimiter() { return '/'; }

std::vector<std::string> CommandLineParameters() {
  std::vector<std::string> args;
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string arg;
  bool first = true;
  while (std::getline(in, arg, '\0')) {
    if (first) {
      first = false;
      continue;
    }
    args.push_back(arg);
  }
  return args;
}

}  // namespace platform
