// The rich edit: a memo shown by the system's rich text control. The toolkit keeps
// its text as plain lines; formatting is not kept.
#pragma once

#include "gui/StdCtrls.h"

namespace gui {

class TCustomRichEdit : public TMemo {
  RTL_CLASS_INFO

public:
  explicit TCustomRichEdit(rtl::TComponent* owner = nullptr);
  bool PlainText() const noexcept { return FPlainText; }
  void SetPlainText(bool v) noexcept { FPlainText = v; }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::RichEdit; }

private:
  bool FPlainText = false;
};

class TRichEdit : public TCustomRichEdit {
  RTL_CLASS_INFO

public:
  using TCustomRichEdit::TCustomRichEdit;
};

}  // namespace gui
