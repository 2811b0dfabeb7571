// TfsDialogsRTTI: the dialogs class library. Scripts show the common dialogs (open,
// save, colour, font, print, printer set-up), message dialogs and input boxes. On a
// system without a display the toolkit's responder answers them; when there is none,
// the script gets the cancelling answer at once and its log says what was shown.
#pragma once

#include "runtime/fsClassLibrary.h"

namespace fs {

// Its one method callback serves the classes' members and the three global functions
// alike.
class TfsDialogsRTTI : public TfsClassLibrary {
public:
  explicit TfsDialogsRTTI(TfsScript* script);

  static constexpr const char* ctOther = "ctOther";
};

}  // namespace fs
