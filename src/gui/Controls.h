// The control classes every visual component stands on. TControl has a position in
// its parent's client area, alignment, anchors, size constraints, a font, a colour,
// visibility and the mouse events; TWinControl holds child controls, lays them out,
// takes the focus and routes keys (through the form's key preview and dialog keys);
// TCustomControl paints itself on a canvas; TGraphicControl is a control that cannot
// take the focus or hold children. Each control that is placed on a form has a
// platform peer, a native window that shows it and reports what the user does.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gui/Graphics.h"
#include "platform/WindowPeer.h"
#include "rtl/Component.h"

namespace gui {

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
const rtl::TEnumInfo& AlignTypeInfo();
// TAnchors bits.
enum : std::uint32_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
const rtl::TEnumInfo& AnchorKindTypeInfo();
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// TShiftState bits (the platform's order).
using TShiftState = std::uint32_t;
enum : std::uint32_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crIBeam = -4, crSizeNS = -7, crSizeWE = -9, crHSplit = -14,
                  crVSplit = -15, crHandPoint = -21;
enum THelpType { htKeyword, htContext };
const rtl::TEnumInfo& HelpTypeTypeInfo();

// Virtual key codes the toolkit itself acts on.
enum : std::uint16_t {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_ESCAPE = 27, VK_SPACE = 32,
  VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
  VK_INSERT = 45, VK_DELETE = 46, VK_F1 = 112, VK_F3 = 114,
};

using TMouseEvent = std::function<void(rtl::TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(rtl::TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(rtl::TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(rtl::TObject* Sender, char& Key)>;
using TCanResizeEvent = std::function<void(rtl::TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// Drag and drop between controls: a control whose DragMode is dmAutomatic starts a drag
// when it is pressed and the mouse moves a few pixels; the control under the pointer
// is asked (DragOver) whether it takes the source, and gets it (DragDrop) when the
// button is released over it.
enum TDragMode { dmManual, dmAutomatic };
const rtl::TEnumInfo& DragModeTypeInfo();
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent =
    std::function<void(rtl::TObject* Sender, rtl::TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(rtl::TObject* Sender, rtl::TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(rtl::TObject* Sender, rtl::TObject* Target, int X, int Y)>;

// Smallest and largest size of a control (0: no limit).
class TSizeConstraints : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  void Assign(const rtl::TPersistent* source) override;
  int MinWidth() const noexcept { return FMinWidth; }
  int MinHeight() const noexcept { return FMinHeight; }
  int MaxWidth() const noexcept { return FMaxWidth; }
  int MaxHeight() const noexcept { return FMaxHeight; }
  void SetMinWidth(int v) { FMinWidth = v < 0 ? 0 : v; Changed(); }
  void SetMinHeight(int v) { FMinHeight = v < 0 ? 0 : v; Changed(); }
  void SetMaxWidth(int v) { FMaxWidth = v < 0 ? 0 : v; Changed(); }
  void SetMaxHeight(int v) { FMaxHeight = v < 0 ? 0 : v; Changed(); }
  void Apply(int& width, int& height) const;
  void SetOnChange(rtl::TNotifyEvent handler) { FOnChange = std::move(handler); }

private:
  void Changed() {
    if (FOnChange) FOnChange(this);
  }
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
  rtl::TNotifyEvent FOnChange;
};

class TControl : public rtl::TComponent, protected platform::WindowEvents {
  RTL_CLASS_INFO

public:
  explicit TControl(rtl::TComponent* owner = nullptr);
  ~TControl() override;
  void BeforeDestruction() override;
  // Its font and constraints go with it.
  bool InUse() const noexcept override;

  TWinControl* Parent() const noexcept { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const noexcept { return FLeft; }
  int Top() const noexcept { return FTop; }
  int Width() const noexcept { return FWidth; }
  int Height() const noexcept { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  // Moves and sizes the control as its code asks (constraints and OnCanResize apply);
  // anchored distances are taken from the new place.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const noexcept { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  virtual int ClientWidth() const;
  virtual int ClientHeight() const;
  void SetClientWidth(int value) { SetWidth(FWidth + value - ClientWidth()); }
  void SetClientHeight(int value) { SetHeight(FHeight + value - ClientHeight()); }
  TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

  TAlign Align() const noexcept { return FAlign; }
  void SetAlign(TAlign align);
  std::uint32_t Anchors() const noexcept { return FAnchors; }
  void SetAnchors(std::uint32_t anchors);
  TSizeConstraints* Constraints() const noexcept { return FConstraints; }
  void SetConstraints(TSizeConstraints* value) { FConstraints->Assign(value); }

  bool Visible() const noexcept { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents.
  bool Showing() const;
  bool Enabled() const noexcept { return FEnabled; }
  virtual void SetEnabled(bool enabled);

  // The caption or text (which of the two a class publishes is its own choice).
  virtual rtl::AnsiString Text() const;
  virtual void SetText(const rtl::AnsiString& text);

  TFont* Font() const noexcept { return FFont; }
  void SetFont(TFont* font) { FFont->Assign(font); }
  bool ParentFont() const noexcept { return FParentFont; }
  void SetParentFont(bool value);
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const noexcept { return FParentColor; }
  void SetParentColor(bool value);

  const rtl::AnsiString& Hint() const noexcept { return FHint; }
  void SetHint(const rtl::AnsiString& hint) { FHint = hint; }
  bool ShowHint() const noexcept { return FShowHint; }
  void SetShowHint(bool v) noexcept { FShowHint = v; }
  TCursor Cursor() const noexcept { return FCursor; }
  void SetCursor(TCursor cursor);
  int HelpContext() const noexcept { return FHelpContext; }
  void SetHelpContext(int v) noexcept { FHelpContext = v; }
  const rtl::AnsiString& HelpKeyword() const noexcept { return FHelpKeyword; }
  void SetHelpKeyword(const rtl::AnsiString& v) { FHelpKeyword = v; }
  THelpType HelpType() const noexcept { return FHelpType; }
  void SetHelpType(THelpType v) noexcept { FHelpType = v; }
  TPopupMenu* PopupMenu() const noexcept { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);

  const rtl::TNotifyEvent& OnClick() const noexcept { return FOnClick; }
  void SetOnClick(rtl::TNotifyEvent h) { FOnClick = std::move(h); }
  const rtl::TNotifyEvent& OnDblClick() const noexcept { return FOnDblClick; }
  void SetOnDblClick(rtl::TNotifyEvent h) { FOnDblClick = std::move(h); }
  const TMouseEvent& OnMouseDown() const noexcept { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent h) { FOnMouseDown = std::move(h); }
  const TMouseMoveEvent& OnMouseMove() const noexcept { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent h) { FOnMouseMove = std::move(h); }
  const TMouseEvent& OnMouseUp() const noexcept { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent h) { FOnMouseUp = std::move(h); }
  const rtl::TNotifyEvent& OnResize() const noexcept { return FOnResize; }
  void SetOnResize(rtl::TNotifyEvent h) { FOnResize = std::move(h); }
  const TCanResizeEvent& OnCanResize() const noexcept { return FOnCanResize; }
  void SetOnCanResize(TCanResizeEvent h) { FOnCanResize = std::move(h); }
  TDragMode DragMode() const noexcept { return FDragMode; }
  void SetDragMode(TDragMode v) noexcept { FDragMode = v; }
  const TDragOverEvent& OnDragOver() const noexcept { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent h) { FOnDragOver = std::move(h); }
  const TDragDropEvent& OnDragDrop() const noexcept { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent h) { FOnDragDrop = std::move(h); }
  const TEndDragEvent& OnEndDrag() const noexcept { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent h) { FOnEndDrag = std::move(h); }
  // Starts dragging this control: at once, or once the mouse has moved a few pixels
  // with the button held.
  void BeginDrag(bool immediate);
  bool Dragging() const;
  // Whether the control takes a dragged source at a point (OnDragOver decides; without
  // it nothing is taken), and the drop itself.
  virtual void DragOver(rtl::TObject* source, int x, int y, TDragState state, bool& accept);
  virtual void DragDrop(rtl::TObject* source, int x, int y);

  // Runs the click behaviour (OnClick for most controls).
  virtual void Click();
  void Invalidate();
  // Only part of the client area needs painting.
  void InvalidateRect(const TRect& r);
  // Paints at once.
  void Repaint();
  void Update();
  // Draws the control on a canvas as it would paint its window.
  void PaintTo(TCanvas& canvas);

  platform::WindowPeer* Peer() const noexcept { return FPeer.get(); }
  bool HandleAllocated() const noexcept { return FPeer != nullptr; }
  // The native window, made now when the control's form has one (0 when it cannot).
  std::uintptr_t Handle();
  TPoint ClientToScreen(TPoint p) const;

  void BringToFront();

protected:
  // The native window this control needs.
  virtual platform::PeerClass PeerKind() const { return platform::PeerClass::Custom; }
  virtual platform::PeerStyle PeerStyle() const { return {}; }
  // Makes the peer (under the parent's) and hands it the control's state.
  virtual void CreatePeer();
  virtual void DestroyPeer();
  virtual void PeerCreated();
  // Tells the peer a changed style.
  void StyleChanged();

  virtual void Paint(TCanvas& canvas) {}
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DblClick();
  virtual bool MouseWheel(int delta, TShiftState shift, int x, int y) { return false; }
  virtual void Resize();
  virtual void FontChanged();
  virtual void TextChanged() {}
  // A position, size or visibility change that the parent's layout must know.
  void RequestAlign();
  bool CanResize(int& width, int& height);
  // The font of the parent changed.
  void ParentFontChanged();
  void ParentColorChanged();
  // Sets the bounds from the layout: no anchor distances are taken.
  void SetLayoutBounds(int left, int top, int width, int height);
  // Stores the distances to the parent's right and bottom edges.
  void UpdateAnchorRules();

  // platform::WindowEvents
  void PeerPaint(platform::CanvasPeer& canvas) override;
  void PeerMouseDown(platform::MouseButton button, std::uint32_t shift, int x, int y) override;
  void PeerMouseMove(std::uint32_t shift, int x, int y) override;
  void PeerMouseUp(platform::MouseButton button, std::uint32_t shift, int x, int y) override;
  void PeerDblClick(platform::MouseButton button, std::uint32_t shift, int x, int y) override;
  void PeerMouseWheel(int delta, std::uint32_t shift, int x, int y) override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

private:
  friend class TWinControl;
  friend class TCustomForm;
  void ApplyBounds(int left, int top, int width, int height);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  std::uint32_t FAnchors = akLeft | akTop;
  int FAnchorRight = 0, FAnchorBottom = 0;  // distances kept by right and bottom anchors
  bool FAnchorRulesSet = false;
  TSizeConstraints* FConstraints;
  bool FVisible = true;
  bool FEnabled = true;
  rtl::AnsiString FText;
  TFont* FFont;
  bool FParentFont = true;
  bool FFontFromParent = false;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  rtl::AnsiString FHint;
  bool FShowHint = false;
  TCursor FCursor = crDefault;
  int FHelpContext = 0;
  rtl::AnsiString FHelpKeyword;
  THelpType FHelpType = htContext;
  TPopupMenu* FPopupMenu = nullptr;
  rtl::TNotifyEvent FOnClick, FOnDblClick, FOnResize;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TCanResizeEvent FOnCanResize;
  TDragMode FDragMode = dmManual;
  TDragOverEvent FOnDragOver;
  TDragDropEvent FOnDragDrop;
  TEndDragEvent FOnEndDrag;
  TPoint FLastMouse;

protected:
  std::unique_ptr<platform::WindowPeer> FPeer;
};

class TWinControl : public TControl {
  RTL_CLASS_INFO

public:
  explicit TWinControl(rtl::TComponent* owner = nullptr);
  ~TWinControl() override;
  // Its child controls go with it.
  bool InUse() const noexcept override;

  int ControlCount() const noexcept { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const;
  // Child windowed controls in tab order.
  const std::vector<TWinControl*>& TabList() const noexcept { return FTabList; }
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const noexcept { return FTabStop; }
  void SetTabStop(bool v) noexcept { FTabStop = v; }
  int BorderWidth() const noexcept { return FBorderWidth; }
  void SetBorderWidth(int v);

  // The area the children are laid out in: the client rectangle less the border width
  // (and whatever a descendant draws at its edges).
  virtual TRect AlignRect() const;
  // Lays the children out: aligned controls by their alignment, anchored ones by
  // their anchors.
  void Realign();
  // Batches layout changes: nothing is realigned until the last EnableAlign.
  void DisableAlign() noexcept { ++FAlignLevel; }
  void EnableAlign();

  bool Focused() const;
  virtual bool CanFocus() const;
  // Raises EInvalidOperation when the control cannot take the focus.
  virtual void SetFocus();
  // The control whose turn is next (or before, backwards) in the tab order of this
  // control's children, all levels down; null when none can take the focus.
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  // All focusable descendants in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;

  const rtl::TNotifyEvent& OnEnter() const noexcept { return FOnEnter; }
  void SetOnEnter(rtl::TNotifyEvent h) { FOnEnter = std::move(h); }
  const rtl::TNotifyEvent& OnExit() const noexcept { return FOnExit; }
  void SetOnExit(rtl::TNotifyEvent h) { FOnExit = std::move(h); }
  const TKeyEvent& OnKeyDown() const noexcept { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent h) { FOnKeyDown = std::move(h); }
  const TKeyPressEvent& OnKeyPress() const noexcept { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent h) { FOnKeyPress = std::move(h); }
  const TKeyEvent& OnKeyUp() const noexcept { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent h) { FOnKeyUp = std::move(h); }

  // Key handling as the platform delivers keys; each returns whether the key was used.
  bool DoKeyDown(std::uint16_t& key, TShiftState shift);
  bool DoKeyPress(char& key);
  bool DoKeyUp(std::uint16_t& key, TShiftState shift);

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::Custom; }
  void CreatePeer() override;
  void DestroyPeer() override;
  // Whether the control uses a key itself, so that the form does not treat it as a
  // dialog key (Tab, Enter, Escape).
  virtual bool WantsKey(std::uint16_t key, TShiftState shift) const;
  virtual void KeyDown(std::uint16_t& key, TShiftState shift) {}
  virtual void KeyPress(char& key) {}
  virtual void KeyUp(std::uint16_t& key, TShiftState shift) {}
  virtual void DoEnter();
  virtual void DoExit();
  virtual void AlignControls(TRect& rect);
  void Resize() override;
  void FontChanged() override;

  bool PeerKeyDown(std::uint16_t& key, std::uint32_t shift) override;
  bool PeerKeyChar(char& ch) override;
  bool PeerKeyUp(std::uint16_t& key, std::uint32_t shift) override;
  void PeerFocusChanged(bool gained) override;

private:
  friend class TControl;
  friend class TCustomForm;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  int FBorderWidth = 0;
  int FAlignLevel = 0;
  bool FAligning = false;
  bool FAlignPending = false;
  rtl::TNotifyEvent FOnEnter, FOnExit;
  TKeyEvent FOnKeyDown, FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
};

// A windowed control that paints itself on Canvas.
class TCustomControl : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TCustomControl(rtl::TComponent* owner = nullptr);
  ~TCustomControl() override;
  // Valid while the control paints.
  TCanvas* Canvas() const noexcept { return FCanvas; }

protected:
  void PeerPaint(platform::CanvasPeer& canvas) override;

private:
  TCanvas* FCanvas;
};

// A control without focus or children (labels, splitters, shapes).
class TGraphicControl : public TControl {
  RTL_CLASS_INFO

public:
  explicit TGraphicControl(rtl::TComponent* owner = nullptr);
  ~TGraphicControl() override;
  TCanvas* Canvas() const noexcept { return FCanvas; }

protected:
  void PeerPaint(platform::CanvasPeer& canvas) override;

private:
  TCanvas* FCanvas;
};

// The form a control is on (the topmost parent that is a form), or null.
TCustomForm* GetParentForm(const TControl* control);
// The innermost showing control of the showing forms at a screen point, or null.
TControl* FindControlAt(int screenX, int screenY);

}  // namespace gui
