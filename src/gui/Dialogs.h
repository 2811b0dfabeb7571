// The common file dialogs, message dialogs and input boxes, and the responder that
// answers them (and modal forms and popup menus) where no display exists: a test or a
// command-line tool installs one and plays the user.
#pragma once

#include <functional>
#include <string>

#include "gui/Graphics.h"
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
  // Whether the user accepts a common dialog: file, colour, font, print or printer
  // set-up (it may set the dialog's values first: FileName, Color, Font, Copies ...).
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

// TColorDialogOptions bits.
enum : std::uint32_t { cdFullOpen = 1, cdPreventFullOpen = 2, cdShowHelp = 4, cdSolidColor = 8, cdAnyColor = 16 };
const rtl::TEnumInfo& ColorDialogOptionTypeInfo();

class TColorDialog : public TCommonDialog {
  RTL_CLASS_INFO

public:
  using TCommonDialog::TCommonDialog;
  bool Execute() override;
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor v) noexcept { FColor = v; }
  std::uint32_t Options() const noexcept { return FOptions; }
  void SetOptions(std::uint32_t v) noexcept { FOptions = v; }

private:
  TColor FColor = clBlack;
  std::uint32_t FOptions = 0;
  // The custom colours the user mixed, kept for the next time.
  platform::RgbColor FCustom[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};

// TFontDialogOptions bits.
enum : std::uint32_t {
  fdAnsiOnly = 1u << 0, fdTrueTypeOnly = 1u << 1, fdEffects = 1u << 2, fdFixedPitchOnly = 1u << 3,
  fdForceFontExist = 1u << 4, fdNoFaceSel = 1u << 5, fdNoOEMFonts = 1u << 6, fdNoSimulations = 1u << 7,
  fdNoSizeSel = 1u << 8, fdNoStyleSel = 1u << 9, fdNoVectorFonts = 1u << 10, fdShowHelp = 1u << 11,
  fdWysiwyg = 1u << 12, fdLimitSize = 1u << 13, fdScalableOnly = 1u << 14, fdApplyButton = 1u << 15,
};
const rtl::TEnumInfo& FontDialogOptionTypeInfo();
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
const rtl::TEnumInfo& FontDialogDeviceTypeInfo();

class TFontDialog : public TCommonDialog {
  RTL_CLASS_INFO

public:
  explicit TFontDialog(rtl::TComponent* owner = nullptr);
  ~TFontDialog() override;
  bool Execute() override;
  TFont* Font() const noexcept { return FFont; }
  void SetFont(TFont* v) { FFont->Assign(v); }
  TFontDialogDevice Device() const noexcept { return FDevice; }
  void SetDevice(TFontDialogDevice v) noexcept { FDevice = v; }
  int MinFontSize() const noexcept { return FMinFontSize; }
  void SetMinFontSize(int v) noexcept { FMinFontSize = v; }
  int MaxFontSize() const noexcept { return FMaxFontSize; }
  void SetMaxFontSize(int v) noexcept { FMaxFontSize = v; }
  std::uint32_t Options() const noexcept { return FOptions; }
  void SetOptions(std::uint32_t v) noexcept { FOptions = v; }

private:
  TFont* FFont;
  TFontDialogDevice FDevice = fdScreen;
  int FMinFontSize = 0, FMaxFontSize = 0;
  std::uint32_t FOptions = fdEffects;
};

// TPrintDialogOptions bits.
enum : std::uint32_t {
  poPrintToFile = 1, poPageNums = 2, poSelection = 4, poWarning = 8, poHelp = 16, poDisablePrintToFile = 32,
};
const rtl::TEnumInfo& PrintDialogOptionTypeInfo();
enum TPrintRange { prAllPages, prSelection, prPageNums };
const rtl::TEnumInfo& PrintRangeTypeInfo();

class TPrintDialog : public TCommonDialog {
  RTL_CLASS_INFO

public:
  using TCommonDialog::TCommonDialog;
  bool Execute() override;
  bool Collate() const noexcept { return FCollate; }
  void SetCollate(bool v) noexcept { FCollate = v; }
  int Copies() const noexcept { return FCopies; }
  void SetCopies(int v) noexcept { FCopies = v < 1 ? 1 : v; }
  int FromPage() const noexcept { return FFromPage; }
  void SetFromPage(int v) noexcept { FFromPage = v; }
  int ToPage() const noexcept { return FToPage; }
  void SetToPage(int v) noexcept { FToPage = v; }
  int MinPage() const noexcept { return FMinPage; }
  void SetMinPage(int v) noexcept { FMinPage = v; }
  int MaxPage() const noexcept { return FMaxPage; }
  void SetMaxPage(int v) noexcept { FMaxPage = v; }
  std::uint32_t Options() const noexcept { return FOptions; }
  void SetOptions(std::uint32_t v) noexcept { FOptions = v; }
  TPrintRange PrintRange() const noexcept { return FPrintRange; }
  void SetPrintRange(TPrintRange v) noexcept { FPrintRange = v; }
  bool PrintToFile() const noexcept { return FPrintToFile; }
  void SetPrintToFile(bool v) noexcept { FPrintToFile = v; }

private:
  bool FCollate = false;
  int FCopies = 1;
  int FFromPage = 0, FToPage = 0, FMinPage = 0, FMaxPage = 0;
  std::uint32_t FOptions = 0;
  TPrintRange FPrintRange = prAllPages;
  bool FPrintToFile = false;
};

class TPrinterSetupDialog : public TCommonDialog {
  RTL_CLASS_INFO

public:
  using TCommonDialog::TCommonDialog;
  bool Execute() override;
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
