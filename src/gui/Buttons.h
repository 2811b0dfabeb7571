// Buttons with pictures: the speed button (drawn by the toolkit, without focus, often
// grouped so that one of a group stays down) and the bit button (a push button of
// the system with a standard kind that sets its caption and modal result).
#pragma once

#include "gui/StdCtrls.h"

namespace gui {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const rtl::TEnumInfo& ButtonLayoutTypeInfo();
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
const rtl::TEnumInfo& ButtonStateTypeInfo();
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
const rtl::TEnumInfo& ButtonStyleTypeInfo();
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
const rtl::TEnumInfo& BitBtnKindTypeInfo();
// How many images the glyph holds side by side (up, disabled, down, exclusive).
using TNumGlyphs = int;

class TSpeedButton : public TGraphicControl {
  RTL_CLASS_INFO

public:
  explicit TSpeedButton(rtl::TComponent* owner = nullptr);
  ~TSpeedButton() override;
  rtl::AnsiString Caption() const { return Text(); }
  void SetCaption(const rtl::AnsiString& v) { SetText(v); Invalidate(); }
  // Buttons of the same parent and the same non-zero GroupIndex act together: pressing
  // one puts it down and the others up. Down stays set only for grouped buttons.
  int GroupIndex() const noexcept { return FGroupIndex; }
  void SetGroupIndex(int v);
  bool Down() const noexcept { return FDown; }
  void SetDown(bool v);
  // Whether a grouped button that is down comes up again when pressed.
  bool AllowAllUp() const noexcept { return FAllowAllUp; }
  void SetAllowAllUp(bool v);
  bool Flat() const noexcept { return FFlat; }
  void SetFlat(bool v) { FFlat = v; Invalidate(); }
  TButtonLayout Layout() const noexcept { return FLayout; }
  void SetLayout(TButtonLayout v) { FLayout = v; Invalidate(); }
  int Margin() const noexcept { return FMargin; }
  void SetMargin(int v) { FMargin = v; Invalidate(); }
  int Spacing() const noexcept { return FSpacing; }
  void SetSpacing(int v) { FSpacing = v; Invalidate(); }
  TNumGlyphs NumGlyphs() const noexcept { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs v) { FNumGlyphs = v < 1 ? 1 : v > 4 ? 4 : v; Invalidate(); }
  TBitmap* Glyph() const noexcept { return FGlyph; }
  // Copies the picture into the button's glyph (nil clears it).
  void SetGlyph(TBitmap* v);
  // The look of the moment.
  TButtonState State() const noexcept { return FState; }
  void Click() override;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint(TCanvas& canvas) override;

private:
  void UpdateExclusive();
  void UpdateState();
  int FGroupIndex = 0;
  bool FDown = false, FAllowAllUp = false, FFlat = false, FPressed = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1, FSpacing = 4;
  TNumGlyphs FNumGlyphs = 1;
  TBitmap* FGlyph;
  TButtonState FState = bsUp;
};

class TBitBtn : public TButton {
  RTL_CLASS_INFO

public:
  explicit TBitBtn(rtl::TComponent* owner = nullptr);
  ~TBitBtn() override;
  // A standard kind sets the caption, the modal result and whether the button is the
  // form's default or cancel button; changing the caption afterwards keeps the kind.
  TBitBtnKind Kind() const noexcept { return FKind; }
  void SetKind(TBitBtnKind v);
  TButtonLayout Layout() const noexcept { return FLayout; }
  void SetLayout(TButtonLayout v) noexcept { FLayout = v; }
  int Margin() const noexcept { return FMargin; }
  void SetMargin(int v) noexcept { FMargin = v; }
  int Spacing() const noexcept { return FSpacing; }
  void SetSpacing(int v) noexcept { FSpacing = v; }
  TNumGlyphs NumGlyphs() const noexcept { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs v) noexcept { FNumGlyphs = v < 1 ? 1 : v > 4 ? 4 : v; }
  TButtonStyle Style() const noexcept { return FStyle; }
  void SetStyle(TButtonStyle v) noexcept { FStyle = v; }
  TBitmap* Glyph() const noexcept { return FGlyph; }
  // A close button closes its form; the others act as a button.
  void Click() override;

private:
  TBitBtnKind FKind = bkCustom;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1, FSpacing = 4;
  TNumGlyphs FNumGlyphs = 1;
  TButtonStyle FStyle = bsAutoDetect;
  TBitmap* FGlyph;
};

}  // namespace gui
