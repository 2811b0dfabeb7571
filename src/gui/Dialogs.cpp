#include "gui/Dialogs.h"

#include "gui/Forms.h"
#include "gui/GuiTexts.h"
#include "gui/StdCtrls.h"
#include "platform/CommonDialogs.h"
#include "rtl/UserWait.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {
    &TCommonDialog::StaticClassInfo(), &TOpenDialog::StaticClassInfo(),  &TSaveDialog::StaticClassInfo(),
    &TColorDialog::StaticClassInfo(),  &TFontDialog::StaticClassInfo(),  &TPrintDialog::StaticClassInfo(),
    &TPrinterSetupDialog::StaticClassInfo()};
TResponder* gResponder = nullptr;

// The window that owns a dialog: the form that is showing modally, if any.
platform::WindowHandle OwnerWindow() {
  TCustomForm* form = ActiveModalForm();
  return form && form->Peer() ? form->Peer()->Handle() : 0;
}

// The system's answer, or the responder's when this build shows no dialogs.
bool ShownOrAnswered(const std::optional<bool>& shown, TCommonDialog& dialog) {
  if (shown) return *shown;
  return gResponder && gResponder->FileDialog && gResponder->FileDialog(dialog);
}
}  // namespace

TResponder* SetResponder(TResponder* responder) {
  TResponder* old = gResponder;
  gResponder = responder;
  return old;
}

TResponder* Responder() { return gResponder; }

const TEnumInfo& OpenOptionTypeInfo() {
  static const TEnumInfo info{"TOpenOption",
                              {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
                               "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",
                               "ofFileMustExist", "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn",
                               "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames", "ofOldStyleDialog",
                               "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"}};
  return info;
}
const TEnumInfo& MsgDlgTypeTypeInfo() {
  static const TEnumInfo info{"TMsgDlgType", {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"}};
  return info;
}
const TEnumInfo& MsgDlgBtnTypeInfo() {
  static const TEnumInfo info{"TMsgDlgBtn", {"mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore", "mbAll",
                                            "mbNoToAll", "mbYesToAll", "mbHelp"}};
  return info;
}

const TClassInfo& TCommonDialog::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCommonDialog>("TCommonDialog", &rtl::TComponent::StaticClassInfo())
                                     .Property("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext)
                                     .TypeName("THelpContext");
  return info;
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TOpenDialog>("TOpenDialog", &TCommonDialog::StaticClassInfo())
          .Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
          .Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName).TypeName("TFileName")
          .Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
          .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
          .Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
          .Set("Options", "TOpenOptions", OpenOptionTypeInfo(), &TOpenDialog::Options, &TOpenDialog::SetOptions)
          .Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
  return info;
}

const TClassInfo& TSaveDialog::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSaveDialog>("TSaveDialog", &TOpenDialog::StaticClassInfo());
  return info;
}

bool TOpenDialog::Execute() {
  platform::FileDialogRequest r;
  r.Save = IsSave();
  r.Title = FTitle.str();
  r.FileName = FFileName.str();
  r.InitialDir = FInitialDir.str();
  r.Filter = FFilter.str();
  r.FilterIndex = FFilterIndex;
  r.DefaultExt = FDefaultExt.str();
  r.OverwritePrompt = (FOptions & ofOverwritePrompt) != 0;
  r.HideReadOnly = (FOptions & ofHideReadOnly) != 0;
  r.FileMustExist = (FOptions & ofFileMustExist) != 0;
  r.EnableSizing = (FOptions & ofEnableSizing) != 0;
  // Run-time limits of a running script do not count the user's time.
  rtl::TUserWaitScope waiting;
  const std::optional<bool> shown = platform::RunFileDialog(OwnerWindow(), r);
  if (!shown) return ShownOrAnswered(shown, *this);
  if (*shown) {
    FFileName = rtl::AnsiString(r.FileName);
    FFilterIndex = r.FilterIndex;
  }
  return *shown;
}

