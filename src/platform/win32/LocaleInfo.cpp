#include "platform/LocaleInfo.h"

#include <windows.h>

#include "rtl/CodePage.h"

namespace platform {

bool LocaleInfo(std::uint32_t locale, std::uint32_t type, std::string& value) {
  wchar_t buffer[512];
  const int n = GetLocaleInfoW(locale, type, buffer, 512);
  if (n <= 0) return false;
  value = rtl::WideToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n - 1)))
              .str();
  return true;
}

}  // namespace platform
