// The tool bar: a strip along the top of a form whose tool buttons the toolkit lays
// out from left to right and draws.
#pragma once

#include "gui/Controls.h"
#include "gui/ImgList.h"

namespace gui {

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const rtl::TEnumInfo& ToolButtonStyleTypeInfo();

class TToolBar;

class TToolButton : public TGraphicControl {
  RTL_CLASS_INFO

public:
  explicit TToolButton(rtl::TComponent* owner = nullptr);
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); Invalidate(); }
  TToolButtonStyle Style() const noexcept { return FStyle; }
  void SetStyle(TToolButtonStyle v);
  // Check buttons stay down when pressed; grouped ones let one of their neighbours
  // (the adjacent grouped check buttons) be down at a time.
  bool Down() const noexcept { return FDown; }
  void SetDown(bool v);
  bool Grouped() const noexcept { return FGrouped; }
  void SetGrouped(bool v) noexcept { FGrouped = v; }
  bool AllowAllUp() const noexcept { return FAllowAllUp; }
  void SetAllowAllUp(bool v) noexcept { FAllowAllUp = v; }
  int ImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(int v) { FImageIndex = v; Invalidate(); }
  bool Indeterminate() const noexcept { return FIndeterminate; }
  void SetIndeterminate(bool v) { FIndeterminate = v; Invalidate(); }
  TToolBar* ToolBar() const;
  void Click() override;
  void SetParent(TWinControl* parent) override;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint(TCanvas& canvas) override;
  void TextChanged() override;

private:
  bool Separator() const noexcept { return FStyle == tbsSeparator || FStyle == tbsDivider; }
  TToolButtonStyle FStyle = tbsButton;
  bool FDown = false, FGrouped = false, FAllowAllUp = false, FIndeterminate = false, FPressed = false;
  int FImageIndex = -1;
};

class TToolBar : public TCustomControl {
  RTL_CLASS_INFO

public:
  explicit TToolBar(rtl::TComponent* owner = nullptr);
  int ButtonWidth() const noexcept { return FButtonWidth; }
  void SetButtonWidth(int v);
  int ButtonHeight() const noexcept { return FButtonHeight; }
  void SetButtonHeight(int v);
  bool ShowCaptions() const noexcept { return FShowCaptions; }
  void SetShowCaptions(bool v);
  bool Flat() const noexcept { return FFlat; }
  void SetFlat(bool v) { FFlat = v; Invalidate(); }
  TImageList* Images() const noexcept { return FImages; }
  void SetImages(TImageList* v);
  int ButtonCount() const;
  TToolButton* Buttons(int index) const;
  // The width a separator takes.
  static constexpr int kSeparatorWidth = 8;

protected:
  void AlignControls(TRect& rect) override;
  void Paint(TCanvas& canvas) override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

private:
  friend class TToolButton;
  void ButtonsChanged() { Realign(); }
  int FButtonWidth = 23, FButtonHeight = 22;
  bool FShowCaptions = false, FFlat = true;
  TImageList* FImages = nullptr;
  bool FArranging = false;
};

}  // namespace gui
