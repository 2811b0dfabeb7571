// Getting a filter script ready to compile: under the process-wide preparation lock
// (the shared registry and the runtime module list are touched), the program is
// cleared, the runtime modules loaded, the source and dialect set and the global
// registry made its parent.
#pragma once

#include <string>

#include "rtl/Strings.h"

namespace fs {
class TfsScript;
}

namespace filter {

// loadModules: the packet script gets its own module copies; the check script does not.
void PrepareFilterScript(fs::TfsScript& script, const rtl::TStrings* lines, const std::string& syntaxType,
                         bool loadModules = true);

void CreatePreparationLock();
void FreePreparationLock();

}  // namespace filter
