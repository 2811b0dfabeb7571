// Where the tabs of a page control go and where its pages go with them (real window
// rectangles on Windows, the headless layout elsewhere), and the one set of range rules
// of the track bar and the progress bar.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <utility>
#include <string>

#include "gui/Buttons.h"
#include "gui/Forms.h"
#include "gui/PageControl.h"
#include "gui/StdCtrls.h"
#include "gui/TrackBar.h"

using namespace gui;

namespace {

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}
bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// A client rectangle of a control on the screen.
TRect OnScreen(const TControl& c, const TRect& r) {
  const TPoint p = c.ClientToScreen({r.Left, r.Top});
  return {p.X, p.Y, p.X + r.Width(), p.Y + r.Height()};
}
// Where a window really is: the system's rectangle on Windows, the toolkit's elsewhere.
TRect WindowOnScreen(TWinControl& c) {
  platform::ScreenRect r;
  if (platform::HasDisplay() && platform::WindowRectOf(c.Handle(), r)) return {r.Left, r.Top, r.Right, r.Bottom};
  return OnScreen(c, {0, 0, c.Width(), c.Height()});
}

std::string Describe(const TRect& r) {
  return "{" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom) + "}";
}

// A shown form with a page control of two sheets and a button on each.
struct TabsForm {
  rtl::TObjectPtr<TForm> Form = rtl::MakeObject<TForm>();
  TPageControl* Pages = nullptr;
  TTabSheet* Sheets[2] = {};
  TButton* Buttons[2] = {};
  TabsForm() {
    Form->SetCaption("Tabs");
    Form->SetClientWidth(340);
    Form->SetClientHeight(240);
    Pages = new TPageControl(Form.get());
    Pages->SetParent(Form.get());
    Pages->SetBounds(10, 10, 300, 200);
    const char* captions[] = {"First", "Second"};
    for (int i = 0; i < 2; ++i) {
      Sheets[i] = new TTabSheet(Form.get());
      Sheets[i]->SetCaption(captions[i]);
      Sheets[i]->SetPageControl(Pages);
      Buttons[i] = new TButton(Form.get());
      Buttons[i]->SetParent(Sheets[i]);
      Buttons[i]->SetBounds(8, 8, 75, 25);
      Buttons[i]->SetCaption(i == 0 ? "Apply" : "Reset");
    }
  }
  ~TabsForm() { Form->Hide(); }
  void Show() {
    Form->Show();
    Application()->ProcessMessages();
  }
};

const char* const kSideNames[] = {"top", "bottom", "left", "right"};

}  // namespace

TEST(TabPosition, ThePagesAndTheirControlsStayClearOfTheTabsOnEverySide) {
  TabsForm f;
  f.Show();
  const char* shots = std::getenv("VELMORA_TABS_BMP");
  for (TTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
    SCOPED_TRACE(kSideNames[side]);
    f.Pages->SetTabPosition(side);
    Application()->ProcessMessages();
    const TRect area = f.Pages->DisplayRect();
    const TRect whole{0, 0, f.Pages->Width(), f.Pages->Height()};
    ASSERT_TRUE(Inside(area, whole)) << Describe(area);
    // The sheet fills the page area.
    EXPECT_EQ(f.Sheets[0]->BoundsRect(), area) << Describe(f.Sheets[0]->BoundsRect()) << " " << Describe(area);
    // The strip of tabs lies on the asked side: its margin is the widest.
    const int margins[] = {area.Top, whole.Bottom - area.Bottom, area.Left, whole.Right - area.Right};
    for (int other = 0; other < 4; ++other)
      if (other != side) EXPECT_GT(margins[side], margins[other] + 10) << kSideNames[other];
    // The button, where the system put it, is inside the page area and off every tab.
    const TRect areaOnScreen = OnScreen(*f.Pages, area);
    for (int tab = 0; tab < 2; ++tab) {
      f.Pages->SetActivePageIndex(tab);
      Application()->ProcessMessages();
      const TRect button = WindowOnScreen(*f.Buttons[tab]);
      EXPECT_TRUE(Inside(button, areaOnScreen)) << Describe(button) << " in " << Describe(areaOnScreen);
      for (int t = 0; t < 2; ++t) {
        const TRect tabRect = f.Pages->TabRect(t);
        ASSERT_GT(tabRect.Width(), 0);
        EXPECT_FALSE(Overlap(OnScreen(*f.Pages, tabRect), button)) << "tab " << t << " " << Describe(tabRect);
        EXPECT_FALSE(Overlap(tabRect, area)) << "tab " << t << " " << Describe(tabRect);
      }
    }
    f.Pages->SetActivePageIndex(0);
    if (!platform::HasDisplay()) {
      // The headless layout: a 22-pixel row of tabs (a 13-pixel text and its margin)
      // and a 4-pixel border.
      const TRect expected[] = {{4, 26, 296, 196}, {4, 4, 296, 174}, {26, 4, 296, 196}, {4, 4, 274, 196}};
      EXPECT_EQ(area, expected[side]) << Describe(area);
    }
    // A picture of the form for a person to look at, when asked for one.
    if (shots && platform::HasDisplay() && (side == tpBottom || side == tpLeft)) {
      f.Form->Repaint();
      Application()->ProcessMessages();
      EXPECT_TRUE(platform::CaptureWindowBmp(*f.Form->Peer(), std::string(shots) + "-" + kSideNames[side] + ".bmp"));
    }
  }
}

