// The further controls: what the user does to track bars, tabs, list views and check
// list boxes (keys delivered as the platform delivers them), the toolkit's own rules
// for pages, groups, ranges, dates and pictures, and on Windows a picture of a form that
// shows them all.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gui/Buttons.h"
#include "gui/CheckLst.h"
#include "gui/ComCtrls.h"
#include "gui/DateTimePicker.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/GuiErrors.h"
#include "gui/GuiTestSupport.h"
#include "gui/ListView.h"
#include "gui/PageControl.h"
#include "gui/RichEdit.h"
#include "gui/StatusBar.h"
#include "gui/ToolBar.h"
#include "gui/TrackBar.h"

using namespace gui;

namespace {

template <class T>
T* Place(TWinControl* parent, int l, int t, int w, int h) {
  auto* c = new T(parent);
  c->SetParent(parent);
  c->SetBounds(l, t, w, h);
  return c;
}

struct ShownForm {
  rtl::TObjectPtr<TForm> Form = rtl::MakeObject<TForm>();
  ShownForm() {
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
  }
  ~ShownForm() { Form->Hide(); }
  void Show() {
    Form->Show();
    Application()->ProcessMessages();
  }
};

}  // namespace

TEST(ExtControls, TrackBarFollowsTheKeysWithinItsRange) {
  ShownForm f;
  auto* bar = Place<TTrackBar>(f.Form.get(), 10, 10, 200, 40);
  bar->SetMax(10);
  bar->SetPosition(4);
  int changes = 0;
  bar->SetOnChange([&](rtl::TObject*) { ++changes; });
  f.Show();
  bar->SetFocus();
  guitest::Key(*bar, VK_RIGHT);
  EXPECT_EQ(bar->Position(), 5);
  EXPECT_EQ(bar->Peer()->Position(), 5);
  guitest::Key(*bar, VK_END);
  EXPECT_EQ(bar->Position(), 10);
  guitest::Key(*bar, VK_RIGHT);  // already at the end
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_EQ(changes, 2);
  // The range keeps the position inside, and the window follows the code.
  bar->SetMax(6);
  EXPECT_EQ(bar->Position(), 6);
  EXPECT_EQ(bar->Peer()->Position(), 6);
  bar->SetMin(8);
  EXPECT_EQ(bar->Max(), 8);
  EXPECT_EQ(bar->Position(), 8);
}

TEST(ExtControls, PageControlChangesPagesByTabsAndCanRefuse) {
  ShownForm f;
  auto* pages = Place<TPageControl>(f.Form.get(), 10, 10, 300, 200);
  TTabSheet* sheets[3];
  const char* captions[] = {"General", "Columns", "Log"};
  for (int i = 0; i < 3; ++i) {
    sheets[i] = new TTabSheet(f.Form.get());
    sheets[i]->SetCaption(captions[i]);
    sheets[i]->SetPageControl(pages);
  }
  auto* edit = new TEdit(f.Form.get());
  edit->SetParent(sheets[1]);
  std::string log;
  bool allow = true;
  pages->SetOnChanging([&](rtl::TObject*, bool& a) { a = allow; log += "changing "; });
  pages->SetOnChange([&](rtl::TObject*) { log += "change:" + pages->ActivePage()->Caption().str() + " "; });
  f.Show();
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_TRUE(sheets[0]->Showing());
  EXPECT_FALSE(sheets[1]->Showing());
  // The sheet fills the area below the tabs.
  const TRect area = pages->DisplayRect();
  EXPECT_EQ(sheets[0]->Left(), area.Left);
  EXPECT_EQ(sheets[0]->Top(), area.Top);
  EXPECT_EQ(sheets[0]->Width(), area.Width());
  EXPECT_GT(area.Top, 10);
  pages->SetFocus();
  guitest::Key(*pages, VK_RIGHT);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_TRUE(edit->Showing());
  EXPECT_FALSE(sheets[0]->Showing());
  EXPECT_EQ(pages->Peer()->ItemIndex(), 1);
  allow = false;
  guitest::Key(*pages, VK_RIGHT);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_EQ(pages->Peer()->ItemIndex(), 1);
  EXPECT_EQ(log, "changing change:Columns changing ");
  // A hidden tab is skipped, and the tabs follow the captions.
  allow = true;
  sheets[2]->SetTabVisible(false);
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  sheets[2]->SetTabVisible(true);
  sheets[2]->SetPageIndex(0);
  EXPECT_EQ(sheets[2]->TabIndex(), 0);
  EXPECT_EQ(pages->Peer()->ItemIndex(), 1);
  // A freed sheet leaves the control, which shows the next one.
  rtl::FreeObject(sheets[0]);
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
}

