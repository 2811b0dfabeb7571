// Focus, tab order, key preview, dialog keys, modal results, close queries, timers,
// menus and dialogs.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "gui/Clipbrd.h"
#include "gui/ComCtrls.h"
#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/GuiErrors.h"
#include "gui/ImgList.h"
#include "gui/GuiTestSupport.h"
#include "gui/Menus.h"

using namespace gui;

namespace {

struct DialogForm : TForm {
  using TForm::TForm;
  TEdit *First = nullptr, *Second = nullptr;
  TCheckBox* Check = nullptr;
  TButton *Ok = nullptr, *Cancel = nullptr;

protected:
  void InitializeForm() override {
    SetClientWidth(300);
    SetClientHeight(120);
    SetPosition(poScreenCenter);
    Second = Edit(10, 40);  // made first, but second in the tab order
    First = Edit(10, 10);
    First->SetTabOrder(0);
    Check = new TCheckBox(this);
    Check->SetParent(this);
    Check->SetBounds(10, 70, 100, 17);
    Check->SetCaption("Check");
    Ok = Button("OK", 130, mrOk);
    Ok->SetDefault(true);
    Cancel = Button("Cancel", 215, mrCancel);
    Cancel->SetCancel(true);
    SetActiveControl(First);
  }
  TEdit* Edit(int l, int t) {
    auto* e = new TEdit(this);
    e->SetParent(this);
    e->SetBounds(l, t, 200, 21);
    return e;
  }
  TButton* Button(const char* caption, int l, int mr) {
    auto* b = new TButton(this);
    b->SetParent(this);
    b->SetBounds(l, 90, 75, 25);
    b->SetCaption(caption);
    b->SetModalResult(mr);
    return b;
  }
};

// Plays the user of a modal form: on the headless build as the responder, on
// Windows from a timer inside the modal loop.
struct ModalDriver {
  TResponder Responder;
  TResponder* Previous;
  rtl::TObjectPtr<TTimer> Timer = rtl::MakeObject<TTimer>();
  std::function<void(TCustomForm&)> Act;
  TCustomForm* Form = nullptr;

  explicit ModalDriver(TCustomForm& form, std::function<void(TCustomForm&)> act) : Act(std::move(act)), Form(&form) {
    Responder.ModalForm = [this](TCustomForm& f) { Act(f); };
    Previous = SetResponder(&Responder);
    Timer->SetEnabled(false);
    Timer->SetInterval(50);
    Timer->SetOnTimer([this](rtl::TObject*) {
      Timer->SetEnabled(false);
      Act(*Form);
    });
    if (platform::HasDisplay()) Timer->SetEnabled(true);
  }
  ~ModalDriver() { SetResponder(Previous); }
};

}  // namespace

TEST(Forms, TabOrderMovesTheFocus) {
  auto form = rtl::MakeObject<DialogForm>();
  form->Show();
  EXPECT_TRUE(form->First->Focused());
  guitest::Key(*form->First, VK_TAB);
  EXPECT_TRUE(form->Second->Focused());
  EXPECT_EQ(form->ActiveControl(), form->Second);
  guitest::Key(*form->Second, VK_TAB);
  EXPECT_TRUE(form->Check->Focused());
  guitest::Key(*form->Check, VK_TAB, ssShift);
  EXPECT_TRUE(form->Second->Focused());
  // Disabled controls are skipped.
  form->Check->SetEnabled(false);
  guitest::Key(*form->Second, VK_TAB);
  EXPECT_TRUE(form->Ok->Focused());
  form->Hide();
}

TEST(Forms, KeyPreviewSeesKeysFirst) {
  auto form = rtl::MakeObject<DialogForm>();
  form->Show();
  std::string seen;
  form->SetKeyPreview(true);
  form->SetOnKeyPress([&](rtl::TObject*, char& key) {
    seen += "form:" + std::string(1, key) + " ";
    if (key == 'x') key = 0;  // swallowed
    if (key == 'a') key = 'b';
  });
  form->First->SetOnKeyPress([&](rtl::TObject*, char& key) { seen += "edit:" + std::string(1, key) + " "; });
  guitest::Type(*form->First, "axc");
  EXPECT_EQ(seen, "form:a edit:b form:x form:c edit:c ");
  form->Hide();
}