TEST(TabPosition, ChangingTheSideKeepsThePagesTheSelectionAndTheChildren) {
  TabsForm f;
  f.Show();
  f.Pages->SetActivePageIndex(1);
  f.Buttons[1]->SetFocus();
  const std::uintptr_t handle = f.Pages->Handle();
  f.Pages->SetTabPosition(tpLeft);
  Application()->ProcessMessages();
  EXPECT_EQ(f.Pages->TabPosition(), tpLeft);
  EXPECT_EQ(f.Pages->PageCount(), 2);
  EXPECT_EQ(f.Pages->ActivePage(), f.Sheets[1]);
  EXPECT_EQ(f.Pages->Peer()->ItemIndex(), 1);
  EXPECT_EQ(f.Pages->Handle(), handle);
  EXPECT_TRUE(f.Buttons[1]->Showing());
  EXPECT_FALSE(f.Buttons[0]->Showing());
  EXPECT_TRUE(f.Buttons[1]->Focused());
  EXPECT_EQ(f.Sheets[1]->BoundsRect(), f.Pages->DisplayRect());
  EXPECT_GT(f.Pages->DisplayRect().Left, 10);
  // The tabs still work from the new side.
  f.Pages->SelectNextPage(true);
  EXPECT_EQ(f.Pages->ActivePage(), f.Sheets[0]);
  EXPECT_EQ(f.Pages->Peer()->ItemIndex(), 0);
}

TEST(TabPosition, TabsAtASideWrapIntoMoreColumnsWhenTheyPassItsLength) {
  TabsForm f;
  f.Pages->SetHeight(120);
  f.Pages->SetTabPosition(tpRight);
  f.Show();
  const int oneColumn = f.Pages->Width() - f.Pages->DisplayRect().Right;
  for (const char* caption : {"Measurements", "Calibration", "Thresholds", "Diagnostics"}) {
    auto* sheet = new TTabSheet(f.Form.get());
    sheet->SetCaption(caption);
    sheet->SetPageControl(f.Pages);
  }
  Application()->ProcessMessages();
  const TRect area = f.Pages->DisplayRect();
  EXPECT_GT(f.Pages->Width() - area.Right, oneColumn);
  EXPECT_EQ(f.Sheets[0]->BoundsRect(), area);
  for (int t = 0; t < 6; ++t) EXPECT_FALSE(Overlap(f.Pages->TabRect(t), area)) << "tab " << t;
  // Headless: "First" and "Second" share a column of 112 pixels, each longer caption
  // takes one of its own.
  if (!platform::HasDisplay()) EXPECT_EQ(f.Pages->Width() - area.Right, 5 * 22 + 4);
}

