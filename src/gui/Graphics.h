// Colours, fonts, pens, brushes, the canvas controls paint on, and bitmaps. A canvas
// draws on a platform surface (a window being painted, a memory bitmap); system
// colours are resolved when they are used, so a theme change needs no reload.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "rtl/Persistent.h"

namespace gui {

// 0x00BBGGRR, or 0x80000000 + a system colour index.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor SystemColorBase = static_cast<TColor>(0x80000000u);
constexpr TColor clWindow = SystemColorBase | 5, clWindowText = SystemColorBase | 8,
                 clHighlight = SystemColorBase | 13, clHighlightText = SystemColorBase | 14,
                 clBtnFace = SystemColorBase | 15, clBtnShadow = SystemColorBase | 16,
                 clGrayText = SystemColorBase | 17, clBtnText = SystemColorBase | 18,
                 clBtnHighlight = SystemColorBase | 20;
constexpr TColor clNone = 0x1FFFFFFF;

platform::RgbColor ColorToRGB(TColor color);
const rtl::TEnumInfo& ColorIdentsInfo();

// TFontStyles bits.
enum : std::uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
const rtl::TEnumInfo& FontStyleTypeInfo();
enum TFontPitch { fpDefault, fpVariable, fpFixed };
const rtl::TEnumInfo& FontPitchTypeInfo();
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
const rtl::TEnumInfo& PenStyleTypeInfo();
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
const rtl::TEnumInfo& BrushStyleTypeInfo();

// A graphics object that tells its owner when it changes.
class TGraphicsObject : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  const rtl::TNotifyEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent handler) { FOnChange = std::move(handler); }

protected:
  void Changed() {
    if (FOnChange) FOnChange(this);
  }

private:
  rtl::TNotifyEvent FOnChange;
};

class TFont : public TGraphicsObject {
  RTL_CLASS_INFO

public:
  TFont();
  void Assign(const rtl::TPersistent* source) override;

  const rtl::AnsiString& Name() const noexcept { return FName; }
  void SetName(const rtl::AnsiString& name);
  // Points; the height follows from it at the screen's pixels per inch.
  int Size() const;
  void SetSize(int points);
  // Negative: character height in pixels (what Size gives); positive: cell height.
  int Height() const noexcept { return FHeight; }
  void SetHeight(int height);
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor color);
  std::uint32_t Style() const noexcept { return FStyle; }
  void SetStyle(std::uint32_t style);
  int Charset() const noexcept { return FCharset; }
  void SetCharset(int charset);
  TFontPitch Pitch() const noexcept { return FPitch; }
  void SetPitch(TFontPitch pitch);
  int PixelsPerInch() const noexcept { return FPixelsPerInch; }

  // What the platform draws with.
  platform::FontFace Face() const;

private:
  rtl::AnsiString FName = "MS Sans Serif";
  int FHeight = -11;
  TColor FColor = clWindowText;
  std::uint32_t FStyle = 0;
  int FCharset = 1;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch;
};

class TPen : public TGraphicsObject {
  RTL_CLASS_INFO

public:
  void Assign(const rtl::TPersistent* source) override;
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor color) { FColor = color; Changed(); }
  int Width() const noexcept { return FWidth; }
  void SetWidth(int width) { FWidth = width < 1 ? 1 : width; Changed(); }
  TPenStyle Style() const noexcept { return FStyle; }
  void SetStyle(TPenStyle style) { FStyle = style; Changed(); }
  int Mode() const noexcept { return FMode; }
  void SetMode(int mode) { FMode = mode; Changed(); }

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  int FMode = 4;  // pmCopy
};

class TBrush : public TGraphicsObject {
  RTL_CLASS_INFO

public:
  void Assign(const rtl::TPersistent* source) override;
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor color) {
    FColor = color;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
  }
  TBrushStyle Style() const noexcept { return FStyle; }
  void SetStyle(TBrushStyle style) { FStyle = style; Changed(); }

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const noexcept { return Right - Left; }
  int Height() const noexcept { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};
inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
struct TPoint {
  int X = 0, Y = 0;
};

class TGraphic;

// Draws with its Font, Pen and Brush on the surface it is attached to. A canvas
// without a surface raises EInvalidOperation "Canvas does not allow drawing".
class TCanvas : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  TCanvas();
  ~TCanvas() override;

  // The surface to draw on (not owned); null detaches.
  void Attach(platform::CanvasPeer* surface) noexcept { FSurface = surface; }
  platform::CanvasPeer* Surface() const noexcept { return FSurface; }

  TFont* Font() const noexcept { return FFont; }
  void SetFont(TFont* font) { FFont->Assign(font); }
  TPen* Pen() const noexcept { return FPen; }
  void SetPen(TPen* pen) { FPen->Assign(pen); }
  TBrush* Brush() const noexcept { return FBrush; }
  void SetBrush(TBrush* brush) { FBrush->Assign(brush); }
  int CopyMode() const noexcept { return FCopyMode; }
  void SetCopyMode(int mode) noexcept { FCopyMode = mode; }
  TPoint PenPos() const noexcept { return FPenPos; }

  // Fills with the brush.
  void FillRect(const TRect& r);
  void MoveTo(int x, int y) noexcept { FPenPos = {x, y}; }
  void LineTo(int x, int y);
  // Outlined with the pen, filled with the brush (unless its style is bsClear).
  void Rectangle(int x1, int y1, int x2, int y2);
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  // Text with the font, on the brush colour (transparent when its style is bsClear).
  void TextOut(int x, int y, const rtl::AnsiString& text);
  // The same, clipped to r, whose inside is filled with the brush first.
  void TextRect(const TRect& r, int x, int y, const rtl::AnsiString& text);
  int TextWidth(const rtl::AnsiString& text);
  // The part of the surface that needs drawing (a window being painted in part).
  TRect ClipRect() const;
  int TextHeight(const rtl::AnsiString& text);
  platform::TextSize TextExtent(const rtl::AnsiString& text);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(int x1, int y1, int x2, int y2, TGraphic* graphic);

