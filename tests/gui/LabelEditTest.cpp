// In-place editing of tree node texts and list item captions: started by code, the
// edit box worked as the user works it (on Windows the real edit box the control shows,
// through window messages), confirmed, cancelled, or left; refused where no user could
// edit.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "gui/GuiTestSupport.h"
#include "gui/ListView.h"
#include "gui/StdCtrls.h"

using namespace gui;

namespace {

struct EditForm {
  rtl::TObjectPtr<TForm> Form = rtl::MakeObject<TForm>();
  TButton* Other = new TButton(Form.get());
  EditForm() {
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    Other->SetParent(Form.get());
    Other->SetBounds(320, 260, 75, 25);
  }
  ~EditForm() {
    if (Form) Form->Hide();
  }
  void Show() {
    Form->Show();
    Application()->ProcessMessages();
  }
  template <class T>
  T* Place() {
    auto* c = new T(Form.get());
    c->SetParent(Form.get());
    c->SetBounds(10, 10, 300, 200);
    return c;
  }
};

// The text of the open label edit box; "(none)" when none is open.
std::string Box(TWinControl& view) {
  std::string text;
  return platform::LabelEditText(*view.Peer(), text) ? text : "(none)";
}

// Replaces the text in the open edit box and ends it with Enter or Escape.
void Answer(TWinControl& view, const std::string& text, bool confirm) {
  ASSERT_TRUE(platform::SetLabelEditText(*view.Peer(), text));
  ASSERT_TRUE(platform::EndLabelEdit(*view.Peer(), confirm));
  Application()->ProcessMessages();
}

}  // namespace

TEST(LabelEdit, TreeNodeTextIsConfirmedCancelledOrKeptOnLeaving) {
  EditForm f;
  auto* tree = f.Place<TTreeView>();
  tree->Items()->LoadFromText("Sensors\n\tdepth\n\tspeed\nLog");
  TTreeNode* sensors = tree->Items()->Item(0);
  TTreeNode* depth = tree->Items()->Item(1);
  TTreeNode* log = tree->Items()->Item(3);
  sensors->Expand(false);
  f.Show();

  ASSERT_TRUE(depth->EditText());
  EXPECT_EQ(Box(*tree), "depth");
  EXPECT_EQ(tree->Selected(), depth);  // the node edited is the selected one
  Answer(*tree, "pressure", true);
  EXPECT_EQ(depth->Text(), "pressure");
  EXPECT_EQ(Box(*tree), "(none)");

  ASSERT_TRUE(log->EditText());
  Answer(*tree, "discarded", false);
  EXPECT_EQ(log->Text(), "Log");

  // Leaving the box for another control keeps what was typed.
  ASSERT_TRUE(sensors->EditText());
  ASSERT_TRUE(platform::SetLabelEditText(*tree->Peer(), "Probes"));
  f.Other->SetFocus();
  Application()->ProcessMessages();
  EXPECT_EQ(sensors->Text(), "Probes");
  EXPECT_EQ(Box(*tree), "(none)");

  // The window's label is the kept text too: a new edit box starts from it.
  ASSERT_TRUE(depth->EditText());
  EXPECT_EQ(Box(*tree), "pressure");
  Answer(*tree, "pressure", false);

  // A node deleted while its text is being edited takes the edit box with it.
  TTreeNode* speed = tree->Items()->Item(2);
  ASSERT_TRUE(speed->EditText());
  speed->Delete();
  if (Box(*tree) != "(none)") Answer(*tree, "late", true);
  EXPECT_EQ(tree->Items()->Count(), 3);
  EXPECT_EQ(depth->Text(), "pressure");
}

TEST(LabelEdit, TreeRefusesWhenReadOnlyUnshownOrWithoutView) {
  EditForm f;
  auto* tree = f.Place<TTreeView>();
  TTreeNode* node = tree->Items()->Add(nullptr, "depth");
  EXPECT_FALSE(node->EditText());  // not shown: no window anybody sees
  f.Show();
  tree->SetReadOnly(true);
  EXPECT_FALSE(node->EditText());
  EXPECT_EQ(Box(*tree), "(none)");
  tree->SetReadOnly(false);
  EXPECT_TRUE(node->EditText());
  Answer(*tree, "speed", true);
  EXPECT_EQ(node->Text(), "speed");

  auto loose = rtl::MakeObject<TTreeNodes>();
  EXPECT_FALSE(loose->Add(nullptr, "alone")->EditText());
}

