// Special folders, environment variables and creating folders.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The machine's common application data folder (no trailing separator); empty when
// the system cannot tell. POSIX: $XDG_DATA_HOME, else ~/.local/share.
std::string CommonAppDataFolder();
std::string EnvironmentVariable(const char* name);
// Creates a folder and its parents; false when it does not exist afterwards.
bool ForceDirectories(const std::string& path);
// The path separator of file names on this system.
char PathDelimiter();
// The process's command-line parameters (without the program name).
std::vector<std::string> CommandLineParameters();

}  // namespace platform
