// File access the engine needs: whole text files for included units and documents,
// and the file stream errors as scripts and hosts see them.
#pragma once

#include <string>

namespace fs {

// True when a regular file of that name can be opened for reading.
bool FileExists(const std::string& fileName);
// The file's bytes; raises EFOpenError when it cannot be opened or is no regular file.
std::string LoadFileText(const std::string& fileName);

[[noreturn]] void RaiseFileOpenError(const std::string& fileName);
[[noreturn]] void RaiseFileCreateError(const std::string& fileName);

}  // namespace fs
