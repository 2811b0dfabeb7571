#include "ui/fsSynMemoCompletion.h"

#include <algorithm>

#include "ui/fsSyntaxMemo.h"

namespace ui {

namespace {

// The system's tooltip colours.
constexpr gui::TColor kInfoText = gui::SystemColorBase | 23, kInfoBack = gui::SystemColorBase | 24;

// A list box framed like the system's own, so that it stands apart from the text under it.
class TCompletionListBox : public gui::TListBox {
public:
  using gui::TListBox::TListBox;

protected:
  platform::PeerStyle PeerStyle() const override {
    platform::PeerStyle s = gui::TListBox::PeerStyle();
    s.ClientEdge = true;
    return s;
  }
};

}  // namespace

TfsSynMemoCompletion::TfsSynMemoCompletion(TfsSyntaxMemo& memo) : FMemo(memo) {
  FList = new TCompletionListBox(&memo);
  FList->SetName("CompletionList");
  FList->SetVisible(false);
  FList->SetTabStop(false);
  FList->SetParent(&memo);
  // A click chooses; a double click puts the name in, and the editor keeps the keys.
  FList->SetOnDblClick([this](rtl::TObject*) { Accept(); });
  FList->SetOnClick([this](rtl::TObject*) {
    UpdateHint();
    if (FMemo.CanFocus()) FMemo.SetFocus();
  });
  FHint = new gui::TPanel(&memo);
  FHint->SetName("CompletionHint");
  FHint->SetVisible(false);
  FHint->SetBevelOuter(gui::bvRaised);
  FHint->SetBorderWidth(0);
  FHint->SetAlignment(gui::taLeftJustify);
  FHint->SetParentFont(false);
  FHint->SetColor(kInfoBack);
  FHint->Font()->SetColor(kInfoText);
  FHint->SetParent(&memo);
}

void TfsSynMemoCompletion::SetSource(TNamesSource source) {
  FSource = std::move(source);
  FStale = true;
  FEverRead = false;
}

void TfsSynMemoCompletion::Refresh() {
  if (FTimer) FTimer->SetEnabled(false);
  FStale = false;
  FEverRead = true;
  if (!FSource) return;
  try {
    FNames.Assign(FSource(FMemo));
  } catch (...) {
    // The names as they were: completion is a help, never a reason to lose the editor.
  }
  if (ListShown()) Filter();
}

void TfsSynMemoCompletion::TextChanged() {
  FStale = true;
  // While its form is being made the editor has no names to keep current yet; a timer
  // made then would stay in the loading state (the form finishes only its own).
  if (!FSource || FMemo.HasState(rtl::csLoading)) return;
  if (!FTimer) {
    FTimer = new gui::TTimer(&FMemo);
    FTimer->SetInterval(RefreshMs);
    FTimer->SetOnTimer([this](rtl::TObject*) { Refresh(); });
  }
  FTimer->SetEnabled(false);
  FTimer->SetEnabled(true);
}

bool TfsSynMemoCompletion::ListShown() const { return FList->Visible(); }
bool TfsSynMemoCompletion::HintShown() const { return FHint->Visible(); }

void TfsSynMemoCompletion::Close() {
  if (FList->Visible()) FList->SetVisible(false);
  if (FHint->Visible()) FHint->SetVisible(false);
  FShown.clear();
}

std::string TfsSynMemoCompletion::Prefix() const {
  const gui::TPoint caret = FMemo.CaretPos();
  const std::string& line = FMemo.Line(caret.Y - 1);
  const int from = FWordStart.X - 1, to = std::min<int>(caret.X - 1, static_cast<int>(line.size()));
  return to > from ? line.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)) : std::string();
}

void TfsSynMemoCompletion::Open() {
  if (FMemo.ReadOnly()) return;
  if (!FEverRead) Refresh();
  const gui::TPoint caret = FMemo.CaretPos();
  FWordStart = {WordStart(FMemo.Line(caret.Y - 1), caret.X), caret.Y};
  FDismissedCall.clear();
  Filter();
}

void TfsSynMemoCompletion::Filter() {
  FShown = FNames.Matching(Prefix());
  if (FShown.empty()) {
    Close();
    UpdateHint();
    return;
  }
  // The first names only: a list of hundreds is read by typing on, and filling the
  // system's list box costs per item.
  if (FShown.size() > static_cast<std::size_t>(MaxListed)) FShown.resize(static_cast<std::size_t>(MaxListed));
  std::string text;
  for (const TfsCompletionItem* item : FShown) (text += item->Name) += "\r\n";
  if (FList->Items()->Text().view() != text) FList->Items()->SetText(rtl::AnsiString(text));
  PlaceList();
  if (!FList->Visible()) FList->SetVisible(true);
  Select(0);
}

void TfsSynMemoCompletion::PlaceList() {
  std::size_t longest = 8;
  for (const TfsCompletionItem* item : FShown) longest = std::max(longest, item->Name.size());
  const int cw = FMemo.CharWidth(), lh = FMemo.LineHeight();
  const int width = std::clamp(static_cast<int>(longest) * cw + 28, 120, std::max(120, FMemo.ClientWidth() - 4));
  const int rows = std::min<int>(ListRows, static_cast<int>(FShown.size()));
  const int height = rows * lh + 6;
  int x = FMemo.GutterWidth() + (FWordStart.X - FMemo.LeftCol() - 1) * cw;
  x = std::max(0, std::min(x, FMemo.ClientWidth() - width));
  const int lineTop = (FWordStart.Y - FMemo.TopLine() - 1) * lh;
  int y = lineTop + lh;
  const int bottom = FMemo.ClientHeight() - FMemo.FooterHeight();
  if (y + height > bottom && lineTop - height >= 0) y = lineTop - height;
  if (FList->Left() != x || FList->Top() != y || FList->Width() != width || FList->Height() != height)
    FList->SetBounds(x, y, width, height);
}

