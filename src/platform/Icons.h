// Icons of a module (the host's "MAINICON" becomes the application icon of our forms).
#pragma once

#include "platform/Modules.h"

namespace platform {

using IconHandle = void*;

// The named icon resource of a module; nullptr when there is none.
IconHandle LoadModuleIcon(ModuleHandle module, const char* name);
void DestroyIconHandle(IconHandle icon);

}  // namespace platform
