#include "runtime/fsGraphicsRTTI.h"

#include <cstdint>

#include "gui/Graphics.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::Variant;
using Call = TfsMemberCall;

Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }
Variant None() { return Variant(); }
Variant Object(const rtl::TObject* o) { return rtl::ObjectToVariant(o); }

// "constructor Create": the fresh instance, through its creation step.
Variant Construct(Call& c) {
  c.Instance->AfterConstruction();
  return Object(c.Instance);
}

const TfsClassMethod kCreate[] = {{"constructor Create", &Construct}};

// TCanvas -------------------------------------------------------------------------------

gui::TCanvas& CanvasOf(Call& c) { return c.Self<gui::TCanvas>(); }

Variant CanvasDraw(Call& c) {
  CanvasOf(c).Draw(c.Args().ArgInt(0), c.Args().ArgInt(1), c.Args().ArgObjectAs<gui::TGraphic>(2));
  return None();
}
Variant CanvasEllipse(Call& c) {
  TfsMethodHelper& a = c.Args();
  CanvasOf(c).Ellipse(a.ArgInt(0), a.ArgInt(1), a.ArgInt(2), a.ArgInt(3));
  return None();
}
Variant CanvasLineTo(Call& c) {
  CanvasOf(c).LineTo(c.Args().ArgInt(0), c.Args().ArgInt(1));
  return None();
}
Variant CanvasMoveTo(Call& c) {
  CanvasOf(c).MoveTo(c.Args().ArgInt(0), c.Args().ArgInt(1));
  return None();
}
Variant CanvasRectangle(Call& c) {
  TfsMethodHelper& a = c.Args();
  CanvasOf(c).Rectangle(a.ArgInt(0), a.ArgInt(1), a.ArgInt(2), a.ArgInt(3));
  return None();
}
Variant CanvasRoundRect(Call& c) {
  TfsMethodHelper& a = c.Args();
  CanvasOf(c).RoundRect(a.ArgInt(0), a.ArgInt(1), a.ArgInt(2), a.ArgInt(3), a.ArgInt(4), a.ArgInt(5));
  return None();
}
Variant CanvasStretchDraw(Call& c) {
  TfsMethodHelper& a = c.Args();
  CanvasOf(c).StretchDraw(a.ArgInt(0), a.ArgInt(1), a.ArgInt(2), a.ArgInt(3), a.ArgObjectAs<gui::TGraphic>(4));
  return None();
}
Variant CanvasTextHeight(Call& c) { return Int(CanvasOf(c).TextHeight(c.Args().ArgString(0))); }
Variant CanvasTextOut(Call& c) {
  CanvasOf(c).TextOut(c.Args().ArgInt(0), c.Args().ArgInt(1), c.Args().ArgString(2));
  return None();
}
Variant CanvasTextWidth(Call& c) { return Int(CanvasOf(c).TextWidth(c.Args().ArgString(0))); }
Variant CanvasGetPixel(Call& c) { return Int(CanvasOf(c).Pixel(c.Args().ArgInt(0), c.Args().ArgInt(1))); }
Variant CanvasSetPixel(Call& c) {
  CanvasOf(c).SetPixel(c.Args().ArgInt(0), c.Args().ArgInt(1), rtl::VarToInt32(c.Written()));
  return None();
}

const TfsClassMethod kCanvasMethods[] = {
    {"constructor Create", &Construct},
    {"procedure Draw(X, Y: Integer; Graphic: TGraphic)", &CanvasDraw},
    {"procedure Ellipse(X1, Y1, X2, Y2: Integer)", &CanvasEllipse},
    {"procedure LineTo(X, Y: Integer)", &CanvasLineTo},
    {"procedure MoveTo(X, Y: Integer)", &CanvasMoveTo},
    {"procedure Rectangle(X1, Y1, X2, Y2: Integer)", &CanvasRectangle},
    {"procedure RoundRect(X1, Y1, X2, Y2, X3, Y3: Integer)", &CanvasRoundRect},
    {"procedure StretchDraw(X1, Y1, X2, Y2: Integer; Graphic: TGraphic)", &CanvasStretchDraw},
    {"function TextHeight(const Text: string): Integer", &CanvasTextHeight},
    {"procedure TextOut(X, Y: Integer; const Text: string)", &CanvasTextOut},
    {"function TextWidth(const Text: string): Integer", &CanvasTextWidth},
};
const TfsClassIndexed kCanvasIndexed[] = {
    {"Pixels", "Integer, Integer", "TColor", &CanvasGetPixel, &CanvasSetPixel},
};

// TGraphic and TPicture -----------------------------------------------------------------

