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
  void Paint(gui::TCanvas& canvas) const;

private:
  void PaintLines(gui::TCanvas& canvas) const;
  void PaintGutter(gui::TCanvas& canvas) const;
  void PaintFooter(gui::TCanvas& canvas) const;
  const TfsSyntaxMemo& FMemo;
};

}  // namespace ui
