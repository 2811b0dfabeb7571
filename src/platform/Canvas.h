// Drawing surfaces behind the toolkit's TCanvas: a window being painted, a memory
// bitmap. On Windows GDI draws the pixels; on POSIX the surface records what was drawn
// (for tests) and measures text with fixed metrics. Texts are in the process code page.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// 0x00BBGGRR; system colours are resolved by the toolkit before they get here.
using RgbColor = std::uint32_t;

// The colour of a system element by its index (5 window, 8 window text, 13 highlight,
// 14 highlight text, 15 button face, 16 button shadow, 18 button text, 20 button
// highlight ...).
RgbColor SystemColor(int index);

struct FontFace {
  std::string Name;
  // Negative: character height in pixels; positive: cell height.
  int Height = -13;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  int Charset = 1;
  // 0 the font's own, 1 variable, 2 fixed: with a fixed pitch a missing face is
  // replaced by a fixed-pitch one.
  int Pitch = 0;
  RgbColor Color = 0;
};

struct PixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TextSize {
  int Width = 0, Height = 0;
};

// One drawing operation as the recording surface keeps it.
struct DrawOp {
  enum OpKind { opFill, opLine, opRectangle, opEllipse, opText } Kind;
  PixelRect Rect;          // FillRect, Rectangle, Ellipse; Line: from (Left,Top) to (Right,Bottom)
  RgbColor Pen = 0;        // Line, Rectangle, Ellipse outline
  RgbColor Fill = 0;       // FillRect, Rectangle/Ellipse inside, opaque text background
  bool Filled = false;     // Rectangle, Ellipse: inside painted; Text: background opaque
  int X = 0, Y = 0;        // Text
  std::string Text;
  FontFace Font;
};

class CanvasPeer {
public:
  virtual ~CanvasPeer() = default;
  virtual void FillRect(const PixelRect& r, RgbColor color) = 0;
  // From (x1, y1) up to, not including, (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2, RgbColor pen, int width) = 0;
  // penWidth 0: no outline.
  virtual void Rectangle(const PixelRect& r, RgbColor pen, int penWidth, bool filled, RgbColor fill) = 0;
  virtual void Ellipse(const PixelRect& r, RgbColor pen, int penWidth, bool filled, RgbColor fill) = 0;
  virtual void TextOut(int x, int y, std::string_view text, const FontFace& font, bool opaque, RgbColor background) = 0;
  virtual TextSize TextExtent(std::string_view text, const FontFace& font) = 0;
  virtual void SetPixel(int x, int y, RgbColor color) = 0;
  virtual RgbColor GetPixel(int x, int y) = 0;
  // Limits drawing to a rectangle (an empty rectangle lifts the limit, back to what
  // is being painted).
  virtual void SetClip(const PixelRect& r) = 0;
  // What needs drawing: the part of a window being painted; everything elsewhere.
  virtual PixelRect ClipBox() const { return {-1000000, -1000000, 1000000, 1000000}; }
  // Copies another surface's pixels (a memory bitmap) to (x, y).
  virtual void Draw(int x, int y, CanvasPeer& source, int width, int height) = 0;
  // The same, scaled from width x height to fill dest.
  virtual void StretchDraw(const PixelRect& dest, CanvasPeer& source, int width, int height) {
    Draw(dest.Left, dest.Top, source, width, height);
  }
  // The operations drawn so far: the recording surface's; empty on Windows.
  virtual const std::vector<DrawOp>* Recording() const { return nullptr; }
};

// A memory surface of the given size, white; Windows keeps 24-bit pixels.
std::unique_ptr<CanvasPeer> CreateMemoryCanvas(int width, int height);
// Writes a memory surface as a 24-bit BMP file; false when it cannot (POSIX keeps no pixels).
bool SaveMemoryCanvasBmp(CanvasPeer& canvas, int width, int height, const std::string& fileName);
// Reads a BMP file into a new memory surface of the file's size (width and height get
// it); null when the file cannot be read as a BMP. POSIX keeps the size, not the pixels.
std::unique_ptr<CanvasPeer> LoadMemoryCanvasBmp(const std::string& fileName, int& width, int& height);

// A vector picture: what was drawn on a metafile surface, played back onto any surface
// scaled to a rectangle. Windows keeps an enhanced metafile; POSIX the recorded
// operations.
class MetafilePicture {
public:
  virtual ~MetafilePicture() = default;
  virtual void Play(CanvasPeer& target, const PixelRect& r) = 0;
  // Writes an enhanced metafile file; false when it cannot (POSIX writes none).
  virtual bool Save(const std::string& fileName) = 0;
  // The picture's own size in pixels (what it was recorded with, or its file's frame).
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};
// A surface whose drawing goes into a new picture of the given size in pixels of the
// reference device (0: the screen).
std::unique_ptr<CanvasPeer> CreateMetafileCanvas(int width, int height, std::uintptr_t referenceDevice);
// Ends the drawing on a metafile surface and gives the picture (null for another kind
// of surface).
std::unique_ptr<MetafilePicture> CloseMetafileCanvas(std::unique_ptr<CanvasPeer> canvas);
// Reads an enhanced metafile file; null when it cannot (always on POSIX).
std::unique_ptr<MetafilePicture> LoadMetafile(const std::string& fileName);

}  // namespace platform