TEST(TabPosition, TheStripFollowsTheFontAndASmallControlLeavesNoNegativeArea) {
  TabsForm f;
  f.Pages->SetTabPosition(tpBottom);
  f.Show();
  const int before = f.Pages->Height() - f.Pages->DisplayRect().Bottom;
  f.Pages->Font()->SetHeight(-24);
  Application()->ProcessMessages();
  EXPECT_GT(f.Pages->Height() - f.Pages->DisplayRect().Bottom, before + 5);
  EXPECT_EQ(f.Sheets[0]->BoundsRect(), f.Pages->DisplayRect());
  for (TTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
    f.Pages->SetTabPosition(side);
    f.Pages->SetBounds(10, 10, 12, 12);
    const TRect area = f.Pages->DisplayRect();
    EXPECT_GE(area.Width(), 0) << kSideNames[side];
    EXPECT_GE(area.Height(), 0) << kSideNames[side];
    EXPECT_GE(f.Sheets[0]->Width(), 0) << kSideNames[side];
    EXPECT_GE(f.Sheets[0]->Height(), 0) << kSideNames[side];
  }
}

TEST(TabPosition, BeforeThereIsAWindowThePagesMoveAsWell) {
  auto pages = rtl::MakeObject<TPageControl>();
  pages->SetBounds(0, 0, 200, 100);
  auto* sheet = new TTabSheet(pages.get());
  sheet->SetPageControl(pages.get());
  const TRect expected[] = {{4, 26, 196, 96}, {4, 4, 196, 74}, {26, 4, 196, 96}, {4, 4, 174, 96}};
  for (TTabPosition side : {tpBottom, tpLeft, tpRight, tpTop}) {
    pages->SetTabPosition(side);
    EXPECT_EQ(pages->DisplayRect(), expected[side]) << kSideNames[side];
    EXPECT_EQ(sheet->BoundsRect(), expected[side]) << kSideNames[side];
    EXPECT_EQ(pages->TabRect(0), TRect{});
  }
}

// The same rules for both bars, each from its own starting range.
TEST(RangeControls, BothBarsKeepThePositionWithinTheRange) {
  rtl::TObjectPtr<TForm> form = rtl::MakeObject<TForm>();
  auto* track = new TTrackBar(form.get());
  auto* progress = new TProgressBar(form.get());
  int trackChanges = 0;
  track->SetOnChange([&](rtl::TObject*) { ++trackChanges; });
  constexpr int kOwnMax = std::numeric_limits<int>::min();  // the bar's own Max
  struct Step {
    const char* What;
    void (TRangeControl::*Set)(int);
    int Value, Min, Max, Position;
  } const steps[] = {
      {"position inside", &TRangeControl::SetPosition, 7, 0, kOwnMax, 7},
      {"position past Max", &TRangeControl::SetPosition, 100000, 0, kOwnMax, kOwnMax},
      {"position below Min", &TRangeControl::SetPosition, -5, 0, kOwnMax, 0},
      {"Max below the position", &TRangeControl::SetMax, 5, 0, 5, 0},
      {"position at Max", &TRangeControl::SetPosition, 5, 0, 5, 5},
      {"Min above Max raises Max", &TRangeControl::SetMin, 9, 9, 9, 9},
      {"Max below Min lowers Min", &TRangeControl::SetMax, -3, -3, -3, -3},
      {"a wider range keeps the position", &TRangeControl::SetMax, 40, -3, 40, -3},
      {"Min above the position", &TRangeControl::SetMin, 2, 2, 40, 2},
  };
  for (TRangeControl* bar : {static_cast<TRangeControl*>(track), static_cast<TRangeControl*>(progress)}) {
    bar->SetParent(form.get());
  }
  form->Show();
  Application()->ProcessMessages();
  for (auto [bar, max] : {std::pair<TRangeControl*, int>{track, 10}, {progress, 100}}) {
    EXPECT_EQ(bar->Max(), max);
    for (const Step& s : steps) {
      SCOPED_TRACE(bar->ClassInfo().ClassName() + ": " + s.What);
      (bar->*s.Set)(s.Value);
      EXPECT_EQ(bar->Min(), s.Min);
      EXPECT_EQ(bar->Max(), s.Max == kOwnMax ? max : s.Max);
      EXPECT_EQ(bar->Position(), s.Position == kOwnMax ? max : s.Position);
      // The window shows what the code holds.
      EXPECT_EQ(bar->Peer()->Position(), bar->Position());
    }
  }
  form->Hide();
  // The track bar tells of each move, those the range forced included, and only of moves.
  EXPECT_EQ(trackChanges, 7);
}
