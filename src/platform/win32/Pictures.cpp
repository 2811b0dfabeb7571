// Pictures in files and vector pictures: BMP files read into memory surfaces, and
// enhanced metafiles recorded, played, written and read by GDI.
#include "platform/win32/GdiCanvas.h"

namespace platform {

namespace {

// A surface whose drawing GDI records into an enhanced metafile.
class EmfCanvas : public win32::GdiCanvas {
public:
  EmfCanvas(HDC dc, int width, int height) : GdiCanvas(dc), FWidth(width), FHeight(height) {}
  ~EmfCanvas() override {
    if (FDC) DeleteEnhMetaFile(CloseEnhMetaFile(FDC));
  }
  HENHMETAFILE Close() {
    HENHMETAFILE h = CloseEnhMetaFile(FDC);
    FDC = nullptr;
    return h;
  }
  int FWidth, FHeight;
};

class EmfPicture : public MetafilePicture {
public:
  EmfPicture(HENHMETAFILE handle, int width, int height) : FHandle(handle), FWidth(width), FHeight(height) {}
  ~EmfPicture() override { DeleteEnhMetaFile(FHandle); }
  void Play(CanvasPeer& target, const PixelRect& r) override {
    auto* gdi = dynamic_cast<win32::GdiCanvas*>(&target);
    if (!gdi || !FHandle) return;
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    PlayEnhMetaFile(gdi->DC(), FHandle, &rc);
  }
  bool Save(const std::string& fileName) override {
    HENHMETAFILE copy = CopyEnhMetaFileW(FHandle, win32::Wide(fileName).c_str());
    if (!copy) return false;
    DeleteEnhMetaFile(copy);
    return true;
  }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }

private:
  HENHMETAFILE FHandle;
  int FWidth, FHeight;
};

}  // namespace

std::unique_ptr<CanvasPeer> LoadMemoryCanvasBmp(const std::string& fileName, int& width, int& height) {
  auto* bmp = static_cast<HBITMAP>(LoadImageW(nullptr, win32::Wide(fileName).c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bmp) return nullptr;
  BITMAP info{};
  GetObjectW(bmp, sizeof info, &info);
  width = info.bmWidth;
  height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  std::unique_ptr<CanvasPeer> canvas = CreateMemoryCanvas(width, height);
  HDC source = CreateCompatibleDC(static_cast<win32::GdiCanvas&>(*canvas).DC());
  HGDIOBJ old = SelectObject(source, bmp);
  BitBlt(static_cast<win32::GdiCanvas&>(*canvas).DC(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(bmp);
  return canvas;
}

std::unique_ptr<CanvasPeer> CreateMetafileCanvas(int width, int height, std::uintptr_t referenceDevice) {
  HDC screen = referenceDevice ? nullptr : GetDC(nullptr);
  HDC ref = referenceDevice ? reinterpret_cast<HDC>(referenceDevice) : screen;
  // The frame is given in hundredths of a millimetre of the reference device.
  const RECT frame{0, 0, MulDiv(width, GetDeviceCaps(ref, HORZSIZE) * 100, GetDeviceCaps(ref, HORZRES)),
                   MulDiv(height, GetDeviceCaps(ref, VERTSIZE) * 100, GetDeviceCaps(ref, VERTRES))};
  HDC dc = CreateEnhMetaFileW(ref, nullptr, width > 0 && height > 0 ? &frame : nullptr, nullptr);
  if (screen) ReleaseDC(nullptr, screen);
  if (!dc) return nullptr;
  return std::make_unique<EmfCanvas>(dc, width, height);
}

std::unique_ptr<MetafilePicture> CloseMetafileCanvas(std::unique_ptr<CanvasPeer> canvas) {
  auto* emf = dynamic_cast<EmfCanvas*>(canvas.get());
  if (!emf) return nullptr;
  HENHMETAFILE h = emf->Close();
  if (!h) return nullptr;
  return std::make_unique<EmfPicture>(h, emf->FWidth, emf->FHeight);
}

std::unique_ptr<MetafilePicture> LoadMetafile(const std::string& fileName) {
  HENHMETAFILE h = GetEnhMetaFileW(win32::Wide(fileName).c_str());
  if (!h) return nullptr;
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(h, sizeof header, &header);
  return std::make_unique<EmfPicture>(h, header.rclBounds.right - header.rclBounds.left + 1,
                                      header.rclBounds.bottom - header.rclBounds.top + 1);
}

}  // namespace platform
