#include "platform/Shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace platform {

std::int32_t ShellOpen(const std::string& file, const std::string& parameters, const std::string& directory,
                       std::int32_t showCommand) {
  // The shell may hand the file to a handler that needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const HINSTANCE rc = ShellExecuteA(nullptr, "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                     directory.empty() ? nullptr : directory.c_str(), showCommand);
  if (SUCCEEDED(com)) CoUninitialize();
  return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(rc));
}

}  // namespace platform
