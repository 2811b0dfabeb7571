// TfsGraphicsRTTI: the graphics class library. Scripts make fonts, pens and brushes,
// draw on canvases (a bitmap's, a form's, a metafile's), and load, save and draw
// pictures. It also registers the font style set and the pitch, pen style, pen mode
// and brush style enumerations.
#pragma once

#include "runtime/fsClassLibrary.h"

namespace fs {

class TfsGraphicsRTTI : public TfsClassLibrary {
public:
  explicit TfsGraphicsRTTI(TfsScript* script);
};

}  // namespace fs
