#include "gui/ToolBar.h"

#include <algorithm>

#include "gui/ExtCtrls.h"
#include "gui/Published.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TToolButton::StaticClassInfo(), &TToolBar::StaticClassInfo()};
}

const TEnumInfo& ToolButtonStyleTypeInfo() {
  static const TEnumInfo info{"TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}};
  return info;
}

// ---- TToolButton

const TClassInfo& TToolButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TToolButton> b("TToolButton", &TGraphicControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp);
    b.Property("Caption", &TToolButton::Caption, &TToolButton::SetCaption).TypeName("TCaption");
    b.Property("Down", &TToolButton::Down, &TToolButton::SetDown);
    b.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
    b.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).TypeName("TImageIndex");
    b.Property("Indeterminate", &TToolButton::Indeterminate, &TToolButton::SetIndeterminate);
    b.Enum("Style", ToolButtonStyleTypeInfo(), &TToolButton::Style, &TToolButton::SetStyle);
    return b;
  }();
  return info;
}

TToolButton::TToolButton(rtl::TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* parent) {
  TToolBar* old = ToolBar();
  TGraphicControl::SetParent(parent);
  if (old && old != ToolBar()) old->ButtonsChanged();
  if (TToolBar* bar = ToolBar()) bar->ButtonsChanged();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
  FStyle = v;
  if (v != tbsCheck) FDown = false;
  if (TToolBar* bar = ToolBar()) bar->ButtonsChanged();
  Invalidate();
}

void TToolButton::TextChanged() {
  if (TToolBar* bar = ToolBar(); bar && bar->ShowCaptions()) bar->ButtonsChanged();
}

void TToolButton::SetDown(bool v) {
  if (FStyle != tbsCheck || v == FDown) return;
  FDown = v;
  if (v && FGrouped) {
    // The group is the run of adjacent grouped check buttons around this one.
    if (TToolBar* bar = ToolBar()) {
      const int n = bar->ButtonCount();
      int self = 0;
      while (self < n && bar->Buttons(self) != this) ++self;
      auto release = [&](int i) {
        TToolButton* b = bar->Buttons(i);
        if (!b->FGrouped || b->FStyle != tbsCheck) return false;
        if (b->FDown) {
          b->FDown = false;
          b->Invalidate();
        }
        return true;
      };
      for (int i = self - 1; i >= 0 && release(i); --i) {}
      for (int i = self + 1; i < n && release(i); ++i) {}
    }
  }
  Invalidate();
}

void TToolButton::Click() {
  if (Separator()) return;
  if (FStyle == tbsCheck) {
    if (!FDown) SetDown(true);
    else if (!FGrouped || FAllowAllUp) {
      FDown = false;
      Invalidate();
    }
  }
  TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || Separator() || !Enabled()) return;
  FPressed = true;
  Invalidate();
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !FPressed) return;
  FPressed = false;
  Invalidate();
  if (x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
}

void TToolButton::Paint(TCanvas& canvas) {
  const TRect r{0, 0, Width(), Height()};
  canvas.Brush()->SetColor(FDown && !FPressed ? clBtnHighlight : Color());
  canvas.FillRect(r);
  if (FStyle == tbsDivider) {
    Frame3D(canvas, {Width() / 2 - 1, 2, Width() / 2 + 1, Height() - 2}, clBtnShadow, clBtnHighlight);
    return;
  }
  if (FStyle == tbsSeparator) return;
  TToolBar* bar = ToolBar();
  const bool sunken = FPressed || FDown;
  if (sunken) Frame3D(canvas, r, clBtnShadow, clBtnHighlight);
  else if (!bar || !bar->Flat()) Frame3D(canvas, r, clBtnHighlight, clBtnShadow);
  const int shift = sunken ? 1 : 0;
  int textTop = (Height() - canvas.TextHeight("Wg")) / 2;
  TImageList* images = bar ? bar->Images() : nullptr;
  if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
    const bool withCaption = bar->ShowCaptions() && !Caption().IsEmpty();
    const int y = withCaption ? 3 : (Height() - images->Height()) / 2;
    canvas.Draw((Width() - images->Width()) / 2 + shift, y + shift, images->Image(FImageIndex));
    textTop = y + images->Height() + 1;
  }
  if (bar && bar->ShowCaptions() && !Caption().IsEmpty()) {
    canvas.Brush()->SetStyle(bsClear);
    if (!Enabled()) canvas.Font()->SetColor(clGrayText);
    canvas.TextOut((Width() - canvas.TextWidth(Caption())) / 2 + shift, textTop + shift, Caption());
  }
}

// ---- TToolBar

const TClassInfo& TToolBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TToolBar> b("TToolBar", &TCustomControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
    b.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
    b.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat);
    b.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
    b.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
    return b;
  }();
  return info;
}

TToolBar::TToolBar(rtl::TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

void TToolBar::SetButtonWidth(int v) {
  FButtonWidth = std::max(1, v);
  Realign();
}

void TToolBar::SetButtonHeight(int v) {
  FButtonHeight = std::max(1, v);
  Realign();
}

void TToolBar::SetShowCaptions(bool v) {
  FShowCaptions = v;
  Realign();
  Invalidate();
}

void TToolBar::SetImages(TImageList* v) {
  FImages = v;
  if (v) v->FreeNotification(this);
  Invalidate();
}

void TToolBar::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == rtl::opRemove && component == FImages) FImages = nullptr;
}

int TToolBar::ButtonCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TToolButton*>(Controls(i))) ++n;
  return n;
}

TToolButton* TToolBar::Buttons(int index) const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && n++ == index) return b;
  throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TToolBar::AlignControls(TRect& rect) {
  if (FArranging) return;
  FArranging = true;
  // Buttons in their order, from the left; a button with a caption is as wide as it.
  int x = rect.Left + 2;
  const int y = rect.Top + 2;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* b = dynamic_cast<TToolButton*>(Controls(i));
    if (!b || !b->Visible()) continue;
    int w = FButtonWidth;
    if (b->Style() == tbsSeparator || b->Style() == tbsDivider) w = kSeparatorWidth;
    else if (b->Style() == tbsDropDown) w += 13;
    b->SetBounds(x, y, w, FButtonHeight);
    x += w;
  }
  FArranging = false;
  TCustomControl::AlignControls(rect);
}

void TToolBar::Paint(TCanvas& canvas) {
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(ClientRect());
}

}  // namespace gui
