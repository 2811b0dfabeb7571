// Flat tool buttons that show a picture instead of a caption.
#pragma once

#include "gui/Controls.h"

namespace gui {

// Pressed with the mouse, it runs OnClick; it never takes the focus. Flat ones show
// their frame only while pressed.
class TSpeedButton : public TGraphicControl {
  RTL_CLASS_INFO

public:
  explicit TSpeedButton(rtl::TComponent* owner = nullptr);
  ~TSpeedButton() override;
  TBitmap* Glyph() const noexcept { return FGlyph; }
  void SetGlyph(TBitmap* v);
  bool Flat() const noexcept { return FFlat; }
  void SetFlat(bool v) { FFlat = v; Invalidate(); }
  bool Down() const noexcept { return FPressed; }

protected:
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  TBitmap* FGlyph;
  bool FFlat = false;
  bool FPressed = false;
};

}  // namespace gui
