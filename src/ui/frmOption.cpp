#include "ui/frmOption.h"

#include <vector>

#include "Private/Plugins/orbConfigForm.h"
#include "Private/Plugins/orbPluginModule.h"
#include "gui/Clipbrd.h"
#include "platform/Shell.h"
#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

namespace ui {

namespace {

[[maybe_unused]] const rtl::TClassInfo& kRegistered = TfrmOption::StaticClassInfo();

// The script languages in the order of the list, with their file extensions.
// Every extension a language's files carry is offered (the samples use the second
// ones of C++Script and BasicScript); the first is the default.
struct TLanguageFiles {
  const char* Name;
  std::vector<const char*> Extensions;
};
const TLanguageFiles kLanguages[] = {
    {"PascalScript", {"pas"}}, {"C++Script", {"c", "cpp"}}, {"JScript", {"js"}}, {"BasicScript", {"vb", "vbs"}}};

constexpr std::int32_t kShowNormal = 1;

template <class T>
T* Make(rtl::TComponent* owner, const char* name, gui::TWinControl* parent = nullptr) {
  T* c = new T(owner);
  c->SetName(name);
  if constexpr (std::is_base_of_v<gui::TControl, T>)
    if (parent) c->SetParent(parent);
  return c;
}

gui::TMenuItem* MenuItem(rtl::TComponent* owner, gui::TPopupMenu* menu, const char* name, const char* caption) {
  auto* item = Make<gui::TMenuItem>(owner, name);
  item->SetCaption(caption);
  menu->Items()->Add(item);
  return item;
}

std::string TrimBlanksAndControls(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return std::string(s);
}

// A decimal integer, or 1 when the text is none.
int FieldOrOne(const std::string& s) {
  if (s.empty() || s.size() > 9) return 1;
  for (char c : s)
    if (c < '0' || c > '9') return 1;
  return std::stoi(s);
}

// Draws the tree's pictures: a sheet for a function, a folder for a category.
void DrawSheet(gui::TCanvas& c) {
  c.Pen()->SetColor(gui::clGray);
  c.Brush()->SetColor(gui::clWhite);
  c.Rectangle(3, 1, 13, 15);
  c.Pen()->SetColor(gui::clNavy);
  for (int y = 4; y <= 12; y += 2) {
    c.MoveTo(5, y);
    c.LineTo(y == 12 ? 9 : 11, y);
  }
}

void DrawFolder(gui::TCanvas& c) {
  c.Pen()->SetColor(gui::TColor(0x00407F9F));
  c.Brush()->SetColor(gui::TColor(0x0060D0F0));
  c.Rectangle(1, 3, 7, 6);
  c.Rectangle(1, 5, 15, 14);
}

}  // namespace

const rtl::TClassInfo& TfrmOption::StaticClassInfo() {
  static const rtl::TClassInfo info = rtl::TClassBuilder<TfrmOption>("TfrmOption", &gui::TForm::StaticClassInfo());
  return info;
}

TfrmOption::TfrmOption(rtl::TComponent* owner) : gui::TForm(owner) {}

orb::TorbPlugin* TfrmOption::Module() const { return dynamic_cast<orb::TorbPlugin*>(Owner()); }

void TfrmOption::InitializeForm() {
  SetName("frmOption");
  SetBounds(314, 184, 582, 452);
  Constraints()->SetMinWidth(460);
  Constraints()->SetMinHeight(270);
  SetBorderWidth(3);
  SetBorderIcons(gui::biSystemMenu | gui::biHelp);
  SetHelpContext(80);
  SetKeyPreview(true);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  SetScaled(false);

  // The strips first, so that the controls on them are placed in their final widths.
  panTop = Make<gui::TPanel>(this, "panTop", this);
  panTop->SetBevelOuter(gui::bvNone);
  panTop->SetAlign(gui::alTop);
  panTop->SetHeight(45);
  pBot = Make<gui::TPanel>(this, "__pBot", this);
  pBot->SetBevelOuter(gui::bvNone);
  pBot->SetAlign(gui::alBottom);
  pBot->SetHeight(45);
  pBot->SetHint("OkCancel");
  panRight = Make<gui::TPanel>(this, "panRight", this);
  panRight->SetBevelOuter(gui::bvNone);
  panRight->SetAlign(gui::alRight);
  panRight->SetWidth(185);
  splR = Make<gui::TSplitter>(this, "splR", this);
  splR->SetAlign(gui::alRight);
  splR->SetLeft(panRight->Left() - 3);
  splR->SetMinSize(80);
  panLeft = Make<gui::TPanel>(this, "panLeft", this);
  panLeft->SetBevelOuter(gui::bvNone);
  panLeft->SetAlign(gui::alClient);

  lblScriptType = Make<gui::TLabel>(this, "lblScriptType", panTop);
  lblScriptType->SetAutoSize(false);
  lblScriptType->SetBounds(0, 0, 89, 26);
  lblScriptType->SetLayout(gui::tlCenter);
  lblScriptType->SetWordWrap(true);
  lblScriptType->SetCaption("Script type");
  comboType = Make<gui::TComboBox>(this, "comboType", panTop);
  comboType->SetStyle(gui::csDropDownList);
  comboType->SetBounds(92, 4, 304, comboType->Height());
  comboType->SetAnchors(gui::akLeft | gui::akTop | gui::akRight);
  for (const TLanguageFiles& l : kLanguages) comboType->Items()->Add(l.Name);
  comboType->SetItemIndex(0);
  comboType->SetOnChange([this](rtl::TObject* s) { comboTypeChange(s); });
  lnkSample = Make<TShellLink>(this, "lnkSample", panTop);
  lnkSample->SetAutoSize(false);
  lnkSample->SetBounds(92, 28, 181, 13);
  lnkSample->SetCaption("Browse samples");
  lnkSample->SetOnClick([this](rtl::TObject* s) { lnkSampleClick(s); });
  btnLoad = Make<gui::TButton>(this, "btnLoad", panTop);
  btnLoad->SetBounds(403, 2, 75, 25);
  btnLoad->SetAnchors(gui::akTop | gui::akRight);
  btnLoad->SetCaption("&Load");
  btnLoad->SetOnClick([this](rtl::TObject* s) { btnLoadClick(s); });
  btnSave = Make<gui::TButton>(this, "btnSave", panTop);
  btnSave->SetBounds(483, 2, 75, 25);
  btnSave->SetAnchors(gui::akTop | gui::akRight);
  btnSave->SetCaption("&Save");
  btnSave->SetOnClick([this](rtl::TObject* s) { btnSaveClick(s); });

  btnCheck = Make<gui::TButton>(this, "btnCheck", pBot);
  btnCheck->SetBounds(0, 0, 75, 25);
  btnCheck->SetCaption("&Check");
  btnCheck->SetOnClick([this](rtl::TObject* s) { btnCheckClick(s); });

  panTop2 = Make<gui::TPanel>(this, "panTop2", panRight);
  panTop2->SetBevelOuter(gui::bvNone);
  panTop2->SetAlign(gui::alTop);
  panTop2->SetHeight(25);
  panTop2->SetOnResize([this](rtl::TObject* s) { panTop2Resize(s); });
  edtSearch = Make<gui::TEdit>(this, "edtSearch", panTop2);
  edtSearch->SetBounds(4, 0, 153, edtSearch->Height());
  edtSearch->SetOnKeyUp([this](rtl::TObject* s, std::uint16_t& k, gui::TShiftState sh) { edtSearchKeyUp(s, k, sh); });
  btnSearch = Make<gui::TSpeedButton>(this, "btnSearch", panTop2);
  btnSearch->SetBounds(160, 0, 23, 23);
  btnSearch->SetFlat(true);
  btnSearch->SetOnClick([this](rtl::TObject* s) { btnSearchClick(s); });

  ImageList1 = Make<gui::TImageList>(this, "ImageList1");
  popupTree = Make<gui::TPopupMenu>(this, "popupTree");
  pmPaste = MenuItem(this, popupTree, "pmPaste", "Paste to editor");
  pmPaste->SetOnClick([this](rtl::TObject* s) { pmPasteClick(s); });
  sep1 = MenuItem(this, popupTree, "sep1", "-");
  pmCopy = MenuItem(this, popupTree, "pmCopy", "Copy");
  pmCopy->SetOnClick([this](rtl::TObject* s) { pmCopyClick(s); });
  pmCopyAll = MenuItem(this, popupTree, "pmCopyAll", "Copy with children");
  pmCopyAll->SetOnClick([this](rtl::TObject* s) { pmCopyAllClick(s); });

  fsTree1 = Make<gui::TTreeView>(this, "fsTree1", panRight);
  fsTree1->SetAlign(gui::alClient);
  fsTree1->SetReadOnly(true);
  fsTree1->SetHideSelection(false);
  fsTree1->SetIndent(19);
  fsTree1->SetImages(ImageList1);
  fsTree1->SetPopupMenu(popupTree);
  fsTree1->SetOnDblClick([this](rtl::TObject* s) { fsTree1DblClick(s); });

  lblStatus = Make<gui::TLabel>(this, "lblStatus", panLeft);
  lblStatus->SetAutoSize(false);
  lblStatus->SetAlign(gui::alBottom);
  lblStatus->SetHeight(23);
  lblStatus->SetParentFont(false);
  lblStatus->Font()->SetColor(gui::clMaroon);
  lblStatus->Font()->SetStyle(gui::fsBold);
  lblStatus->SetWordWrap(true);
  lblStatus->SetVisible(false);
  edtExpr = Make<TfsSyntaxMemo>(this, "edtExpr", panLeft);
  edtExpr->SetAlign(gui::alClient);
  edtExpr->Font()->SetName("Courier New");
  edtExpr->Font()->SetHeight(-13);
  edtExpr->SetBlockColor(gui::clHighlight);
  edtExpr->SetBlockFontColor(gui::clHighlightText);
  for (gui::TFont* attr : {edtExpr->CommentAttr(), edtExpr->KeywordAttr(), edtExpr->StringAttr(), edtExpr->TextAttr()}) {
    attr->SetName("Courier New");
    attr->SetHeight(-13);
    attr->SetStyle(0);
    attr->SetColor(gui::clWindowText);
  }
  edtExpr->CommentAttr()->SetColor(gui::clNavy);
  edtExpr->CommentAttr()->SetStyle(gui::fsItalic);
  edtExpr->KeywordAttr()->SetStyle(gui::fsBold);
  edtExpr->StringAttr()->SetColor(gui::clNavy);
  edtExpr->SetSyntaxType(stPascal);
  edtExpr->SetShowFooter(true);
  edtExpr->SetShowGutter(false);
  edtExpr->SetOnChange([this](rtl::TObject* s) { edtExprEdited(s); });
  SetActiveControl(edtExpr);

  OpenDialog1 = Make<gui::TOpenDialog>(this, "OpenDialog1");
  SaveDialog1 = Make<gui::TSaveDialog>(this, "SaveDialog1");
  SaveDialog1->SetOptions(gui::ofOverwritePrompt | gui::ofHideReadOnly | gui::ofEnableSizing);
  Status = Make<gui::TTimer>(this, "Status");
  Status->SetEnabled(false);
  Status->SetInterval(StatusMs);
  Status->SetOnTimer([this](rtl::TObject* s) { StatusTimer(s); });
  // Never shown: it only carries the dialog's messages, so that they are translated.
  PopupMenu1 = Make<gui::TPopupMenu>(this, "PopupMenu1");
  MsgCompOK = MenuItem(this, PopupMenu1, "MsgCompOK", "Compiled OK");
  MsgPlsCheck = MenuItem(this, PopupMenu1, "MsgPlsCheck",
                         "Your script contains errors. Please, change it or click the 'Cancel' button.");
  MsgPlsCheck->SetHint("Warning");
  FilterFiles = MenuItem(this, PopupMenu1, "FilterFiles", "Files");
  MsgDiscard = MenuItem(this, PopupMenu1, "MsgDiscard", "Discard the changes to the script?");
  MsgDiscard->SetHint("Confirmation");

  FillImages();
  SetOnCreate([this](rtl::TObject* s) { FormCreate(s); });
  SetOnShow([this](rtl::TObject* s) { FormShow(s); });
  SetOnCloseQuery([this](rtl::TObject* s, bool& canClose) { FormCloseQuery(s, canClose); });
}

void TfrmOption::FillImages() {
  rtl::TObjectPtr<gui::TBitmap> picture = rtl::MakeObject<gui::TBitmap>();
  for (int i = 0; i < 4; ++i) {
    picture->SetSize(16, 16);
    gui::TCanvas& c = *picture->Canvas();
    c.Brush()->SetColor(gui::clWindow);
    c.FillRect({0, 0, 16, 16});
    if (i == FunctionImage) DrawSheet(c);
    if (i == CategoryImage) DrawFolder(c);
    ImageList1->Add(picture.get());
  }
  // The search button's magnifier.
  picture->SetSize(16, 16);
  gui::TCanvas& c = *picture->Canvas();
  c.Brush()->SetColor(gui::clBtnFace);
  c.FillRect({0, 0, 16, 16});
  c.Pen()->SetColor(gui::clBlack);
  c.Brush()->SetColor(gui::clWhite);
  c.Ellipse(1, 1, 11, 11);
  for (int d = 0; d < 2; ++d) {
    c.MoveTo(9 + d, 10);
    c.LineTo(14 + d, 15);
  }
  btnSearch->SetGlyph(picture.get());
}

void TfrmOption::FormCreate(rtl::TObject*) {
  try {
    orb::TPluginConfigFormFunc::InitConfigForm(this, orb::cfSaveOnClose | orb::cfOkCancel);
    FBtnOK = dynamic_cast<gui::TButton*>(FindComponent("btnOK"));
    if (FBtnOK) FBtnOK->SetOnClick([this](rtl::TObject* s) { btnOKClick(s); });
    FBtnCancel = dynamic_cast<gui::TButton*>(FindComponent("btnCancel"));
    FScriptOK = true;
    // Completion's names: the script's own for the text as it stands, and the catalogue's.
    edtExpr->Completion().SetSource([this](TfsSyntaxMemo& memo) {
      rtl::Variant names;
      orb::TorbPlugin* module = Module();
      if (!module || !orb::CallModuleEvent(module, "GetCompletion",
                                           {rtl::Variant(comboType->Text()), rtl::Variant(memo.Text()),
                                            rtl::Variant(static_cast<std::int32_t>(memo.CaretPos().Y))},
                                           names))
        return std::string();
      return rtl::VarToAnsiString(names).str();
    });
    rtl::Variant answer;
    if (orb::TorbPlugin* module = Module(); module && orb::CallModuleEvent(module, "GetFuncList", {rtl::Variant(0)}, answer)) {
      const std::string outline = rtl::VarToAnsiString(answer).str();
      if (!outline.empty()) {
        fsTree1->Items()->LoadFromText(outline);
        for (gui::TTreeNode* n = fsTree1->Items()->GetFirstNode(); n; n = n->GetNext()) {
          const int image = n->HasChildren() ? CategoryImage : FunctionImage;
          n->SetImageIndex(image);
          n->SetSelectedIndex(image);
          n->SetExpanded(n->Level() == 0);
        }
        // The form was translated before the tree had nodes: the root and the
        // categories are texts of the language file too.
        module->TranslateForm(fsTree1);
      }
    }
    if (orb::TorbPlugin* module = Module()) {
      edtExpr->SetOnTranslate([module](rtl::TObject*, rtl::TComponent* component, std::string* text) {
        if (component) module->TranslateForm(component);
        if (text) module->TranslateText(*text);
      });
    }
    // The search strip's width may come from the stored settings.
    panTop2Resize(panTop2);
    if (comboType->ItemIndex() < 0) comboType->SetItemIndex(0);
    comboTypeChange(comboType);
    FShownScript = edtExpr->Text().str();
  } catch (...) {
    // The dialog opens with what could be done.
  }
}

void TfrmOption::FormShow(rtl::TObject*) {
  // The link keeps its look under the mouse.
  lnkSample->SetFocusFont(lnkSample->Font());
}

void TfrmOption::comboTypeChange(rtl::TObject*) {
  const int index = comboType->ItemIndex();
  if (index < 0) return;
  comboType->SetHint(comboType->Text());
  edtExpr->SetSyntaxType(index == 1 ? stCpp : index == 2 ? stJs : index == 3 ? stVB : stPascal);
  // The script's own names are read in the new language.
  edtExpr->Completion().Refresh();
  edtExpr->Invalidate();
  FScriptOK = false;
}

std::string TfrmOption::SamplesFolder() const {
  const orb::TorbPlugin* module = Module();
  return (module ? module->FModulePath : std::string()) + "Samples";
}

void TfrmOption::PrepareFileDialog(gui::TOpenDialog* Dialog) {
  if (Dialog->InitialDir().IsEmpty()) Dialog->SetInitialDir(rtl::AnsiString(SamplesFolder()));
  const int index = comboType->ItemIndex();
  const TLanguageFiles& l = kLanguages[index >= 1 && index <= 3 ? index : 0];
  std::string masks;
  for (const char* ext : l.Extensions) masks += std::string(masks.empty() ? "" : ";") + "*." + ext;
  Dialog->SetFilter(rtl::AnsiString(FilterFiles->Caption().str() + " \"" + l.Name + "\" (" + masks + ")|" + masks));
  Dialog->SetFilterIndex(1);
  Dialog->SetDefaultExt(rtl::AnsiString(l.Extensions.front()));
}

void TfrmOption::btnLoadClick(rtl::TObject*) {
  PrepareFileDialog(OpenDialog1);
  if (OpenDialog1->Execute()) {
    try {
      rtl::TObjectPtr<rtl::TStringList> lines = rtl::MakeObject<rtl::TStringList>();
      lines->LoadFromFile(OpenDialog1->FileName().str());
      edtExpr->SetLines(lines.get());
      edtExprEdited(edtExpr);
    } catch (...) {
      // A file that cannot be read leaves the editor as it was.
    }
  }
  edtExprChange(edtExpr);
}

void TfrmOption::btnSaveClick(rtl::TObject*) {
  PrepareFileDialog(SaveDialog1);
  if (!SaveDialog1->Execute()) return;
  try {
    edtExpr->Lines()->SaveToFile(SaveDialog1->FileName().str());
  } catch (...) {
    // The user sees the file missing; the script itself is safe in the editor.
  }
}

void TfrmOption::edtExprChange(rtl::TObject*) {
  const bool enabled = !TrimBlanksAndControls(edtExpr->Text().view()).empty();
  btnSave->SetEnabled(enabled);
  btnCheck->SetEnabled(enabled);
  FScriptOK = !enabled;
}

void TfrmOption::ShowStatus(const std::string& Text, bool UntilEdited) {
  lblStatus->SetCaption(rtl::AnsiString(Text));
  lblStatus->SetVisible(true);
  Status->SetEnabled(false);
  Status->SetInterval(StatusMs);
  Status->SetEnabled(!UntilEdited);
  // Directly above the bottom strip.
  lblStatus->SetTop(pBot->Top() - 10);
}

void TfrmOption::StatusTimer(rtl::TObject*) {
  Status->SetEnabled(false);
  lblStatus->SetVisible(false);
}

void TfrmOption::btnCheckClick(rtl::TObject*) {
  FScriptOK = false;
  if (comboType->ItemIndex() < 0) return;
  std::string r;
  rtl::Variant answer;
  if (orb::TorbPlugin* module = Module();
      module && orb::CallModuleEvent(module, "CheckCode",
                                     {rtl::Variant(comboType->Text()), rtl::Variant(edtExpr->Text())}, answer))
    r = rtl::VarToAnsiString(answer).str();
  if (!r.empty()) {
    if (edtExpr->CanFocus()) edtExpr->SetFocus();
    const std::size_t bar = r.find('|');
    if (bar != std::string::npos) {
      const std::string pos = r.substr(0, bar);
      const std::size_t colon = pos.find(':');
      const int column = FieldOrOne(pos.substr(0, colon));
      const std::size_t next = colon == std::string::npos ? std::string::npos : pos.find(':', colon + 1);
      const int line = FieldOrOne(colon == std::string::npos ? std::string() : pos.substr(colon + 1, next - colon - 1));
      edtExpr->SetErrorLine(line);
      edtExpr->SetCaret(column, line);
      r = r.substr(bar + 1);
    }
    // The user must be able to read which error it is, however long the fix takes.
    ShowStatus(r, true);
  } else {
    FScriptOK = true;
    ShowStatus(MsgCompOK->Caption().str());
  }
}

void TfrmOption::btnOKClick(rtl::TObject*) {
  // The button has set the modal result to OK already; keeping it ends the dialog.
  if (FScriptOK) return;
  btnCheckClick(FBtnOK);
  if (FScriptOK) return;
  gui::MessageDlgTitled(MsgPlsCheck->Caption().str(), MsgPlsCheck->Hint().str(), gui::mtWarning, gui::mbOK);
  SetModalResult(gui::mrNone);
}

void TfrmOption::edtExprEdited(rtl::TObject*) {
  // An error's mark and message stand for the text they were found in.
  if (edtExpr->ErrorLine() >= 0) edtExpr->SetErrorLine(-1);
  if (lblStatus->Visible() && !Status->Enabled()) StatusTimer(Status);
}

void TfrmOption::FormCloseQuery(rtl::TObject*, bool& CanClose) {
  if (ModalResult() == gui::mrOk || edtExpr->Text().str() == FShownScript) return;
  CanClose = gui::MessageDlgTitled(MsgDiscard->Caption().str(), MsgDiscard->Hint().str(), gui::mtConfirmation,
                                   gui::mbYes | gui::mbNo) == gui::mrYes;
}

void TfrmOption::pmPasteClick(rtl::TObject*) {
  gui::TTreeNode* node = fsTree1->Selected();
  if (node && !node->HasChildren()) edtExpr->ReplaceSelection(node->Text());
}

void TfrmOption::fsTree1DblClick(rtl::TObject* Sender) { pmPasteClick(Sender); }

void TfrmOption::pmCopyClick(rtl::TObject*) {
  gui::TTreeNode* node = fsTree1->Selected();
  if (node && !node->HasChildren()) gui::Clipboard()->SetAsText(node->Text());
}

std::string TfrmOption::NodeOutline(const gui::TTreeNode* Node, int Depth) {
  std::string out = std::string(static_cast<std::size_t>(Depth) * 2, ' ') + Node->Text().str();
  for (int i = 0; i < Node->Count(); ++i) out += "\r\n" + NodeOutline(Node->Item(i), Depth + 1);
  return out;
}

void TfrmOption::pmCopyAllClick(rtl::TObject*) {
  gui::TTreeNode* node = fsTree1->Selected();
  if (node && node->HasChildren()) gui::Clipboard()->SetAsText(rtl::AnsiString(NodeOutline(node)));
}

void TfrmOption::SearchTree(bool FromSelected) {
  // Enter in the search box finds the next match; it must not cancel the dialog.
  if (FBtnCancel) FBtnCancel->SetDefault(false);
  const std::string wanted = rtl::AnsiLowerCase(edtSearch->Text()).str();
  if (wanted.empty()) return;
  gui::TTreeNode* node = FromSelected && fsTree1->Selected() ? fsTree1->Selected()->GetNext()
                         : FromSelected ? nullptr
                                        : fsTree1->Items()->GetFirstNode();
  if (FromSelected && !fsTree1->Selected()) node = fsTree1->Items()->GetFirstNode();
  for (; node; node = node->GetNext()) {
    if (rtl::AnsiLowerCase(node->Text()).view().find(wanted) == std::string_view::npos) continue;
    fsTree1->SetSelected(node);
    node->MakeVisible();
    node->SetFocused(true);
    return;
  }
}

void TfrmOption::edtSearchKeyUp(rtl::TObject*, std::uint16_t& Key, gui::TShiftState) {
  SearchTree(Key == gui::VK_RETURN);
}

void TfrmOption::btnSearchClick(rtl::TObject*) { SearchTree(true); }

void TfrmOption::panTop2Resize(rtl::TObject*) {
  btnSearch->SetLeft(panTop2->ClientWidth() - btnSearch->Width() - 4);
  edtSearch->SetWidth(btnSearch->Left() - 4 - edtSearch->Left());
}

void TfrmOption::lnkSampleClick(rtl::TObject*) {
  const orb::TorbPlugin* module = Module();
  const std::string folder = SamplesFolder() + (module && !module->FModulePath.empty() ? module->FModulePath.back() : '\\');
  platform::ShellOpen(folder, std::string(), std::string(), kShowNormal);
}

}  // namespace ui
