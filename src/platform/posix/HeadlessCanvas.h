// The headless drawing surface: records every operation and measures text with fixed
// metrics, the same for every font name, so that layouts and tests do not depend on
// installed fonts.
#pragma once

#include <vector>

#include "platform/Canvas.h"

namespace platform::posix {

class RecordingCanvas : public CanvasPeer {
public:
  void FillRect(const PixelRect& r, RgbColor color) override;
  void Line(int x1, int y1, int x2, int y2, RgbColor pen, int width) override;
  void Rectangle(const PixelRect& r, RgbColor pen, int penWidth, bool filled, RgbColor fill) override;
  void Ellipse(const PixelRect& r, RgbColor pen, int penWidth, bool filled, RgbColor fill) override;
  void TextOut(int x, int y, std::string_view text, const FontFace& font, bool opaque, RgbColor background) override;
  TextSize TextExtent(std::string_view text, const FontFace& font) override;
  void SetPixel(int x, int y, RgbColor color) override;
  RgbColor GetPixel(int x, int y) override;
  void SetClip(const PixelRect&) override {}
  void Draw(int x, int y, CanvasPeer& source, int width, int height) override;
  const std::vector<DrawOp>* Recording() const override { return &FOps; }
  std::vector<DrawOp> TakeRecording() { return std::move(FOps); }

private:
  std::vector<DrawOp> FOps;
};

// The fixed metrics: a character cell of a font.
TextSize HeadlessCharCell(const FontFace& font);

}  // namespace platform::posix
