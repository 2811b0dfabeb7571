#include "gui/Buttons.h"

#include <algorithm>

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/GuiTexts.h"
#include "gui/Published.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TSpeedButton::StaticClassInfo(), &TBitBtn::StaticClassInfo()};
}

const TEnumInfo& ButtonLayoutTypeInfo() {
  static const TEnumInfo info{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
  return info;
}
const TEnumInfo& ButtonStateTypeInfo() {
  static const TEnumInfo info{"TButtonState", {"bsUp", "bsDisabled", "bsDown", "bsExclusive"}};
  return info;
}
const TEnumInfo& ButtonStyleTypeInfo() {
  static const TEnumInfo info{"TButtonStyle", {"bsAutoDetect", "bsWin31", "bsNew"}};
  return info;
}
const TEnumInfo& BitBtnKindTypeInfo() {
  static const TEnumInfo info{"TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                                              "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
  return info;
}

// ---- TSpeedButton

const TClassInfo& TSpeedButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TSpeedButton> b("TSpeedButton", &TGraphicControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
    b.Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption).TypeName("TCaption");
    b.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
    b.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    b.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    b.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
    b.Enum("Layout", ButtonLayoutTypeInfo(), &TSpeedButton::Layout, &TSpeedButton::SetLayout);
    b.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
    b.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).TypeName("TNumGlyphs");
    b.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
    return b;
  }();
  return info;
}

TSpeedButton::TSpeedButton(rtl::TComponent* owner) : TGraphicControl(owner), FGlyph(rtl::CreateObject<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { rtl::FreeObject(FGlyph); }

void TSpeedButton::SetGlyph(TBitmap* v) {
  if (v) {
    FGlyph->SetSize(v->Width(), v->Height());
    FGlyph->Canvas()->Draw(0, 0, v);
  } else {
    FGlyph->SetSize(0, 0);
  }
  Invalidate();
}

void TSpeedButton::UpdateState() {
  const TButtonState state = !Enabled() ? bsDisabled : FPressed || FDown ? (FDown && !FPressed ? bsExclusive : bsDown) : bsUp;
  if (state != FState) {
    FState = state;
    Invalidate();
  }
}

// The other buttons of the group come up when this one goes down.
void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FDown || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
      other->FDown = false;
      other->UpdateState();
    }
  }
}

void TSpeedButton::SetGroupIndex(int v) {
  FGroupIndex = v;
  if (v == 0) FDown = false;
  UpdateExclusive();
  UpdateState();
}

void TSpeedButton::SetDown(bool v) {
  if (FGroupIndex == 0) v = false;  // an ungrouped button only goes down while pressed
  if (v == FDown) return;
  if (!v && !FAllowAllUp) {
    // A group without AllowAllUp keeps one button down.
    bool otherDown = false;
    if (Parent())
      for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* o = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); o && o != this && o->FGroupIndex == FGroupIndex && o->FDown)
          otherDown = true;
    if (!otherDown) return;
  }
  FDown = v;
  UpdateExclusive();
  UpdateState();
}

void TSpeedButton::SetAllowAllUp(bool v) {
  FAllowAllUp = v;
  if (!Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* o = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); o && o->FGroupIndex == FGroupIndex && FGroupIndex != 0)
      o->FAllowAllUp = v;
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) {
    if (!FDown) {
      FDown = true;
      UpdateExclusive();
    } else if (FAllowAllUp) {
      FDown = false;
    }
    UpdateState();
  }
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  FPressed = true;
  UpdateState();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !FPressed) return;
  FPressed = false;
  UpdateState();
  // A release outside the button cancels the press.
  if (x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
}

