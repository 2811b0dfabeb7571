#include "gui/RichEdit.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TCustomRichEdit::StaticClassInfo(), &TRichEdit::StaticClassInfo()};
}

const TClassInfo& TCustomRichEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomRichEdit>("TCustomRichEdit", &TMemo::StaticClassInfo())
                                     .Property("PlainText", &TCustomRichEdit::PlainText, &TCustomRichEdit::SetPlainText);
  return info;
}

const TClassInfo& TRichEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TRichEdit>("TRichEdit", &TCustomRichEdit::StaticClassInfo());
  return info;
}

TCustomRichEdit::TCustomRichEdit(rtl::TComponent* owner) : TMemo(owner) { SetBounds(0, 0, 185, 89); }

}  // namespace gui
