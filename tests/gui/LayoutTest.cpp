// Layout of a form: aligned panels, anchored controls, constraints, a splitter, and
// scaling to another resolution; the same on the headless and the Windows build.
#include <gtest/gtest.h>

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/GuiTestSupport.h"
#include "rtl/ClassInfo.h"

using namespace gui;

namespace {

struct Bounds {
  int L, T, W, H;
  bool operator==(const Bounds&) const = default;
};
Bounds Of(const TControl* c) { return {c->Left(), c->Top(), c->Width(), c->Height()}; }
std::ostream& operator<<(std::ostream& os, const Bounds& b) {
  return os << "(" << b.L << "," << b.T << " " << b.W << "x" << b.H << ")";
}

// A form with a top strip (a button anchored right), a bottom strip, a right panel
// with a splitter before it and a client panel.
struct LayoutForm : TForm {
  using TForm::TForm;
  TPanel *Top = nullptr, *Bottom = nullptr, *Right = nullptr, *Client = nullptr;
  TSplitter* Split = nullptr;
  TButton* Anchored = nullptr;
  TEdit* Stretched = nullptr;

protected:
  void InitializeForm() override {
    SetBorderWidth(3);
    SetClientWidth(400);
    SetClientHeight(300);
    Top = Panel("Top", alTop, 0, 0, 100, 45);
    Bottom = Panel("Bottom", alBottom, 0, 250, 100, 40);
    Right = Panel("Right", alRight, 200, 45, 120, 100);
    Split = new TSplitter(this);
    Split->SetName("Split");
    Split->SetParent(this);
    Split->SetAlign(alRight);
    Split->SetBounds(190, 45, 4, 100);
    Split->SetMinSize(50);
    Client = Panel("Client", alClient, 0, 45, 100, 100);
    Anchored = new TButton(this);
    Anchored->SetParent(Top);
    Anchored->SetBounds(300, 2, 75, 25);
    Anchored->SetAnchors(akTop | akRight);
    Stretched = new TEdit(this);
    Stretched->SetParent(Top);
    Stretched->SetBounds(10, 4, 280, 21);
    Stretched->SetAnchors(akLeft | akTop | akRight);
  }
  TPanel* Panel(const char* name, TAlign align, int l, int t, int w, int h) {
    auto* p = new TPanel(this);
    p->SetName(name);
    p->SetParent(this);
    p->SetBounds(l, t, w, h);
    p->SetAlign(align);
    return p;
  }
};

}  // namespace

TEST(Layout, AlignedPanelsAnchorsAndResize) {
  auto form = rtl::MakeObject<LayoutForm>();
  ASSERT_EQ(form->ClientWidth(), 400);
  ASSERT_EQ(form->ClientHeight(), 300);
  // Border width 3 all round: the area is 394 x 294 from (3, 3).
  EXPECT_EQ(Of(form->Top), (Bounds{3, 3, 394, 45}));
  EXPECT_EQ(Of(form->Bottom), (Bounds{3, 257, 394, 40}));
  EXPECT_EQ(Of(form->Right), (Bounds{277, 48, 120, 209}));
  EXPECT_EQ(Of(form->Split), (Bounds{273, 48, 4, 209}));
  EXPECT_EQ(Of(form->Client), (Bounds{3, 48, 270, 209}));
  // Inside the top panel (its bevel is one pixel), placed when the panel had its width.
  EXPECT_EQ(Of(form->Anchored), (Bounds{300, 2, 75, 25}));

  form->SetClientWidth(500);
  form->SetClientHeight(360);
  EXPECT_EQ(Of(form->Top), (Bounds{3, 3, 494, 45}));
  EXPECT_EQ(Of(form->Bottom), (Bounds{3, 317, 494, 40}));
  EXPECT_EQ(Of(form->Right), (Bounds{377, 48, 120, 269}));
  EXPECT_EQ(Of(form->Client), (Bounds{3, 48, 370, 269}));
  EXPECT_EQ(Of(form->Anchored), (Bounds{400, 2, 75, 25}));   // moved with the right edge
  EXPECT_EQ(Of(form->Stretched), (Bounds{10, 4, 380, 21}));  // stretched with it
}