TEST(LabelEdit, ListItemCaptionFollowsItsItemThroughSorting) {
  EditForm f;
  auto* view = f.Place<TListView>();
  view->SetViewStyle(vsReport);
  view->Columns()->Add()->SetCaption("Name");
  view->SetSortType(stText);
  for (const char* name : {"speed", "depth", "heading"}) view->Items()->Add()->SetCaption(name);
  f.Show();
  TListItem* speed = view->Items()->Item(2);
  ASSERT_EQ(speed->Caption(), "speed");

  ASSERT_TRUE(speed->EditCaption());
  EXPECT_EQ(Box(*view), "speed");
  EXPECT_EQ(view->Selected(), speed);
  Answer(*view, "altitude", true);
  // The new caption sorts the item first; the window shows the items in that order.
  EXPECT_EQ(speed->Caption(), "altitude");
  EXPECT_EQ(view->Items()->Item(0), speed);
  EXPECT_EQ(Box(*view), "(none)");
  ASSERT_TRUE(view->Items()->Item(1)->EditCaption());
  EXPECT_EQ(Box(*view), "depth");
  Answer(*view, "zero", false);
  EXPECT_EQ(view->Items()->Item(1)->Caption(), "depth");

  // Leaving the box for another control keeps what was typed.
  TListItem* heading = view->Items()->Item(2);
  ASSERT_TRUE(heading->EditCaption());
  ASSERT_TRUE(platform::SetLabelEditText(*view->Peer(), "course"));
  f.Other->SetFocus();
  Application()->ProcessMessages();
  EXPECT_EQ(heading->Caption(), "course");

  // An item deleted while being edited is not brought back by the edit's end.
  ASSERT_TRUE(speed->EditCaption());
  view->Items()->Delete(0);
  if (Box(*view) != "(none)") Answer(*view, "late", true);
  ASSERT_EQ(view->Items()->Count(), 2);
  EXPECT_EQ(view->Items()->Item(0)->Caption(), "course");
  EXPECT_EQ(view->Items()->Item(1)->Caption(), "depth");
}

TEST(LabelEdit, ListRefusesWhenReadOnlyUnshownOrWithoutView) {
  EditForm f;
  auto* view = f.Place<TListView>();
  TListItem* item = view->Items()->Add();
  item->SetCaption("depth");
  EXPECT_FALSE(item->EditCaption());  // not shown
  f.Show();
  view->SetReadOnly(true);
  EXPECT_FALSE(item->EditCaption());
  EXPECT_EQ(Box(*view), "(none)");
  view->SetReadOnly(false);
  ASSERT_TRUE(item->EditCaption());
  Answer(*view, "speed", true);
  EXPECT_EQ(item->Caption(), "speed");

  auto loose = rtl::MakeObject<TListItems>();
  EXPECT_FALSE(loose->Add()->EditCaption());
}

TEST(LabelEdit, KeysGoToTheHeadlessEditBox) {
  if (platform::HasDisplay()) GTEST_SKIP() << "the system's edit box takes the real keyboard here";
  EditForm f;
  auto* tree = f.Place<TTreeView>();
  TTreeNode* node = tree->Items()->Add(nullptr, "dept");
  int keys = 0;
  tree->SetOnKeyDown([&](rtl::TObject*, std::uint16_t&, TShiftState) { ++keys; });
  f.Show();
  ASSERT_TRUE(node->EditText());
  guitest::Type(*tree, "x");
  guitest::Key(*tree, VK_BACK, 0, '\b');
  guitest::Type(*tree, "h m");
  EXPECT_EQ(Box(*tree), "depth m");
  guitest::Key(*tree, VK_RETURN, 0, '\r');
  EXPECT_EQ(node->Text(), "depth m");
  ASSERT_TRUE(node->EditText());
  guitest::Type(*tree, "x");
  guitest::Key(*tree, VK_ESCAPE);
  EXPECT_EQ(node->Text(), "depth m");
  EXPECT_EQ(keys, 0);  // the box's keys are not the tree's
}

TEST(LabelEdit, UsersClickOnTheSelectedLabelEditsItUnlessReadOnly) {
  if (!platform::HasDisplay()) GTEST_SKIP() << "the headless list view has no click-to-edit of its own";
  EditForm f;
  auto* view = f.Place<TListView>();
  view->SetViewStyle(vsList);
  TListItem* item = view->Items()->Add();
  item->SetCaption("depth");
  f.Show();
  // A second click on the selected item's label edits it once the double-click time
  // has passed without another click.
  const auto clickAndWait = [&] {
    view->SetItemIndex(0);
    view->SetFocus();
    guitest::Mouse(*view, platform::UserInput::MouseDown, 12, 6);
    guitest::Mouse(*view, platform::UserInput::MouseUp, 12, 6);
    for (int i = 0; i < 100 && Box(*view) == "(none)"; ++i) {
      Application()->ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  };
  view->SetReadOnly(true);
  clickAndWait();
  EXPECT_EQ(Box(*view), "(none)");
  view->SetReadOnly(false);
  clickAndWait();
  EXPECT_EQ(Box(*view), "depth");
  Answer(*view, "speed", true);
  EXPECT_EQ(item->Caption(), "speed");
}

TEST(LabelEdit, ViewsFreedWhileEditingTakeTheirEditBoxesQuietly) {
  for (const bool freeForm : {false, true}) {
    EditForm f;
    auto* tree = f.Place<TTreeView>();
    TTreeNode* node = tree->Items()->Add(nullptr, "depth");
    auto* view = f.Place<TListView>();
    view->SetLeft(320);
    view->Items()->Add()->SetCaption("speed");
    f.Show();
    ASSERT_TRUE(node->EditText());
    ASSERT_TRUE(platform::SetLabelEditText(*tree->Peer(), "lost"));
    // The tree's box is left for the list's: that keeps the tree's text.
    ASSERT_TRUE(view->Items()->Item(0)->EditCaption());
    EXPECT_EQ(node->Text(), "lost");
    ASSERT_TRUE(platform::SetLabelEditText(*view->Peer(), "gone"));
    if (freeForm) {
      f.Form.reset();
    } else {
      rtl::FreeObject(view);
      rtl::FreeObject(tree);
      Application()->ProcessMessages();
    }
  }
}
