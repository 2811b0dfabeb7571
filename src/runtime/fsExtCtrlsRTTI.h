// TfsExtCtrlsRTTI: the extended controls module, the last class library. It gives
// scripts the toolkit's further controls (shapes, bevels, images, paint boxes, speed
// and bit buttons, check list boxes, tab and page controls, status bars, track and
// progress bars, list and tree views, tool bars, date pickers, month calendars, rich
// edits, panels, splitters and timers) with the enumerations they take and the items
// they hold (tree nodes, list items and columns, status panels).
#pragma once

#include "runtime/fsClassLibrary.h"

namespace fs {

class TfsExtCtrlsRTTI : public TfsClassLibrary {
public:
  explicit TfsExtCtrlsRTTI(TfsScript* script);
};

}  // namespace fs
