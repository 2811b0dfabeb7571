// The base library's file needs, met by the platform's file services.
#include "rtl/SysFiles.h"

#include "platform/Files.h"

namespace rtl::sys {

bool FileExists(const std::string& fileName) { return platform::FileExists(fileName); }
bool ReplaceFile(const std::string& source, const std::string& dest) { return platform::ReplaceFile(source, dest); }
bool RemoveFile(const std::string& fileName) { return platform::RemoveFile(fileName); }

}  // namespace rtl::sys
