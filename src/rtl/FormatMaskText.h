// FormatMaskText: a text laid out through an edit mask such as "000-0000;0;_" or
// "!99/99/9999;1;_".
//
// The mask is a picture optionally followed by fields: among the mask's last four
// characters a ";" separates fields and the character after it is a field character.
// Picture characters are mask positions ("0", "9", "#", "A", "a", "C", "c", "L", "l":
// one character of the value, never tested against its class), separators ("/" and
// ":": the locale's date and time separators), directives ("!" right-aligns, "<" and
// ">" change nothing here, an unescaped "\" escapes the next character) and literals
// (everything else). When the first field is "0" the value holds only the characters
// of the mask positions and the literals are inserted; otherwise the value already
// holds them and is matched against the picture. Gaps are filled with blanks.
#pragma once

#include <string>
#include <string_view>

#include "rtl/FormatSettings.h"

namespace rtl {

std::string FormatMaskText(std::string_view editMask, std::string_view value,
                           const FormatSettings& fs = CurrentFormatSettings());

}  // namespace rtl
