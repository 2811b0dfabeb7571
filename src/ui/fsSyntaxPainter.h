// TfsSyntaxPainter: draws a TfsSyntaxMemo: its visible lines in fixed character cells
// with the four attribute fonts and the selection colours, the gutter with bookmarks
// and the error-line mark, and the footer with the caret position or a message.
#pragma once

#include "gui/Graphics.h"

namespace ui {

class TfsSyntaxMemo;

class TfsSyntaxPainter {
public:
  explicit TfsSyntaxPainter(const TfsSyntaxMemo& memo) : FMemo(memo) {}
  // The background of the error line's text (a light red), so that the line stays
  // marked where no gutter is shown.
  static constexpr gui::TColor ErrorLineColor = gui::TColor(0x00D8D8FF);
  void Paint(gui::TCanvas& canvas) const;

private:
  void PaintLines(gui::TCanvas& canvas) const;
  void PaintGutter(gui::TCanvas& canvas) const;
  void PaintFooter(gui::TCanvas& canvas) const;
  const TfsSyntaxMemo& FMemo;
};

}  // namespace ui
