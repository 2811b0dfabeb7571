// Real pixels of the editor on Windows: a picture of its window shows keywords bold,
// comments and strings navy and the caret position in the footer.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <cstdio>
#include <fstream>
#include <vector>

#include "gui/Forms.h"
#include "ui/fsSyntaxMemo.h"

using namespace gui;

namespace {

// A 24-bit BMP as rows of (r, g, b), top row first.
struct Picture {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Bgr;
  bool Load(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    auto u32 = [&](std::size_t at) { return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24); };
    const std::uint32_t offset = u32(10);
    Width = static_cast<int>(u32(18));
    Height = static_cast<int>(u32(22));
    if (b[28] != 24) return false;
    const std::size_t stride = (static_cast<std::size_t>(Width) * 3 + 3) & ~std::size_t{3};
    Bgr.resize(static_cast<std::size_t>(Width) * Height * 3);
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width * 3; ++x)
        Bgr[(static_cast<std::size_t>(y) * Width * 3) + x] = b[offset + (Height - 1 - y) * stride + x];
    return true;
  }
  std::uint32_t At(int x, int y) const {  // 0x00BBGGRR, like TColor
    const std::size_t i = (static_cast<std::size_t>(y) * Width + x) * 3;
    return Bgr[i] << 16 | Bgr[i + 1] << 8 | Bgr[i + 2];
  }
  int Count(int x1, int y1, int x2, int y2, const std::function<bool(std::uint32_t)>& pred) const {
    int n = 0;
    for (int y = y1; y < y2; ++y)
      for (int x = x1; x < x2; ++x) n += pred(At(x, y)) ? 1 : 0;
    return n;
  }
};

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
