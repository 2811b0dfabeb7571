#include "gui/Controls.h"

#include <algorithm>
#include <cstdlib>

#include "gui/Forms.h"
#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"
#include "gui/Menus.h"
#include "rtl/ObjectLinks.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TControl::StaticClassInfo(), &TWinControl::StaticClassInfo(),
                                                    &TCustomControl::StaticClassInfo(), &TGraphicControl::StaticClassInfo()};

// A control is held by its parent, which frees its child controls with itself.
const rtl::TObjectLinksRegistration kControlLinks(TControl::StaticClassInfo(),
                                                  [](const rtl::TObject& object, rtl::TObjectLinks& links) {
                                                    const auto& control = static_cast<const TControl&>(object);
                                                    if (control.Parent()) links.HeldBy(control.Parent());
                                                  });
const rtl::TObjectLinksRegistration kWinControlLinks(TWinControl::StaticClassInfo(),
                                                     [](const rtl::TObject& object, rtl::TObjectLinks& links) {
                                                       const auto& control = static_cast<const TWinControl&>(object);
                                                       for (int i = 0; i < control.ControlCount(); ++i)
                                                         links.Holds(control.Controls(i), true);
                                                     });

// The drag in progress (user-interface objects live on one thread).
struct DragState {
  TControl* Source = nullptr;
  bool Started = false;
  TPoint Start;  // screen position of the press
  TControl* Target = nullptr;
  bool Accepted = false;
};
DragState gDrag;
constexpr int kDragThreshold = 5;

TMouseButton ButtonOf(platform::MouseButton b) {
  return b == platform::MouseButton::Left ? mbLeft : b == platform::MouseButton::Right ? mbRight : mbMiddle;
}
}  // namespace

const TEnumInfo& AlignTypeInfo() {
  static const TEnumInfo info{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
  return info;
}
const TEnumInfo& AnchorKindTypeInfo() {
  static const TEnumInfo info{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};
  return info;
}
const TEnumInfo& DragModeTypeInfo() {
  static const TEnumInfo info{"TDragMode", {"dmManual", "dmAutomatic"}};
  return info;
}

const TEnumInfo& HelpTypeTypeInfo() {
  static const TEnumInfo info{"THelpType", {"htKeyword", "htContext"}};
  return info;
}

// ---- TSizeConstraints

const TClassInfo& TSizeConstraints::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSizeConstraints>("TSizeConstraints", &rtl::TPersistent::StaticClassInfo())
          .Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
          .Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
          .Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
          .Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
  return info;
}

