// Comparing texts as the user's locale sorts them (case-sensitive), for lists shown
// to users such as the function catalogue.
#pragma once

#include <string_view>

namespace platform {

// < 0, 0 or > 0. Windows: CompareString with the user's locale. POSIX stand-in for an
// English locale: letters alphabetically regardless of case, hyphens and apostrophes
// ignored, then lower case before upper case, then the bytes.
int CompareLocaleText(std::string_view a, std::string_view b);

}  // namespace platform
