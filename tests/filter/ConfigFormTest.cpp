// Configuration forms prepared by the framework: button panels, placement, language,
// and the dialog and the filter's messages in German from the product's language file.
#include <gtest/gtest.h>

#include "Private/Plugins/orbConfigForm.h"
#include "Private/Plugins/orbInstances.h"
#include "Private/Plugins/orbPluginModule.h"
#include "filter/FilterTestSupport.h"
#include "gui/Dialogs.h"
#include "gui/GuiTestSupport.h"
#include "platform/WindowPeer.h"
#include "rtl/Object.h"
#include "ui/fsSynMemoSearch.h"
#include "ui/frmOption.h"

using orb::TPluginConfigFormFunc;

namespace {

struct PanelForm {
  rtl::TObjectPtr<gui::TForm> Form = rtl::MakeObject<gui::TForm>();
  gui::TPanel* Panel;
  gui::TEdit* Edit;
  explicit PanelForm(const char* hint) {
    Form->SetBounds(100, 100, 400, 200);
    Panel = new gui::TPanel(Form.get());
    Panel->SetName("__pButtons");
    Panel->SetParent(Form.get());
    Panel->SetAlign(gui::alBottom);
    Panel->SetHint(hint);
    Edit = new gui::TEdit(Form.get());
    Edit->SetName("Edit");
    Edit->SetParent(Form.get());
    Edit->SetBounds(8, 8, 100, 21);
  }
  gui::TButton* Button(const char* name) { return dynamic_cast<gui::TButton*>(Form->FindComponent(name)); }
};

// The filter module of a loaded configuration.
struct ModuleOf {
  orb::TorbPlugin* Module = nullptr;
  explicit ModuleOf(std::uint32_t id) {
    orb::PluginCallRec rec = orb::NewCallRec();
    rec.ConfigId = id;
    orb::FindInstance(&rec, Module, false);
  }
  ~ModuleOf() {
    if (Module) orb::ReleaseUse(Module);
  }
};

}  // namespace

TEST(ConfigForm, ButtonRowsByTheirMarkerHint) {
  struct Case {
    const char* Hint;
    int OkLeft;  // from the panel's client width cw: the OK button's left
    int (*Expected)(int cw);
  };
  const Case cases[] = {
      {"OkCancel", 0, [](int cw) { return (cw - 158) / 2; }},
      {"okcancelright", 0, [](int cw) { return cw - 158 - 4; }},
      {"OkCancelLeft", 0, [](int) { return 4; }},
  };
  for (const Case& c : cases) {
    PanelForm f(c.Hint);
    TPluginConfigFormFunc::InitConfigForm(f.Form.get(), orb::cfOkCancel);
    gui::TButton* ok = f.Button("btnOK");
    gui::TButton* cancel = f.Button("btnCancel");
    ASSERT_NE(ok, nullptr) << c.Hint;
    ASSERT_NE(cancel, nullptr) << c.Hint;
    EXPECT_EQ(f.Panel->Height(), 50);
    EXPECT_TRUE(f.Panel->Hint().IsEmpty());
    const int cw = f.Panel->ClientWidth();
    EXPECT_EQ(ok->Left(), c.Expected(cw)) << c.Hint;
    EXPECT_EQ(cancel->Left(), ok->Left() + 79) << c.Hint;
    EXPECT_EQ(ok->Top(), 17);
    EXPECT_EQ(ok->ModalResult(), gui::mrOk);
    EXPECT_EQ(cancel->ModalResult(), gui::mrCancel);
    if (std::string(c.Hint) == "okcancelright") EXPECT_EQ(cancel->Left() + cancel->Width(), cw - 8);
    // The row follows the panel's width.
    f.Form->SetWidth(500);
    EXPECT_EQ(ok->Left(), c.Expected(f.Panel->ClientWidth())) << c.Hint;
  }
  // Panels without the marker name or hint get nothing.
  PanelForm plain("Something else");
  TPluginConfigFormFunc::InitConfigForm(plain.Form.get(), orb::cfOkCancel);
  EXPECT_EQ(plain.Button("btnOK"), nullptr);
}

TEST(ConfigForm, LeftAnchoredControlKeepsItsPlaceAndCancelIsTheDefault) {
  PanelForm f("OkCancel");
  auto* box = new gui::TCheckBox(f.Form.get());
  box->SetName("Box");
  box->SetParent(f.Panel);
  box->SetBounds(6, 2, 80, 17);
  box->SetAnchors(gui::akLeft);
  auto* check = new gui::TButton(f.Form.get());
  check->SetName("Check");
  check->SetParent(f.Panel);
  check->SetBounds(0, 0, 75, 25);
  TPluginConfigFormFunc::InitConfigForm(f.Form.get(), orb::cfOkCancel);
  EXPECT_EQ(box->Left(), 6);
  EXPECT_EQ(box->Top(), 17);  // the row's top is that of its tallest control
  EXPECT_EQ(check->Left(), (f.Panel->ClientWidth() - 237) / 2);
  // Enter in a control that does not use it presses Cancel, the default button.
  f.Form->Show();
  f.Edit->SetFocus();
  guitest::Key(*f.Edit, gui::VK_RETURN);
  EXPECT_EQ(f.Form->ModalResult(), gui::mrCancel);
  f.Form->Hide();
}

