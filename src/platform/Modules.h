// Modules of the process: the library's own file, loading libraries by path, and
// finding exported functions by name (the host's callbacks, the plug-in's exports).
#pragma once

#include <string>

namespace platform {

using ModuleHandle = void*;

// Full file name of the module that holds this code (the library, or the program it
// is linked into).
std::string OwnModuleFileName();
// Full file name of a loaded module; empty when unknown.
std::string ModuleFileName(ModuleHandle module);
// The main program of the process (where the host's callbacks live).
ModuleHandle MainProgramModule();
// A module already loaded in the process by file name or path; nullptr when none.
ModuleHandle FindLoadedModule(const std::string& fileName);
// An exported function by name; nullptr when the module has none of that name.
void* FindExport(ModuleHandle module, const char* name);

// Loads a library by path; nullptr and a one-line reason on failure.
ModuleHandle LoadLibraryFile(const std::string& path, std::string& error);
void FreeLibraryFile(ModuleHandle module);

// Folder of a file name, with a trailing path separator; and the name without folder.
std::string ExtractFilePath(const std::string& fileName);
std::string ExtractFileName(const std::string& fileName);

}  // namespace platform
