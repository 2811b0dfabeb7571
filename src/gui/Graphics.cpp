#include "gui/Graphics.h"

#include <cstdio>

#include "gui/GuiTexts.h"
#include "gui/GuiErrors.h"
#include "platform/WindowPeer.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TFont::StaticClassInfo(), &TPen::StaticClassInfo(),
                                                    &TBrush::StaticClassInfo(), &TCanvas::StaticClassInfo(),
                                                    &TBitmap::StaticClassInfo()};
}

platform::RgbColor ColorToRGB(TColor color) {
  if (color < 0) return platform::SystemColor(color & 0xFF);
  return static_cast<platform::RgbColor>(color) & 0xFFFFFF;
}

const TEnumInfo& FontStyleTypeInfo() {
  static const TEnumInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
  return info;
}
const TEnumInfo& FontPitchTypeInfo() {
  static const TEnumInfo info{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
  return info;
}
const TEnumInfo& PenStyleTypeInfo() {
  static const TEnumInfo info{"TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
  return info;
}
const TEnumInfo& BrushStyleTypeInfo() {
  static const TEnumInfo info{"TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"}};
  return info;
}

const TClassInfo& TGraphicsObject::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGraphicsObject>("TGraphicsObject", &rtl::TPersistent::StaticClassInfo());
  return info;
}

// ---- TFont

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TFont>("TFont", &TGraphicsObject::StaticClassInfo())
          .Property("Charset", &TFont::Charset, &TFont::SetCharset).TypeName("TFontCharset")
          .Property("Color", &TFont::Color, &TFont::SetColor).TypeName("TColor")
          .Property("Height", &TFont::Height, &TFont::SetHeight)
          .Property("Name", &TFont::Name, &TFont::SetName).TypeName("TFontName")
          .Enum("Pitch", FontPitchTypeInfo(), &TFont::Pitch, &TFont::SetPitch)
          .Property("Size", &TFont::Size, &TFont::SetSize)
          .Set("Style", "TFontStyles", FontStyleTypeInfo(), &TFont::Style, &TFont::SetStyle);
  return info;
}

TFont::TFont() : FPixelsPerInch(platform::ScreenPixelsPerInch()) {}

