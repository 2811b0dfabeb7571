// Configuration forms of a module: one call from the form's create handler gives it its
// caption, help, OK/Cancel buttons, translation, stored settings and place on the
// screen, and makes it save its settings when it closes. The form must be owned by the
// module (directly or further up its owner chain).
#pragma once

#include <cstdint>

#include "Private/Plugins/orbStrHolder.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"

namespace orb {

class TorbPlugin;

// InitConfigForm flags.
enum : std::uint32_t {
  cfSaveOnClose = 1u << 0,     // save the settings when the form closes
  cfOkCancel = 1u << 1,        // build the OK/Cancel button panels
  cfKeepPlacement = 1u << 3,   // neither remember the bounds nor centre the form
  cfNoReadSettings = 1u << 4,  // do not load the stored settings into the form
  cfKeepCaption = 1u << 5,     // keep the form's caption and tag
};

// The tag of a form whose caption the module set (the translation leaves it alone).
constexpr std::intptr_t ConfigFormCaptionTag = 10002;
// The tag of components that the translation skips.
constexpr std::intptr_t ConfigFormNoTranslateTag = 9999;
// A button panel is 50 pixels high; its buttons are 75 x 25, 4 pixels apart.
constexpr int OkCancelPanelHeight = 50;

// The row of a button panel: its own controls, OK, Cancel, then the bevel that the row
// is placed below.
class TOkCancelOptions : public TorbStrHolder {
  RTL_CLASS_INFO

public:
  explicit TOkCancelOptions(rtl::TComponent* owner = nullptr) : TorbStrHolder(owner) {}
  // 0 at the left edge, 1 at the right edge, 2 centred.
  std::uint8_t Alignment = 2;
};

// The help component of a configuration form: names the compiled help file.
class THtmlHelp : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit THtmlHelp(rtl::TComponent* owner = nullptr) : rtl::TComponent(owner) {}
  const rtl::AnsiString& ChmFile() const noexcept { return FChmFile; }
  void SetChmFile(const rtl::AnsiString& v) { FChmFile = v; }
  const rtl::AnsiString& WinDef() const noexcept { return FWinDef; }
  void SetWinDef(const rtl::AnsiString& v) { FWinDef = v; }
  bool DefaultFile() const noexcept { return FDefaultFile; }
  void SetDefaultFile(bool v) {
    FDefaultFile = v;
    if (v) FChmFile = rtl::AnsiString();
  }

private:
  rtl::AnsiString FChmFile, FWinDef;
  bool FDefaultFile = true;
};

class TPluginCfgHelp : public THtmlHelp {
  RTL_CLASS_INFO

public:
  using THtmlHelp::THtmlHelp;
};

// Never instantiated: the preparation and the handlers it installs.
class TPluginConfigFormFunc {
public:
  TPluginConfigFormFunc() = delete;

  static void InitConfigForm(gui::TCustomForm* Form, std::uint32_t Flags);
  static void BuildOkCancelPanels(gui::TCustomForm* Form);
  static void BuildOkCancelPanel(gui::TCustomForm* Form, gui::TWinControl* Panel, std::uint8_t Alignment);
  static void LayoutOkCancelPanel(gui::TWinControl* Panel);
  static void SaveOnClose(gui::TCustomForm* Form);
  static void ReadFormSettings(gui::TCustomForm* Form);
  static bool IsPlacementUsable(TorbPlugin* Module, gui::TCustomForm* Form);
  static bool CentreForm(TorbPlugin* Module, gui::TCustomForm* Form);
  // The module up the form's owner chain, or nullptr.
  static TorbPlugin* ModuleOf(const gui::TCustomForm* Form);
};

}  // namespace orb
