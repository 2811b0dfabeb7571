// TfsFormsRTTI: the forms and controls class library. Scripts create, change, show and
// free the toolkit's controls and forms, attach their procedures to the controls'
// mouse, key, resize and close events, and reach the process's application object as
// "Application". It also registers the enumerations, sets and constants these classes
// take (alignment, shift states, modal results, cursors, border styles, virtual keys,
// text alignment).
#pragma once

#include <string>

#include "rtl/ClassInfo.h"
#include "rtl/Variant.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsFormsRTTI : public TfsRTTIModule {
public:
  explicit TfsFormsRTTI(TfsScript* script);

private:
  rtl::Variant CallMethod(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& MethodName,
                          TfsMethodHelper* Caller);
  rtl::Variant GetProp(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName);
  void SetProp(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName, const rtl::Variant& Value);
};

}  // namespace fs