private:
  platform::CanvasPeer& Need() const;

  platform::CanvasPeer* FSurface = nullptr;
  TFont* FFont;
  TPen* FPen;
  TBrush* FBrush;
  TPoint FPenPos;
  int FCopyMode = 0x00CC0020;  // cmSrcCopy
};

class EInvalidGraphic : public rtl::Exception {
public:
  explicit EInvalidGraphic(std::string message) : Exception(std::move(message), "EInvalidGraphic") {}
};

class TGraphic : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  virtual int Width() const { return 0; }
  virtual void SetWidth(int) {}
  virtual int Height() const { return 0; }
  virtual void SetHeight(int) {}
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName);
  virtual platform::CanvasPeer* Surface() const { return nullptr; }
  // Draws the picture on target, scaled to fill r.
  virtual void DrawOn(platform::CanvasPeer& target, const TRect& r);
};

// A picture in memory with its own canvas.
class TBitmap : public TGraphic {
  RTL_CLASS_INFO

public:
  TBitmap();
  ~TBitmap() override;
  int Width() const override { return FWidth; }
  void SetWidth(int width) override { SetSize(width, FHeight); }
  int Height() const override { return FHeight; }
  void SetHeight(int height) override { SetSize(FWidth, height); }
  void SetSize(int width, int height);
  TCanvas* Canvas() const noexcept { return FCanvas; }
  // A BMP file (EInvalidGraphic when it cannot be read as one; this build may keep
  // its size only).
  void LoadFromFile(const std::string& fileName) override;
  // A 24-bit BMP file (EInvalidGraphic when this build keeps no pixels).
  void SaveToFile(const std::string& fileName) override;
  platform::CanvasPeer* Surface() const override { return FSurface.get(); }

private:
  int FWidth = 0, FHeight = 0;
  std::unique_ptr<platform::CanvasPeer> FSurface;
  TCanvas* FCanvas;
};

class TMetafileCanvas;

// A vector picture: what a TMetafileCanvas drew on it, drawn again at any size.
// Windows keeps it as an enhanced metafile (and reads and writes .emf files).
class TMetafile : public TGraphic {
  RTL_CLASS_INFO

public:
  TMetafile();
  ~TMetafile() override;
  // The size set, or else the picture's own.
  int Width() const override;
  void SetWidth(int width) override { FWidth = width < 0 ? 0 : width; }
  int Height() const override;
  void SetHeight(int height) override { FHeight = height < 0 ? 0 : height; }
  bool Empty() const noexcept { return !FPicture; }
  void LoadFromFile(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) override;
  void DrawOn(platform::CanvasPeer& target, const TRect& r) override;

private:
  friend class TMetafileCanvas;
  int FWidth = 0, FHeight = 0;
  std::unique_ptr<platform::MetafilePicture> FPicture;
  TMetafileCanvas* FCanvas = nullptr;  // drawing on it now, if any
};

// Draws on a metafile: what is drawn becomes the metafile's picture when the canvas is
// freed (the picture drawn before is replaced).
class TMetafileCanvas : public TCanvas {
  RTL_CLASS_INFO

public:
  TMetafileCanvas() = default;
  TMetafileCanvas(TMetafile* metafile, std::uintptr_t referenceDevice) { Open(metafile, referenceDevice); }
  ~TMetafileCanvas() override;
  // Starts drawing on metafile at its size (referenceDevice 0: the screen's
  // resolution); a canvas drawing on another metafile hands that one its picture first.
  void Open(TMetafile* metafile, std::uintptr_t referenceDevice);
  TMetafile* Metafile() const noexcept { return FMetafile; }

private:
  friend class TMetafile;
  void Close();
  TMetafile* FMetafile = nullptr;
  std::unique_ptr<platform::CanvasPeer> FRecording;
};

// Holds one graphic of any kind: a bitmap or a metafile, chosen by the file it loads.
class TPicture : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  TPicture() = default;
  ~TPicture() override;
  void Assign(const rtl::TPersistent* source) override;

  TGraphic* Graphic() const noexcept { return FGraphic; }
  // A copy of graphic (of the same class); null empties the picture.
  void SetGraphic(TGraphic* graphic);
  // The picture as a bitmap: an empty one is made when it holds none.
  TBitmap* Bitmap();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }
  // .bmp as a bitmap, .emf and .wmf as a metafile; another extension raises
  // EInvalidGraphic.
  void LoadFromFile(const std::string& fileName);
  // The graphic's file; an empty picture raises EInvalidGraphic.
  void SaveToFile(const std::string& fileName);

private:
  TGraphic* FGraphic = nullptr;
};

}  // namespace gui
