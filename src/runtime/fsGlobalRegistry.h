// The process-wide registry and the loading of runtime modules into a script.
//
// GlobalRegistry is the script that holds one copy of every library's registrations;
// every user script has it as its parent script. It is made (and the modules loaded
// into it) on the first request, safely when several threads ask at once, and freed at
// process shutdown, after which it is never made again. A host that runs scripts on
// several threads gives each script its own copies with LoadRuntimeModules (before
// setting its parent script), because a registered helper keeps the arguments of the
// call in progress and must not be shared between threads.
#pragma once

#include "engine/fsScript.h"

namespace fs {

// The process-wide registry; nullptr once shutdown has begun.
TfsScript* GlobalRegistry();

// Makes one module of every class of RuntimeModules, in order, against script and
// keeps them in its table. Items added meanwhile carry the global mark, so that
// ClearProgram leaves them. Does nothing when the script has loaded them already.
// When a module fails, what was loaded is removed again and the error passed on.
void LoadRuntimeModules(TfsScript& script);
// Frees the modules and every item with the global mark. Does nothing unless loaded.
void UnloadRuntimeModules(TfsScript& script);
bool RuntimeModulesLoaded(const TfsScript& script);

}  // namespace fs
