#include "platform/Modules.h"

#include <windows.h>

namespace platform {

namespace {
std::string FileNameOf(HMODULE module) {
  char buf[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(module, buf, sizeof buf);
  return n ? std::string(buf, n) : std::string();
}

std::string LastErrorText() {
  DWORD code = GetLastError();
  char* msg = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<LPSTR>(&msg), 0, nullptr);
  std::string text = msg ? msg : ("error " + std::to_string(code));
  if (msg) LocalFree(msg);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}
}  // namespace

std::string OwnModuleFileName() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&OwnModuleFileName), &self);
  return FileNameOf(self);
}

std::string ModuleFileName(ModuleHandle module) {
  return module ? FileNameOf(static_cast<HMODULE>(module)) : OwnModuleFileName();
}

ModuleHandle MainProgramModule() { return GetModuleHandleA(nullptr); }

ModuleHandle FindLoadedModule(const std::string& fileName) {
  return fileName.empty() ? nullptr : GetModuleHandleA(fileName.c_str());
}

void* FindExport(ModuleHandle module, const char* name) {
  if (!module || !name) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

ModuleHandle LoadLibraryFile(const std::string& path, std::string& error) {
  // No error dialog boxes for a file that is not a library.
  UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE h = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!h) error = "cannot load library '" + path + "': " + LastErrorText();
  SetErrorMode(old);
  return h;
}

void FreeLibraryFile(ModuleHandle module) {
  if (module) FreeLibrary(static_cast<HMODULE>(module));
}

std::string ExtractFilePath(const std::string& fileName) {
  auto pos = fileName.find_last_of("\\/:");
  return pos == std::string::npos ? std::string() : fileName.substr(0, pos + 1);
}

std::string ExtractFileName(const std::string& fileName) {
  auto pos = fileName.find_last_of("\\/:");
  return pos == std::string::npos ? fileName : fileName.substr(pos + 1);
}

}  // namespace platform
