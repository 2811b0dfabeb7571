#include "gui/Graphics.h"

#include <cstdio>

#include "gui/GuiTexts.h"
#include "gui/GuiErrors.h"
#include "platform/Files.h"
#include "platform/WindowPeer.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TFont::StaticClassInfo(), &TPen::StaticClassInfo(),
                                                    &TBrush::StaticClassInfo(), &TCanvas::StaticClassInfo(),
                                                    &TBitmap::StaticClassInfo(), &TMetafile::StaticClassInfo(),
                                                    &TMetafileCanvas::StaticClassInfo(), &TPicture::StaticClassInfo()};
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
  if (!graphic) return;
  graphic->DrawOn(Need(), {x, y, x + graphic->Width(), y + graphic->Height()});
}

void TCanvas::StretchDraw(int x1, int y1, int x2, int y2, TGraphic* graphic) {
  if (!graphic) return;
  graphic->DrawOn(Need(), {x1, y1, x2, y2});
}

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

void TGraphic::DrawOn(platform::CanvasPeer& target, const TRect& r) {
  platform::CanvasPeer* own = Surface();
  if (!own) return;
  if (r.Width() == Width() && r.Height() == Height())
    target.Draw(r.Left, r.Top, *own, Width(), Height());
  else
    target.StretchDraw({r.Left, r.Top, r.Right, r.Bottom}, *own, Width(), Height());
}

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

namespace {
// Pictures are read from and written to regular files only: a named pipe would keep
// the reader or writer waiting for ever.
bool IsFileToRead(const std::string& fileName) { return platform::KindOfFile(fileName) == platform::FileKind::Regular; }
bool IsFileToWrite(const std::string& fileName) {
  const platform::FileKind kind = platform::KindOfFile(fileName);
  return kind == platform::FileKind::Regular || kind == platform::FileKind::Missing;
}
}  // namespace

void TBitmap::SaveToFile(const std::string& fileName) {
  if (!IsFileToWrite(fileName) || !platform::SaveMemoryCanvasBmp(*FSurface, FWidth, FHeight, fileName))
    throw EInvalidGraphic(Format(texts::NoPictureFile, fileName));
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  if (!IsFileToRead(fileName)) throw EInvalidGraphic(Format(texts::NoPictureRead, fileName));
  int width = 0, height = 0;
  std::unique_ptr<platform::CanvasPeer> surface = platform::LoadMemoryCanvasBmp(fileName, width, height);
  if (!surface) throw EInvalidGraphic(Format(texts::NoPictureRead, fileName));
  FWidth = width;
  FHeight = height;
  FSurface = std::move(surface);
  FCanvas->Attach(FSurface.get());
}

// ---- TMetafile, TMetafileCanvas

const TClassInfo& TMetafile::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMetafile>("TMetafile", &TGraphic::StaticClassInfo());
  return info;
}

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() {
  // A canvas still drawing on it draws on nothing from now on.
  if (FCanvas) {
    FCanvas->Attach(nullptr);
    FCanvas->FRecording.reset();
    FCanvas->FMetafile = nullptr;
  }
}

int TMetafile::Width() const { return FWidth > 0 || !FPicture ? FWidth : FPicture->Width(); }
int TMetafile::Height() const { return FHeight > 0 || !FPicture ? FHeight : FPicture->Height(); }

void TMetafile::LoadFromFile(const std::string& fileName) {
  if (!IsFileToRead(fileName)) throw EInvalidGraphic(Format(texts::NoPictureRead, fileName));
  std::unique_ptr<platform::MetafilePicture> picture = platform::LoadMetafile(fileName);
  if (!picture) throw EInvalidGraphic(Format(texts::NoPictureRead, fileName));
  FPicture = std::move(picture);
  FWidth = FHeight = 0;
}

void TMetafile::SaveToFile(const std::string& fileName) {
  if (!FPicture || !IsFileToWrite(fileName) || !FPicture->Save(fileName))
    throw EInvalidGraphic(Format(texts::NoPictureFile, fileName));
}