Variant GraphicLoadFromFile(Call& c) {
  c.Self<gui::TGraphic>().LoadFromFile(c.Args().ArgString(0).str());
  return None();
}
Variant GraphicSaveToFile(Call& c) {
  c.Self<gui::TGraphic>().SaveToFile(c.Args().ArgString(0).str());
  return None();
}
Variant GraphicGetHeight(Call& c) { return Int(c.Self<gui::TGraphic>().Height()); }
Variant GraphicSetHeight(Call& c) {
  c.Self<gui::TGraphic>().SetHeight(rtl::VarToInt32(*c.Value));
  return None();
}
Variant GraphicGetWidth(Call& c) { return Int(c.Self<gui::TGraphic>().Width()); }
Variant GraphicSetWidth(Call& c) {
  c.Self<gui::TGraphic>().SetWidth(rtl::VarToInt32(*c.Value));
  return None();
}

const TfsClassMethod kGraphicMethods[] = {
    {"constructor Create", &Construct},
    {"procedure LoadFromFile(const Filename: string)", &GraphicLoadFromFile},
    {"procedure SaveToFile(const Filename: string)", &GraphicSaveToFile},
};
const TfsClassProperty kGraphicProperties[] = {
    {"Height", "Integer", &GraphicGetHeight, &GraphicSetHeight},
    {"Width", "Integer", &GraphicGetWidth, &GraphicSetWidth},
};

Variant PictureLoadFromFile(Call& c) {
  c.Self<gui::TPicture>().LoadFromFile(c.Args().ArgString(0).str());
  return None();
}
Variant PictureSaveToFile(Call& c) {
  c.Self<gui::TPicture>().SaveToFile(c.Args().ArgString(0).str());
  return None();
}
Variant PictureHeight(Call& c) { return Int(c.Self<gui::TPicture>().Height()); }
Variant PictureWidth(Call& c) { return Int(c.Self<gui::TPicture>().Width()); }

const TfsClassMethod kPictureMethods[] = {
    {"procedure LoadFromFile(const Filename: string)", &PictureLoadFromFile},
    {"procedure SaveToFile(const Filename: string)", &PictureSaveToFile},
};
const TfsClassProperty kPictureProperties[] = {
    {"Height", "Integer", &PictureHeight},
    {"Width", "Integer", &PictureWidth},
};

// TMetafileCanvas and TBitmap -----------------------------------------------------------

Variant MetafileCanvasCreate(Call& c) {
  auto& canvas = c.Self<gui::TMetafileCanvas>();
  canvas.AfterConstruction();
  canvas.Open(c.Args().ArgObjectAs<gui::TMetafile>(0), static_cast<std::uint32_t>(c.Args().ArgInt(1)));
  return Object(&canvas);
}

const TfsClassMethod kMetafileCanvasMethods[] = {
    {"constructor Create(AMetafile: TMetafile; ReferenceDevice: Integer)", &MetafileCanvasCreate},
};

Variant BitmapCanvas(Call& c) { return Object(c.Self<gui::TBitmap>().Canvas()); }

const TfsClassProperty kBitmapProperties[] = {{"Canvas", "TCanvas", &BitmapCanvas}};

const TfsClassEntry kClasses[] = {
    {&gui::TFont::StaticClassInfo, "TPersistent", kCreate},
    {&gui::TPen::StaticClassInfo, "TPersistent", kCreate},
    {&gui::TBrush::StaticClassInfo, "TPersistent", kCreate},
    {&gui::TCanvas::StaticClassInfo, "TPersistent", kCanvasMethods, {}, kCanvasIndexed},
    {&gui::TGraphic::StaticClassInfo, "TPersistent", kGraphicMethods, kGraphicProperties},
    {&gui::TPicture::StaticClassInfo, "TPersistent", kPictureMethods, kPictureProperties},
    {&gui::TMetafile::StaticClassInfo, "TGraphic"},
    {&gui::TMetafileCanvas::StaticClassInfo, "TCanvas", kMetafileCanvasMethods},
    {&gui::TBitmap::StaticClassInfo, "TGraphic", {}, kBitmapProperties},
};

}  // namespace

TfsGraphicsRTTI::TfsGraphicsRTTI(TfsScript* script) : TfsClassLibrary(script) {
  TfsRegistry r(script);
  r.RegisterSetType("TFontStyles", "fsBold, fsItalic, fsUnderline, fsStrikeout");
  r.RegisterEnumeration("TFontPitch", "fpDefault, fpVariable, fpFixed");
  r.RegisterEnumeration("TPenStyle", "psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame");
  r.RegisterEnumeration("TPenMode",
                        "pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, "
                        "pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor");
  r.RegisterEnumeration("TBrushStyle",
                        "bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross");
  RegisterClasses(kClasses);
}

namespace {
const TfsRTTIModuleClass kGraphicsClass{"TfsGraphicsRTTI", moGraphics, &NewRTTIModule<TfsGraphicsRTTI>};
TfsRuntimeModuleRegistration gGraphicsRegistration(kGraphicsClass);
}  // namespace

}  // namespace fs