TEST(ConfigForm, PlacementLanguageAndCaptionOfAModuleForm) {
  filtertest::Configuration cfg(321, "begin end.");
  ModuleOf m(cfg.Id());
  ASSERT_NE(m.Module, nullptr);
  orb::TorbPlugin& module = *m.Module;
  const platform::ScreenRect desk = platform::DesktopRect();
  module.FLanguage.clear();
  {
    auto form = rtl::MakeObject<gui::TForm>(m.Module);
    form->SetBounds(7, 9, 300, 200);
    form->SetCaption("Built in");
    // Bit 3 keeps the form where it is, bit 5 its caption.
    TPluginConfigFormFunc::InitConfigForm(form.get(), orb::cfKeepPlacement | orb::cfKeepCaption);
    EXPECT_EQ(form->Left(), 7);
    EXPECT_EQ(form->Top(), 9);
    EXPECT_EQ(form->Caption().str(), "Built in");
    EXPECT_EQ(module.FLanguage, "NONE");
    EXPECT_NE(form->HelpFile().str().find(".chm"), std::string::npos);
  }
  {
    // Without an owner window the form is centred on the screen, and gets the module's caption.
    auto form = rtl::MakeObject<gui::TForm>(m.Module);
    form->SetBounds(7, 9, 300, 200);
    TPluginConfigFormFunc::InitConfigForm(form.get(), 0);
    EXPECT_EQ(form->Left(), desk.Left + (desk.Right - desk.Left - 300) / 2);
    EXPECT_EQ(form->Top(), desk.Top + (desk.Bottom - desk.Top - 200) / 2);
    EXPECT_EQ(form->Caption().str().rfind("Velmora", 0), 0u);
    EXPECT_EQ(form->Tag(), orb::ConfigFormCaptionTag);
  }
  // A stored place is used when it moved the form and keeps its centre on the desktop.
  struct Case {
    int Left, Top;
    bool Usable;
  };
  const Case cases[] = {{50, 60, true},
                        {7, 9, false},
                        {desk.Right - 150, 60, true},
                        {desk.Right - 149, 60, false},
                        {desk.Left - 150, 60, true},
                        {desk.Left - 151, 60, false},
                        {50, desk.Top - 30, true},
                        {50, desk.Top - 31, false},
                        {50, desk.Bottom - 100, true},
                        {50, desk.Bottom - 99, false}};
  module.FOwnerForm = 1;
  for (const Case& c : cases) {
    auto form = rtl::MakeObject<gui::TForm>(m.Module);
    form->SetBounds(7, 9, 300, 200);
    module.FOptionsBounds = {7, 9, 307, 209};
    form->SetBounds(c.Left, c.Top, 300, 200);
    EXPECT_EQ(TPluginConfigFormFunc::IsPlacementUsable(m.Module, form.get()), c.Usable) << c.Left << "," << c.Top;
  }
  module.FOwnerForm = 0;
  module.FLanguage = "EN";
}

