#include "platform/Icons.h"

namespace platform {

// POSIX programs carry no icon resources.
IconHandle LoadModuleIcon(ModuleHandle, const char*) { return nullptr; }
void DestroyIconHandle(IconHandle) {}

}  // namespace platform