void TfsSynMemoCompletion::Select(int index) {
  if (FShown.empty()) return;
  index = std::clamp(index, 0, static_cast<int>(FShown.size()) - 1);
  FList->SetItemIndex(index);
  UpdateHint();
}

void TfsSynMemoCompletion::Accept() {
  const int index = FList->ItemIndex();
  if (!ListShown() || index < 0 || index >= static_cast<int>(FShown.size())) {
    Close();
    return;
  }
  const std::string name = FShown[static_cast<std::size_t>(index)]->Name;
  const gui::TPoint caret = FMemo.CaretPos();
  Close();
  if (FWordStart.Y == caret.Y && FWordStart.X < caret.X) FMemo.SetSelection(FWordStart, caret);
  else FMemo.ClearSelection();
  FMemo.ReplaceSelection(rtl::AnsiString(name));
  if (FMemo.CanFocus() && !FMemo.Focused()) FMemo.SetFocus();
  UpdateHint();
}

bool TfsSynMemoCompletion::KeyDown(std::uint16_t key, std::uint32_t shift) {
  const bool ctrl = (shift & gui::ssCtrl) != 0, alt = (shift & gui::ssAlt) != 0;
  if (key == gui::VK_SPACE && ctrl && !alt) {
    Open();
    return true;
  }
  if (key == gui::VK_ESCAPE) {
    if (!ListShown() && !HintShown()) return false;
    // The first Escape closes the list (the call's hint comes back), the next the hint.
    const bool list = ListShown();
    if (!list) FDismissedCall = OpenCall(FMemo.Line(FMemo.CaretPos().Y - 1), FMemo.CaretPos().X);
    Close();
    if (list) UpdateHint();
    return true;
  }
  if (!ListShown()) return false;
  const int index = FList->ItemIndex();
  switch (key) {
    case gui::VK_UP: Select(index - 1); return true;
    case gui::VK_DOWN: Select(index + 1); return true;
    case gui::VK_PRIOR: Select(index - (ListRows - 1)); return true;
    case gui::VK_NEXT: Select(index + (ListRows - 1)); return true;
    case gui::VK_RETURN:
    case gui::VK_TAB:
      if (ctrl || alt) return false;
      Accept();
      return true;
    case gui::VK_LEFT: case gui::VK_RIGHT: case gui::VK_HOME: case gui::VK_END:
      // The caret leaves the word as the user moves it: the editor moves it, the list goes.
      Close();
      return false;
    default: return false;
  }
}

void TfsSynMemoCompletion::AfterKey() {
  if (ListShown()) {
    const gui::TPoint caret = FMemo.CaretPos();
    const std::string& line = FMemo.Line(caret.Y - 1);
    // The list follows the word: it goes when the caret leaves it or a non-word
    // character is typed into it.
    if (caret.Y != FWordStart.Y || caret.X < FWordStart.X || WordStart(line, caret.X) != FWordStart.X) Close();
    else Filter();
  }
  if (!ListShown()) UpdateHint();
}

void TfsSynMemoCompletion::UpdateHint() {
  // The list and the hint do not show together: the list is what the keys act on, and
  // redrawing a hint on every filtering key would slow typing on long scripts.
  if (ListShown()) {
    ShowHint(std::string());
    return;
  }
  const gui::TPoint caret = FMemo.CaretPos();
  const std::string call = OpenCall(FMemo.Line(caret.Y - 1), caret.X);
  if (call != FDismissedCall) FDismissedCall.clear();
  const TfsCompletionItem* routine = call.empty() || !FDismissedCall.empty() ? nullptr : FNames.Routine(call);
  ShowHint(routine ? routine->Declaration : std::string());
}

void TfsSynMemoCompletion::ShowHint(const std::string& text) {
  if (text.empty()) {
    if (FHint->Visible()) FHint->SetVisible(false);
    return;
  }
  const int cw = FMemo.CharWidth(), lh = FMemo.LineHeight();
  const gui::TPoint caret = FMemo.CaretPos();
  const int lineTop = (caret.Y - FMemo.TopLine() - 1) * lh;
  const int width = std::min(static_cast<int>(text.size()) * cw + 10, std::max(40, FMemo.ClientWidth() - 4));
  const int height = lh + 6;
  int x = FMemo.GutterWidth() + (caret.X - FMemo.LeftCol() - 1) * cw;
  x = std::max(0, std::min(x, FMemo.ClientWidth() - width));
  int y = lineTop - height;
  if (y < 0) y = lineTop + lh;  // no room above the line: below it
  if (FHint->Font()->Name() != FMemo.Font()->Name() || FHint->Font()->Height() != FMemo.Font()->Height()) {
    FHint->Font()->Assign(FMemo.Font());
    FHint->Font()->SetColor(kInfoText);
  }
  const rtl::AnsiString caption(" " + text);
  if (FHint->Caption().view() != caption.view()) FHint->SetCaption(caption);
  if (FHint->Left() != x || FHint->Top() != y || FHint->Width() != width || FHint->Height() != height)
    FHint->SetBounds(x, y, width, height);
  if (!FHint->Visible()) FHint->SetVisible(true);
}

}  // namespace ui
