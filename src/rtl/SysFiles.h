// What the base library's file units need from the operating system beyond the
// standard streams: whether a file exists and replacing one file by another in one
// step. Declared here, supplied by the platform layer.
#pragma once

#include <string>

namespace rtl::sys {

bool FileExists(const std::string& fileName);
// Renames source over dest (replacing it); false when the system refused.
bool ReplaceFile(const std::string& source, const std::string& dest);
bool RemoveFile(const std::string& fileName);

}  // namespace rtl::sys
