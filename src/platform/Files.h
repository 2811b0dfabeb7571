// Files as the operating system keeps them: whether one exists, replacing one by
// another in a single step, removing one, and the folder for temporary files.
#pragma once

#include <string>

namespace platform {

// Whether a file (not a folder) of that name exists.
bool FileExists(const std::string& fileName);
// Renames source over dest, replacing dest when it exists, so that readers see either
// the old or the new file and never a part of one. False when the system refused.
bool ReplaceFile(const std::string& source, const std::string& dest);
// Removes a file; false when it could not be removed (or did not exist).
bool RemoveFile(const std::string& fileName);
// The folder for temporary files, with a trailing path separator.
std::string TempFolder();

}  // namespace platform