TEST(ExtControls, ListViewSelectionAndChecksFollowTheUser) {
  ShownForm f;
  auto* view = Place<TListView>(f.Form.get(), 10, 10, 300, 200);
  view->SetViewStyle(vsReport);
  view->SetCheckboxes(true);
  view->Columns()->Add()->SetCaption("Name");
  view->Columns()->Add()->SetCaption("Value");
  for (const char* name : {"speed", "depth", "heading"}) {
    TListItem* item = view->Items()->Add();
    item->SetCaption(name);
    item->SubItems()->Add("1");
  }
  std::string log;
  view->SetOnSelectItem([&](rtl::TObject*, TListItem* item, bool selected) {
    log += item->Caption().str() + (selected ? "+ " : "- ");
  });
  f.Show();
  view->SetItemIndex(0);
  view->SetFocus();
  guitest::Key(*view, VK_DOWN);
  EXPECT_EQ(view->ItemIndex(), 1);
  EXPECT_EQ(view->Selected()->Caption(), "depth");
  EXPECT_EQ(log, "speed+ speed- depth+ ");
  view->Items()->Item(2)->SetChecked(true);
  EXPECT_TRUE(view->Peer()->ItemChecked(2));
  EXPECT_FALSE(view->Peer()->ItemChecked(1));
  // Deleting the selected item leaves no selection behind.
  view->Items()->Delete(1);
  EXPECT_EQ(view->Selected(), nullptr);
  EXPECT_EQ(view->Items()->Count(), 2);
  EXPECT_TRUE(view->Peer()->ItemChecked(1));
  EXPECT_THROW(view->Items()->Item(2), rtl::EListError);
}

TEST(ExtControls, CheckListBoxTogglesWithSpaceAndKeepsStatesWithTheirLines) {
  ShownForm f;
  auto* list = Place<TCheckListBox>(f.Form.get(), 10, 10, 200, 120);
  for (const char* s : {"delta", "alpha", "charlie", "bravo"}) list->Items()->Add(s);
  list->SetChecked(0, true);
  list->SetChecked(2, true);
  int clicks = 0;
  list->SetOnClickCheck([&](rtl::TObject*) { ++clicks; });
  f.Show();
  list->SetItemIndex(1);
  list->SetFocus();
  guitest::Key(*list, ' ', 0, ' ');
  EXPECT_TRUE(list->Checked(1));
  EXPECT_TRUE(list->Peer()->ItemChecked(1));
  EXPECT_EQ(clicks, 1);
  // delta, alpha, charlie are checked; the states travel with their lines.
  static_cast<rtl::TStringList*>(list->Items())->Sort();
  EXPECT_EQ(list->Items()->Get(0), "alpha");
  EXPECT_TRUE(list->Checked(0));   // alpha
  EXPECT_FALSE(list->Checked(1));  // bravo
  EXPECT_TRUE(list->Checked(2));   // charlie
  list->Items()->Delete(0);
  list->Items()->Move(2, 0);  // delta first
  EXPECT_EQ(list->Items()->Get(0), "delta");
  EXPECT_TRUE(list->Checked(0));
  EXPECT_FALSE(list->Checked(1));
  EXPECT_TRUE(list->Peer()->ItemChecked(0));
  EXPECT_THROW(list->Checked(3), rtl::EListError);
}

TEST(ExtControls, SpeedButtonsOfAGroupAndToolButtons) {
  ShownForm f;
  auto* a = Place<TSpeedButton>(f.Form.get(), 10, 10, 25, 25);
  auto* b = Place<TSpeedButton>(f.Form.get(), 40, 10, 25, 25);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  f.Show();
  guitest::Mouse(*a, platform::UserInput::MouseDown, 5, 5);
  EXPECT_EQ(a->State(), bsDown);
  guitest::Mouse(*a, platform::UserInput::MouseUp, 5, 5);
  EXPECT_TRUE(a->Down());
  b->Click();
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  b->SetDown(false);  // the group keeps one down
  EXPECT_TRUE(b->Down());
  // A release outside the button is no click.
  int clicks = 0;
  a->SetOnClick([&](rtl::TObject*) { ++clicks; });
  guitest::Mouse(*a, platform::UserInput::MouseDown, 5, 5);
  guitest::Mouse(*a, platform::UserInput::MouseUp, 50, 5);
  EXPECT_EQ(clicks, 0);

  auto* bar = new TToolBar(f.Form.get());
  bar->SetParent(f.Form.get());
  TToolButton* buttons[4];
  for (int i = 0; i < 4; ++i) {
    buttons[i] = new TToolButton(f.Form.get());
    buttons[i]->SetParent(bar);
  }
  buttons[1]->SetStyle(tbsSeparator);
  for (int i : {2, 3}) {
    buttons[i]->SetStyle(tbsCheck);
    buttons[i]->SetGrouped(true);
  }
  EXPECT_EQ(bar->Top(), 0);
  EXPECT_EQ(bar->Width(), f.Form->ClientWidth());
  EXPECT_EQ(buttons[1]->Left(), buttons[0]->Left() + bar->ButtonWidth());
  EXPECT_EQ(buttons[2]->Left(), buttons[1]->Left() + TToolBar::kSeparatorWidth);
  buttons[2]->Click();
  buttons[3]->Click();
  EXPECT_FALSE(buttons[2]->Down());
  EXPECT_TRUE(buttons[3]->Down());
}

