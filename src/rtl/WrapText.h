// WrapText: a text with line breaks (CR LF) inserted so that its lines stay near a
// column, breaking only after blanks, hyphens and tabs, never inside quotes.
#pragma once

#include <cstdint>
#include <string_view>

#include "rtl/AnsiString.h"

namespace rtl {

// Walks each line from its start; the last blank, "-" or tab seen is the break point.
// Once the line holds maxCol or more characters and a break point lies after its
// first character, the line ends after the break point and a CR LF follows (unless
// only break characters and line breaks are left); the next line starts after it. A
// single or double quote opens a stretch that the same quote closes: no break point is
// taken and no line ends inside it. A line without a break point stays long. A CR LF
// already in the text (outside quotes) ends the line and is kept as it is.
AnsiString WrapText(std::string_view text, std::int64_t maxCol);

}  // namespace rtl
