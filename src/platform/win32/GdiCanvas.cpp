#include "platform/win32/GdiCanvas.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include "rtl/CodePage.h"

namespace platform {

namespace win32 {

std::wstring Wide(std::string_view ansi) {
  const std::u16string w = rtl::AnsiToWide(ansi);
  return std::wstring(w.begin(), w.end());
}

std::string Ansi(std::wstring_view wide) {
  return rtl::WideToAnsi(std::u16string(wide.begin(), wide.end())).str();
}

HFONT FontOf(const FontFace& font) {
  using Key = std::tuple<std::string, int, bool, bool, bool, bool, int, int>;
  static std::mutex lock;
  static auto* cache = new std::map<Key, HFONT>();
  const Key key{font.Name, font.Height, font.Bold, font.Italic, font.Underline, font.StrikeOut, font.Charset, font.Pitch};
  std::lock_guard guard(lock);
  auto it = cache->find(key);
  if (it != cache->end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = font.Height;
  lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Italic;
  lf.lfUnderline = font.Underline;
  lf.lfStrikeOut = font.StrikeOut;
  lf.lfCharSet = static_cast<BYTE>(font.Charset);
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = font.Pitch == 2 ? FIXED_PITCH | FF_MODERN : font.Pitch == 1 ? VARIABLE_PITCH : DEFAULT_PITCH;
  const std::wstring name = Wide(font.Name);
  lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  HFONT f = CreateFontIndirectW(&lf);
  (*cache)[key] = f;
  return f;
}

GdiCanvas::~GdiCanvas() {
  if (FBitmap) {
    SelectObject(FDC, FOldBitmap);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
}

void GdiCanvas::FillRect(const PixelRect& r, RgbColor color) {
  const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  HBRUSH b = CreateSolidBrush(color);
  ::FillRect(FDC, &rc, b);
  DeleteObject(b);
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2, RgbColor pen, int width) {
  HPEN p = CreatePen(PS_SOLID, width, pen);
  HGDIOBJ old = SelectObject(FDC, p);
  MoveToEx(FDC, x1, y1, nullptr);
  LineTo(FDC, x2, y2);
  SelectObject(FDC, old);
  DeleteObject(p);
}

namespace {
template <class F>
void WithPenAndBrush(HDC dc, RgbColor pen, int penWidth, bool filled, RgbColor fill, F draw) {
  HPEN p = penWidth > 0 ? CreatePen(PS_SOLID, penWidth, pen) : nullptr;
  HBRUSH b = filled ? CreateSolidBrush(fill) : nullptr;
  HGDIOBJ oldPen = SelectObject(dc, p ? static_cast<HGDIOBJ>(p) : GetStockObject(NULL_PEN));
  HGDIOBJ oldBrush = SelectObject(dc, b ? static_cast<HGDIOBJ>(b) : GetStockObject(NULL_BRUSH));
  draw();
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  if (p) DeleteObject(p);
  if (b) DeleteObject(b);
}
}  // namespace

void GdiCanvas::Rectangle(const PixelRect& r, RgbColor pen, int penWidth, bool filled, RgbColor fill) {
  WithPenAndBrush(FDC, pen, penWidth, filled, fill, [&] { ::Rectangle(FDC, r.Left, r.Top, r.Right, r.Bottom); });
}

void GdiCanvas::Ellipse(const PixelRect& r, RgbColor pen, int penWidth, bool filled, RgbColor fill) {
  WithPenAndBrush(FDC, pen, penWidth, filled, fill, [&] { ::Ellipse(FDC, r.Left, r.Top, r.Right, r.Bottom); });
}

void GdiCanvas::TextOut(int x, int y, std::string_view text, const FontFace& font, bool opaque, RgbColor background) {
  HGDIOBJ old = SelectObject(FDC, FontOf(font));
  SetTextColor(FDC, font.Color);
  SetBkMode(FDC, opaque ? OPAQUE : TRANSPARENT);
  SetBkColor(FDC, background);
  SetTextAlign(FDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  const std::wstring w = Wide(text);
  ::TextOutW(FDC, x, y, w.c_str(), static_cast<int>(w.size()));
  SelectObject(FDC, old);
}

TextSize GdiCanvas::TextExtent(std::string_view text, const FontFace& font) {
  HGDIOBJ old = SelectObject(FDC, FontOf(font));
  const std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(FDC, w.c_str(), static_cast<int>(w.size()), &size);
  SelectObject(FDC, old);
  return {size.cx, size.cy};
}

void GdiCanvas::SetPixel(int x, int y, RgbColor color) { ::SetPixel(FDC, x, y, color); }

RgbColor GdiCanvas::GetPixel(int x, int y) { return ::GetPixel(FDC, x, y) & 0xFFFFFF; }

void GdiCanvas::SetClip(const PixelRect& r) {
  PixelRect c = r;
  if (r.Right <= r.Left || r.Bottom <= r.Top) {
    if (!FHasPaintArea) {
      SelectClipRgn(FDC, nullptr);
      return;
    }
    c = FPaintArea;
  } else if (FHasPaintArea) {
    c = {std::max(r.Left, FPaintArea.Left), std::max(r.Top, FPaintArea.Top), std::min(r.Right, FPaintArea.Right),
         std::min(r.Bottom, FPaintArea.Bottom)};
  }
  HRGN rgn = CreateRectRgn(c.Left, c.Top, std::max(c.Left, c.Right), std::max(c.Top, c.Bottom));
  SelectClipRgn(FDC, rgn);
  DeleteObject(rgn);
}

PixelRect GdiCanvas::ClipBox() const { return FPaintArea; }

void GdiCanvas::SetPaintArea(const PixelRect& r) {
  FPaintArea = r;
  FHasPaintArea = true;
  SetClip({});
}

void GdiCanvas::Draw(int x, int y, CanvasPeer& source, int width, int height) {
  if (auto* s = dynamic_cast<GdiCanvas*>(&source)) BitBlt(FDC, x, y, width, height, s->FDC, 0, 0, SRCCOPY);
}

void GdiCanvas::StretchDraw(const PixelRect& dest, CanvasPeer& source, int width, int height) {
  auto* s = dynamic_cast<GdiCanvas*>(&source);
  if (!s) return;
  const int oldMode = SetStretchBltMode(FDC, COLORONCOLOR);
  StretchBlt(FDC, dest.Left, dest.Top, dest.Right - dest.Left, dest.Bottom - dest.Top, s->FDC, 0, 0, width, height,
             SRCCOPY);
  SetStretchBltMode(FDC, oldMode);
}

HBITMAP GdiCanvas::CopyBitmap(int width, int height) const {
  if (!FBitmap) return nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, copy);
  BitBlt(dc, 0, 0, width, height, FDC, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return copy;
}

bool WriteBmp(HDC dc, HBITMAP bitmap, int width, int height, const std::string& fileName) {
  if (width <= 0 || height <= 0) return false;
  const int stride = ((width * 3) + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;  // bottom-up, as the file keeps it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  if (!GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS)) return false;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
  bi.bmiHeader.biSizeImage = static_cast<DWORD>(pixels.size());
  const std::wstring name = Wide(fileName);
  FILE* f = _wfopen(name.c_str(), L"wb");
  if (!f) return false;
  bool ok = fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f) == 1 &&
            fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
  ok = fclose(f) == 0 && ok;
  return ok;
}

}  // namespace win32

std::unique_ptr<CanvasPeer> CreateMemoryCanvas(int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width > 0 ? width : 1;
  bi.bmiHeader.biHeight = -(height > 0 ? height : 1);
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto canvas = std::make_unique<win32::GdiCanvas>(dc);
  canvas->FBitmap = bmp;
  canvas->FOldBitmap = SelectObject(dc, bmp);
  canvas->FillRect({0, 0, width, height}, 0xFFFFFF);
  return canvas;
}

bool SaveMemoryCanvasBmp(CanvasPeer& canvas, int width, int height, const std::string& fileName) {
  auto* c = dynamic_cast<win32::GdiCanvas*>(&canvas);
  if (!c || !c->FBitmap) return false;
  // GetDIBits wants the bitmap out of the context.
  SelectObject(c->FDC, c->FOldBitmap);
  const bool ok = win32::WriteBmp(c->FDC, c->FBitmap, width, height, fileName);
  SelectObject(c->FDC, c->FBitmap);
  return ok;
}

RgbColor SystemColor(int index) { return GetSysColor(index) & 0xFFFFFF; }

}  // namespace platform
