// The text form of string settings. Stored strings are UTF-8 made safe for INI lines
// and registry strings: printable ASCII stays, "%" is doubled, blanks that a reader
// would trim or fold become "+", every other byte is "%" and two hex digits. Reading
// undoes that; a stored text with bytes above 0x7F predates the encoding and is taken
// as it stands.
#pragma once

#include <string>
#include <string_view>

#include "rtl/AnsiString.h"

namespace orb {

// Encodes UTF-8 bytes.
std::string WregEncodeUtf8(std::string_view utf8);
// Encodes 8-bit text of the process code page, and UTF-16 text.
std::string WregEncode(std::string_view ansi);
std::string WregEncodeWide(std::u16string_view text);

// Decodes a stored text into the process code page, and into UTF-16.
rtl::AnsiString WregDecode(std::string_view stored);
std::u16string WregDecodeWide(std::string_view stored);

// Whether bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool IsValidUtf8(std::string_view s) noexcept;

}  // namespace orb
