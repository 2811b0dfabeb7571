// What the editor draws, from the headless build's recording: the gutter with its
// bookmarks and error mark, text runs in the attribute fonts, the selection colours
// and the footer.
#include <gtest/gtest.h>

#include <algorithm>

#include "gui/Forms.h"
#include "gui/GuiTestSupport.h"
#include "ui/fsSyntaxMemo.h"
#include "ui/fsSyntaxPainter.h"

using namespace gui;
using platform::DrawOp;
using ui::TfsSyntaxMemo;

namespace {

struct PainterTest : ::testing::Test {
  rtl::TObjectPtr<TForm> Form = rtl::MakeObject<TForm>();
  TfsSyntaxMemo* M = new TfsSyntaxMemo(Form.get());

  void SetUp() override {
    if (platform::HasDisplay()) GTEST_SKIP() << "Windows draws pixels; they are checked by the screenshot test";
    Form->SetClientWidth(400);
    Form->SetClientHeight(200);
    M->SetParent(Form.get());
    M->SetAlign(alClient);
    Form->Show();
  }
  void TearDown() override { Form->Hide(); }

  std::vector<DrawOp> Paint() {
    M->Repaint();
    return *M->Peer()->LastPaint();
  }
  static std::vector<DrawOp> Texts(const std::vector<DrawOp>& ops) {
    std::vector<DrawOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [](const DrawOp& o) { return o.Kind == DrawOp::opText; });
    return out;
  }
  static const DrawOp* Find(const std::vector<DrawOp>& ops, DrawOp::OpKind kind, platform::PixelRect r) {
    for (const DrawOp& o : ops)
      if (o.Kind == kind && o.Rect.Left == r.Left && o.Rect.Top == r.Top && o.Rect.Right == r.Right && o.Rect.Bottom == r.Bottom)
        return &o;
    return nullptr;
  }
};

}  // namespace

TEST_F(PainterTest, TextRunsInTheAttributeFonts) {
  M->SetText("begin // note\n  s := 'x';");
  const auto texts = Texts(Paint());
  // Runs: keyword, text, comment; text, string, text; then the footer.
  ASSERT_GE(texts.size(), 7u);
  const int cw = M->CharWidth(), lh = M->LineHeight();
  EXPECT_EQ(texts[0].Text, "begin");
  EXPECT_TRUE(texts[0].Font.Bold);
  EXPECT_EQ(texts[0].X, 20);
  EXPECT_EQ(texts[2].Text, "// note");
  EXPECT_TRUE(texts[2].Font.Italic);
  EXPECT_EQ(texts[2].Font.Color, 0x800000u);  // navy
  EXPECT_EQ(texts[2].X, 20 + 6 * cw);
  EXPECT_EQ(texts[3].Text, "  s := ");
  EXPECT_EQ(texts[3].Y, lh);
  EXPECT_EQ(texts[4].Text, "'x'");
  EXPECT_EQ(texts[4].Font.Color, 0x800000u);
  EXPECT_FALSE(texts[4].Font.Bold);
  EXPECT_EQ(texts[0].Font.Name, "Courier New");
  // The footer: the caret position in Tahoma on the button face.
  const DrawOp& footer = texts.back();
  EXPECT_EQ(footer.Text, "1 : 1    ");
  EXPECT_EQ(footer.Font.Name, "Tahoma");
  EXPECT_EQ(footer.X, 24);
  EXPECT_TRUE(footer.Filled);
  EXPECT_EQ(footer.Fill, platform::SystemColor(15));
}

