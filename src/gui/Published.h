// Groups of published properties that many control classes publish alike.
#pragma once

#include "gui/Controls.h"
#include "gui/Menus.h"

namespace gui {

template <class T>
rtl::TClassBuilder<T>& PublishAppearance(rtl::TClassBuilder<T>& b) {
  b.Property("Color", &T::Color, &T::SetColor).TypeName("TColor");
  b.Property("Font", &T::Font, &T::SetFont);
  b.Property("ParentColor", &T::ParentColor, &T::SetParentColor);
  b.Property("ParentFont", &T::ParentFont, &T::SetParentFont);
  b.Property("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
  return b;
}

template <class T>
rtl::TClassBuilder<T>& PublishCaption(rtl::TClassBuilder<T>& b) {
  b.Property("Caption", &T::Text, &T::SetText).TypeName("TCaption");
  return b;
}

template <class T>
rtl::TClassBuilder<T>& PublishText(rtl::TClassBuilder<T>& b) {
  b.Property("Text", &T::Text, &T::SetText).TypeName("TCaption");
  return b;
}

}  // namespace gui
