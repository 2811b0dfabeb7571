// The clipboard as the toolkit offers it.
#pragma once

#include "rtl/Persistent.h"
#include "rtl/AnsiString.h"

namespace gui {

class TClipboard : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  rtl::AnsiString AsText() const;
  void SetAsText(const rtl::AnsiString& text);
  bool HasText() const { return !AsText().IsEmpty(); }
  void Clear() { SetAsText(rtl::AnsiString()); }
};

TClipboard* Clipboard();

}  // namespace gui