TEST_F(PainterTest, GutterBookmarksAndErrorLine) {
  M->SetText("a\nb\nc");
  M->SetCaret(1, 2);
  guitest::Key(*M, '4', ssCtrl | ssShift);
  M->SetErrorLine(3);
  const auto ops = Paint();
  const int lh = M->LineHeight();
  const int h = M->ClientHeight();
  // Gutter and footer backgrounds, and the gutter's edge line.
  ASSERT_NE(Find(ops, DrawOp::opFill, {0, 0, 18, h - 20}), nullptr);
  ASSERT_NE(Find(ops, DrawOp::opFill, {0, h - 20, M->ClientWidth(), h}), nullptr);
  ASSERT_NE(Find(ops, DrawOp::opLine, {16, 0, 16, h - 19}), nullptr);
  // Line 2 has bookmark 4: black under green, with the digit.
  const DrawOp* black = Find(ops, DrawOp::opRectangle, {3, lh + 1, 13, lh + 12});
  const DrawOp* green = Find(ops, DrawOp::opRectangle, {2, lh + 2, 12, lh + 13});
  ASSERT_NE(black, nullptr);
  ASSERT_NE(green, nullptr);
  EXPECT_EQ(black->Fill, 0u);
  EXPECT_EQ(green->Fill, 0x008000u);
  EXPECT_LT(black, green);
  const auto texts = Texts(ops);
  const auto digit = std::find_if(texts.begin(), texts.end(), [](const DrawOp& o) { return o.Text == "4"; });
  ASSERT_NE(digit, texts.end());
  EXPECT_EQ(digit->X, 4);
  EXPECT_EQ(digit->Y, lh + 2);
  EXPECT_EQ(digit->Font.Color, 0xFFFFFFu);
  // Other lines: a plain square; line 3: the red error mark.
  EXPECT_NE(Find(ops, DrawOp::opRectangle, {2, 2, 13, 13}), nullptr);
  const DrawOp* error = Find(ops, DrawOp::opEllipse, {4, 2 * lh + 4, 11, 2 * lh + 11});
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->Fill, 0x0000FFu);
  EXPECT_EQ(error->Pen, 0u);
  // The error line's text is marked across the text area, and stays so without a gutter.
  // The colour of the band filled across line 3 from left, or -1 for none.
  const auto band = [&](int left) -> std::int64_t {
    const auto painted = Paint();
    const DrawOp* fill = Find(painted, DrawOp::opFill, {left, 2 * lh, M->ClientWidth(), 3 * lh});
    return fill ? static_cast<std::int64_t>(fill->Fill) : -1;
  };
  const std::int64_t marked = static_cast<std::uint32_t>(ui::TfsSyntaxPainter::ErrorLineColor);
  EXPECT_EQ(band(M->GutterWidth()), marked);
  M->SetShowGutter(false);
  EXPECT_EQ(band(0), marked);
  M->SetErrorLine(-1);
  EXPECT_EQ(band(0), -1);
}

TEST_F(PainterTest, SelectionColoursAndLineBreaks) {
  M->SetText("abcdef\nxy");
  M->SetCaret(3, 1);
  guitest::Key(*M, VK_DOWN, ssShift);
  const auto ops = Paint();
  const auto texts = Texts(ops);
  const int cw = M->CharWidth(), lh = M->LineHeight();
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[0].Text, "ab");
  EXPECT_EQ(texts[1].Text, "cdef");
  EXPECT_EQ(texts[1].Font.Color, platform::SystemColor(14));
  // The selected run's background, and the rest of the line up to the right edge.
  EXPECT_NE(Find(ops, DrawOp::opFill, {20 + 2 * cw, 0, 20 + 6 * cw, lh}), nullptr);
  const DrawOp* rest = Find(ops, DrawOp::opFill, {20 + 6 * cw, 0, M->ClientWidth(), lh});
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->Fill, platform::SystemColor(13));
  EXPECT_EQ(texts[2].Text, "xy");
  EXPECT_EQ(texts[2].Font.Color, platform::SystemColor(14));
}

TEST_F(PainterTest, FooterMessageAndOtherFonts) {
  M->SetText("one\ntwo");
  M->FindText("zzz");
  auto texts = Texts(Paint());
  const DrawOp& message = texts.back();
  EXPECT_EQ(message.Text, "Text \"zzz\" not found.");
  EXPECT_TRUE(message.Font.Bold);
  EXPECT_EQ(message.Font.Color, 0xFFFFFFu);
  EXPECT_EQ(message.X, 6);
  // A font other than Courier New: every character in its own cell.
  M->Font()->SetName("Arial");
  M->SetCaret(1, 1);
  texts = Texts(Paint());
  const int cw = M->CharWidth();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0].Text, "o");
  EXPECT_EQ(texts[1].Text, "n");
  EXPECT_EQ(texts[1].X, 20 + cw);
  EXPECT_EQ(texts[2].X, 20 + 2 * cw);
  EXPECT_EQ(texts[0].Font.Name, "Arial");
}