TEST(Forms, EnterAndEscapePressDefaultAndCancelButtons) {
  auto form = rtl::MakeObject<DialogForm>();
  int okClicks = 0;
  form->Ok->SetOnClick([&](rtl::TObject*) { ++okClicks; });
  ModalDriver driver(*form, [](TCustomForm& f) { guitest::Key(*static_cast<DialogForm&>(f).First, VK_RETURN); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(okClicks, 1);
  EXPECT_FALSE(form->Visible());
  driver.Act = [](TCustomForm& f) { guitest::Key(*static_cast<DialogForm&>(f).Second, VK_ESCAPE); };
  if (platform::HasDisplay()) driver.Timer->SetEnabled(true);
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST(Forms, CloseQueryAndOnCloseDecideAboutClosing) {
  auto form = rtl::MakeObject<DialogForm>();
  int queries = 0;
  form->SetOnCloseQuery([&](rtl::TObject*, bool& canClose) { canClose = ++queries > 1; });
  std::vector<TCloseAction> actions;
  form->SetOnClose([&](rtl::TObject*, TCloseAction& a) { actions.push_back(a); });
  // The first OK is refused by the close query; the form stays open until the second.
  ModalDriver driver(*form, [&](TCustomForm& f) {
    auto& d = static_cast<DialogForm&>(f);
    d.Ok->Click();
    if (!platform::HasDisplay()) {
      // The headless responder sees the refusal only through the close query it runs.
      EXPECT_FALSE(d.CloseQuery());
      d.Ok->Click();
    } else {
      driver.Timer->SetEnabled(true);
      driver.Act = [](TCustomForm& g) { static_cast<DialogForm&>(g).Ok->Click(); };
    }
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(actions, std::vector<TCloseAction>{caHide});
  // Close on a form that is not modal: hides it.
  form->Show();
  form->Close();
  EXPECT_FALSE(form->Visible());
  // A modal form that is shown already cannot be shown modally.
  form->Show();
  EXPECT_THROW(form->ShowModal(), EInvalidOperation);
  form->Hide();
}

TEST(Forms, CheckBoxesAndRadioButtonsFollowTheUser) {
  auto form = rtl::MakeObject<DialogForm>();
  int clicks = 0;
  form->Check->SetOnClick([&](rtl::TObject*) { ++clicks; });
  form->Check->SetChecked(true);
  EXPECT_TRUE(form->Check->Checked());
  EXPECT_EQ(clicks, 1);
  auto* a = new TRadioButton(form.get());
  a->SetParent(form.get());
  auto* b = new TRadioButton(form.get());
  b->SetParent(form.get());
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
}

TEST(Forms, ComboBoxItemsSelectionAndDropDown) {
  auto form = rtl::MakeObject<DialogForm>();
  auto* combo = new TComboBox(form.get());
  combo->SetParent(form.get());
  combo->SetStyle(csDropDownList);
  for (const char* s : {"PascalScript", "C++Script", "JScript", "BasicScript"}) combo->Items()->Add(s);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "JScript");
  std::string events;
  combo->SetOnDropDown([&](rtl::TObject*) { events += "down "; });
  combo->SetOnCloseUp([&](rtl::TObject*) { events += "up "; });
  form->Show();
  combo->SetDroppedDown(true);
  EXPECT_TRUE(combo->DroppedDown());
  combo->SetDroppedDown(false);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(events, "down up ");
  combo->Items()->Delete(3);
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->Items()->Clear();
  EXPECT_EQ(combo->ItemIndex(), -1);
  form->Hide();
}

TEST(Forms, TimersRunFromTheMessagePump) {
  auto timer = rtl::MakeObject<TTimer>();
  int ticks = 0;
  timer->SetInterval(20);
  timer->SetOnTimer([&](rtl::TObject*) { ++ticks; });
  for (int i = 0; i < 200 && ticks == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    Application()->ProcessMessages();
  }
  EXPECT_GE(ticks, 1);
  timer->SetEnabled(false);
  const int before = ticks;
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  Application()->ProcessMessages();
  EXPECT_EQ(ticks, before);
}

TEST(Forms, TreeNodesFromAnOutline) {
  auto form = rtl::MakeObject<DialogForm>();
  auto* tree = new TTreeView(form.get());
  tree->SetParent(form.get());
  tree->Items()->LoadFromText("Functions\n\tStrings\n\t\tfunction Copy\n\t\tfunction Pos\n\tMath\n\t\tfunction Abs\nOther");
  ASSERT_EQ(tree->Items()->Count(), 7);
  std::string order;
  for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext()) order += n->Text().str() + "/" + std::to_string(n->Level()) + " ";
  EXPECT_EQ(order, "Functions/0 Strings/1 function Copy/2 function Pos/2 Math/1 function Abs/2 Other/0 ");
  // Images by index, from an image list (artwork of the caller).
  auto* images = new TImageList(form.get());
  auto picture = rtl::MakeObject<TBitmap>();
  picture->SetSize(16, 16);
  picture->Canvas()->Brush()->SetColor(clNavy);
  picture->Canvas()->FillRect({2, 2, 14, 14});
  for (int i = 0; i < 4; ++i) images->Add(picture.get());
  tree->SetImages(images);
  for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext()) {
    n->SetImageIndex(n->HasChildren() ? 3 : 1);
    n->SetSelectedIndex(n->ImageIndex());
  }
  EXPECT_EQ(tree->Items()->Item(2)->ImageIndex(), 1);
  TTreeNode* math = tree->Items()->Item(4);
  EXPECT_EQ(math->Count(), 1);
  tree->SetSelected(math);
  EXPECT_TRUE(math->Selected());
  math->Delete();
  EXPECT_EQ(tree->Selected(), nullptr);
  EXPECT_EQ(tree->Items()->Count(), 5);
}

TEST(Forms, ClipboardAndResponderDialogs) {
  Clipboard()->SetAsText("copied text");
  EXPECT_EQ(Clipboard()->AsText(), "copied text");
  if (platform::HasDisplay()) GTEST_SKIP() << "message boxes and file dialogs wait for a real user here";
  TResponder responder;
  std::string asked;
  responder.MessageBox = [&](const std::string& text, const std::string& caption, int buttons, int) {
    asked = caption + ": " + text + " " + std::to_string(buttons);
    return mrNo;
  };
  responder.FileDialog = [](TCommonDialog& d) {
    static_cast<TOpenDialog&>(d).SetFileName("/tmp/chosen.pas");
    return true;
  };
  TResponder* old = SetResponder(&responder);
  EXPECT_EQ(MessageDlg("Save changes?", mtConfirmation, mbYes | mbNo | mbCancel, 0), mrNo);
  EXPECT_EQ(asked, "Confirmation: Save changes? 3");
  auto dialog = rtl::MakeObject<TOpenDialog>();
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), "/tmp/chosen.pas");
  SetResponder(old);
  EXPECT_FALSE(dialog->Execute());  // nobody answers: cancelled
}

