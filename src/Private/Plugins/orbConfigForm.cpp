#include "Private/Plugins/orbConfigForm.h"

#include <algorithm>
#include <cmath>

#include "Private/Plugins/orbPluginModule.h"
#include "Private/Plugins/orbTransl.h"
#include "gui/ComCtrls.h"
#include "gui/StatusBar.h"
#include "gui/StdCtrls.h"
#include "platform/WindowPeer.h"

namespace orb {

namespace {

[[maybe_unused]] const rtl::TClassInfo* const kRegistered[] = {
    &TOkCancelOptions::StaticClassInfo(), &THtmlHelp::StaticClassInfo(), &TPluginCfgHelp::StaticClassInfo()};

// The texts of the forms' controls that are items rather than properties: the nodes
// of a tree view and the panels of a status bar are translated as texts.
[[maybe_unused]] const bool kItemTranslators = [] {
  RegisterComponentTranslator("TTreeView", [](rtl::TComponent* comp, const auto& translate) {
    auto* tree = static_cast<gui::TTreeView*>(comp);
    for (gui::TTreeNode* node = tree->Items()->GetFirstNode(); node; node = node->GetNext()) {
      std::string text = node->Text().str();
      if (translate(text)) node->SetText(rtl::AnsiString(text));
    }
  });
  RegisterComponentTranslator("TStatusBar", [](rtl::TComponent* comp, const auto& translate) {
    gui::TStatusPanels* panels = static_cast<gui::TStatusBar*>(comp)->Panels();
    for (int i = 0; i < panels->Count(); ++i) {
      std::string text = panels->Items(i)->Text().str();
      if (translate(text)) panels->Items(i)->SetText(rtl::AnsiString(text));
    }
  });
  return true;
}();

constexpr int kButtonWidth = 75, kButtonHeight = 25, kButtonGap = 4, kBevelHeight = 9;

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The alignment a marker hint asks for, or -1 for no marker.
int AlignmentOfHint(std::string_view hint) {
  if (SameText(hint, "OkCancel")) return 2;
  if (SameText(hint, "OkCancelRight")) return 1;
  if (SameText(hint, "OkCancelLeft")) return 0;
  return -1;
}

TOkCancelOptions* OptionsOf(gui::TWinControl* panel) {
  return dynamic_cast<TOkCancelOptions*>(reinterpret_cast<rtl::TObject*>(panel->Tag()));
}

// The settings list of a form: "Properties" of its owner, else of the form.
TorbStrHolder* SettingsHolder(gui::TCustomForm* form) {
  rtl::TComponent* found = form->Owner() ? form->Owner()->FindComponent("Properties") : nullptr;
  if (!found) found = form->FindComponent("Properties");
  return dynamic_cast<TorbStrHolder*>(found);
}

gui::TButton* MakeButton(gui::TCustomForm* form, gui::TWinControl* panel, const char* name, const char* caption,
                         int left, int top, int modalResult, int tabOrder) {
  auto* b = new gui::TButton(form);
  b->SetName(name);
  b->SetParent(panel);
  b->SetCaption(caption);
  b->SetBounds(left, top, kButtonWidth, kButtonHeight);
  b->SetModalResult(modalResult);
  b->SetTabOrder(tabOrder);
  return b;
}

}  // namespace

const rtl::TClassInfo& TOkCancelOptions::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TOkCancelOptions>("TOkCancelOptions", &TorbStrHolder::StaticClassInfo());
  return info;
}

const rtl::TClassInfo& THtmlHelp::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<THtmlHelp>("THtmlHelp", &rtl::TComponent::StaticClassInfo())
          .Property("ChmFile", &THtmlHelp::ChmFile, &THtmlHelp::SetChmFile)
          .Property("WinDef", &THtmlHelp::WinDef, &THtmlHelp::SetWinDef)
          .Property("DefaultFile", &THtmlHelp::DefaultFile, &THtmlHelp::SetDefaultFile);
  return info;
}

const rtl::TClassInfo& TPluginCfgHelp::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TPluginCfgHelp>("TPluginCfgHelp", &THtmlHelp::StaticClassInfo());
  return info;
}

TorbPlugin* TPluginConfigFormFunc::ModuleOf(const gui::TCustomForm* Form) {
  for (rtl::TComponent* c = Form ? Form->Owner() : nullptr; c; c = c->Owner())
    if (auto* module = dynamic_cast<TorbPlugin*>(c)) return module;
  return nullptr;
}

