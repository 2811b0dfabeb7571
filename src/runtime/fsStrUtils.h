// fs_StrUtils: 28 string routines in the category "Strings": searching and replacing
// with and without case, Soundex codes and similarity, repetition and reversal, parts
// of a text by characters or bytes, PosEx, and the string IfThen (which hides the
// integer IfThen of fs_Math).
#pragma once

#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsStrUtils : public TfsRTTIModule {
public:
  explicit TfsStrUtils(TfsScript* script);

  static constexpr const char* Category = "Strings";
};

}  // namespace fs