const TEnumInfo& ColorDialogOptionTypeInfo() {
  static const TEnumInfo info{"TColorDialogOption", {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor", "cdAnyColor"}};
  return info;
}
const TEnumInfo& FontDialogOptionTypeInfo() {
  static const TEnumInfo info{"TFontDialogOption",
                              {"fdAnsiOnly", "fdTrueTypeOnly", "fdEffects", "fdFixedPitchOnly", "fdForceFontExist",
                               "fdNoFaceSel", "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel",
                               "fdNoVectorFonts", "fdShowHelp", "fdWysiwyg", "fdLimitSize", "fdScalableOnly",
                               "fdApplyButton"}};
  return info;
}
const TEnumInfo& FontDialogDeviceTypeInfo() {
  static const TEnumInfo info{"TFontDialogDevice", {"fdScreen", "fdPrinter", "fdBoth"}};
  return info;
}
const TEnumInfo& PrintDialogOptionTypeInfo() {
  static const TEnumInfo info{"TPrintDialogOption",
                              {"poPrintToFile", "poPageNums", "poSelection", "poWarning", "poHelp", "poDisablePrintToFile"}};
  return info;
}
const TEnumInfo& PrintRangeTypeInfo() {
  static const TEnumInfo info{"TPrintRange", {"prAllPages", "prSelection", "prPageNums"}};
  return info;
}

const TClassInfo& TColorDialog::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TColorDialog>("TColorDialog", &TCommonDialog::StaticClassInfo())
          .Property("Color", &TColorDialog::Color, &TColorDialog::SetColor).TypeName("TColor")
          .Set("Options", "TColorDialogOptions", ColorDialogOptionTypeInfo(), &TColorDialog::Options, &TColorDialog::SetOptions);
  return info;
}

bool TColorDialog::Execute() {
  platform::ColorDialogRequest r;
  r.Color = ColorToRGB(FColor);
  r.FullOpen = (FOptions & cdFullOpen) != 0;
  r.PreventFullOpen = (FOptions & cdPreventFullOpen) != 0;
  r.SolidColor = (FOptions & cdSolidColor) != 0;
  r.AnyColor = (FOptions & cdAnyColor) != 0;
  for (int i = 0; i < 16; ++i) r.CustomColors[i] = FCustom[i];
  rtl::TUserWaitScope waiting;
  const std::optional<bool> shown = platform::RunColorDialog(OwnerWindow(), r);
  if (!shown) return ShownOrAnswered(shown, *this);
  for (int i = 0; i < 16; ++i) FCustom[i] = r.CustomColors[i];
  if (*shown) FColor = static_cast<TColor>(r.Color);
  return *shown;
}

const TClassInfo& TFontDialog::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TFontDialog>("TFontDialog", &TCommonDialog::StaticClassInfo())
          .Enum("Device", FontDialogDeviceTypeInfo(), &TFontDialog::Device, &TFontDialog::SetDevice)
          .Property("Font", &TFontDialog::Font, &TFontDialog::SetFont)
          .Property("MaxFontSize", &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize)
          .Property("MinFontSize", &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize)
          .Set("Options", "TFontDialogOptions", FontDialogOptionTypeInfo(), &TFontDialog::Options, &TFontDialog::SetOptions);
  return info;
}

TFontDialog::TFontDialog(rtl::TComponent* owner) : TCommonDialog(owner), FFont(rtl::CreateObject<TFont>()) {}

TFontDialog::~TFontDialog() { rtl::FreeObject(FFont); }

bool TFontDialog::Execute() {
  platform::FontDialogRequest r;
  r.Font = FFont->Face();
  r.Font.Color = ColorToRGB(FFont->Color());
  r.Effects = (FOptions & fdEffects) != 0;
  r.FixedPitchOnly = (FOptions & fdFixedPitchOnly) != 0;
  r.ForceFontExist = (FOptions & fdForceFontExist) != 0;
  r.TrueTypeOnly = (FOptions & fdTrueTypeOnly) != 0;
  r.NoVectorFonts = (FOptions & fdNoVectorFonts) != 0;
  r.ScalableOnly = (FOptions & fdScalableOnly) != 0;
  r.NoFaceSel = (FOptions & fdNoFaceSel) != 0;
  r.NoSizeSel = (FOptions & fdNoSizeSel) != 0;
  r.NoStyleSel = (FOptions & fdNoStyleSel) != 0;
  if (FOptions & fdLimitSize) {
    r.MinFontSize = FMinFontSize;
    r.MaxFontSize = FMaxFontSize;
  }
  rtl::TUserWaitScope waiting;
  const std::optional<bool> shown = platform::RunFontDialog(OwnerWindow(), r);
  if (!shown || !*shown) return ShownOrAnswered(shown, *this);
  FFont->SetName(rtl::AnsiString(r.Font.Name));
  FFont->SetHeight(r.Font.Height);
  FFont->SetStyle((r.Font.Bold ? fsBold : 0) | (r.Font.Italic ? fsItalic : 0) | (r.Font.Underline ? fsUnderline : 0) |
                  (r.Font.StrikeOut ? fsStrikeOut : 0));
  FFont->SetCharset(r.Font.Charset);
  FFont->SetColor(static_cast<TColor>(r.Font.Color));
  return true;
}

const TClassInfo& TPrintDialog::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPrintDialog>("TPrintDialog", &TCommonDialog::StaticClassInfo())
          .Property("Collate", &TPrintDialog::Collate, &TPrintDialog::SetCollate)
          .Property("Copies", &TPrintDialog::Copies, &TPrintDialog::SetCopies)
          .Property("FromPage", &TPrintDialog::FromPage, &TPrintDialog::SetFromPage)
          .Property("MaxPage", &TPrintDialog::MaxPage, &TPrintDialog::SetMaxPage)
          .Property("MinPage", &TPrintDialog::MinPage, &TPrintDialog::SetMinPage)
          .Set("Options", "TPrintDialogOptions", PrintDialogOptionTypeInfo(), &TPrintDialog::Options, &TPrintDialog::SetOptions)
          .Enum("PrintRange", PrintRangeTypeInfo(), &TPrintDialog::PrintRange, &TPrintDialog::SetPrintRange)
          .Property("PrintToFile", &TPrintDialog::PrintToFile, &TPrintDialog::SetPrintToFile)
          .Property("ToPage", &TPrintDialog::ToPage, &TPrintDialog::SetToPage);
  return info;
}