void TSpeedButton::Paint(TCanvas& canvas) {
  const TRect r{0, 0, Width(), Height()};
  canvas.Brush()->SetColor(FState == bsExclusive ? clBtnHighlight : Color());
  canvas.FillRect(r);
  const bool sunken = FState == bsDown || FState == bsExclusive;
  if (!FFlat || sunken) {
    Frame3D(canvas, r, sunken ? clBtnShadow : clBtnHighlight, sunken ? clBtnHighlight : clBtnShadow);
  }
  // The glyph's image for the state (when it holds several), then the caption.
  const int gw = FGlyph->Width() > 0 ? FGlyph->Width() / FNumGlyphs : 0, gh = FGlyph->Height();
  const rtl::AnsiString caption = Caption();
  const int tw = caption.IsEmpty() ? 0 : canvas.TextWidth(caption), th = canvas.TextHeight(caption.IsEmpty() ? "Wg" : caption);
  const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const int gap = gw > 0 && tw > 0 ? FSpacing : 0;
  const int totalW = horizontal ? gw + gap + tw : std::max(gw, tw);
  const int totalH = horizontal ? std::max(gh, th) : gh + gap + th;
  int x = FMargin >= 0 && horizontal ? FMargin : (Width() - totalW) / 2;
  int y = FMargin >= 0 && !horizontal ? FMargin : (Height() - totalH) / 2;
  if (sunken) ++x, ++y;
  int gx = x, gy = y, tx = x, ty = y;
  switch (FLayout) {
    case blGlyphLeft: gy = y + (totalH - gh) / 2, tx = x + gw + gap, ty = y + (totalH - th) / 2; break;
    case blGlyphRight: tx = x, ty = y + (totalH - th) / 2, gx = x + tw + gap, gy = y + (totalH - gh) / 2; break;
    case blGlyphTop: gx = x + (totalW - gw) / 2, tx = x + (totalW - tw) / 2, ty = y + gh + gap; break;
    case blGlyphBottom: tx = x + (totalW - tw) / 2, gx = x + (totalW - gw) / 2, gy = y + th + gap; break;
  }
  if (gw > 0 && gh > 0 && FGlyph->Surface()) canvas.Draw(gx, gy, FGlyph);
  if (tw > 0) {
    canvas.Brush()->SetStyle(bsClear);
    if (FState == bsDisabled) canvas.Font()->SetColor(clGrayText);
    canvas.TextOut(tx, ty, caption);
  }
}

// ---- TBitBtn

const TClassInfo& TBitBtn::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TBitBtn> b("TBitBtn", &TButton::StaticClassInfo());
    b.Property("Glyph", &TBitBtn::Glyph);
    b.Enum("Kind", BitBtnKindTypeInfo(), &TBitBtn::Kind, &TBitBtn::SetKind);
    b.Enum("Layout", ButtonLayoutTypeInfo(), &TBitBtn::Layout, &TBitBtn::SetLayout);
    b.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
    b.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).TypeName("TNumGlyphs");
    b.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
    b.Enum("Style", ButtonStyleTypeInfo(), &TBitBtn::Style, &TBitBtn::SetStyle);
    return b;
  }();
  return info;
}

TBitBtn::TBitBtn(rtl::TComponent* owner) : TButton(owner), FGlyph(rtl::CreateObject<TBitmap>()) {}

TBitBtn::~TBitBtn() { rtl::FreeObject(FGlyph); }

void TBitBtn::SetKind(TBitBtnKind v) {
  FKind = v;
  if (v == bkCustom) return;
  static constexpr int kResults[] = {mrNone, mrOk, mrCancel, mrNone, mrYes, mrNo, mrNone, mrAbort, mrRetry, mrIgnore, mrAll};
  SetCaption(texts::BitBtnCaptions[v]);
  SetModalResult(kResults[v]);
  SetDefault(v == bkOK || v == bkYes);
  SetCancel(v == bkCancel || v == bkNo);
}

void TBitBtn::Click() {
  if (FKind == bkClose) {
    if (TCustomForm* form = GetParentForm(this)) {
      form->Close();
      TButtonControl::Click();
      return;
    }
  }
  TButton::Click();
}

}  // namespace gui