TEST(ExtControls, DatesStayInTheirRangeAndReachTheWindow) {
  ShownForm f;
  auto* picker = Place<TDateTimePicker>(f.Form.get(), 10, 10, 150, 21);
  auto* calendar = Place<TMonthCalendar>(f.Form.get(), 10, 40, 200, 160);
  const double day = 45000;  // 15 March 2023
  picker->SetDateTime(day + 0.5);
  calendar->SetDate(day + 0.75);
  f.Show();
  EXPECT_DOUBLE_EQ(picker->Date(), day);
  EXPECT_DOUBLE_EQ(picker->Time(), 0.5);
  EXPECT_NEAR(picker->Peer()->Date(), day + 0.5, 1e-6);
  EXPECT_DOUBLE_EQ(calendar->Date(), day);
  EXPECT_NEAR(calendar->Peer()->Date(), day, 1e-6);
  picker->SetMinDate(day + 10);
  EXPECT_DOUBLE_EQ(picker->DateTime(), day + 10);
  picker->SetMaxDate(day + 20);
  picker->SetDate(day + 30);
  EXPECT_DOUBLE_EQ(picker->DateTime(), day + 20);
}

TEST(ExtControls, ProgressImagesAndStatusPanels) {
  auto bar = rtl::MakeObject<TProgressBar>();
  bar->SetMax(50);
  bar->SetStep(20);
  bar->StepIt();
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 40);
  bar->StepIt();  // past the end: again from the start
  EXPECT_EQ(bar->Position(), 9);
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 50);

  auto image = rtl::MakeObject<TImage>();
  image->SetBounds(0, 0, 100, 50);
  image->Bitmap()->SetSize(40, 20);
  struct Case {
    bool Stretch, Proportional, Center;
    TRect Expected;
  } const cases[] = {
      {false, false, false, {0, 0, 40, 20}},
      {false, false, true, {30, 15, 70, 35}},
      {true, false, false, {0, 0, 100, 50}},
      {true, true, true, {0, 0, 100, 50}},
  };
  for (const Case& c : cases) {
    image->SetStretch(c.Stretch);
    image->SetProportional(c.Proportional);
    image->SetCenter(c.Center);
    const TRect r = image->DestRect();
    EXPECT_EQ(r.Left, c.Expected.Left);
    EXPECT_EQ(r.Top, c.Expected.Top);
    EXPECT_EQ(r.Right, c.Expected.Right);
    EXPECT_EQ(r.Bottom, c.Expected.Bottom);
  }
  image->Bitmap()->SetSize(200, 50);  // wider than the control: fits by its width
  image->SetStretch(false);
  const TRect fit = image->DestRect();
  EXPECT_EQ(fit.Width(), 100);
  EXPECT_EQ(fit.Height(), 25);

  auto status = rtl::MakeObject<TStatusBar>();
  status->Panels()->Add()->SetText("Ready");
  status->Panels()->Add()->SetWidth(80);
  EXPECT_EQ(status->Panels()->Count(), 2);
  EXPECT_EQ(status->Panels()->Items(1)->Index(), 1);
  EXPECT_THROW(status->Panels()->Items(2), rtl::EListError);
  status->Panels()->Delete(0);
  EXPECT_EQ(status->Panels()->Items(0)->Width(), 80);
  EXPECT_EQ(status->Align(), alBottom);
}

