// The graphics library as scripts use it: fonts, pens and brushes made and changed,
// drawing on a bitmap's canvas (pixels on Windows, the recording on the headless
// build), metafiles drawn through their canvas and played onto a bitmap, pictures
// loaded by their file's kind, and the errors of canvases and files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gui/Graphics.h"
#include "platform/Canvas.h"
#include "rtl/Object.h"
#include "runtime/FormsLibraryTestSupport.h"
#include "runtime/FunctionLibrariesTestSupport.h"

namespace fs {
namespace {

using test::ClassLibrariesHost;

TEST(GraphicsLibrary, FontsPensAndBrushesAreMadeChangedAndFreed) {
  ClassLibrariesHost host;
  const std::string script = R"(
var f: TFont; p: TPen; b: TBrush;
begin
  f := TFont.Create;
  f.Name := 'Arial';
  f.Size := 12;
  f.Style := fsBold + fsItalic;
  f.Pitch := fpFixed;
  p := TPen.Create;
  p.Width := 3;
  p.Style := psDot;
  p.Mode := pmXor;
  b := TBrush.Create;
  b.Style := bsCross;
  Print(f.Name + ' ' + IntToStr(f.Size) + ' ' + IntToStr(f.Style) + ' ' + IntToStr(f.Pitch));
  Print(IntToStr(p.Width) + ' ' + IntToStr(p.Style) + ' ' + IntToStr(p.Mode));
  Print(b.Style);
  f.Free;
  p.Free;
  b.Free;
end.)";
  // The first run makes what the toolkit keeps for the process; the second must leave
  // nothing behind.
  EXPECT_EQ(host.Printed(script), "Arial 12 3 2\n3 2 14\n6\n");
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(host.Printed(script), "Arial 12 3 2\n3 2 14\n6\n");
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST(GraphicsLibrary, DrawingOnABitmapAndAMetafilePlayedOntoIt) {
  ClassLibrariesHost host;
  rtl::TObjectPtr<gui::TBitmap> bitmap = rtl::MakeObject<gui::TBitmap>();
  TfsRegistry(&host.Registry()).RegisterObject("B", bitmap.get());
  EXPECT_EQ(host.Printed(R"(
var m: TMetafile; mc: TMetafileCanvas;
begin
  B.Width := 40;
  B.Height := 20;
  B.Canvas.Pixels[3, 4] := $0000FF;
  B.Canvas.Brush.Color := $00FF00;
  B.Canvas.Pen.Color := $00FF00;
  B.Canvas.Rectangle(10, 0, 20, 10);
  Print(B.Canvas.TextWidth('abc') > 0);
  m := TMetafile.Create;
  m.Width := 10;
  m.Height := 10;
  mc := TMetafileCanvas.Create(m, 0);
  mc.Brush.Color := $FF0000;
  mc.Pen.Color := $FF0000;
  mc.Rectangle(0, 0, 10, 10);
  mc.Free;
  Print(IntToStr(m.Width) + 'x' + IntToStr(m.Height));
  B.Canvas.StretchDraw(20, 0, 40, 20, m);
  m.Free;
end.)"),
            "True\n10x10\n");
  if (const auto* ops = bitmap->Surface()->Recording()) {
    // The headless build keeps what was drawn: the pixel, the rectangle, and the
    // metafile's rectangle scaled to twice its size.
    ASSERT_EQ(ops->size(), 3u);
    EXPECT_EQ((*ops)[0].Fill, 0x0000FFu);
    EXPECT_EQ((*ops)[1].Kind, platform::DrawOp::opRectangle);
    EXPECT_EQ((*ops)[1].Fill, 0x00FF00u);
    EXPECT_EQ((*ops)[2].Kind, platform::DrawOp::opRectangle);
    EXPECT_EQ((*ops)[2].Fill, 0xFF0000u);
    EXPECT_EQ((*ops)[2].Rect.Left, 20);
    EXPECT_EQ((*ops)[2].Rect.Right, 40);
    EXPECT_EQ((*ops)[2].Rect.Bottom, 20);
  } else {
    // Windows draws the pixels.
    EXPECT_EQ(bitmap->Canvas()->Pixel(3, 4), 0x0000FF);
    EXPECT_EQ(bitmap->Canvas()->Pixel(15, 5), 0x00FF00);
    EXPECT_EQ(bitmap->Canvas()->Pixel(30, 10), 0xFF0000);
    EXPECT_EQ(bitmap->Canvas()->Pixel(5, 15), 0xFFFFFF);
  }
}

TEST(GraphicsLibrary, AMetafileIsWrittenAndReadAsAnEnhancedMetafileWhereTheBuildKeepsPictures) {
  ClassLibrariesHost host;
  test::TempFolder folder;
  const std::string out = host.Printed(R"(
var m: TMetafile; mc: TMetafileCanvas; p: TPicture;
begin
  m := TMetafile.Create;
  m.Width := 30;
  m.Height := 20;
  mc := TMetafileCanvas.Create(m, 0);
  mc.Ellipse(0, 0, 30, 20);
  mc.TextOut(2, 2, 'row');
  mc.Free;
  try
    m.SaveToFile(')" + folder.Path() + R"(row.emf');
    p := TPicture.Create;
    p.LoadFromFile(')" + folder.Path() + R"(row.emf');
    Print(p.Width > 0);
    Print(p.Height > 0);
    p.Free;
  except
    Print(ExceptionClassName);
  end;
  m.Free;
end.)");
  if (test::FileContent(folder / "row.emf") == "<missing>") {
    // The headless build writes no metafile files.
    EXPECT_EQ(out, "EInvalidGraphic\n");
  } else {
    EXPECT_EQ(test::FileContent(folder / "row.emf").substr(40, 4), " EMF");
    EXPECT_EQ(out, "True\nTrue\n");
  }
}

TEST(GraphicsLibrary, PicturesLoadByTheirFilesKind) {
  ClassLibrariesHost host;
  test::TempFolder folder;
  rtl::TObjectPtr<gui::TBitmap> bitmap = rtl::MakeObject<gui::TBitmap>();
  bitmap->SetSize(7, 5);
  bool saved = true;
  try {
    bitmap->SaveToFile(folder / "row.bmp");
  } catch (const gui::EInvalidGraphic&) {
    saved = false;  // the headless build keeps no pixels to write: a file of its own
  }
  if (!saved) {
    // The smallest BMP header of a 7 x 5 picture.
    std::string bmp(54, '\0');
    bmp[0] = 'B', bmp[1] = 'M', bmp[14] = 40, bmp[18] = 7, bmp[22] = 5, bmp[26] = 1, bmp[28] = 24;
    test::WriteContent(folder / "row.bmp", bmp);
  }
  test::WriteContent(folder / "row.png", "not a picture");
  // No regular file: a named pipe without a writer would keep the reader waiting.
#ifdef _WIN32
  std::filesystem::create_directory(folder / "pipe.bmp");
#else
  ASSERT_EQ(std::system(("mkfifo '" + (folder / "pipe.bmp") + "'").c_str()), 0);
#endif
  const std::string script = R"(
var p: TPicture; c: TCanvas;
begin
  p := TPicture.Create;
  p.LoadFromFile(')" + folder.Path() + R"(row.bmp');
  Print(IntToStr(p.Width) + 'x' + IntToStr(p.Height));
  try
    p.LoadFromFile(')" + folder.Path() + R"(row.png');
  except
    Print(ExceptionMessage);
  end;
  try
    p.LoadFromFile(')" + folder.Path() + R"(missing.emf');
  except
    Print(ExceptionClassName);
  end;
  try
    p.LoadFromFile(')" + folder.Path() + R"(pipe.bmp');
  except
    Print(ExceptionMessage);
  end;
  Print(IntToStr(p.Width) + 'x' + IntToStr(p.Height));
  p.Free;
  c := TCanvas.Create;
  try
    c.Rectangle(0, 0, 1, 1);
  except
    Print(ExceptionMessage);
  end;
  c.Free;
end.)";
  EXPECT_EQ(host.Printed(script),
            "7x5\nUnknown picture file extension (.png)\nEInvalidGraphic\nCannot read a picture from \"" + folder.Path() +
                "pipe.bmp\"\n7x5\nCanvas does not allow drawing\n");
}

}  // namespace
}  // namespace fs
