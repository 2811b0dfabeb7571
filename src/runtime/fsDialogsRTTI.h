// TfsDialogsRTTI: the dialogs class library. Scripts show the common dialogs (open,
// save, colour, font, print, printer set-up), message dialogs and input boxes. On a
// system without a display the toolkit's responder answers them; when there is none,
// the script gets the cancelling answer at once and its log says what was shown.
#pragma once

#include <string>

#include "rtl/ClassInfo.h"
#include "rtl/Variant.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsDialogsRTTI : public TfsRTTIModule {
public:
  explicit TfsDialogsRTTI(TfsScript* script);

  static constexpr const char* ctOther = "ctOther";

  // Serves the classes' members and the three global functions alike.
  rtl::Variant CallMethod(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& MethodName,
                          TfsMethodHelper* Caller);
};

}  // namespace fs