namespace {

// A form showing every further control, as a user would arrange them.
struct GalleryForm : TForm {
  using TForm::TForm;
  TTrackBar* Track = nullptr;
  TPageControl* Pages = nullptr;
  TListView* List = nullptr;
  TStatusBar* Status = nullptr;

protected:
  void InitializeForm() override {
    SetCaption("Controls");
    SetClientWidth(600);
    SetClientHeight(380);
    auto* tools = new TToolBar(this);
    tools->SetParent(this);
    tools->SetShowCaptions(true);
    tools->SetButtonWidth(60);
    for (const char* caption : {"Open", "Save", "", "Run"}) {
      auto* b = new TToolButton(this);
      b->SetParent(tools);
      b->SetCaption(caption);
      if (!*caption) b->SetStyle(tbsDivider);
    }
    Status = new TStatusBar(this);
    Status->SetParent(this);
    Status->Panels()->Add()->SetText("Ready");
    Status->Panels()->Items(0)->SetWidth(120);
    Status->Panels()->Add()->SetText("3 rows");
    Pages = Place<TPageControl>(this, 8, 36, 330, 240);
    const char* captions[] = {"Values", "Options", "Notes"};
    TTabSheet* sheets[3];
    for (int i = 0; i < 3; ++i) {
      sheets[i] = new TTabSheet(this);
      sheets[i]->SetCaption(captions[i]);
      sheets[i]->SetPageControl(Pages);
    }
    List = new TListView(this);
    List->SetParent(sheets[0]);
    List->SetAlign(alClient);
    List->SetViewStyle(vsReport);
    List->SetCheckboxes(true);
    List->SetRowSelect(true);
    List->Columns()->Add()->SetCaption("Name");
    List->Columns()->Items(0)->SetWidth(120);
    List->Columns()->Add()->SetCaption("Value");
    List->Columns()->Items(1)->SetWidth(100);
    const char* rows[][2] = {{"speed", "42.5"}, {"depth", "118"}, {"heading", "270"}};
    for (auto& row : rows) {
      TListItem* item = List->Items()->Add();
      item->SetCaption(row[0]);
      item->SubItems()->Add(row[1]);
    }
    List->Items()->Item(1)->SetChecked(true);
    auto* checks = Place<TCheckListBox>(sheets[1], 8, 8, 150, 80);
    for (const char* s : {"Log rows", "Keep values", "Send events"}) checks->Items()->Add(s);
    checks->SetChecked(0, true);
    auto* bit = Place<TBitBtn>(sheets[1], 170, 8, 90, 25);
    bit->SetKind(bkOK);
    auto* rich = Place<TRichEdit>(sheets[2], 8, 8, 300, 150);
    rich->Lines()->Add("Notes about the configuration.");
    Track = Place<TTrackBar>(this, 346, 36, 246, 40);
    Track->SetMax(10);
    Track->SetPosition(3);
    auto* progress = Place<TProgressBar>(this, 346, 84, 246, 18);
    progress->SetPosition(60);
    auto* picker = Place<TDateTimePicker>(this, 346, 110, 246, 22);
    picker->SetDateTime(45000);
    auto* calendar = Place<TMonthCalendar>(this, 346, 140, 246, 170);
    calendar->SetDate(45000);
    auto* bevel = Place<TBevel>(this, 8, 284, 330, 2);
    bevel->SetShape(bsTopLine);
    auto* shape = Place<TShape>(this, 8, 292, 40, 40);
    shape->SetShape(stCircle);
    shape->Brush()->SetColor(clLime);
    auto* speed = Place<TSpeedButton>(this, 56, 300, 80, 25);
    speed->SetCaption("Speed");
  }
};

}  // namespace

TEST(ExtControls, AFormWithEveryControlIsDrivenByRealMessages) {
  auto form = rtl::MakeObject<GalleryForm>();
  form->Show();
  Application()->ProcessMessages();
  form->Track->SetFocus();
  guitest::Key(*form->Track, VK_RIGHT);
  EXPECT_EQ(form->Track->Position(), 4);
  form->List->SetFocus();
  form->List->SetItemIndex(0);
  guitest::Key(*form->List, VK_DOWN);
  EXPECT_EQ(form->List->Selected()->Caption(), "depth");
  form->Pages->SetFocus();
  guitest::Key(*form->Pages, VK_RIGHT);
  guitest::Key(*form->Pages, VK_LEFT);
  EXPECT_EQ(form->Pages->ActivePageIndex(), 0);
  form->List->SetFocus();
  Application()->ProcessMessages();
  // A picture for a person to look at, when asked for one.
  if (const char* file = std::getenv("VELMORA_GALLERY_BMP"); file && platform::HasDisplay()) {
    form->Repaint();
    Application()->ProcessMessages();
    EXPECT_TRUE(platform::CaptureWindowBmp(*form->Peer(), file));
  }
  form->Hide();
}
