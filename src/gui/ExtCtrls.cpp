#include "gui/ExtCtrls.h"

#include <algorithm>

#include "gui/Forms.h"
#include "gui/Published.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TPanel::StaticClassInfo(), &TSplitter::StaticClassInfo(),
                                                    &TTimer::StaticClassInfo(), &TBevel::StaticClassInfo()};

void Frame(TCanvas& canvas, TRect r, TColor topLeft, TColor bottomRight) {
  canvas.Pen()->SetColor(topLeft);
  canvas.MoveTo(r.Left, r.Bottom - 1);
  canvas.LineTo(r.Left, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.Pen()->SetColor(bottomRight);
  canvas.MoveTo(r.Right - 1, r.Top);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.LineTo(r.Left - 1, r.Bottom - 1);
}
}  // namespace

const TEnumInfo& BevelCutTypeInfo() {
  static const TEnumInfo info{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
  return info;
}
const TEnumInfo& ResizeStyleTypeInfo() {
  static const TEnumInfo info{"TResizeStyle", {"rsNone", "rsLine", "rsUpdate", "rsPattern"}};
  return info;
}

// ---- TPanel

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TPanel> b("TPanel", &TCustomControl::StaticClassInfo());
    PublishAppearance(b);
    PublishCaption(b);
    b.Enum("Alignment", AlignmentTypeInfo(), &TPanel::Alignment, &TPanel::SetAlignment);
    b.Enum("BevelInner", BevelCutTypeInfo(), &TPanel::BevelInner, &TPanel::SetBevelInner);
    b.Enum("BevelOuter", BevelCutTypeInfo(), &TPanel::BevelOuter, &TPanel::SetBevelOuter);
    b.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
    b.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
    return b;
  }();
  return info;
}

TPanel::TPanel(rtl::TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut v) {
  FBevelOuter = v;
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
  FBevelInner = v;
  Realign();
  Invalidate();
}

void TPanel::SetBevelWidth(int v) {
  FBevelWidth = v < 1 ? 1 : v;
  Realign();
  Invalidate();
}

TRect TPanel::AlignRect() const {
  TRect r = ClientRect();
  int inset = BorderWidth();
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  r.Left += inset, r.Top += inset, r.Right -= inset, r.Bottom -= inset;
  return r;
}

void TPanel::Paint(TCanvas& canvas) {
  TRect r{0, 0, Width(), Height()};
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(r);
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    for (int i = 0; i < FBevelWidth; ++i) {
      if (cut == bvRaised) Frame(canvas, r, clBtnHighlight, clBtnShadow);
      else if (cut == bvLowered) Frame(canvas, r, clBtnShadow, clBtnHighlight);
      r.Left++, r.Top++, r.Right--, r.Bottom--;
    }
  };
  bevel(FBevelOuter);
  r.Left += BorderWidth(), r.Top += BorderWidth(), r.Right -= BorderWidth(), r.Bottom -= BorderWidth();
  bevel(FBevelInner);
  if (!Text().IsEmpty()) {
    canvas.Brush()->SetStyle(bsClear);
    const int w = canvas.TextWidth(Text()), h = canvas.TextHeight(Text());
    const int x = FAlignment == taLeftJustify ? r.Left : FAlignment == taRightJustify ? r.Right - w : (r.Left + r.Right - w) / 2;
    canvas.TextOut(x, (r.Top + r.Bottom - h) / 2, Text());
  }
}

// ---- TBevel

const TEnumInfo& BevelShapeTypeInfo() {
  static const TEnumInfo info{"TBevelShape",
                              {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"}};
  return info;
}
const TEnumInfo& BevelStyleTypeInfo() {
  static const TEnumInfo info{"TBevelStyle", {"bsLowered", "bsRaised"}};
  return info;
}

const TClassInfo& TBevel::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TBevel> b("TBevel", &TGraphicControl::StaticClassInfo());
    b.Enum("Shape", BevelShapeTypeInfo(), &TBevel::Shape, &TBevel::SetShape);
    b.Enum("Style", BevelStyleTypeInfo(), &TBevel::Style, &TBevel::SetStyle);
    return b;
  }();
  return info;
}

TBevel::TBevel(rtl::TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 50, 50);
  SetParentColor(true);
}

