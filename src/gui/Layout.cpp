// Layout of a windowed control's children: the aligned ones take their side of the
// remaining area in the order top, bottom, left, right, client (controls of one
// alignment by their current position, so that a splitter stays between the controls
// it was put between); the others keep the distances their anchors hold.
#include <algorithm>

#include "gui/Controls.h"

namespace gui {

namespace {

// Controls of one alignment in the order they are stacked from the edge inwards.
std::vector<TControl*> AlignedList(const std::vector<TControl*>& controls, TAlign align) {
  std::vector<TControl*> list;
  for (TControl* c : controls)
    if (c->Visible() && c->Align() == align) list.push_back(c);
  std::stable_sort(list.begin(), list.end(), [align](const TControl* a, const TControl* b) {
    switch (align) {
      case alTop: return a->Top() < b->Top();
      case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
      case alLeft: return a->Left() < b->Left();
      case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
      default: return false;
    }
  });
  return list;
}

}  // namespace

void TWinControl::AlignControls(TRect& rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : AlignedList(FControls, align)) {
      const int w = c->Width(), h = c->Height();
      switch (align) {
        case alTop:
          c->SetLayoutBounds(rect.Left, rect.Top, rect.Width(), h);
          rect.Top += c->Height();
          break;
        case alBottom:
          c->SetLayoutBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
          rect.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetLayoutBounds(rect.Left, rect.Top, w, rect.Height());
          rect.Left += c->Width();
          break;
        case alRight:
          c->SetLayoutBounds(rect.Right - w, rect.Top, w, rect.Height());
          rect.Right -= c->Width();
          break;
        default:
          c->SetLayoutBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
          break;
      }
    }
  }
  // Anchored controls: a right or bottom anchor keeps the distance to that edge; with
  // the opposite anchor too, the control stretches.
  const TRect area = AlignRect();
  for (TControl* c : FControls) {
    if (c->Align() != alNone || !c->FAnchorRulesSet) continue;
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    const std::uint32_t a = c->Anchors();
    if (a & akRight) {
      if (a & akLeft) w = area.Right - c->FAnchorRight - l;
      else l = area.Right - c->FAnchorRight - w;
    }
    if (a & akBottom) {
      if (a & akTop) h = area.Bottom - c->FAnchorBottom - t;
      else t = area.Bottom - c->FAnchorBottom - h;
    }
    if (l != c->Left() || t != c->Top() || w != c->Width() || h != c->Height()) c->SetLayoutBounds(l, t, w, h);
  }
}

}  // namespace gui