void TPluginConfigFormFunc::InitConfigForm(gui::TCustomForm* Form, std::uint32_t Flags) {
  TorbPlugin* module = ModuleOf(Form);
  if (module && !(Flags & cfKeepCaption)) {
    const bool byTitle = (module->ModuleOptions & ModuleOptionBit(moMultiConfig)) ||
                         module->Description.view().find('\n') != std::string_view::npos;
    std::string caption = (byTitle ? module->LogTitle : module->Description).str();
    // Without a version resource the caption is the name alone.
    if (!module->FFullVersion.empty()) caption += " " + module->FFullVersion;
    Form->SetCaption(rtl::AnsiString(caption));
    Form->SetTag(ConfigFormCaptionTag);
  }

  rtl::TComponent* help = Form->FindComponent("HtmlHelp");
  if (!help) help = Form->FindComponent("HtmlHelp1");
  if (!help) {
    help = new TPluginCfgHelp(Form);
    help->SetTag(ConfigFormNoTranslateTag);
  }
  if (module) {
    std::string name = module->FModuleName;
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    Form->SetHelpFile(rtl::AnsiString(module->FModulePath + name + ".chm"));
  }
  if (auto* html = dynamic_cast<THtmlHelp*>(help)) html->SetChmFile(Form->HelpFile());

  if (Flags & cfOkCancel) BuildOkCancelPanels(Form);

  if (module) {
    if (module->FLanguage.empty()) module->FLanguage = "NONE";
    try {
      module->TranslateForm(Form);
    } catch (...) {
      // A form that cannot be translated shows its built-in texts.
    }
  }
  if (module && !(Flags & cfKeepPlacement)) {
    const gui::TRect r = Form->BoundsRect();
    module->FOptionsBounds = {r.Left, r.Top, r.Right, r.Bottom};
  }
  if (!(Flags & cfNoReadSettings)) ReadFormSettings(Form);
  if (module && !(Flags & cfKeepPlacement) && !IsPlacementUsable(module, Form)) CentreForm(module, Form);
  if (Flags & cfSaveOnClose)
    Form->SetOnClose([Form](rtl::TObject*, gui::TCloseAction&) { SaveOnClose(Form); });
}

void TPluginConfigFormFunc::BuildOkCancelPanels(gui::TCustomForm* Form) {
  const int count = Form->ComponentCount();
  std::vector<rtl::TComponent*> existing;
  for (int i = 0; i < count; ++i) existing.push_back(Form->Components(i));
  for (rtl::TComponent* c : existing) {
    if (c->Name().view().substr(0, 2) != "__") continue;
    auto* panel = dynamic_cast<gui::TWinControl*>(c);
    if (!panel || panel->Hint().IsEmpty()) continue;
    const int alignment = AlignmentOfHint(panel->Hint().view());
    if (alignment < 0) continue;
    BuildOkCancelPanel(Form, panel, static_cast<std::uint8_t>(alignment));
    panel->SetHint(rtl::AnsiString());
  }
}

void TPluginConfigFormFunc::BuildOkCancelPanel(gui::TCustomForm* Form, gui::TWinControl* Panel, std::uint8_t Alignment) {
  auto* options = new TOkCancelOptions(Form);
  options->Alignment = Alignment;
  Panel->SetTag(reinterpret_cast<std::intptr_t>(static_cast<rtl::TObject*>(options)));
  rtl::TStringList* row = options->Strings();
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* w = dynamic_cast<gui::TWinControl*>(Form->Components(i)); w && w->Parent() == Panel)
      row->AddObject(rtl::AnsiString(), w);
  Panel->SetHeight(OkCancelPanelHeight);
  if (auto* p = dynamic_cast<gui::TPanel*>(Panel))
    p->SetOnResize([p](rtl::TObject*) { LayoutOkCancelPanel(p); });
  auto* bevel = new gui::TBevel(Form);
  bevel->SetParent(Panel);
  bevel->SetBounds(0, 0, bevel->Width(), kBevelHeight);
  bevel->SetAlign(gui::alTop);
  bevel->SetShape(gui::bsBottomLine);
  const int top = bevel->Height() + (Panel->Height() - bevel->Height() - kButtonHeight) / 2;
  gui::TButton* ok = MakeButton(Form, Panel, "btnOK", "OK", 164, top, gui::mrOk, 0);
  row->AddObject(rtl::AnsiString(), ok);
  gui::TButton* cancel = MakeButton(Form, Panel, "btnCancel", "Cancel", 244, top, gui::mrCancel, 1);
  cancel->SetCancel(true);
  cancel->SetDefault(true);
  row->AddObject(rtl::AnsiString(), cancel);
  row->AddObject(rtl::AnsiString(), bevel);
  LayoutOkCancelPanel(Panel);
}