void TMetafile::DrawOn(platform::CanvasPeer& target, const TRect& r) {
  if (FPicture) FPicture->Play(target, {r.Left, r.Top, r.Right, r.Bottom});
}

const TClassInfo& TMetafileCanvas::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMetafileCanvas>("TMetafileCanvas", &TCanvas::StaticClassInfo());
  return info;
}

TMetafileCanvas::~TMetafileCanvas() { Close(); }

void TMetafileCanvas::Open(TMetafile* metafile, std::uintptr_t referenceDevice) {
  Close();
  if (!metafile) return;
  if (metafile->FCanvas) metafile->FCanvas->Close();
  FRecording = platform::CreateMetafileCanvas(metafile->Width(), metafile->Height(), referenceDevice);
  if (!FRecording) throw EInvalidGraphic(Format(texts::NoPictureFile, "metafile"));
  FMetafile = metafile;
  metafile->FCanvas = this;
  Attach(FRecording.get());
}

void TMetafileCanvas::Close() {
  Attach(nullptr);
  if (!FMetafile) return;
  std::unique_ptr<platform::MetafilePicture> picture = platform::CloseMetafileCanvas(std::move(FRecording));
  if (picture) FMetafile->FPicture = std::move(picture);
  FMetafile->FCanvas = nullptr;
  FMetafile = nullptr;
}

// ---- TPicture

const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPicture>("TPicture", &rtl::TPersistent::StaticClassInfo())
                                     .Property("Graphic", &TPicture::Graphic, &TPicture::SetGraphic)
                                     .Property("Height", &TPicture::Height)
                                     .Property("Width", &TPicture::Width);
  return info;
}

TPicture::~TPicture() { rtl::FreeObject(FGraphic); }

void TPicture::Assign(const rtl::TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (auto* picture = dynamic_cast<const TPicture*>(source)) {
    SetGraphic(picture->FGraphic);
  } else if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
    SetGraphic(const_cast<TGraphic*>(graphic));
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::SetGraphic(TGraphic* graphic) {
  if (graphic == FGraphic) return;
  TGraphic* copy = nullptr;
  if (graphic) {
    copy = static_cast<TGraphic*>(graphic->ClassInfo().NewInstance());
    copy->AfterConstruction();
    copy->SetWidth(graphic->Width());
    copy->SetHeight(graphic->Height());
    // Pixels go across by drawing; a metafile's picture by playing it.
    if (auto* bitmap = dynamic_cast<TBitmap*>(copy)) bitmap->Canvas()->Draw(0, 0, graphic);
    if (auto* metafile = dynamic_cast<TMetafile*>(copy)) {
      TMetafileCanvas canvas(metafile, 0);
      canvas.StretchDraw(0, 0, graphic->Width(), graphic->Height(), graphic);
    }
  }
  rtl::FreeObject(FGraphic);
  FGraphic = copy;
}

TBitmap* TPicture::Bitmap() {
  if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic)) return bitmap;
  rtl::FreeObject(FGraphic);
  FGraphic = rtl::CreateObject<TBitmap>();
  return static_cast<TBitmap*>(FGraphic);
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  const std::string ext = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
  std::string lower;
  for (char c : ext) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  TGraphic* graphic = nullptr;
  if (lower == "bmp") graphic = rtl::CreateObject<TBitmap>();
  else if (lower == "emf" || lower == "wmf") graphic = rtl::CreateObject<TMetafile>();
  else throw EInvalidGraphic(Format(texts::UnknownPictureFormat, ext));
  try {
    graphic->LoadFromFile(fileName);
  } catch (...) {
    rtl::FreeObject(graphic);
    throw;
  }
  rtl::FreeObject(FGraphic);
  FGraphic = graphic;
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (!FGraphic) throw EInvalidGraphic(Format(texts::NoPictureFile, fileName));
  FGraphic->SaveToFile(fileName);
}

}  // namespace gui
