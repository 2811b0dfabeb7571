#include "platform/Modules.h"

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

namespace platform {

namespace {
std::string RealPath(const std::string& path) {
  char buf[PATH_MAX];
  return realpath(path.c_str(), buf) ? std::string(buf) : std::string();
}

std::string MainProgramFile() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}
}  // namespace

std::string OwnModuleFileName() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&OwnModuleFileName), &info) && info.dli_fname) {
    std::string real = RealPath(info.dli_fname);
    return real.empty() ? std::string(info.dli_fname) : real;
  }
  return MainProgramFile();
}

std::string ModuleFileName(ModuleHandle module) {
  if (!module) return OwnModuleFileName();
  if (module == MainProgramModule()) return MainProgramFile();
  struct link_map* map = nullptr;
  if (dlinfo(module, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name) return RealPath(map->l_name);
  return {};
}

ModuleHandle MainProgramModule() {
  static ModuleHandle self = dlopen(nullptr, RTLD_NOW);
  return self;
}

ModuleHandle FindLoadedModule(const std::string& fileName) {
  if (fileName.empty()) return nullptr;
  const std::string main = MainProgramFile();
  if (fileName == main || RealPath(fileName) == main || ExtractFileName(fileName) == ExtractFileName(main))
    return MainProgramModule();
  return dlopen(fileName.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

void* FindExport(ModuleHandle module, const char* name) {
  if (!module || !name) return nullptr;
  return dlsym(module, name);
}

ModuleHandle LoadLibraryFile(const std::string& path, std::string& error) {
  // dlopen searches the library path for a bare name; a user means the file named.
  std::string target = path.find('/') == std::string::npos ? "./" + path : path;
  if (access(target.c_str(), F_OK) != 0) {
    error = "cannot open library '" + path + "': file not found";
    return nullptr;
  }
  ModuleHandle h = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    const char* why = dlerror();
    error = "cannot load library '" + path + "': " + (why ? why : "unknown error");
  }
  return h;
}

void FreeLibraryFile(ModuleHandle module) {
  if (module) dlclose(module);
}

std::string ExtractFilePath(const std::string& fileName) {
  auto pos = fileName.find_last_of('/');
  return pos == std::string::npos ? std::string() : fileName.substr(0, pos + 1);
}

std::string ExtractFileName(const std::string& fileName) {
  auto pos = fileName.find_last_of('/');
  return pos == std::string::npos ? fileName : fileName.substr(pos + 1);
}

}  // namespace platform