TEST(Forms, PopupMenuRunsTheChosenItem) {
  if (platform::HasDisplay()) GTEST_SKIP() << "a real menu waits for a real user here";
  auto form = rtl::MakeObject<DialogForm>();
  auto* menu = new TPopupMenu(form.get());
  std::string clicked;
  for (const char* caption : {"Cut", "-", "Paste"}) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    item->SetOnClick([&clicked, item = item](rtl::TObject*) { clicked = item->Caption().str(); });
    menu->Items()->Add(item);
  }
  form->First->SetPopupMenu(menu);
  TResponder responder;
  responder.PopupMenu = [](TPopupMenu& m) { return m.Items()->Items(2); };
  TResponder* old = SetResponder(&responder);
  form->Show();
  guitest::Mouse(*form->First, platform::UserInput::MouseDown, 5, 5, 0, platform::MouseButton::Right);
  guitest::Mouse(*form->First, platform::UserInput::MouseUp, 5, 5, 0, platform::MouseButton::Right);
  EXPECT_EQ(clicked, "Paste");
  SetResponder(old);
  form->Hide();
}

TEST(Forms, AltWithAMarkedLetterPressesItsButton) {
  auto form = rtl::MakeObject<DialogForm>();
  form->Ok->SetCaption("Fish && &Chips");
  int clicks = 0;
  form->Ok->SetOnClick([&](rtl::TObject*) { ++clicks; });
  ModalDriver driver(*form, [&](TCustomForm& f) {
    auto& d = static_cast<DialogForm&>(f);
    // "&&" is an ampersand, not a mark; a letter no caption marks does nothing.
    guitest::Key(*d.First, 'F', ssAlt);
    guitest::Key(*d.First, 'X', ssAlt);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(d.ModalResult(), mrNone);
    guitest::Key(*d.First, 'C', ssAlt);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(clicks, 1);
}

// The tree as the user works it with real clicks: the right button selects the node
// under the pointer (before a context menu opens), and a double click is one.
TEST(Forms, TreeRightClickSelectsAndDoubleClickCountsOnce) {
  auto form = rtl::MakeObject<DialogForm>();
  auto* tree = new TTreeView(form.get());
  tree->SetParent(form.get());
  tree->SetBounds(0, 0, 300, 120);
  tree->SetReadOnly(true);
  tree->Items()->LoadFromText("Strings\n\tAnsiLeftStr\n\tAnsiMidStr\n\tAnsiRightStr");
  tree->Items()->GetFirstNode()->SetExpanded(true);
  int doubleClicks = 0;
  tree->SetOnDblClick([&](rtl::TObject*) { ++doubleClicks; });
  form->Show();
  TTreeNode* left = tree->Items()->Item(1);
  TTreeNode* mid = tree->Items()->Item(2);
  tree->SetSelected(left);
  const TRect r = mid->DisplayRect();
  ASSERT_GT(r.Right, r.Left);
  EXPECT_EQ(tree->GetNodeAt(r.Left + 2, (r.Top + r.Bottom) / 2), mid);
  EXPECT_EQ(tree->GetNodeAt(r.Left + 2, 119), nullptr);
  guitest::Mouse(*tree, platform::UserInput::Click, r.Left + 2, (r.Top + r.Bottom) / 2, 0, platform::MouseButton::Right);
  EXPECT_EQ(tree->Selected(), mid);
  const TRect l = left->DisplayRect();
  guitest::Mouse(*tree, platform::UserInput::DblClick, l.Left + 2, (l.Top + l.Bottom) / 2);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(tree->Selected(), left);
  form->Hide();
}
