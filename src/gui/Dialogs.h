// The common file dialogs, message dialogs and input boxes, and the responder that
// answers them (and modal forms and popup menus) where no display exists: a test or a
// command-line tool installs one and plays the user.
#pragma once

#include <functional>
#include <string>

#include "rtl/Component.h"

namespace gui {

class TCustomForm;
class TCommonDialog;
class TPopupMenu;
class TMenuItem;

struct TResponder {
  // Acts on a modal form as a user would (setting values, pressing buttons); a form
  // left without a modal result ends with mrCancel.
  std::function<void(TCustomForm& form)> ModalForm;
  // The modal result of the button pressed in a message box.
  std::function<int(const std::string& text, const std::string& caption, int buttons, int icon)> MessageBox;
  // Whether the user accepts a file dialog (it may set the dialog's FileName first).
  std::function<bool(TCommonDialog& dialog)> FileDialog;
  // The item chosen from a popup menu, or null.
  std::function<TMenuItem*(TPopupMenu& menu)> PopupMenu;
};
// Installs a responder (not owned; null removes it) and returns the previous one.
TResponder* SetResponder(TResponder* responder);
TResponder* Responder();

// TOpenOptions bits.
enum : std::uint32_t {
  ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2, ofNoChangeDir = 1u << 3,
  ofShowHelp = 1u << 4, ofNoValidate = 1u << 5, ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7,
  ofPathMustExist = 1u << 8, ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
  ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
  ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
  ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19,
};
const rtl::TEnumInfo& OpenOptionTypeInfo();

class TCommonDialog : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  using TComponent::TComponent;
  // Shows the dialog; whether the user accepted it.
  virtual bool Execute() { return false; }
  int HelpContext() const noexcept { return FHelpContext; }
  void SetHelpContext(int v) noexcept { FHelpContext = v; }

private:
  int FHelpContext = 0;
};

class TOpenDialog : public TCommonDialog {
  RTL_CLASS_INFO

public:
  using TCommonDialog::TCommonDialog;
  bool Execute() override;
  const rtl::AnsiString& FileName() const noexcept { return FFileName; }
  void SetFileName(const rtl::AnsiString& v) { FFileName = v; }
  const rtl::AnsiString& Filter() const noexcept { return FFilter; }
  void SetFilter(const rtl::AnsiString& v) { FFilter = v; }
  int FilterIndex() const noexcept { return FFilterIndex; }
  void SetFilterIndex(int v) noexcept { FFilterIndex = v; }
  const rtl::AnsiString& InitialDir() const noexcept { return FInitialDir; }
  void SetInitialDir(const rtl::AnsiString& v) { FInitialDir = v; }
  const rtl::AnsiString& DefaultExt() const noexcept { return FDefaultExt; }
  void SetDefaultExt(const rtl::AnsiString& v) { FDefaultExt = v; }
  const rtl::AnsiString& Title() const noexcept { return FTitle; }
  void SetTitle(const rtl::AnsiString& v) { FTitle = v; }
  std::uint32_t Options() const noexcept { return FOptions; }
  void SetOptions(std::uint32_t v) noexcept { FOptions = v; }
  virtual bool IsSave() const { return false; }

private:
  rtl::AnsiString FFileName, FFilter, FInitialDir, FDefaultExt, FTitle;
  int FFilterIndex = 1;
  std::uint32_t FOptions = ofHideReadOnly | ofEnableSizing;
};

class TSaveDialog : public TOpenDialog {
  RTL_CLASS_INFO

public:
  using TOpenDialog::TOpenDialog;
  bool IsSave() const override { return true; }
};

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
const rtl::TEnumInfo& MsgDlgTypeTypeInfo();
// TMsgDlgButtons bits.
enum : std::uint32_t {
  mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64, mbAll = 128,
  mbNoToAll = 256, mbYesToAll = 512, mbHelp = 1024,
};
const rtl::TEnumInfo& MsgDlgBtnTypeInfo();

// A message box with the icon of its type and the system button set closest to the
// buttons asked for; the modal result of the button pressed.
int MessageDlg(const std::string& text, TMsgDlgType type, std::uint32_t buttons, int helpContext);
// The same with a title of the caller's (an empty one: the type's own).
int MessageDlgTitled(const std::string& text, const std::string& title, TMsgDlgType type, std::uint32_t buttons);
void ShowMessage(const std::string& text);
// A small form that asks for one text; whether the user pressed OK (value then holds
// the text).
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);

}  // namespace gui
