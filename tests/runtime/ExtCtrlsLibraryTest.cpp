// The extended controls module as scripts use it: controls made, changed and freed
// without being shown, the items they hold, their errors, and their events fired from
// the native side.
#include <gtest/gtest.h>

#include <string>

#include "gui/Buttons.h"
#include "gui/DateTimePicker.h"
#include "gui/ExtCtrls.h"
#include "gui/ListView.h"
#include "gui/PageControl.h"
#include "gui/StatusBar.h"
#include "gui/ToolBar.h"
#include "gui/TrackBar.h"
#include "rtl/VariantConvert.h"
#include "gui/Graphics.h"
#include "gui/StdCtrls.h"
#include "rtl/Object.h"
#include "runtime/SysFunctionsTestSupport.h"
#include "runtime/fsClassesRTTI.h"
#include "runtime/fsExtCtrlsRTTI.h"
#include "runtime/fsRegistry.h"

namespace fs {
namespace {

using test::RunOutcome;

class ExtCtrlsLibraryTest : public ::testing::Test {
protected:
  ExtCtrlsLibraryTest() {
    FHost.Registry().AddName(std::string(), new TfsClassesRTTI(&FHost.Registry()));
    // The controls' ancestors as the forms module names them; the members the tests
    // use come from the two modules and the classes' published properties.
    TfsRegistry r(&FHost.Registry());
    r.RegisterClassType(&gui::TControl::StaticClassInfo(), "TComponent");
    r.RegisterClassType(&gui::TWinControl::StaticClassInfo(), "TControl");
    r.RegisterClassType(&gui::TCustomControl::StaticClassInfo(), "TWinControl");
    r.RegisterClassType(&gui::TGraphicControl::StaticClassInfo(), "TControl");
    r.RegisterClassType(&gui::TButton::StaticClassInfo(), "TWinControl");
    r.RegisterClassType(&gui::TCustomListBox::StaticClassInfo(), "TWinControl");
    FHost.Registry().AddName(std::string(), new TfsExtCtrlsRTTI(&FHost.Registry()));
    // The dialect's grammar is read once for the process; counts start after that.
    FHost.Run("begin end.");
  }
  std::string Printed(const std::string& source, const std::string& dialect = "PascalScript") {
    RunOutcome out = FHost.Run(source, dialect);
    EXPECT_TRUE(out.Compiled) << out.CompileError;
    EXPECT_EQ(out.RunError, "");
    return out.Output;
  }
  std::string RunError(const std::string& source) {
    RunOutcome out = FHost.Run(source);
    EXPECT_TRUE(out.Compiled) << out.CompileError;
    return out.RunError;
  }

