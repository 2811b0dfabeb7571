#include "ui/ShellLink.h"

#include "gui/Published.h"
#include "platform/Shell.h"

namespace ui {

namespace {
[[maybe_unused]] const rtl::TClassInfo& kRegistered = TShellLink::StaticClassInfo();
constexpr std::int32_t kShowNormal = 1;
}  // namespace

const rtl::TClassInfo& TShellLink::StaticClassInfo() {
  static const rtl::TClassInfo info = [] {
    rtl::TClassBuilder<TShellLink> b("TShellLink", &gui::TLabel::StaticClassInfo());
    b.Property("FocusFont", &TShellLink::FocusFont, &TShellLink::SetFocusFont);
    b.Property("Link", &TShellLink::Link, &TShellLink::SetLink);
    return b;
  }();
  return info;
}

TShellLink::TShellLink(rtl::TComponent* owner)
    : gui::TLabel(owner), FFocusFont(new gui::TFont()), FNormalFont(new gui::TFont()) {
  SetCursor(gui::crHandPoint);
  Font()->SetColor(gui::clBlue);
  Font()->SetStyle(gui::fsUnderline);
  FFocusFont->Assign(Font());
  FFocusFont->SetColor(gui::clRed);
}

TShellLink::~TShellLink() {
  delete FFocusFont;
  delete FNormalFont;
}

void TShellLink::MouseEntered() {
  if (FHot) return;
  FHot = true;
  FNormalFont->Assign(Font());
  Font()->Assign(FFocusFont);
}

void TShellLink::MouseLeft() {
  if (!FHot) return;
  FHot = false;
  Font()->Assign(FNormalFont);
}

void TShellLink::MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  gui::TLabel::MouseUp(button, shift, x, y);
  if (button == gui::mbLeft && x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
}

void TShellLink::Click() {
  if (!FLink.IsEmpty()) platform::ShellOpen(FLink.str(), std::string(), std::string(), kShowNormal);
  gui::TLabel::Click();
}

}  // namespace ui
