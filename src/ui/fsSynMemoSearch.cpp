#include "ui/fsSynMemoSearch.h"

#include "ui/fsSynMemoTexts.h"

namespace ui {

using rtl::TClassBuilder;
using rtl::TClassInfo;

const TClassInfo& TfsSynMemoSearch::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfsSynMemoSearch>("TfsSynMemoSearch", &gui::TForm::StaticClassInfo())
                                     .Property("Label1", [](TfsSynMemoSearch& f) { return f.Label1; })
                                     .Property("Edit1", [](TfsSynMemoSearch& f) { return f.Edit1; })
                                     .Property("Search", [](TfsSynMemoSearch& f) { return f.Search; })
                                     .Property("Button1", [](TfsSynMemoSearch& f) { return f.Button1; });
  return info;
}

void TfsSynMemoSearch::InitializeForm() {
  SetCaption(memotexts::SearchCaption);
  SetBorderStyle(gui::bsToolWindow);
  SetPosition(gui::poScreenCenter);
  Font()->SetName("Tahoma");
  Font()->SetHeight(-11);
  SetClientWidth(243);
  SetClientHeight(50);
  SetKeyPreview(true);
  Label1 = new gui::TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetAutoSize(false);
  Label1->SetBounds(6, 7, 69, 13);
  Label1->SetCaption(memotexts::TextToFind);
  Edit1 = new gui::TEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(80, 4, 156, 21);
  Search = new gui::TButton(this);
  Search->SetName("Search");
  Search->SetParent(this);
  Search->SetBounds(111, 31, 58, 17);
  Search->SetCaption(memotexts::SearchButton);
  Search->SetModalResult(gui::mrOk);
  Button1 = new gui::TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(175, 31, 61, 17);
  Button1->SetCaption(memotexts::CancelButton);
  Button1->SetModalResult(gui::mrCancel);
  Button1->SetCancel(true);
  SetActiveControl(Edit1);
  SetOnKeyPress([this](rtl::TObject* sender, char& key) { FormKeyPress(sender, key); });
}

void TfsSynMemoSearch::FormKeyPress(rtl::TObject*, char& key) {
  if (key == '\r') {
    SetModalResult(gui::mrOk);
    key = 0;
  }
}

}  // namespace ui
