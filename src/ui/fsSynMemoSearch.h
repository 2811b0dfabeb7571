// TfsSynMemoSearch: the editor's small search dialog (Ctrl+F).
#pragma once

#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace ui {

class TfsSynMemoSearch : public gui::TForm {
  RTL_CLASS_INFO

public:
  using TForm::TForm;
  gui::TLabel* Label1 = nullptr;
  gui::TEdit* Edit1 = nullptr;
  gui::TButton* Search = nullptr;
  gui::TButton* Button1 = nullptr;

protected:
  void InitializeForm() override;

private:
  void FormKeyPress(rtl::TObject* sender, char& key);
};

}  // namespace ui