void TPluginConfigFormFunc::LayoutOkCancelPanel(gui::TWinControl* Panel) {
  TOkCancelOptions* options = OptionsOf(Panel);
  if (!options) return;
  rtl::TStringList* list = options->Strings();
  if (list->Count() == 0) return;
  auto* bevel = dynamic_cast<gui::TControl*>(list->GetObject(list->Count() - 1));
  const int bevelHeight = bevel ? bevel->Height() : 0;
  std::vector<gui::TControl*> row;
  for (int i = 0; i + 1 < list->Count(); ++i)
    if (auto* c = dynamic_cast<gui::TControl*>(list->GetObject(i))) row.push_back(c);
  auto leftOnly = [](const gui::TControl* c) { return c->Anchors() == gui::akLeft; };
  int h = 0, w = 0;
  for (gui::TControl* c : row) {
    h = std::max(h, c->Height());
    if (!leftOnly(c)) w += c->Width() + kButtonGap;
  }
  const int top = bevelHeight + (Panel->ClientHeight() - h - bevelHeight) / 2;
  int x = options->Alignment == 0   ? kButtonGap
          : options->Alignment == 1 ? Panel->ClientWidth() - w - kButtonGap
                                    : (Panel->ClientWidth() - w) / 2;
  for (gui::TControl* c : row) {
    if (leftOnly(c)) {
      c->SetTop(top);
    } else {
      c->SetBounds(x, top, c->Width(), c->Height());
      x += c->Width() + kButtonGap;
    }
  }
}

void TPluginConfigFormFunc::SaveOnClose(gui::TCustomForm* Form) {
  TorbStrHolder* holder = SettingsHolder(Form);
  auto* module = dynamic_cast<TorbPlugin*>(Form->Owner());
  if (!holder || !module) return;
  if (Form->ModalResult() == gui::mrOk)
    module->WriteSettings(holder->Strings(), Form);
  else
    module->WriteSettingsShort(holder->Strings(), Form);
}

void TPluginConfigFormFunc::ReadFormSettings(gui::TCustomForm* Form) {
  TorbStrHolder* holder = SettingsHolder(Form);
  auto* module = dynamic_cast<TorbPlugin*>(Form->Owner());
  if (holder && module) module->ReadSettings(holder->Strings(), Form);
}

bool TPluginConfigFormFunc::IsPlacementUsable(TorbPlugin* Module, gui::TCustomForm* Form) {
  if (!Module || !Module->FOwnerForm) return false;
  const auto& b = Module->FOptionsBounds;
  if (b[0] == 0 && b[1] == 0 && b[2] == 0 && b[3] == 0) return false;
  const gui::TRect r = Form->BoundsRect();
  if (r.Left == b[0] && r.Top == b[1] && r.Right == b[2] && r.Bottom == b[3]) return false;
  const platform::ScreenRect desk = platform::DesktopRect();
  // Halves round to even.
  const int halfW = static_cast<int>(std::nearbyint(Form->Width() / 2.0));
  const int halfH = static_cast<int>(std::nearbyint(Form->Height() / 2.0));
  const int cx = r.Left + halfW;
  return desk.Left <= cx && cx <= desk.Right && r.Top + halfH <= desk.Bottom && r.Top + 30 >= desk.Top;
}

bool TPluginConfigFormFunc::CentreForm(TorbPlugin* Module, gui::TCustomForm* Form) {
  platform::ScreenRect ref;
  bool have = false;
  if (Module && Module->FOwnerForm) have = platform::WindowRectOf(Module->FOwnerForm, ref);
  if (!have) have = platform::MonitorAtCursor(ref);
  if (!have) return false;
  const int left = ref.Left + (ref.Right - ref.Left - Form->Width()) / 2;
  const int top = ref.Top + (ref.Bottom - ref.Top - Form->Height()) / 2;
  Form->SetBounds(left, top, Form->Width(), Form->Height());
  return true;
}

}  // namespace orb