void TSizeConstraints::Assign(const rtl::TPersistent* source) {
  if (const auto* c = dynamic_cast<const TSizeConstraints*>(source)) {
    FMinWidth = c->FMinWidth, FMinHeight = c->FMinHeight, FMaxWidth = c->FMaxWidth, FMaxHeight = c->FMaxHeight;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TSizeConstraints::Apply(int& width, int& height) const {
  if (FMaxWidth > 0 && width > FMaxWidth) width = FMaxWidth;
  if (width < FMinWidth) width = FMinWidth;
  if (FMaxHeight > 0 && height > FMaxHeight) height = FMaxHeight;
  if (height < FMinHeight) height = FMinHeight;
}

// ---- TControl

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TControl>("TControl", &rtl::TComponent::StaticClassInfo())
          .Abstract()
          .Property("Left", &TControl::Left, &TControl::SetLeft)
          .Property("Top", &TControl::Top, &TControl::SetTop)
          .Property("Width", &TControl::Width, &TControl::SetWidth)
          .Property("Height", &TControl::Height, &TControl::SetHeight)
          .Enum("Align", AlignTypeInfo(), &TControl::Align, &TControl::SetAlign)
          .Set("Anchors", "TAnchors", AnchorKindTypeInfo(), &TControl::Anchors, &TControl::SetAnchors)
          .Property("Constraints", &TControl::Constraints, &TControl::SetConstraints)
          .Property("Cursor", &TControl::Cursor, &TControl::SetCursor).TypeName("TCursor")
          .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled)
          .Property("Hint", &TControl::Hint, &TControl::SetHint)
          .Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
          .Property("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext).TypeName("THelpContext")
          .Property("HelpKeyword", &TControl::HelpKeyword, &TControl::SetHelpKeyword)
          .Enum("HelpType", HelpTypeTypeInfo(), &TControl::HelpType, &TControl::SetHelpType)
          .Property("Visible", &TControl::Visible, &TControl::SetVisible)
          .Event("OnCanResize", "TCanResizeEvent", &TControl::OnCanResize, &TControl::SetOnCanResize)
          .Event("OnClick", "TNotifyEvent", &TControl::OnClick, &TControl::SetOnClick)
          .Event("OnDblClick", "TNotifyEvent", &TControl::OnDblClick, &TControl::SetOnDblClick)
          .Event("OnMouseDown", "TMouseEvent", &TControl::OnMouseDown, &TControl::SetOnMouseDown)
          .Event("OnMouseMove", "TMouseMoveEvent", &TControl::OnMouseMove, &TControl::SetOnMouseMove)
          .Event("OnMouseUp", "TMouseEvent", &TControl::OnMouseUp, &TControl::SetOnMouseUp)
          .Event("OnResize", "TNotifyEvent", &TControl::OnResize, &TControl::SetOnResize)
          .Enum("DragMode", DragModeTypeInfo(), &TControl::DragMode, &TControl::SetDragMode)
          .Event("OnDragDrop", "TDragDropEvent", &TControl::OnDragDrop, &TControl::SetOnDragDrop)
          .Event("OnDragOver", "TDragOverEvent", &TControl::OnDragOver, &TControl::SetOnDragOver)
          .Event("OnEndDrag", "TEndDragEvent", &TControl::OnEndDrag, &TControl::SetOnEndDrag);
  return info;
}

TControl::TControl(rtl::TComponent* owner)
    : TComponent(owner), FConstraints(rtl::CreateObject<TSizeConstraints>()), FFont(rtl::CreateObject<TFont>()) {
  FFont->SetOnChange([this](rtl::TObject*) {
    if (!FFontFromParent) FParentFont = false;
    FontChanged();
  });
  FConstraints->SetOnChange([this](rtl::TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); });
}

TControl::~TControl() {
  try {
    SetParent(nullptr);
  } catch (...) {
  }
  FPeer.reset();
  rtl::FreeObject(FFont);
  rtl::FreeObject(FConstraints);
}

bool TControl::InUse() const noexcept {
  return TComponent::InUse() || (FFont && FFont->InUse()) || (FConstraints && FConstraints->InUse());
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  // Out of the layout while the control is still whole.
  if (FParent) SetParent(nullptr);
}

void TControl::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == rtl::opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) throw EInvalidOperation(texts::ParentSelf);
  if (FParent) {
    TWinControl* old = FParent;
    DestroyPeer();
    old->RemoveControl(this);
    FParent = nullptr;
    if (!old->HasState(rtl::csDestroying)) old->Realign();
  }
  if (parent) {
    parent->InsertControl(this);
    FParent = parent;
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
    if (parent->HandleAllocated()) CreatePeer();
    UpdateAnchorRules();
    parent->Realign();
  }
}

void TControl::ApplyBounds(int left, int top, int width, int height) {
  const bool resized = width != FWidth || height != FHeight;
  const bool changed = resized || left != FLeft || top != FTop;
  FLeft = left, FTop = top, FWidth = width, FHeight = height;
  if (changed && FPeer) FPeer->SetBounds(left, top, width, height);
  if (resized) Resize();
}

bool TControl::CanResize(int& width, int& height) {
  FConstraints->Apply(width, height);
  bool resize = true;
  if (FOnCanResize && (width != FWidth || height != FHeight)) FOnCanResize(this, width, height, resize);
  return resize;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (!CanResize(width, height)) width = FWidth, height = FHeight;
  ApplyBounds(left, top, width, height);
  UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetLayoutBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (!CanResize(width, height)) width = FWidth, height = FHeight;
  ApplyBounds(left, top, width, height);
}

