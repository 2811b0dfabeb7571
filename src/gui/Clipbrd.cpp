#include "gui/Clipbrd.h"

#include "platform/Clipboard.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;

const TClassInfo& TClipboard::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TClipboard>("TClipboard", &rtl::TPersistent::StaticClassInfo())
                                     .Property("AsText", &TClipboard::AsText, &TClipboard::SetAsText);
  return info;
}

rtl::AnsiString TClipboard::AsText() const { return rtl::AnsiString(platform::ClipboardText()); }

void TClipboard::SetAsText(const rtl::AnsiString& text) { platform::SetClipboardText(text.str()); }

TClipboard* Clipboard() {
  static auto* clipboard = rtl::CreateObject<TClipboard>();
  return clipboard;
}

}  // namespace gui
