#include "platform/Icons.h"

#include <windows.h>

namespace platform {

IconHandle LoadModuleIcon(ModuleHandle module, const char* name) {
  return module ? static_cast<IconHandle>(LoadIconA(static_cast<HMODULE>(module), name)) : nullptr;
}

void DestroyIconHandle(IconHandle icon) {
  if (icon) DestroyIcon(static_cast<HICON>(icon));
}

}  // namespace platform
