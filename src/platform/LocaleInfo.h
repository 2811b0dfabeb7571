// Single items of the locale information, asked by locale identifier and information
// type in the Windows numbering (LOCALE_USER_DEFAULT 0x400, LOCALE_SDECIMAL 0x0E ...).
//
// Windows: GetLocaleInfo. POSIX has no such query: the English (United States) stand-in
// of Locale.h answers for the user's and the system's default locale (0, 0x400, 0x800)
// and for English (United States) itself (0x409), with the separators, date and time
// layouts, day and month names, currency and language names it uses; other locales
// and types are unknown.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// False when the locale or the type is unknown.
bool LocaleInfo(std::uint32_t locale, std::uint32_t type, std::string& value);

}  // namespace platform
