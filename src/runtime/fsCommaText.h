// The names of a comma text, as registrations list enumeration values, set flags and
// index types: commas and blanks separate, double quotes group, each name is trimmed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fs {

std::vector<std::string> CommaTextNames(std::string_view text);

}  // namespace fs
