// Real pixels of the editor on Windows: a picture of its window shows keywords bold,
// comments and strings navy and the caret position in the footer.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "gui/Forms.h"
#include "gui/GuiTestSupport.h"
#include "ui/fsSyntaxMemo.h"

using namespace gui;

namespace {

using guitest::Picture;

bool Dark(std::uint32_t c) { return (c & 0xFF) < 90 && ((c >> 8) & 0xFF) < 90 && ((c >> 16) & 0xFF) < 90; }
bool Navy(std::uint32_t c) { return (c & 0xFF) < 50 && ((c >> 8) & 0xFF) < 50 && ((c >> 16) & 0xFF) > 90; }

}  // namespace

TEST(Screenshot, KeywordsCommentsStringsAndFooter) {
  if (!platform::HasDisplay()) GTEST_SKIP() << "the headless build draws no pixels";
  auto form = rtl::MakeObject<TForm>();
  form->SetClientWidth(420);
  form->SetClientHeight(160);
  auto* memo = new ui::TfsSyntaxMemo(form.get());
  memo->SetParent(form.get());
  memo->SetAlign(alClient);
  memo->Font()->SetHeight(-13);
  memo->SetText("begin { note }\nbegun 'navy'");
  form->Show();
  memo->SetFocus();
  memo->SetCaret(3, 2);
  Application()->ProcessMessages();
  memo->Repaint();
  const std::string file = "editor-shot.bmp";
  ASSERT_TRUE(platform::CaptureWindowBmp(*memo->Peer(), file));
  Picture p;
  ASSERT_TRUE(p.Load(file));
  std::remove(file.c_str());
  // The editor's window has a 2-pixel sunken edge; its client area starts inside it.
  const int ox = 2, oy = 2, cw = memo->CharWidth(), lh = memo->LineHeight(), g = memo->GutterWidth();
  auto cells = [&](int col, int line, int n) { return std::array<int, 4>{ox + g + (col - 1) * cw, oy + (line - 1) * lh, ox + g + (col - 1 + n) * cw, oy + line * lh}; };
  const auto keyword = cells(1, 1, 5), plain = cells(1, 2, 5), comment = cells(7, 1, 8), string = cells(7, 2, 6);
  const int boldInk = p.Count(keyword[0], keyword[1], keyword[2], keyword[3], Dark);
  const int plainInk = p.Count(plain[0], plain[1], plain[2], plain[3], Dark);
  EXPECT_GT(plainInk, 10);
  EXPECT_GT(boldInk * 10, plainInk * 12) << "bold " << boldInk << " regular " << plainInk;
  EXPECT_GT(p.Count(comment[0], comment[1], comment[2], comment[3], Navy), 5);
  EXPECT_EQ(p.Count(comment[0], comment[1], comment[2], comment[3], Dark), 0);
  EXPECT_GT(p.Count(string[0], string[1], string[2], string[3], Navy), 5);
  // The footer: button face with dark text right of the gutter.
  const int footerTop = oy + memo->ClientHeight() - 20;
  const std::uint32_t face = platform::SystemColor(15);
  EXPECT_EQ(p.At(ox + 2, footerTop + 10), face);
  EXPECT_GT(p.Count(ox + g + 4, footerTop + 2, ox + g + 60, footerTop + 19, Dark), 10);
  form->Hide();
}

