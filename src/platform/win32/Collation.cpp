#include "platform/Collation.h"

#include <windows.h>

namespace platform {

int CompareLocaleText(std::string_view a, std::string_view b) {
  int r = CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                         static_cast<int>(b.size()));
  return r == 0 ? a.compare(b) : r - CSTR_EQUAL;
}

}  // namespace platform