void TControl::UpdateAnchorRules() {
  if (!FParent) return;
  const TRect r = FParent->AlignRect();
  FAnchorRight = r.Right - (FLeft + FWidth);
  FAnchorBottom = r.Bottom - (FTop + FHeight);
  FAnchorRulesSet = true;
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

int TControl::ClientWidth() const {
  if (FPeer) {
    int w, h;
    FPeer->ClientSize(w, h);
    return w;
  }
  return FWidth;
}

int TControl::ClientHeight() const {
  if (FPeer) {
    int w, h;
    FPeer->ClientSize(w, h);
    return h;
  }
  return FHeight;
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  // Aligned controls stretch along their side.
  if (align == alTop || align == alBottom) FAnchors = akLeft | akTop | akRight;
  else if (align == alLeft || align == alRight) FAnchors = akLeft | akTop | akBottom;
  else if (align == alClient) FAnchors = akLeft | akTop | akRight | akBottom;
  RequestAlign();
}

void TControl::SetAnchors(std::uint32_t anchors) {
  FAnchors = anchors & 0xF;
  UpdateAnchorRules();
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  if (FPeer) FPeer->SetVisible(visible);
  RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  if (FPeer) FPeer->SetEnabled(enabled);
  Invalidate();
}

rtl::AnsiString TControl::Text() const {
  if (FPeer) {
    const auto k = FPeer->Class();
    if (k == platform::PeerClass::Edit || k == platform::PeerClass::Memo || k == platform::PeerClass::ComboBox)
      return rtl::AnsiString(FPeer->Text());
  }
  return FText;
}

void TControl::SetText(const rtl::AnsiString& text) {
  if (text == Text()) return;
  FText = text;
  if (FPeer) FPeer->SetText(text.str());
  TextChanged();
  Invalidate();
}

void TControl::SetParentFont(bool value) {
  FParentFont = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FFontFromParent = true;
  FFont->Assign(FParent->Font());
  FFontFromParent = false;
  FParentFont = true;
}

void TControl::SetColor(TColor color) {
  FParentColor = false;
  if (color == FColor) return;
  FColor = color;
  if (FPeer) FPeer->SetColor(ColorToRGB(color));
  Invalidate();
}

void TControl::SetParentColor(bool value) {
  FParentColor = value;
  if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent) return;
  FColor = FParent->Color();
  if (FPeer) FPeer->SetColor(ColorToRGB(FColor));
  Invalidate();
}

void TControl::SetCursor(TCursor cursor) {
  FCursor = cursor;
  if (FPeer) FPeer->SetCursorShape(cursor);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::FontChanged() {
  if (FPeer) FPeer->SetFont(FFont->Face());
  Invalidate();
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::Invalidate() {
  if (FPeer) FPeer->Invalidate();
}

void TControl::InvalidateRect(const TRect& r) {
  if (FPeer) FPeer->InvalidateRect(r.Left, r.Top, r.Right, r.Bottom);
}

void TControl::Repaint() {
  if (!FPeer) return;
  FPeer->Invalidate();
  FPeer->Update();
}

void TControl::Update() {
  if (FPeer) FPeer->Update();
}

void TControl::PaintTo(TCanvas& canvas) { Paint(canvas); }

std::uintptr_t TControl::Handle() {
  if (!FPeer && FParent && FParent->Handle()) CreatePeer();
  return FPeer ? FPeer->Handle() : 0;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  if (FPeer) FPeer->ClientToScreen(p.X, p.Y);
  return p;
}

void TControl::BringToFront() {
  if (FPeer) FPeer->BringToFront();
}

void TControl::CreatePeer() {
  if (FPeer) return;
  platform::WindowPeer* parentPeer = FParent ? FParent->Peer() : nullptr;
  FPeer = platform::CreateWindowPeer(PeerKind(), PeerStyle(), parentPeer, this);
  PeerCreated();
}

void TControl::PeerCreated() {
  FPeer->SetFont(FFont->Face());
  FPeer->SetColor(ColorToRGB(FColor));
  FPeer->SetText(FText.str());
  FPeer->SetBounds(FLeft, FTop, FWidth, FHeight);
  FPeer->SetEnabled(FEnabled);
  if (FCursor != crDefault) FPeer->SetCursorShape(FCursor);
  if (FParent) FPeer->SetVisible(FVisible);
}

void TControl::DestroyPeer() {
  if (!FPeer) return;
  // Text lives in the native control while it exists.
  FText = Text();
  FPeer.reset();
}

void TControl::StyleChanged() {
  if (FPeer) FPeer->SetStyle(PeerStyle());
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FOnMouseDown) FOnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (FOnMouseMove) FOnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FOnMouseUp) FOnMouseUp(this, button, shift, x, y);
}

