#include "gui/Buttons.h"

#include "gui/Published.h"

namespace gui {

namespace {
[[maybe_unused]] const rtl::TClassInfo& kRegistered = TSpeedButton::StaticClassInfo();
}

const rtl::TClassInfo& TSpeedButton::StaticClassInfo() {
  static const rtl::TClassInfo info = [] {
    rtl::TClassBuilder<TSpeedButton> b("TSpeedButton", &TGraphicControl::StaticClassInfo());
    PublishCaption(b);
    b.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    b.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    return b;
  }();
  return info;
}

TSpeedButton::TSpeedButton(rtl::TComponent* owner) : TGraphicControl(owner), FGlyph(new TBitmap()) {
  SetBounds(0, 0, 23, 22);
  SetParentColor(true);
}

TSpeedButton::~TSpeedButton() { delete FGlyph; }

void TSpeedButton::SetGlyph(TBitmap* v) {
  if (v) {
    FGlyph->SetSize(v->Width(), v->Height());
    FGlyph->Canvas()->Draw(0, 0, v);
  } else {
    FGlyph->SetSize(0, 0);
  }
  Invalidate();
}

void TSpeedButton::Paint(TCanvas& canvas) {
  const TRect r{0, 0, Width(), Height()};
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(r);
  if (FPressed || !FFlat) {
    const TColor topLeft = FPressed ? clBtnShadow : clBtnHighlight;
    const TColor bottomRight = FPressed ? clBtnHighlight : clBtnShadow;
    canvas.Pen()->SetColor(topLeft);
    canvas.MoveTo(0, r.Bottom - 1);
    canvas.LineTo(0, 0);
    canvas.LineTo(r.Right - 1, 0);
    canvas.Pen()->SetColor(bottomRight);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(0, r.Bottom - 1);
  }
  const int shift = FPressed ? 1 : 0;
  if (FGlyph->Width() > 0 && FGlyph->Height() > 0)
    canvas.Draw((Width() - FGlyph->Width()) / 2 + shift, (Height() - FGlyph->Height()) / 2 + shift, FGlyph);
  else if (!Text().IsEmpty())
    canvas.TextOut((Width() - canvas.TextWidth(Text())) / 2 + shift, (Height() - canvas.TextHeight(Text())) / 2 + shift,
                   Text());
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    FPressed = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && FPressed) {
    FPressed = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

}  // namespace gui