TEST(Layout, ConstraintsLimitSizes) {
  auto form = rtl::MakeObject<LayoutForm>();
  form->Right->Constraints()->SetMaxWidth(100);
  EXPECT_EQ(form->Right->Width(), 100);
  EXPECT_EQ(form->Client->Width(), 290);
  form->Constraints()->SetMinWidth(300);
  form->Constraints()->SetMinHeight(200);
  form->SetBounds(form->Left(), form->TControl::Top(), 100, 50);
  EXPECT_EQ(form->Width(), 300);
  EXPECT_EQ(form->Height(), 200);
}

TEST(Layout, SplitterDragResizesTheControlBehindIt) {
  auto form = rtl::MakeObject<LayoutForm>();
  form->Show();
  int moved = 0;
  form->Split->SetOnMoved([&](rtl::TObject*) { ++moved; });
  ASSERT_EQ(form->Split->FindControl(), form->Right);
  // Drag 30 pixels to the left: the right panel grows by 30.
  guitest::Mouse(*form->Split, platform::UserInput::MouseDown, 1, 10);
  guitest::Mouse(*form->Split, platform::UserInput::MouseMove, -29, 10, ssLeft);
  guitest::Mouse(*form->Split, platform::UserInput::MouseUp, 1 + 0, 10);
  EXPECT_EQ(form->Right->Width(), 150);
  EXPECT_EQ(form->Client->Width(), 240);
  EXPECT_EQ(form->Split->Left(), 243);
  EXPECT_EQ(moved, 1);
  // Far to the left: the client panel keeps the minimum size.
  guitest::Mouse(*form->Split, platform::UserInput::MouseDown, 1, 10);
  guitest::Mouse(*form->Split, platform::UserInput::MouseMove, -400, 10, ssLeft);
  guitest::Mouse(*form->Split, platform::UserInput::MouseUp, -400, 10);
  EXPECT_EQ(form->Client->Width(), 50);
  EXPECT_EQ(form->Right->Width(), 340);
  form->Hide();
}

TEST(Layout, PublishedPropertiesByName) {
  auto form = rtl::MakeObject<LayoutForm>();
  rtl::TComponent* top = form->FindComponent("Top");
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(rtl::GetEnumProp(top, "Align"), "alTop");
  rtl::SetEnumProp(top, "Align", "alBottom");
  EXPECT_EQ(form->Top->Align(), alBottom);
  rtl::SetPropValue(form->Anchored, "Caption", rtl::Variant(rtl::AnsiString("Load")));
  EXPECT_EQ(form->Anchored->Caption(), "Load");
  EXPECT_EQ(rtl::GetSetProp(form->Anchored, "Anchors"), "[akTop,akRight]");
  EXPECT_EQ(rtl::GetOrdProp(rtl::GetObjectProp(form->Anchored, "Font"), "Height"), form->Anchored->Font()->Height());
  EXPECT_NE(form->ClassInfo().FindEvent("OnCloseQuery"), nullptr);
  EXPECT_NE(rtl::GetClass("TSplitter"), nullptr);
}

TEST(Layout, ScalingToAnotherResolution) {
  auto form = rtl::MakeObject<LayoutForm>();
  form->Anchored->Font()->SetHeight(-12);
  form->ScaleBy(144, 96);
  EXPECT_EQ(form->ClientWidth(), 600);
  EXPECT_EQ(form->ClientHeight(), 450);
  EXPECT_EQ(form->BorderWidth(), 5);
  EXPECT_EQ(form->Top->Height(), 68);
  EXPECT_EQ(form->Right->Width(), 180);
  EXPECT_EQ(form->Anchored->Width(), 113);
  EXPECT_EQ(form->Anchored->Font()->Height(), -18);
}
