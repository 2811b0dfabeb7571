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
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TCommonDialog::StaticClassInfo(), &TOpenDialog::StaticClassInfo(),
                                                    &TSaveDialog::StaticClassInfo()};
TResponder* gResponder = nullptr;

// The window that owns a dialog: the form that is showing modally, if any.
platform::WindowHandle OwnerWindow() {
  TCustomForm* form = ActiveModalForm();
  return form && form->Peer() ? form->Peer()->Handle() : 0;
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
  if (!shown) return gResponder && gResponder->FileDialog && gResponder->FileDialog(*this);
  if (*shown) {
    FFileName = rtl::AnsiString(r.FileName);
    FFilterIndex = r.FilterIndex;
  }
  return *shown;
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
