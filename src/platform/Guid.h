// Fresh GUIDs in their registry text form: hexadecimal groups in braces.
#pragma once

#include <string>

namespace platform {

std::string NewGuidText();

}  // namespace platform
