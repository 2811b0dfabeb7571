// TfsSysFunctions: the system functions module, the first of the runtime modules. It
// gives every script its base vocabulary: the built-in type names, True, False, nil and
// Null, the variant type codes, the exception variables that try statements fill, the
// string and array indexing helpers, and 68 functions in six categories. Later
// libraries register some of the same function names again; their versions then answer
// scripts, while these stay listed in the catalogue.
//
// Loading this unit also reads the system's regional settings into the base library's
// format settings, once, at start-up.
#pragma once

#include <functional>
#include <string>

#include "rtl/ClassInfo.h"
#include "rtl/Variant.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsSysFunctions : public TfsRTTIModule {
public:
  explicit TfsSysFunctions(TfsScript* script);

  // The category keys of the functions; the options dialog shows its own texts for them.
  static constexpr const char* ctString = "ctString";
  static constexpr const char* ctDate = "ctDate";
  static constexpr const char* ctConv = "ctConv";
  static constexpr const char* ctFormat = "ctFormat";
  static constexpr const char* ctMath = "ctMath";
  static constexpr const char* ctOther = "ctOther";

  // Every function's callback: F does the work on the helper's arguments.
  template <rtl::Variant (*F)(TfsMethodHelper& args)>
  rtl::Variant Call(rtl::TObject* instance, rtl::TClass classType, const std::string& methodName,
                    TfsMethodHelper* caller) {
    return F(*caller);
  }
};

// Where ShowMessage's text goes on systems that show no message boxes (POSIX): the
// filter points this at the module log; without a hook the text goes to stderr. An
// empty hook restores that default.
using TfsMessageHook = std::function<void(const std::string& text)>;
void SetShowMessageHook(TfsMessageHook hook);
// Sends a text where ShowMessage sends it when no message box can be shown.
void WriteScriptMessage(const std::string& text);

}  // namespace fs