// A size change repaints what depends on the size: after the window grows, the footer
// stands at the new bottom and no old footer is left across a line; after it shrinks,
// the footer is drawn at the new bottom too. Only what the system invalidated is
// painted before the picture, as on the user's screen.
TEST(Screenshot, ResizingRepaintsTheFooterWhereItNowIs) {
  if (!platform::HasDisplay()) GTEST_SKIP() << "the headless build draws no pixels";
  auto form = rtl::MakeObject<TForm>();
  form->SetClientWidth(420);
  form->SetClientHeight(200);
  auto* memo = new ui::TfsSyntaxMemo(form.get());
  memo->SetParent(form.get());
  memo->SetAlign(alClient);
  memo->SetText("begin\nend.");
  form->Show();
  memo->SetFocus();
  memo->Repaint();
  Application()->ProcessMessages();
  const std::uint32_t face = platform::SystemColor(15), window = platform::SystemColor(5);
  const int ox = 2, oy = 2;  // the sunken edge
  // The footer's band, a row inside it at the given client height.
  auto footerRow = [&](int clientHeight) { return oy + clientHeight - 20 + 14; };
  auto picture = [&](const char* name) {
    Picture p;
    const std::string file = std::string("editor-") + name + ".bmp";
    EXPECT_TRUE(platform::CaptureWindowBmp(*memo->Peer(), file));
    EXPECT_TRUE(p.Load(file));
    std::remove(file.c_str());
    return p;
  };
  const int before = memo->ClientHeight();
  ASSERT_TRUE(platform::ResizeWindow(form->Handle(), form->Width() + 60, form->Height() + 90));
  Application()->ProcessMessages();
  const int grown = memo->ClientHeight();
  ASSERT_GT(grown, before + 60);
  Picture big = picture("grown");
  const int right = ox + memo->ClientWidth() - 4;
  // The old footer's place is text area now; the new footer is button face.
  EXPECT_EQ(big.Count(ox + 30, footerRow(before) - 3, right, footerRow(before) + 3, [&](std::uint32_t c) { return c == face; }), 0);
  EXPECT_EQ(big.At(right - 10, footerRow(grown)), face);
  ASSERT_TRUE(platform::ResizeWindow(form->Handle(), form->Width() - 40, form->Height() - 130));
  Application()->ProcessMessages();
  const int shrunk = memo->ClientHeight();
  ASSERT_LT(shrunk, before);
  Picture small = picture("shrunk");
  EXPECT_EQ(small.At(ox + memo->ClientWidth() - 10, footerRow(shrunk)), face);
  EXPECT_EQ(small.At(ox + memo->ClientWidth() - 10, oy + shrunk - 20 - 4), window);
  form->Hide();
}

// The completion list as the user sees it: below the word, its first name selected,
// the text around it still drawn. VELMORA_COMPLETION_BMP keeps the picture.
TEST(Screenshot, CompletionList) {
  if (!platform::HasDisplay()) GTEST_SKIP() << "the headless build draws no pixels";
  auto form = rtl::MakeObject<TForm>();
  form->SetClientWidth(480);
  form->SetClientHeight(260);
  auto* memo = new ui::TfsSyntaxMemo(form.get());
  memo->SetParent(form.get());
  memo->SetAlign(alClient);
  memo->Font()->SetName("Courier New");
  memo->Font()->SetHeight(-13);
  memo->SetText("var Total: Integer;\nbegin\n  { scale the reading }\n  Total := Se\nend.");
  memo->Completion().SetSource([](ui::TfsSyntaxMemo&) {
    return std::string(
        "f\tSetVariable\tprocedure SetVariable(const Name: String; Value: Variant)\r\n"
        "f\tSetVariableEx\tprocedure SetVariableEx(const Name: String)\r\n"
        "f\tSecondOf\tfunction SecondOf(const AValue: TDateTime): Word\r\n"
        "f\tSendString\tprocedure SendString(const S: String)\r\n");
  });
  form->Show();
  memo->SetFocus();
  memo->SetCaret(14, 4);
  guitest::Key(*memo, VK_SPACE, ssCtrl, ' ');
  ASSERT_TRUE(memo->Completion().ListShown());
  Application()->ProcessMessages();
  memo->Repaint();
  memo->Completion().List()->Repaint();
  const std::string file = "completion-shot.bmp";
  ASSERT_TRUE(platform::CaptureWindowBmp(*memo->Peer(), file));
  Picture p;
  ASSERT_TRUE(p.Load(file));
  if (const char* keep = std::getenv("VELMORA_COMPLETION_BMP")) std::remove(keep), std::rename(file.c_str(), keep);
  else std::remove(file.c_str());
  const int ox = 2, oy = 2;
  auto* list = memo->Completion().List();
  // The list starts under the word's line, at its column.
  EXPECT_EQ(list->Top(), 4 * memo->LineHeight());
  EXPECT_EQ(list->Left(), memo->GutterWidth() + 11 * memo->CharWidth());
  const std::uint32_t highlight = platform::SystemColor(13);
  EXPECT_GT(p.Count(ox + list->Left(), oy + list->Top(), ox + list->Left() + list->Width(), oy + list->Top() + list->Height(),
                    [&](std::uint32_t c) { return c == highlight; }),
            100);
  // The text left of the list is still there: "Total :=" on the word's line.
  EXPECT_GT(p.Count(ox + memo->GutterWidth(), oy + 3 * memo->LineHeight(), ox + list->Left(), oy + 4 * memo->LineHeight(), Dark), 20);
  form->Hide();
}
