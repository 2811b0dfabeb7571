// The file version of a module: the four parts of its fixed version number.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace platform {

// False when the file carries no version information.
bool ReadFileVersion(const std::string& fileName, std::array<std::uint16_t, 4>& parts);

}  // namespace platform