void TControl::PeerPaint(platform::CanvasPeer& surface) {
  TCanvas canvas;
  canvas.Attach(&surface);
  canvas.Font()->Assign(FFont);
  canvas.Brush()->SetColor(FColor);
  Paint(canvas);
}

void TControl::PeerMouseDown(platform::MouseButton button, std::uint32_t shift, int x, int y) {
  if (!FEnabled) return;
  FLastMouse = {x, y};
  MouseDown(ButtonOf(button), shift, x, y);
  if (button == platform::MouseButton::Left && FDragMode == dmAutomatic && !(shift & ssDouble)) BeginDrag(false);
}

void TControl::PeerMouseMove(std::uint32_t shift, int x, int y) {
  FLastMouse = {x, y};
  if (gDrag.Source == this) {
    const TPoint p = ClientToScreen({x, y});
    if (!gDrag.Started) {
      if (!(shift & ssLeft)) {
        gDrag = {};  // released without a drag
      } else if (std::abs(p.X - gDrag.Start.X) > kDragThreshold || std::abs(p.Y - gDrag.Start.Y) > kDragThreshold) {
        gDrag.Started = true;
      }
    }
    if (gDrag.Started) {
      TControl* target = FindControlAt(p.X, p.Y);
      if (target != gDrag.Target) {
        bool ignored = false;
        if (gDrag.Target) gDrag.Target->DragOver(this, 0, 0, dsDragLeave, ignored);
        gDrag.Target = target;
        gDrag.Accepted = false;
      }
      if (target) {
        const TPoint origin = target->ClientToScreen({0, 0});
        bool accept = false;
        target->DragOver(this, p.X - origin.X, p.Y - origin.Y, dsDragMove, accept);
        gDrag.Accepted = accept;
      }
      return;
    }
  }
  MouseMove(shift, x, y);
}

void TControl::PeerMouseUp(platform::MouseButton button, std::uint32_t shift, int x, int y) {
  if (gDrag.Source == this && button == platform::MouseButton::Left) {
    const DragState drag = gDrag;
    gDrag = {};
    if (FPeer) FPeer->SetMouseCapture(false);
    if (drag.Started) {
      const TPoint p = ClientToScreen({x, y});
      TControl* target = FindControlAt(p.X, p.Y);
      TObject* dropped = nullptr;
      int tx = 0, ty = 0;
      if (target) {
        const TPoint origin = target->ClientToScreen({0, 0});
        tx = p.X - origin.X, ty = p.Y - origin.Y;
        bool accept = false;
        target->DragOver(this, tx, ty, dsDragMove, accept);
        if (accept) {
          target->DragDrop(this, tx, ty);
          dropped = target;
        }
      }
      if (FOnEndDrag) FOnEndDrag(this, dropped, tx, ty);
      return;
    }
  }
  if (!FEnabled) return;
  MouseUp(ButtonOf(button), shift, x, y);
  if (button == platform::MouseButton::Left && x >= 0 && y >= 0 && x < FWidth && y < FHeight &&
      PeerKind() == platform::PeerClass::Custom)
    Click();
  if (button == platform::MouseButton::Right && FPopupMenu) {
    const TPoint p = ClientToScreen({x, y});
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.X, p.Y);
  }
}

void TControl::BeginDrag(bool immediate) {
  gDrag = {};
  gDrag.Source = this;
  gDrag.Started = immediate;
  gDrag.Start = ClientToScreen(FLastMouse);
  if (FPeer) FPeer->SetMouseCapture(true);
}

bool TControl::Dragging() const { return gDrag.Source == this && gDrag.Started; }

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  accept = false;
  if (FOnDragOver) {
    accept = true;
    FOnDragOver(this, source, x, y, state, accept);
  }
}

void TControl::DragDrop(TObject* source, int x, int y) {
  if (FOnDragDrop) FOnDragDrop(this, source, x, y);
}

