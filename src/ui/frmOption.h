// TfrmOption: the options dialog of one configuration. The user picks the script's
// language, writes or loads the script in the highlighting editor, browses and
// searches the tree of functions a script can call (pasting them into the script) and
// checks that the script compiles. The dialog is owned by the module; it reads and
// stores its settings through the module's "Properties" list and reaches the script
// engine only through the module events "GetFuncList" and "CheckCode".
#pragma once

#include <string>

#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "ui/ShellLink.h"
#include "ui/fsSyntaxMemo.h"

namespace orb {
class TorbPlugin;
}

namespace ui {

class TfrmOption : public gui::TForm {
  RTL_CLASS_INFO

public:
  // Owner: the module whose options are shown.
  explicit TfrmOption(rtl::TComponent* owner);

  // The tree's images: a function, and the root and its categories.
  static constexpr int FunctionImage = 1, CategoryImage = 3;
  // How long the status line stays, in milliseconds.
  static constexpr std::uint32_t StatusMs = 5000;

  gui::TPanel* panTop = nullptr;
  gui::TLabel* lblScriptType = nullptr;
  gui::TComboBox* comboType = nullptr;
  TShellLink* lnkSample = nullptr;
  gui::TButton* btnLoad = nullptr;
  gui::TButton* btnSave = nullptr;
  gui::TPanel* pBot = nullptr;  // "__pBot"
  gui::TButton* btnCheck = nullptr;
  gui::TPanel* panRight = nullptr;
  gui::TPanel* panTop2 = nullptr;
  gui::TEdit* edtSearch = nullptr;
  gui::TSpeedButton* btnSearch = nullptr;
  gui::TTreeView* fsTree1 = nullptr;
  gui::TSplitter* splR = nullptr;
  gui::TPanel* panLeft = nullptr;
  TfsSyntaxMemo* edtExpr = nullptr;
  gui::TLabel* lblStatus = nullptr;
  gui::TOpenDialog* OpenDialog1 = nullptr;
  gui::TSaveDialog* SaveDialog1 = nullptr;
  gui::TPopupMenu* popupTree = nullptr;
  gui::TMenuItem *pmPaste = nullptr, *sep1 = nullptr, *pmCopy = nullptr, *pmCopyAll = nullptr;
  gui::TImageList* ImageList1 = nullptr;
  gui::TTimer* Status = nullptr;
  gui::TPopupMenu* PopupMenu1 = nullptr;
  gui::TMenuItem *MsgCompOK = nullptr, *MsgPlsCheck = nullptr, *FilterFiles = nullptr, *MsgDiscard = nullptr;

  gui::TButton* FBtnOK = nullptr;
  gui::TButton* FBtnCancel = nullptr;
  bool FScriptOK = false;
  // The script as the dialog opened with it: closing without OK after a change asks.
  std::string FShownScript;

  // The handlers.
  void FormCreate(rtl::TObject* Sender);
  void FormShow(rtl::TObject* Sender);
  void comboTypeChange(rtl::TObject* Sender);
  void btnLoadClick(rtl::TObject* Sender);
  void btnSaveClick(rtl::TObject* Sender);
  void btnCheckClick(rtl::TObject* Sender);
  void btnOKClick(rtl::TObject* Sender);
  void edtExprChange(rtl::TObject* Sender);
  // Every change typed in the editor: the error's mark and message go.
  void edtExprEdited(rtl::TObject* Sender);
  void FormCloseQuery(rtl::TObject* Sender, bool& CanClose);
  void pmPasteClick(rtl::TObject* Sender);
  void pmCopyClick(rtl::TObject* Sender);
  void pmCopyAllClick(rtl::TObject* Sender);
  void fsTree1DblClick(rtl::TObject* Sender);
  void panTop2Resize(rtl::TObject* Sender);
  void lnkSampleClick(rtl::TObject* Sender);
  void edtSearchKeyUp(rtl::TObject* Sender, std::uint16_t& Key, gui::TShiftState Shift);
  void btnSearchClick(rtl::TObject* Sender);
  void StatusTimer(rtl::TObject* Sender);

  // The shared operations.
  void PrepareFileDialog(gui::TOpenDialog* Dialog);
  // The status line, for StatusMs or, with UntilEdited, until the script is edited.
  void ShowStatus(const std::string& Text, bool UntilEdited = false);
  void SearchTree(bool FromSelected);
  // The outline of a node and its children, two more blanks per level.
  static std::string NodeOutline(const gui::TTreeNode* Node, int Depth = 0);
  // The folder of samples beside the library.
  std::string SamplesFolder() const;

protected:
  void InitializeForm() override;

private:
  orb::TorbPlugin* Module() const;
  void FillImages();
};

}  // namespace ui
