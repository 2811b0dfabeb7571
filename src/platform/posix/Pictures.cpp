// Pictures on the headless build: BMP files give their size (no pixels are kept), and
// vector pictures are the recorded operations, played back scaled onto any surface.
// Nothing is written as a metafile file.
#include <cstdint>
#include <fstream>

#include "platform/Canvas.h"
#include "platform/posix/HeadlessCanvas.h"

namespace platform {

namespace {

class RecordingMetafileCanvas : public posix::RecordingCanvas {
public:
  RecordingMetafileCanvas(int width, int height) : FWidth(width), FHeight(height) {}
  int FWidth, FHeight;
};

class RecordedPicture : public MetafilePicture {
public:
  RecordedPicture(std::vector<DrawOp> ops, int width, int height)
      : FOps(std::move(ops)), FWidth(width), FHeight(height) {}

  void Play(CanvasPeer& target, const PixelRect& r) override {
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    auto x = [&](int v) { return r.Left + (FWidth > 0 ? v * w / FWidth : v); };
    auto y = [&](int v) { return r.Top + (FHeight > 0 ? v * h / FHeight : v); };
    for (const DrawOp& op : FOps) {
      const PixelRect to{x(op.Rect.Left), y(op.Rect.Top), x(op.Rect.Right), y(op.Rect.Bottom)};
      switch (op.Kind) {
        case DrawOp::opFill: target.FillRect(to, op.Fill); break;
        case DrawOp::opLine: target.Line(to.Left, to.Top, to.Right, to.Bottom, op.Pen, 1); break;
        case DrawOp::opRectangle: target.Rectangle(to, op.Pen, 1, op.Filled, op.Fill); break;
        case DrawOp::opEllipse: target.Ellipse(to, op.Pen, 1, op.Filled, op.Fill); break;
        case DrawOp::opText: target.TextOut(x(op.X), y(op.Y), op.Text, op.Font, op.Filled, op.Fill); break;
      }
    }
  }
  bool Save(const std::string&) override { return false; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }

private:
  std::vector<DrawOp> FOps;
  int FWidth, FHeight;
};

std::int32_t ReadInt32(const unsigned char* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::unique_ptr<CanvasPeer> LoadMemoryCanvasBmp(const std::string& fileName, int& width, int& height) {
  std::ifstream in(fileName, std::ios::binary);
  unsigned char header[26] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 'B' || header[1] != 'M') return nullptr;
  const std::int32_t w = ReadInt32(header + 18), h = ReadInt32(header + 22);
  if (w <= 0 || h == 0) return nullptr;
  width = w;
  height = h < 0 ? -h : h;
  return CreateMemoryCanvas(width, height);
}

std::unique_ptr<CanvasPeer> CreateMetafileCanvas(int width, int height, std::uintptr_t) {
  return std::make_unique<RecordingMetafileCanvas>(width, height);
}

std::unique_ptr<MetafilePicture> CloseMetafileCanvas(std::unique_ptr<CanvasPeer> canvas) {
  auto* recording = dynamic_cast<RecordingMetafileCanvas*>(canvas.get());
  if (!recording) return nullptr;
  return std::make_unique<RecordedPicture>(recording->TakeRecording(), recording->FWidth, recording->FHeight);
}

std::unique_ptr<MetafilePicture> LoadMetafile(const std::string&) { return nullptr; }

}  // namespace platform