bool TPrintDialog::Execute() {
  platform::PrintDialogRequest r;
  r.Copies = FCopies;
  r.FromPage = FFromPage;
  r.ToPage = FToPage;
  r.MinPage = FMinPage;
  r.MaxPage = FMaxPage;
  r.Range = FPrintRange;
  r.Collate = FCollate;
  r.PrintToFile = FPrintToFile;
  r.PageNums = (FOptions & poPageNums) != 0;
  r.Selection = (FOptions & poSelection) != 0;
  r.DisablePrintToFile = (FOptions & poDisablePrintToFile) != 0;
  r.ShowPrintToFile = (FOptions & poPrintToFile) != 0;
  rtl::TUserWaitScope waiting;
  const std::optional<bool> shown = platform::RunPrintDialog(OwnerWindow(), r);
  if (!shown || !*shown) return ShownOrAnswered(shown, *this);
  FCopies = r.Copies;
  FFromPage = r.FromPage;
  FToPage = r.ToPage;
  FPrintRange = static_cast<TPrintRange>(r.Range);
  FCollate = r.Collate;
  FPrintToFile = r.PrintToFile;
  return true;
}

const TClassInfo& TPrinterSetupDialog::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPrinterSetupDialog>("TPrinterSetupDialog", &TCommonDialog::StaticClassInfo());
  return info;
}

bool TPrinterSetupDialog::Execute() {
  platform::PrintDialogRequest r;
  r.Setup = true;
  rtl::TUserWaitScope waiting;
  return ShownOrAnswered(platform::RunPrintDialog(OwnerWindow(), r), *this);
}

int MessageDlg(const std::string& text, TMsgDlgType type, std::uint32_t buttons, int) {
  return MessageDlgTitled(text, std::string(), type, buttons);
}

int MessageDlgTitled(const std::string& text, const std::string& title, TMsgDlgType type, std::uint32_t buttons) {
  static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirmation", ""};
  static const int kIcons[] = {0x30, 0x10, 0x40, 0x20, 0};
  int set = 0;
  if ((buttons & mbYes) && (buttons & mbNo)) set = (buttons & mbCancel) ? 3 : 4;
  else if ((buttons & mbAbort) && (buttons & mbRetry)) set = 2;
  else if ((buttons & mbRetry) && (buttons & mbCancel)) set = 5;
  else if ((buttons & mbOK) && (buttons & mbCancel)) set = 1;
  std::string caption = title.empty() ? kCaptions[type] : title;
  if (caption.empty()) caption = Application()->Title().str();
  rtl::TUserWaitScope waiting;
  const std::optional<int> pressed = platform::RunMessageBox(OwnerWindow(), text, caption, set, kIcons[type]);
  if (pressed) return *pressed;
  if (gResponder && gResponder->MessageBox) return gResponder->MessageBox(text, caption, set, kIcons[type]);
  // Nobody to ask: the box's cancelling answer.
  return set == 0 ? mrOk : set == 4 ? mrNo : set == 2 ? mrAbort : mrCancel;
}

void ShowMessage(const std::string& text) { MessageDlg(text, mtCustom, mbOK, 0); }

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  rtl::TObjectPtr<TForm> form = rtl::MakeObject<TForm>();
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons(biSystemMenu);
  form->SetPosition(poScreenCenter);
  form->SetCaption(rtl::AnsiString(caption));
  form->Font()->SetName("Tahoma");
  form->Font()->SetHeight(-11);
  form->SetClientWidth(280);
  form->SetClientHeight(90);
  auto* label = new TLabel(form.get());
  label->SetParent(form.get());
  label->SetBounds(8, 8, 264, 13);
  label->SetCaption(rtl::AnsiString(prompt));
  auto* edit = new TEdit(form.get());
  edit->SetName("Edit");
  edit->SetParent(form.get());
  edit->SetBounds(8, 26, 264, 21);
  edit->SetText(rtl::AnsiString(value));
  auto* ok = new TButton(form.get());
  ok->SetName("OK");
  ok->SetParent(form.get());
  ok->SetBounds(116, 58, 75, 25);
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  auto* cancel = new TButton(form.get());
  cancel->SetName("Cancel");
  cancel->SetParent(form.get());
  cancel->SetBounds(197, 58, 75, 25);
  cancel->SetCaption("Cancel");
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return false;
  value = edit->Text().str();
  return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue) {
  std::string value = defaultValue;
  return InputQuery(caption, prompt, value) ? value : defaultValue;
}

}  // namespace gui
