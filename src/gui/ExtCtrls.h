// Panels, splitters and timers.
#pragma once

#include "gui/StdCtrls.h"

namespace gui {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const rtl::TEnumInfo& BevelCutTypeInfo();

// A container that draws its bevels and an optional caption.
class TPanel : public TCustomControl {
  RTL_CLASS_INFO

public:
  explicit TPanel(rtl::TComponent* owner = nullptr);
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); }
  TBevelCut BevelOuter() const noexcept { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const noexcept { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  int BevelWidth() const noexcept { return FBevelWidth; }
  void SetBevelWidth(int v);
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment v) { FAlignment = v; Invalidate(); }
  // Inside the bevels and the border.
  TRect AlignRect() const override;

protected:
  void Paint(TCanvas& canvas) override;

private:
  TBevelCut FBevelOuter = bvRaised, FBevelInner = bvNone;
  int FBevelWidth = 1;
  TAlignment FAlignment = taCenter;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
const rtl::TEnumInfo& BevelShapeTypeInfo();
enum TBevelStyle { bsLowered, bsRaised };
const rtl::TEnumInfo& BevelStyleTypeInfo();

// An etched box or line that separates groups of controls; it only paints.
class TBevel : public TGraphicControl {
  RTL_CLASS_INFO

public:
  explicit TBevel(rtl::TComponent* owner = nullptr);
  TBevelShape Shape() const noexcept { return FShape; }
  void SetShape(TBevelShape v) { FShape = v; Invalidate(); }
  TBevelStyle Style() const noexcept { return FStyle; }
  void SetStyle(TBevelStyle v) { FStyle = v; Invalidate(); }

protected:
  void Paint(TCanvas& canvas) override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
const rtl::TEnumInfo& ResizeStyleTypeInfo();

// Dragged by the mouse, it resizes the aligned control on its near side (the one it
// touches that has the same alignment), keeping that control and the client-aligned
// control at least MinSize.
class TSplitter : public TGraphicControl {
  RTL_CLASS_INFO

public:
  explicit TSplitter(rtl::TComponent* owner = nullptr);
  int MinSize() const noexcept { return FMinSize; }
  void SetMinSize(int v) noexcept { FMinSize = v < 1 ? 1 : v; }
  TResizeStyle ResizeStyle() const noexcept { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle v) noexcept { FResizeStyle = v; }
  bool Beveled() const noexcept { return FBeveled; }
  void SetBeveled(bool v) { FBeveled = v; Invalidate(); }
  const rtl::TNotifyEvent& OnMoved() const noexcept { return FOnMoved; }
  void SetOnMoved(rtl::TNotifyEvent h) { FOnMoved = std::move(h); }
  // The control the splitter resizes, or null.
  TControl* FindControl() const;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint(TCanvas& canvas) override;

private:
  bool Horizontal() const { return Align() == alLeft || Align() == alRight; }
  void MoveTo(int parentPos);

  int FMinSize = 30;
  TResizeStyle FResizeStyle = rsPattern;
  bool FBeveled = false;
  TControl* FControl = nullptr;
  int FDownPos = 0, FStartSize = 0, FMaxSize = 0;
  rtl::TNotifyEvent FOnMoved;
};

// Raises OnTimer every Interval milliseconds while Enabled, on the application's
// message loop.
class TTimer : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TTimer(rtl::TComponent* owner = nullptr);
  ~TTimer() override;
  void Loaded() override;
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool v);
  std::uint32_t Interval() const noexcept { return FInterval; }
  void SetInterval(std::uint32_t v);
  const rtl::TNotifyEvent& OnTimer() const noexcept { return FOnTimer; }
  void SetOnTimer(rtl::TNotifyEvent h);

private:
  void UpdateTimer();
  bool FEnabled = true;
  std::uint32_t FInterval = 1000;
  bool FRunning = false;
  rtl::TNotifyEvent FOnTimer;
};

}  // namespace gui