void TControl::PeerDblClick(platform::MouseButton button, std::uint32_t shift, int x, int y) {
  if (!FEnabled) return;
  // The second press of a double click: a button-down with ssDouble, then DblClick.
  MouseDown(ButtonOf(button), shift | ssDouble, x, y);
  if (button == platform::MouseButton::Left) DblClick();
}

void TControl::PeerMouseWheel(int delta, std::uint32_t shift, int x, int y) { MouseWheel(delta, shift, x, y); }

// ---- TWinControl

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClassInfo())
          .Abstract()
          .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).TypeName("TTabOrder")
          .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Event("OnEnter", "TNotifyEvent", &TWinControl::OnEnter, &TWinControl::SetOnEnter)
          .Event("OnExit", "TNotifyEvent", &TWinControl::OnExit, &TWinControl::SetOnExit)
          .Event("OnKeyDown", "TKeyEvent", &TWinControl::OnKeyDown, &TWinControl::SetOnKeyDown)
          .Event("OnKeyPress", "TKeyPressEvent", &TWinControl::OnKeyPress, &TWinControl::SetOnKeyPress)
          .Event("OnKeyUp", "TKeyEvent", &TWinControl::OnKeyUp, &TWinControl::SetOnKeyUp);
  return info;
}

TWinControl::TWinControl(rtl::TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children go with their parent.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    try {
      rtl::FreeObject(c);
    } catch (...) {
    }
    if (!FControls.empty() && FControls.back() == c) FControls.pop_back();
  }
}

bool TWinControl::InUse() const noexcept {
  if (TControl::InUse()) return true;
  for (const TControl* c : FControls)
    if (c->InUse()) return true;
  return false;
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw rtl::EListError(Format(texts::ListIndexError, index));
  return FControls[static_cast<std::size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) FTabList.push_back(w);
}

void TWinControl::RemoveControl(TControl* control) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->FTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (order < 0 || order > static_cast<int>(list.size())) order = static_cast<int>(list.size());
  list.insert(list.begin() + order, this);
}

void TWinControl::SetBorderWidth(int v) {
  FBorderWidth = v < 0 ? 0 : v;
  Realign();
  Invalidate();
}

TRect TWinControl::AlignRect() const {
  TRect r = ClientRect();
  r.Left += FBorderWidth, r.Top += FBorderWidth, r.Right -= FBorderWidth, r.Bottom -= FBorderWidth;
  return r;
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || FAligning) {
    FAlignPending = true;
    return;
  }
  FAlignPending = false;
  FAligning = true;
  try {
    TRect r = AlignRect();
    AlignControls(r);
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::Resize() {
  Realign();
  TControl::Resize();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* c : FControls) c->ParentFontChanged();
}

void TWinControl::CreatePeer() {
  if (FPeer) return;
  TControl::CreatePeer();
  for (TControl* c : FControls) c->CreatePeer();
  // A native window may take a different client size than asked for.
  Realign();
}

void TWinControl::DestroyPeer() {
  if (!FPeer) return;
  for (TControl* c : FControls) c->DestroyPeer();
  TControl::DestroyPeer();
}

bool TWinControl::Focused() const { return FPeer && FPeer->Focused(); }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(texts::CannotFocus);
  if (TCustomForm* form = GetParentForm(this); form && form != this) form->FActiveControl = this;
  if (Handle()) FPeer->SetFocus();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = forward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c == current && step < n - 1) continue;
    if ((!checkTabStop || c->TabStop()) && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

bool TWinControl::WantsKey(std::uint16_t key, TShiftState) const {
  return key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE;
}

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

bool TWinControl::DoKeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->FOnKeyDown) {
    form->FOnKeyDown(form, key, shift);
    if (key == 0) return true;
  }
  if (FOnKeyDown) {
    FOnKeyDown(this, key, shift);
    if (key == 0) return true;
  }
  // Alt with a letter or digit presses the control whose caption marks it with "&",
  // whichever control has the focus.
  if (form && (shift & ssAlt) && !(shift & ssCtrl) && form->AcceleratorKey(key)) {
    key = 0;
    return true;
  }
  // Ctrl+Tab moves the focus on from controls that take Tab themselves.
  const bool dialogShift = !(shift & ssAlt) && (!(shift & ssCtrl) || key == VK_TAB);
  if (form && dialogShift && !WantsKey(key, shift) && form->DialogKey(key, shift)) {
    key = 0;
    return true;
  }
  KeyDown(key, shift);
  return key == 0;
}

