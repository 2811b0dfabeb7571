// The GDI drawing surface: a device context with a font cache. Window peers paint
// through it; memory surfaces own a 24-bit DIB section.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Canvas.h"

namespace platform::win32 {

// The font of a face description, made once and kept for the process.
HFONT FontOf(const FontFace& font);
std::wstring Wide(std::string_view ansi);
std::string Ansi(std::wstring_view wide);

class GdiCanvas : public CanvasPeer {
public:
  explicit GdiCanvas(HDC dc) : FDC(dc) {}
  ~GdiCanvas() override;
  void FillRect(const PixelRect& r, RgbColor color) override;
  void Line(int x1, int y1, int x2, int y2, RgbColor pen, int width) override;
  void Rectangle(const PixelRect& r, RgbColor pen, int penWidth, bool filled, RgbColor fill) override;
  void Ellipse(const PixelRect& r, RgbColor pen, int penWidth, bool filled, RgbColor fill) override;
  void TextOut(int x, int y, std::string_view text, const FontFace& font, bool opaque, RgbColor background) override;
  TextSize TextExtent(std::string_view text, const FontFace& font) override;
  void SetPixel(int x, int y, RgbColor color) override;
  RgbColor GetPixel(int x, int y) override;
  void SetClip(const PixelRect& r) override;
  PixelRect ClipBox() const override;
  // The part being painted: drawing stays inside it.
  void SetPaintArea(const PixelRect& r);
  void Draw(int x, int y, CanvasPeer& source, int width, int height) override;
  void StretchDraw(const PixelRect& dest, CanvasPeer& source, int width, int height) override;
  HDC DC() const { return FDC; }
  // A copy of a memory surface's picture as a bitmap of its own (the caller frees
  // it); null for a window's surface.
  HBITMAP CopyBitmap(int width, int height) const;

protected:
  HDC FDC;
  PixelRect FPaintArea{-1000000, -1000000, 1000000, 1000000};
  bool FHasPaintArea = false;
  // A memory surface's own bitmap (null for a window's).
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  friend std::unique_ptr<CanvasPeer> platform::CreateMemoryCanvas(int, int);
  friend bool platform::SaveMemoryCanvasBmp(CanvasPeer&, int, int, const std::string&);
};

// Writes a bitmap's pixels as a 24-bit BMP file.
bool WriteBmp(HDC dc, HBITMAP bitmap, int width, int height, const std::string& fileName);

}  // namespace platform::win32
