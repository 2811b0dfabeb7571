// fs_CharStrings: 60 character tests and string routines in the category "Strings":
// classes of characters and texts by the code page, case, quoting, prefixes and
// suffixes, C-style escapes, hexadecimal text, OEM text, parts of a text around a
// sub-text, and lenient number reading. Registers the type names AnsiChar and
// AnsiString first. Loaded after the date and time libraries.
#pragma once

#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsCharStrings : public TfsRTTIModule {
public:
  explicit TfsCharStrings(TfsScript* script);

  static constexpr const char* Category = "Strings";
};

}  // namespace fs