void TFont::Assign(const rtl::TPersistent* source) {
  if (const auto* f = dynamic_cast<const TFont*>(source)) {
    FName = f->FName;
    // Heights are pixels at the source's resolution.
    FHeight = f->FPixelsPerInch == FPixelsPerInch ? f->FHeight : f->FHeight * FPixelsPerInch / f->FPixelsPerInch;
    FColor = f->FColor;
    FStyle = f->FStyle;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TFont::SetName(const rtl::AnsiString& name) {
  if (name.IsEmpty() || name == FName) return;
  FName = name;
  Changed();
}

int TFont::Size() const {
  // Rounded as the system rounds point sizes.
  const int h = FHeight < 0 ? -FHeight : FHeight;
  const int points = (h * 72 + FPixelsPerInch / 2) / FPixelsPerInch;
  return FHeight < 0 ? points : -points;
}

void TFont::SetSize(int points) {
  const int p = points < 0 ? -points : points;
  const int pixels = (p * FPixelsPerInch + 36) / 72;
  SetHeight(points < 0 ? pixels : -pixels);
}

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TFont::SetStyle(std::uint32_t style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetCharset(int charset) {
  if (charset == FCharset) return;
  FCharset = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == FPitch) return;
  FPitch = pitch;
  Changed();
}

platform::FontFace TFont::Face() const {
  platform::FontFace s;
  s.Name = FName.str();
  s.Height = FHeight;
  s.Bold = (FStyle & fsBold) != 0;
  s.Italic = (FStyle & fsItalic) != 0;
  s.Underline = (FStyle & fsUnderline) != 0;
  s.StrikeOut = (FStyle & fsStrikeOut) != 0;
  s.Charset = FCharset;
  s.Pitch = FPitch;
  s.Color = ColorToRGB(FColor);
  return s;
}

// ---- TPen, TBrush

const TClassInfo& TPen::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPen>("TPen", &TGraphicsObject::StaticClassInfo())
                                     .Property("Color", &TPen::Color, &TPen::SetColor).TypeName("TColor")
                                     .Property("Mode", &TPen::Mode, &TPen::SetMode).TypeName("TPenMode")
                                     .Enum("Style", PenStyleTypeInfo(), &TPen::Style, &TPen::SetStyle)
                                     .Property("Width", &TPen::Width, &TPen::SetWidth);
  return info;
}

void TPen::Assign(const rtl::TPersistent* source) {
  if (const auto* p = dynamic_cast<const TPen*>(source)) {
    FColor = p->FColor, FWidth = p->FWidth, FStyle = p->FStyle, FMode = p->FMode;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

const TClassInfo& TBrush::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBrush>("TBrush", &TGraphicsObject::StaticClassInfo())
                                     .Property("Color", &TBrush::Color, &TBrush::SetColor).TypeName("TColor")
                                     .Enum("Style", BrushStyleTypeInfo(), &TBrush::Style, &TBrush::SetStyle);
  return info;
}

void TBrush::Assign(const rtl::TPersistent* source) {
  if (const auto* b = dynamic_cast<const TBrush*>(source)) {
    FColor = b->FColor, FStyle = b->FStyle;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

// ---- TCanvas

const TClassInfo& TCanvas::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas", &rtl::TPersistent::StaticClassInfo())
                                     .Property("Brush", &TCanvas::Brush, &TCanvas::SetBrush)
                                     .Property("CopyMode", &TCanvas::CopyMode, &TCanvas::SetCopyMode)
                                     .Property("Font", &TCanvas::Font, &TCanvas::SetFont)
                                     .Property("Pen", &TCanvas::Pen, &TCanvas::SetPen);
  return info;
}

TCanvas::TCanvas() : FFont(rtl::CreateObject<TFont>()), FPen(rtl::CreateObject<TPen>()), FBrush(rtl::CreateObject<TBrush>()) {}

TCanvas::~TCanvas() {
  rtl::FreeObject(FFont);
  rtl::FreeObject(FPen);
  rtl::FreeObject(FBrush);
}

platform::CanvasPeer& TCanvas::Need() const {
  if (!FSurface) throw EInvalidOperation(texts::CanvasNoDrawing);
  return *FSurface;
}

void TCanvas::FillRect(const TRect& r) {
  if (FBrush->Style() == bsClear) return;
  Need().FillRect({r.Left, r.Top, r.Right, r.Bottom}, ColorToRGB(FBrush->Color()));
}

void TCanvas::LineTo(int x, int y) {
  if (FPen->Style() != psClear) Need().Line(FPenPos.X, FPenPos.Y, x, y, ColorToRGB(FPen->Color()), FPen->Width());
  FPenPos = {x, y};
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const bool outline = FPen->Style() != psClear;
  Need().Rectangle({x1, y1, x2, y2}, ColorToRGB(FPen->Color()), outline ? FPen->Width() : 0, FBrush->Style() != bsClear,
                   ColorToRGB(FBrush->Color()));
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int, int) { Rectangle(x1, y1, x2, y2); }

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const bool outline = FPen->Style() != psClear;
  Need().Ellipse({x1, y1, x2, y2}, ColorToRGB(FPen->Color()), outline ? FPen->Width() : 0, FBrush->Style() != bsClear,
                 ColorToRGB(FBrush->Color()));
}

void TCanvas::TextOut(int x, int y, const rtl::AnsiString& text) {
  Need().TextOut(x, y, text.str(), FFont->Face(), FBrush->Style() != bsClear, ColorToRGB(FBrush->Color()));
  FPenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const rtl::AnsiString& text) {
  platform::CanvasPeer& s = Need();
  s.SetClip({r.Left, r.Top, r.Right, r.Bottom});
  if (FBrush->Style() != bsClear) s.FillRect({r.Left, r.Top, r.Right, r.Bottom}, ColorToRGB(FBrush->Color()));
  s.TextOut(x, y, text.str(), FFont->Face(), false, 0);
  s.SetClip({});
}

platform::TextSize TCanvas::TextExtent(const rtl::AnsiString& text) { return Need().TextExtent(text.str(), FFont->Face()); }
TRect TCanvas::ClipRect() const {
  const platform::PixelRect r = Need().ClipBox();
  return {r.Left, r.Top, r.Right, r.Bottom};
}

int TCanvas::TextWidth(const rtl::AnsiString& text) { return TextExtent(text).Width; }
int TCanvas::TextHeight(const rtl::AnsiString& text) { return TextExtent(text).Height; }

TColor TCanvas::Pixel(int x, int y) { return static_cast<TColor>(Need().GetPixel(x, y)); }
void TCanvas::SetPixel(int x, int y, TColor color) { Need().SetPixel(x, y, ColorToRGB(color)); }

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || !graphic->Surface()) return;
  Need().Draw(x, y, *graphic->Surface(), graphic->Width(), graphic->Height());
}

void TCanvas::StretchDraw(int x1, int y1, int, int, TGraphic* graphic) { Draw(x1, y1, graphic); }

// ---- TGraphic, TBitmap

const TClassInfo& TGraphic::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGraphic>("TGraphic", &rtl::TPersistent::StaticClassInfo())
                                     .Property("Height", &TGraphic::Height, &TGraphic::SetHeight)
                                     .Property("Width", &TGraphic::Width, &TGraphic::SetWidth);
  return info;
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  throw EInvalidGraphic(Format(texts::UnknownPictureFormat, dot == std::string::npos ? "" : fileName.substr(dot + 1)));
}

void TGraphic::SaveToFile(const std::string& fileName) { throw EInvalidGraphic(Format(texts::NoPictureFile, fileName)); }

const TClassInfo& TBitmap::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", &TGraphic::StaticClassInfo())
                                     .Property("Canvas", &TBitmap::Canvas);
  return info;
}

TBitmap::TBitmap() : FCanvas(rtl::CreateObject<TCanvas>()) { SetSize(0, 0); }

TBitmap::~TBitmap() { rtl::FreeObject(FCanvas); }

void TBitmap::SetSize(int width, int height) {
  FWidth = width < 0 ? 0 : width;
  FHeight = height < 0 ? 0 : height;
  FSurface = platform::CreateMemoryCanvas(FWidth, FHeight);
  FCanvas->Attach(FSurface.get());
}

void TBitmap::SaveToFile(const std::string& fileName) {
  if (!platform::SaveMemoryCanvasBmp(*FSurface, FWidth, FHeight, fileName))
    throw EInvalidGraphic(Format(texts::NoPictureFile, fileName));
}

}  // namespace gui