TEST(ConfigForm, TheDialogAndTheMessagesInGerman) {
  filtertest::Configuration cfg(322, "begin\n  SetVariable('v', 1);\nend.", 0, -1, "DE");
  gui::TResponder responder;
  std::map<std::string, std::string> seen;
  responder.ModalForm = [&](gui::TCustomForm& f) {
    auto& d = dynamic_cast<ui::TfrmOption&>(f);
    for (gui::TControl* c : std::initializer_list<gui::TControl*>{d.lblScriptType, d.lnkSample, d.btnLoad, d.btnSave,
                                                                   d.btnCheck, d.FBtnOK, d.FBtnCancel})
      seen[c->Name().str()] = c->Text().str();
    seen["caption"] = d.Caption().str();
    seen["pmCopyAll"] = d.pmCopyAll->Caption().str();
    gui::TMenuItem* editorMenu = d.edtExpr->OwnMenu()->Items();
    for (int i = 0; i < editorMenu->Count(); ++i) seen["editor menu"] += editorMenu->Items(i)->Caption().str() + ";";
    seen["MsgPlsCheck"] = d.MsgPlsCheck->Hint().str();
    seen["combo"] = d.comboType->Items()->Text().str();
    d.PrepareFileDialog(d.OpenDialog1);
    seen["filter"] = d.OpenDialog1->Filter().str();
    d.btnCheckClick(d.btnCheck);
    seen["status"] = d.lblStatus->Caption().str();
    // The tree is filled after the form was translated: its root and categories are
    // translated with it, the functions stay what a script calls.
    const gui::TTreeNode* root = d.fsTree1->Items()->GetFirstNode();
    seen["tree"] = root->Text().str() + ":";
    for (const gui::TTreeNode* c = root->GetFirstChild(); c; c = c->GetNextSibling()) seen["tree"] += c->Text().str() + ";";
    seen["function"] = root->GetFirstChild()->GetFirstChild()->Text().str();
    // The editor's search dialog and message.
    rtl::TObjectPtr<ui::TfsSynMemoSearch> search = rtl::MakeObject<ui::TfsSynMemoSearch>();
    ASSERT_TRUE(d.edtExpr->OnTranslate());
    d.edtExpr->OnTranslate()(d.edtExpr, search.get(), nullptr);
    for (const gui::TControl* c : std::initializer_list<gui::TControl*>{search->Label1, search->Search, search->Button1})
      seen["search"] += c->Text().str() + ";";
    seen["search"] += search->Caption().str();
    d.edtExpr->FindText("Walrus");
    seen["not found"] = d.edtExpr->FooterMessage().str();
    // The compiler's messages, names and all.
    for (const char* script : {"begin\n  Walrus := 1;\nend.", "begin\n  SetVariable('v', 1)\n  x\nend."}) {
      d.edtExpr->SetText(script);
      d.btnCheckClick(d.btnCheck);
      seen["errors"] += d.lblStatus->Caption().str() + ";";
    }
    // Closed with the script it opened with, so no question is asked.
    d.edtExpr->SetText(rtl::AnsiString(d.FShownScript));
  };
  gui::TResponder* previous = gui::SetResponder(&responder);
  // On Windows the dialog's own loop runs: it is read from a timer, then cancelled.
  rtl::TObjectPtr<gui::TTimer> timer = rtl::MakeObject<gui::TTimer>();
  timer->SetInterval(100);
  timer->SetOnTimer([&](rtl::TObject*) {
    if (gui::TCustomForm* f = gui::ActiveModalForm()) {
      timer->SetEnabled(false);
      responder.ModalForm(*f);
      f->SetModalResult(gui::mrCancel);
    }
  });
  timer->SetEnabled(platform::HasDisplay());
  cfg.ShowOptions();
  gui::SetResponder(previous);
  EXPECT_EQ(seen["lblScriptType"], "Skriptsprache");
  EXPECT_EQ(seen["lnkSample"], "Beispiele anzeigen");
  // The buttons keep accelerators, marked in the German texts.
  EXPECT_EQ(seen["btnLoad"], "&Laden");
  EXPECT_EQ(seen["btnSave"], "&Speichern");
  EXPECT_EQ(seen["btnCheck"], "&Pr\xFC" "fen");
  EXPECT_EQ(seen["btnOK"], "OK");
  EXPECT_EQ(seen["btnCancel"], "Abbrechen");
  EXPECT_EQ(seen["pmCopyAll"], "Mit Unterelementen kopieren");
  EXPECT_EQ(seen["editor menu"], "Ausschneiden;Kopieren;Einf\xFC" "gen;");
  EXPECT_EQ(seen["MsgPlsCheck"], "Warnung");
  EXPECT_EQ(seen["status"], "Kompilierung erfolgreich");
  EXPECT_EQ(seen["filter"], "Dateien \"PascalScript\" (*.pas)|*.pas");
  EXPECT_EQ(seen["tree"].rfind("Funktionen:Umwandlung;Datum/Uhrzeit;", 0), 0u) << seen["tree"];
  for (const char* category : {";Dateien;", ";Zeichenketten;", ";Datum und Uhrzeit (Zeitzonen);", ";Spezial;"})
    EXPECT_NE(seen["tree"].find(category), std::string::npos) << category;
  EXPECT_EQ(seen["function"], "BoolToStr(B: Boolean): string;");
  EXPECT_EQ(seen["search"], "Suchtext;Suchen;Abbrechen;Suchen");
  EXPECT_EQ(seen["not found"], "Text \x84Walrus\x93 nicht gefunden.");
  EXPECT_EQ(seen["errors"], "Unbekannter Bezeichner: \x84Walrus\x93;\x84;\x93 erwartet;");
  // The caption is the module's, and the dialect names are names.
  EXPECT_EQ(seen["caption"].rfind("Velmora", 0), 0u);
  EXPECT_EQ(seen["combo"], "PascalScript\r\nC++Script\r\nJScript\r\nBasicScript\r\n");

  // The filter's log messages are translated with the module.
  std::vector<std::string> rows;
  auto packet = filtertest::Packet({{{"v", rtl::Variant(0)}}});
  ASSERT_EQ(cfg.Process(*packet, rows), 0);
  EXPECT_NE(cfg.TakeLog().find("Das Skript \x84PascalScript\x93 wurde erfolgreich kompiliert"), std::string::npos);
}
