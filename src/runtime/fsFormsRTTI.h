// TfsFormsRTTI: the forms and controls class library. Scripts create, change, show and
// free the toolkit's controls and forms, attach their procedures to the controls'
// mouse, key, resize and close events, and reach the process's application object as
// "Application". It also registers the enumerations, sets and constants these classes
// take (alignment, shift states, modal results, cursors, border styles, virtual keys,
// text alignment).
#pragma once

#include "runtime/fsClassLibrary.h"

namespace fs {

class TfsFormsRTTI : public TfsClassLibrary {
public:
  explicit TfsFormsRTTI(TfsScript* script);
};

}  // namespace fs
