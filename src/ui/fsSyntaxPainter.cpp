#include "ui/fsSyntaxPainter.h"

#include <string>

#include "ui/fsSyntaxMemo.h"

namespace ui {

using namespace gui;

void TfsSyntaxPainter::Paint(TCanvas& canvas) const {
  const TfsSyntaxMemo& m = FMemo;
  const int width = m.ClientWidth(), height = m.ClientHeight();
  const int gutter = m.GutterWidth(), footer = m.FooterHeight();
  // The gutter and the footer in the button face, with their edge lines.
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(clBtnFace);
  if (gutter > 2) canvas.FillRect({0, 0, gutter - 2, height - footer});
  if (footer > 0) canvas.FillRect({0, height - footer, width, height});
  canvas.Pen()->SetColor(clBtnHighlight);
  if (gutter > 0) {
    canvas.MoveTo(gutter - 4, 0);
    canvas.LineTo(gutter - 4, height - footer + 1);
  }
  if (footer > 0) {
    canvas.MoveTo(0, height - footer);
    canvas.LineTo(width, height - footer);
  }
  // The text area's own background, where no line is drawn.
  canvas.Brush()->SetColor(m.Color());
  canvas.FillRect({gutter, 0, width, height - footer});
  PaintLines(canvas);
  if (m.ShowGutter()) PaintGutter(canvas);
  PaintFooter(canvas);
}

void TfsSyntaxPainter::PaintLines(TCanvas& canvas) const {
  const TfsSyntaxMemo& m = FMemo;
  const int cw = m.CharWidth(), lh = m.LineHeight();
  const int width = m.ClientWidth();
  const bool selection = m.HasSelection();
  const int selFrom = selection ? m.SelectionStart().Y * MaxLineLength + m.SelectionStart().X : 0;
  const int selTo = selection ? m.SelectionEnd().Y * MaxLineLength + m.SelectionEnd().X : 0;
  auto selected = [&](int line, int col) {
    const int order = line * MaxLineLength + col;
    return selection && order >= selFrom && order < selTo;
  };
  const TFont* fonts[] = {m.TextAttr(), m.TextAttr(), m.TextAttr(), m.CommentAttr(), m.KeywordAttr(), m.StringAttr()};
  const int charset = m.Font()->Charset();
  const auto& attrs = m.AttrLines();
  const int visible = m.VisibleLines();
  const TRect clip = canvas.ClipRect();
  for (int i = m.TopLine(); i < m.TopLine() + visible && i < m.LineCount(); ++i) {
    const int y = (i - m.TopLine()) * lh;
    if (y + lh <= clip.Top || y >= clip.Bottom) continue;  // not being painted
    const std::string& text = m.Line(i);
    const std::string& attr = attrs[static_cast<std::size_t>(i)];
    // The error line is marked across the whole text area, gutter or not.
    const bool errorLine = i + 1 == m.ErrorLine();
    const TColor background = errorLine ? ErrorLineColor : m.Color();
    if (errorLine) {
      canvas.Brush()->SetStyle(bsSolid);
      canvas.Brush()->SetColor(background);
      canvas.FillRect({m.GutterWidth(), y, width, y + lh});
    }
    int x = m.GutterWidth();
    std::size_t k = static_cast<std::size_t>(m.LeftCol());
    while (k < text.size()) {
      // A run of characters with the same class and selection state.
      const char cls = attr[k];
      const bool sel = selected(i + 1, static_cast<int>(k) + 1);
      std::size_t e = k + 1;
      while (e < text.size() && attr[e] == cls && selected(i + 1, static_cast<int>(e) + 1) == sel) ++e;
      const std::string run = text.substr(k, e - k);
      const int index = cls >= hcText && cls <= hcString ? cls : hcText;
      canvas.Font()->Assign(fonts[index]);
      canvas.Font()->SetCharset(charset);
      canvas.Brush()->SetStyle(bsSolid);
      canvas.Brush()->SetColor(sel ? m.BlockColor() : background);
      if (sel) canvas.Font()->SetColor(m.BlockFontColor());
      const int runWidth = static_cast<int>(run.size()) * cw;
      canvas.FillRect({x, y, x + runWidth, y + lh});
      canvas.Brush()->SetStyle(bsClear);
      if (m.FixedFont()) {
        canvas.TextOut(x, y, rtl::AnsiString(run));
      } else {
        // Character by character, so that any font keeps the grid.
        for (std::size_t c = 0; c < run.size(); ++c)
          canvas.TextOut(x + static_cast<int>(c) * cw, y, rtl::AnsiString(run.substr(c, 1)));
      }
      x += runWidth;
      k = e;
    }
    // A selection that goes on into the next line fills the rest of this one.
    if (i + 1 < m.LineCount() && selected(i + 2, 1)) {
      const int from = std::max(x, m.GutterWidth() + (static_cast<int>(text.size()) - m.LeftCol()) * cw);
      canvas.Brush()->SetStyle(bsSolid);
      canvas.Brush()->SetColor(m.BlockColor());
      canvas.FillRect({std::max(from, m.GutterWidth()), y, width, y + lh});
    }
  }
}

void TfsSyntaxPainter::PaintGutter(TCanvas& canvas) const {
  const TfsSyntaxMemo& m = FMemo;
  const int lh = m.LineHeight();
  canvas.Pen()->SetWidth(1);
  const TRect clip = canvas.ClipRect();
  for (int i = m.TopLine(); i < m.TopLine() + m.VisibleLines() && i < m.LineCount(); ++i) {
    const int y = (i - m.TopLine()) * lh;
    if (y + lh <= clip.Top || y >= clip.Bottom) continue;
    int mark = -1;
    for (int n = 0; n < 10; ++n)
      if (m.Bookmark(n) == i) mark = n;
    canvas.Brush()->SetStyle(bsSolid);
    if (mark >= 0) {
      canvas.Pen()->SetColor(clBlack);
      canvas.Brush()->SetColor(clBlack);
      canvas.Rectangle(3, y + 1, 13, y + 12);
      canvas.Pen()->SetColor(clGreen);
      canvas.Brush()->SetColor(clGreen);
      canvas.Rectangle(2, y + 2, 12, y + 13);
      canvas.Font()->SetName("Tahoma");
      canvas.Font()->SetSize(7);
      canvas.Font()->SetStyle(fsBold);
      canvas.Font()->SetColor(clWhite);
      canvas.Brush()->SetStyle(bsClear);
      canvas.TextOut(4, y + 2, rtl::AnsiString(std::string(1, static_cast<char>('0' + mark))));
    } else {
      canvas.Pen()->SetColor(clBtnFace);
      canvas.Brush()->SetColor(clBtnFace);
      canvas.Rectangle(2, y + 2, 13, y + 13);
    }
    if (i + 1 == m.ErrorLine()) {
      canvas.Brush()->SetStyle(bsSolid);
      canvas.Pen()->SetColor(clBlack);
      canvas.Brush()->SetColor(clRed);
      canvas.Ellipse(4, y + 4, 11, y + 11);
    }
  }
}

void TfsSyntaxPainter::PaintFooter(TCanvas& canvas) const {
  const TfsSyntaxMemo& m = FMemo;
  const int width = m.ClientWidth(), height = m.ClientHeight();
  canvas.Font()->SetName("Tahoma");
  canvas.Font()->SetSize(8);
  canvas.Font()->SetCharset(m.Font()->Charset());
  if (!m.FooterMessage().IsEmpty()) {
    canvas.Font()->SetStyle(fsBold);
    const int th = canvas.TextHeight("|");
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clMaroon);
    canvas.FillRect({0, height - th - 6, width, height});
    canvas.Font()->SetColor(clWhite);
    canvas.TextOut(6, height - th - 5, m.FooterMessage());
  } else if (m.ShowFooter()) {
    canvas.Font()->SetStyle(0);
    const int th = canvas.TextHeight("|");
    canvas.Font()->SetColor(clBlack);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    const std::string text = std::to_string(m.CaretPos().Y) + " : " + std::to_string(m.CaretPos().X) + "    ";
    canvas.TextOut(m.GutterWidth() + 4, height - th - 5, rtl::AnsiString(text));
  }
}

}  // namespace ui