void TBevel::Paint(TCanvas& canvas) {
  const TColor dark = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor light = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  auto line = [&](TColor c, int x1, int y1, int x2, int y2) {
    canvas.Pen()->SetColor(c);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
  };
  switch (FShape) {
    case bsBox: Frame(canvas, {0, 0, w, h}, dark, light); break;
    case bsFrame:
      Frame(canvas, {0, 0, w - 1, h - 1}, dark, dark);
      Frame(canvas, {1, 1, w, h}, light, light);
      break;
    // An etched line: the dark line, with the light one below or right of it.
    case bsTopLine: line(dark, 0, 0, w, 0); line(light, 0, 1, w, 1); break;
    case bsBottomLine: line(dark, 0, h - 2, w, h - 2); line(light, 0, h - 1, w, h - 1); break;
    case bsLeftLine: line(dark, 0, 0, 0, h); line(light, 1, 0, 1, h); break;
    case bsRightLine: line(dark, w - 2, 0, w - 2, h); line(light, w - 1, 0, w - 1, h); break;
    case bsSpacer: break;
  }
}

// ---- TSplitter

const TClassInfo& TSplitter::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TSplitter> b("TSplitter", &TGraphicControl::StaticClassInfo());
    b.Property("Color", &TSplitter::Color, &TSplitter::SetColor).TypeName("TColor");
    b.Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled);
    b.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).TypeName("NaturalNumber");
    b.Enum("ResizeStyle", ResizeStyleTypeInfo(), &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle);
    b.Event("OnMoved", "TNotifyEvent", &TSplitter::OnMoved, &TSplitter::SetOnMoved);
    return b;
  }();
  return info;
}

TSplitter::TSplitter(rtl::TComponent* owner) : TGraphicControl(owner) {
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
  SetParentColor(true);
}

TControl* TSplitter::FindControl() const {
  if (!Parent()) return nullptr;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* c = Parent()->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    switch (Align()) {
      case alLeft: if (c->Left() + c->Width() == Left()) return c; break;
      case alRight: if (c->Left() == Left() + Width()) return c; break;
      case alTop: if (c->Top() + c->Height() == Top()) return c; break;
      case alBottom: if (c->Top() == Top() + Height()) return c; break;
      default: break;
    }
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  FControl = FindControl();
  if (!FControl) return;
  FDownPos = Horizontal() ? Left() + x : Top() + y;
  FStartSize = Horizontal() ? FControl->Width() : FControl->Height();
  // What the client-aligned control can give up, keeping MinSize itself.
  int spare = 0;
  bool haveClient = false;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* c = Parent()->Controls(i);
    if (c->Visible() && c->Align() == alClient) {
      spare = (Horizontal() ? c->Width() : c->Height()) - FMinSize;
      haveClient = true;
    }
  }
  if (!haveClient) {
    const TRect r = Parent()->AlignRect();
    spare = (Horizontal() ? r.Width() : r.Height()) - FStartSize - (Horizontal() ? Width() : Height());
  }
  FMaxSize = FStartSize + std::max(0, spare);
}

void TSplitter::MoveTo(int parentPos) {
  if (!FControl) return;
  int delta = parentPos - FDownPos;
  if (Align() == alRight || Align() == alBottom) delta = -delta;
  const int size = std::clamp(FStartSize + delta, std::min(FMinSize, FStartSize), std::max(FMaxSize, FMinSize));
  if (Horizontal()) FControl->SetWidth(size);
  else FControl->SetHeight(size);
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (FControl && (shift & ssLeft)) MoveTo(Horizontal() ? Left() + x : Top() + y);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!FControl || button != mbLeft) return;
  MoveTo(Horizontal() ? Left() + x : Top() + y);
  FControl = nullptr;
  if (FOnMoved) FOnMoved(this);
}

void TSplitter::Paint(TCanvas& canvas) {
  canvas.Brush()->SetColor(Color());
  canvas.FillRect({0, 0, Width(), Height()});
  if (FBeveled) Frame(canvas, {0, 0, Width(), Height()}, clBtnHighlight, clBtnShadow);
}

// ---- TTimer

const TClassInfo& TTimer::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTimer>("TTimer", &rtl::TComponent::StaticClassInfo())
                                     .Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                     .Property("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                     .Event("OnTimer", "TNotifyEvent", &TTimer::OnTimer, &TTimer::SetOnTimer);
  return info;
}

TTimer::TTimer(rtl::TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  if (FRunning) Application()->StopTimer(this);
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::SetEnabled(bool v) {
  FEnabled = v;
  UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t v) {
  FInterval = v;
  UpdateTimer();
}

void TTimer::SetOnTimer(rtl::TNotifyEvent h) {
  FOnTimer = std::move(h);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FRunning) {
    Application()->StopTimer(this);
    FRunning = false;
  }
  if (FEnabled && FInterval > 0 && FOnTimer && !HasState(rtl::csLoading)) {
    Application()->StartTimer(this, FInterval, [this] {
      if (FOnTimer) FOnTimer(this);
    });
    FRunning = true;
  }
}

}  // namespace gui
