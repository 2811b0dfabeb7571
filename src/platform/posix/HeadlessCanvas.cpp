#include "platform/posix/HeadlessCanvas.h"

namespace platform {

namespace posix {

TextSize HeadlessCharCell(const FontFace& font) {
  // Character height from the font height (a positive height is the cell, a fifth of
  // it leading); the cell is that plus a fifth, and three fifths of it wide.
  int em = font.Height < 0 ? -font.Height : (font.Height * 4 + 2) / 5;
  if (em < 1) em = 1;
  return {(em * 3 + 2) / 5, em + em / 5};
}

void RecordingCanvas::FillRect(const PixelRect& r, RgbColor color) {
  DrawOp op{DrawOp::opFill};
  op.Rect = r;
  op.Fill = color;
  op.Filled = true;
  FOps.push_back(std::move(op));
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2, RgbColor pen, int) {
  DrawOp op{DrawOp::opLine};
  op.Rect = {x1, y1, x2, y2};
  op.Pen = pen;
  FOps.push_back(std::move(op));
}

void RecordingCanvas::Rectangle(const PixelRect& r, RgbColor pen, int, bool filled, RgbColor fill) {
  DrawOp op{DrawOp::opRectangle};
  op.Rect = r;
  op.Pen = pen;
  op.Filled = filled;
  op.Fill = fill;
  FOps.push_back(std::move(op));
}

void RecordingCanvas::Ellipse(const PixelRect& r, RgbColor pen, int, bool filled, RgbColor fill) {
  DrawOp op{DrawOp::opEllipse};
  op.Rect = r;
  op.Pen = pen;
  op.Filled = filled;
  op.Fill = fill;
  FOps.push_back(std::move(op));
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text, const FontFace& font, bool opaque, RgbColor background) {
  DrawOp op{DrawOp::opText};
  op.X = x;
  op.Y = y;
  op.Text = std::string(text);
  op.Font = font;
  op.Filled = opaque;
  op.Fill = background;
  FOps.push_back(std::move(op));
}

TextSize RecordingCanvas::TextExtent(std::string_view text, const FontFace& font) {
  const TextSize cell = HeadlessCharCell(font);
  return {cell.Width * static_cast<int>(text.size()), cell.Height};
}

void RecordingCanvas::SetPixel(int x, int y, RgbColor color) { FillRect({x, y, x + 1, y + 1}, color); }

RgbColor RecordingCanvas::GetPixel(int, int) { return 0xFFFFFF; }

void RecordingCanvas::Draw(int x, int y, CanvasPeer& source, int, int) {
  if (const auto* ops = source.Recording())
    for (DrawOp op : *ops) {
      op.Rect.Left += x, op.Rect.Right += x, op.Rect.Top += y, op.Rect.Bottom += y;
      op.X += x, op.Y += y;
      FOps.push_back(std::move(op));
    }
}

}  // namespace posix

std::unique_ptr<CanvasPeer> CreateMemoryCanvas(int, int) { return std::make_unique<posix::RecordingCanvas>(); }

bool SaveMemoryCanvasBmp(CanvasPeer&, int, int, const std::string&) { return false; }

RgbColor SystemColor(int index) {
  // The system's default scheme, fixed.
  switch (index) {
    case 5: return 0xFFFFFF;   // window
    case 8: return 0x000000;   // window text
    case 13: return 0xD77800;  // highlight
    case 14: return 0xFFFFFF;  // highlight text
    case 15: return 0xF0F0F0;  // button face
    case 16: return 0xA0A0A0;  // button shadow
    case 17: return 0x6D6D6D;  // gray text
    case 18: return 0x000000;  // button text
    case 20: return 0xFFFFFF;  // button highlight
    case 21: return 0x696969;  // dark shadow
    case 22: return 0xE3E3E3;  // light
    default: return 0xC0C0C0;
  }
}

}  // namespace platform