bool TWinControl::DoKeyPress(char& key) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->FOnKeyPress) {
    form->FOnKeyPress(form, key);
    if (key == 0) return true;
  }
  if (FOnKeyPress) {
    FOnKeyPress(this, key);
    if (key == 0) return true;
  }
  KeyPress(key);
  return key == 0;
}

bool TWinControl::DoKeyUp(std::uint16_t& key, TShiftState shift) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->FOnKeyUp) {
    form->FOnKeyUp(form, key, shift);
    if (key == 0) return true;
  }
  if (FOnKeyUp) {
    FOnKeyUp(this, key, shift);
    if (key == 0) return true;
  }
  KeyUp(key, shift);
  return key == 0;
}

bool TWinControl::PeerKeyDown(std::uint16_t& key, std::uint32_t shift) {
  if (!Enabled()) return true;
  return DoKeyDown(key, shift);
}

bool TWinControl::PeerKeyChar(char& ch) {
  if (!Enabled()) return true;
  return DoKeyPress(ch);
}

bool TWinControl::PeerKeyUp(std::uint16_t& key, std::uint32_t shift) { return DoKeyUp(key, shift); }

void TWinControl::PeerFocusChanged(bool gained) {
  if (gained) {
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->FActiveControl = this;
    DoEnter();
  } else {
    DoExit();
  }
}

// ---- TCustomControl, TGraphicControl

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomControl>("TCustomControl", &TWinControl::StaticClassInfo()).Abstract();
  return info;
}

TCustomControl::TCustomControl(rtl::TComponent* owner) : TWinControl(owner), FCanvas(rtl::CreateObject<TCanvas>()) {}

TCustomControl::~TCustomControl() { rtl::FreeObject(FCanvas); }

void TCustomControl::PeerPaint(platform::CanvasPeer& surface) {
  FCanvas->Attach(&surface);
  FCanvas->Font()->Assign(Font());
  FCanvas->Brush()->SetColor(Color());
  FCanvas->Pen()->SetColor(clBlack);
  try {
    Paint(*FCanvas);
  } catch (...) {
    FCanvas->Attach(nullptr);
    throw;
  }
  FCanvas->Attach(nullptr);
}

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClassInfo()).Abstract();
  return info;
}

TGraphicControl::TGraphicControl(rtl::TComponent* owner) : TControl(owner), FCanvas(rtl::CreateObject<TCanvas>()) {}

TGraphicControl::~TGraphicControl() { rtl::FreeObject(FCanvas); }

void TGraphicControl::PeerPaint(platform::CanvasPeer& surface) {
  FCanvas->Attach(&surface);
  FCanvas->Font()->Assign(Font());
  FCanvas->Brush()->SetColor(Color());
  try {
    Paint(*FCanvas);
  } catch (...) {
    FCanvas->Attach(nullptr);
    throw;
  }
  FCanvas->Attach(nullptr);
}

namespace {
TControl* ControlAt(TWinControl* parent, int x, int y) {
  // The children last placed lie on top.
  for (int i = parent->ControlCount() - 1; i >= 0; --i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible() || !c->Peer()) continue;
    const TPoint o = c->ClientToScreen({0, 0});
    if (x < o.X || y < o.Y || x >= o.X + c->Width() || y >= o.Y + c->Height()) continue;
    if (auto* w = dynamic_cast<TWinControl*>(c)) return ControlAt(w, x, y);
    return c;
  }
  return parent;
}
}  // namespace

TControl* FindControlAt(int screenX, int screenY) {
  for (TCustomForm* form : ShowingForms()) {
    const TPoint o = form->ClientToScreen({0, 0});
    if (screenX >= o.X && screenY >= o.Y && screenX < o.X + form->ClientWidth() && screenY < o.Y + form->ClientHeight())
      return ControlAt(form, screenX, screenY);
  }
  return nullptr;
}

TCustomForm* GetParentForm(const TControl* control) {
  const TControl* top = control;
  while (top && top->Parent()) top = top->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

}  // namespace gui
