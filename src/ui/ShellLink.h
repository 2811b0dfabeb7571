// TShellLink: a label that reads as a hyperlink. Under the mouse it shows FocusFont;
// a click opens Link with the system shell (when there is one) and then runs OnClick.
#pragma once

#include "gui/StdCtrls.h"

namespace ui {

class TShellLink : public gui::TLabel {
  RTL_CLASS_INFO

public:
  explicit TShellLink(rtl::TComponent* owner = nullptr);
  ~TShellLink() override;
  gui::TFont* FocusFont() const noexcept { return FFocusFont; }
  void SetFocusFont(gui::TFont* v) { FFocusFont->Assign(v); }
  const rtl::AnsiString& Link() const noexcept { return FLink; }
  void SetLink(const rtl::AnsiString& v) { FLink = v; }
  bool Hot() const noexcept { return FHot; }
  void Click() override;

  // The mouse came over the link, or left it.
  void MouseEntered();
  void MouseLeft();

protected:
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void PeerMouseEnter() override { MouseEntered(); }
  void PeerMouseLeave() override { MouseLeft(); }

private:
  gui::TFont* FFocusFont;
  gui::TFont* FNormalFont;  // the label's own font while FocusFont is shown
  rtl::AnsiString FLink;
  bool FHot = false;
};

}  // namespace ui