  test::SysFunctionsHost FHost;
};

TEST_F(ExtCtrlsLibraryTest, RangesTabsAndPanelsWithoutShowing) {
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(Printed(R"(
var t: TTrackBar; p: TProgressBar; pc: TPageControl; a, b, c: TTabSheet; sb: TStatusBar;
begin
  t := TTrackBar.Create(nil);
  t.Max := 20;
  t.Position := 50;
  Print(t.Position);
  t.Min := 30;
  Print(IntToStr(t.Min) + ' ' + IntToStr(t.Max) + ' ' + IntToStr(t.Position));
  p := TProgressBar.Create(nil);
  p.Max := 10;
  p.Position := 30;
  Print(p.Position);
  pc := TPageControl.Create(nil);
  a := TTabSheet.Create(pc); a.Caption := 'One'; a.PageControl := pc;
  b := TTabSheet.Create(pc); b.Caption := 'Two'; b.PageControl := pc;
  c := TTabSheet.Create(pc); c.Caption := 'Three'; c.PageControl := pc;
  Print(IntToStr(pc.PageCount) + ' ' + pc.Pages[1].Caption + ' ' + pc.ActivePage.Caption);
  c.TabVisible := False;
  pc.SelectNextPage(True);
  Print(pc.ActivePage.Caption);
  pc.SelectNextPage(True);
  Print(pc.ActivePage.Caption);
  pc.SelectNextPage(False);
  Print(IntToStr(pc.ActivePageIndex) + ' ' + IntToStr(b.PageIndex));
  Print(c.PageControl = pc);
  sb := TStatusBar.Create(nil);
  sb.Panels.Add.Text := 'Ready';
  sb.Panels.Add.Width := 120;
  Print(IntToStr(sb.Panels.Count) + ' ' + sb.Panels.Items[0].Text + ' ' + IntToStr(sb.Panels.Items[1].Width));
  t.Free; p.Free; pc.Free; sb.Free;
end.)"),
            "20\n30 30 30\n10\n3 Two One\nTwo\nOne\n1 1\nTrue\n2 Ready 120\n");
  EXPECT_EQ(FHost.Script().Objects().Count(), 0u);
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST_F(ExtCtrlsLibraryTest, ListAndTreeItemsAndCheckedLines) {
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(Printed(R"(
var lv: TListView; it: TListItem; tv: TTreeView; root, n: TTreeNode; cl: TCheckListBox;
begin
  lv := TListView.Create(nil);
  lv.ViewStyle := vsReport;
  lv.Columns.Add.Caption := 'Name';
  lv.Columns.Add.Caption := 'Value';
  it := lv.Items.Add;
  it.Caption := 'speed';
  it.SubItems.Add('42');
  lv.Items.Add.Caption := 'depth';
  lv.Items[1].Checked := True;
  lv.Items[1].Selected := True;
  Print(IntToStr(lv.Columns.Items[1].Width) + ' ' + lv.Columns[1].Caption + ' ' + IntToStr(lv.Items.Count));
  Print(lv.Items[0].Caption + '=' + lv.Items[0].SubItems[0] + ' ' + IntToStr(lv.ItemIndex) + ' ' + lv.Selected.Caption);
  lv.Items[0].Delete;
  Print(IntToStr(lv.Items.Count) + ' ' + lv.Items.Item[0].Caption);
  Print(lv.Items[0].Checked);
  lv.SortType := stText;
  lv.Items.Add.Caption := 'alpha';
  Print(lv.Items[0].Caption);
  tv := TTreeView.Create(nil);
  root := tv.Items.Add(nil, 'root');
  n := tv.Items.AddChild(root, 'leaf');
  tv.Items.AddChild(root, 'other').Data := 7;
  tv.Items.Add(root, 'second');
  Print(IntToStr(tv.Items.Count) + ' ' + IntToStr(root.Count) + ' ' + tv.Items[2].Text + ' ' + IntToStr(tv.Items[2].Data));
  tv.Selected := n;
  Print(tv.Selected.Text);
  n.Delete;
  tv.Items.Delete(root);
  Print(IntToStr(tv.Items.Count) + ' ' + tv.Items[0].Text);
  Print(tv.Selected = nil);
  cl := TCheckListBox.Create(nil);
  cl.Items.Add('b');
  cl.Items.Add('c');
  cl.Checked[1] := True;
  cl.Items.Insert(0, 'a');
  Print(cl.Checked[0]);
  Print(cl.Checked[2]);
  lv.Free; tv.Free; cl.Free;
end.)"),
            "50 Value 2\nspeed=42 1 depth\n1 depth\nTrue\nalpha\n4 2 other 7\nleaf\n1 second\nTrue\nFalse\nTrue\n");
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST_F(ExtCtrlsLibraryTest, IndexesOutsideTheItemsAreTheToolkitsListError) {
  struct Case {
    const char* Source;
    const char* Error;
  } const cases[] = {
      {"var pc: TPageControl; begin pc := TPageControl.Create(nil); Print(pc.Pages[0].Caption); end.",
       "List index out of bounds (0)"},
      {"var c: TCheckListBox; begin c := TCheckListBox.Create(nil); c.Checked[3] := True; end.",
       "List index out of bounds (3)"},
      {"var l: TListView; begin l := TListView.Create(nil); Print(l.Items[-1].Caption); end.",
       "List index out of bounds (-1)"},
      {"var s: TStatusBar; begin s := TStatusBar.Create(nil); Print(s.Panels.Items[1].Text); end.",
       "List index out of bounds (1)"},
      {"var t: TTreeView; begin t := TTreeView.Create(nil); Print(t.Items[0].Text); end.",
       "List index out of bounds (0)"},
  };
  for (const Case& c : cases) {
    const std::string error = RunError(c.Source);
    EXPECT_NE(error.find(c.Error), std::string::npos) << c.Source << "\n" << error;
  }
  // A sheet of another page control cannot become the active page.
  EXPECT_NE(RunError(R"(
var a, b: TPageControl; s: TTabSheet;
begin
  a := TPageControl.Create(nil); b := TPageControl.Create(nil);
  s := TTabSheet.Create(a); s.PageControl := a;
  b.ActivePage := s;
end.)").find("does not belong"),
            std::string::npos);
}

TEST_F(ExtCtrlsLibraryTest, EnumerationsTypeNamesAndAncestors) {
  EXPECT_EQ(Printed(R"(
begin
  Print(IntToStr(stCircle) + IntToStr(bsSpacer) + IntToStr(bkAll) + IntToStr(tsFlatButtons) + IntToStr(vsReport) +
        IntToStr(tbsDivider) + IntToStr(dtkTime) + IntToStr(dowLocaleDefault) + IntToStr(arSnapToGrid) +
        IntToStr(pbRaised) + IntToStr(tmBoth) + IntToStr(rsPattern) + IntToStr(blGlyphBottom) + IntToStr(stBoth));
end.)"),
            "561023417522333\n");
  // Each class under its ancestor's name, and the published properties reachable.
  const std::string source = R"(
var b: TBitBtn; r: TRichEdit; d: TDateTimePicker; s: TShape;
begin
  b := TBitBtn.Create(nil);
  b.Kind := bkCancel;
  Print(b.Caption + ' ' + IntToStr(b.ModalResult) + ' ' + b.ClassName);
  r := TRichEdit.Create(nil);
  r.Lines.Add('first');
  r.Lines.Add('second');
  Print(r.Lines.Count);
  d := TDateTimePicker.Create(nil);
  d.MinDate := EncodeDate(2020, 1, 1);
  d.Date := EncodeDate(2019, 5, 5);
  Print(DateToStr(d.Date));
  s := TShape.Create(nil);
  s.Shape := stCircle;
  Print(IntToStr(s.Shape) + ' ' + IntToStr(s.Width));
  b.Free; r.Free; d.Free; s.Free;
end.)";
  test::EnglishSettings english;
  EXPECT_EQ(Printed(source), "Cancel 2 TBitBtn\n2\n1/1/2020\n5 65\n");
}

// Scripts store enumeration values in the controls' properties by number: each value a
// script sees must be the toolkit's ordinal of the same name.
TEST_F(ExtCtrlsLibraryTest, EnumerationValuesAreTheToolkitsOrdinals) {
  const rtl::TEnumInfo* types[] = {
      &gui::ShapeTypeTypeInfo(),      &gui::BevelStyleTypeInfo(),     &gui::BevelShapeTypeInfo(),
      &gui::ResizeStyleTypeInfo(),    &gui::ButtonLayoutTypeInfo(),   &gui::ButtonStateTypeInfo(),
      &gui::ButtonStyleTypeInfo(),    &gui::BitBtnKindTypeInfo(),     &gui::TabPositionTypeInfo(),
      &gui::TabStyleTypeInfo(),       &gui::StatusPanelStyleTypeInfo(), &gui::StatusPanelBevelTypeInfo(),
      &gui::SortTypeTypeInfo(),       &gui::TrackBarOrientationTypeInfo(), &gui::TickMarkTypeInfo(),
      &gui::TickStyleTypeInfo(),      &gui::ProgressBarOrientationTypeInfo(), &gui::IconArrangementTypeInfo(),
      &gui::ListArrangementTypeInfo(), &gui::ViewStyleTypeInfo(),   &gui::ToolButtonStyleTypeInfo(),
      &gui::DateTimeKindTypeInfo(),   &gui::DTDateModeTypeInfo(),     &gui::DTDateFormatTypeInfo(),
      &gui::DTCalAlignmentTypeInfo(), &gui::CalDayOfWeekTypeInfo(),
  };
  for (const rtl::TEnumInfo* type : types) {
    EXPECT_NE(FHost.Registry().Lookup(type->Name), nullptr) << type->Name;
    for (int i = 0; i < type->Count(); ++i) {
      TfsCustomVariable* value = FHost.Registry().Lookup(type->Names[i]);
      ASSERT_NE(value, nullptr) << type->Names[i];
      EXPECT_EQ(rtl::VarToInt32(value->GetValue()), i) << type->Names[i];
      EXPECT_EQ(value->TypeName(), type->Name) << type->Names[i];
    }
  }
}

// A procedure attached to a paint box's OnPaint runs when the box paints, and one
// attached to a timer's OnTimer when the timer fires; both get the sender.
TEST_F(ExtCtrlsLibraryTest, PaintAndTimerEventsReachScriptProcedures) {
  auto box = rtl::MakeObject<gui::TPaintBox>();
  auto timer = rtl::MakeObject<gui::TTimer>();
  timer->SetEnabled(false);
  std::string heard;
  TfsRegistry r(&FHost.Registry());
  r.RegisterObject("Box", box.get());
  r.RegisterObject("Clock", timer.get());
  r.RegisterFunction("procedure Note(S: String)",
                     [&heard](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper* caller) {
                       heard += caller->ArgString(0).str() + ";";
                       return rtl::Variant();
                     });
  RunOutcome out = FHost.Run(R"(
procedure Painted(Sender: TObject);
begin
  Note('painted ' + Sender.ClassName);
end;
procedure Ticked(Sender: TObject);
begin
  Note('ticked ' + Sender.ClassName);
end;
begin
  Box.OnPaint := 'Painted';
  Clock.OnTimer := 'Ticked';
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  ASSERT_EQ(out.RunError, "");
  auto bitmap = rtl::MakeObject<gui::TBitmap>();
  bitmap->SetSize(20, 20);
  box->PaintTo(*bitmap->Canvas());
  ASSERT_TRUE(timer->OnTimer());
  timer->OnTimer()(timer.get());
  EXPECT_EQ(heard, "painted TPaintBox;ticked TTimer;");
}

}  // namespace
}  // namespace fs
