#include "ui/fsSyntaxMemo.h"

#include <algorithm>
#include <cstdio>

#include "gui/Clipbrd.h"
#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "gui/Published.h"
#include "rtl/CodePage.h"
#include "rtl/Stream.h"
#include "platform/Canvas.h"
#include "ui/fsSynMemoSearch.h"
#include "ui/fsSynMemoTexts.h"
#include "ui/fsSyntaxPainter.h"

namespace ui {

using gui::TPoint;
using rtl::TClassBuilder;
using rtl::TClassInfo;

namespace {

[[maybe_unused]] const TClassInfo* const kRegistered = &TfsSyntaxMemo::StaticClassInfo();

int TrimmedLength(const std::string& s) {
  std::size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return static_cast<int>(n);
}

int FirstNonBlank(const std::string& s) {  // 1-based column, 0 for a blank line
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] != ' ') return static_cast<int>(i) + 1;
  return 0;
}

// Splits at CR LF, CR or LF; a text ending with a line break ends with an empty line.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  out.emplace_back(text.substr(start));
  return out;
}

}  // namespace

const TClassInfo& TfsSyntaxMemo::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TfsSyntaxMemo> b("TfsSyntaxMemo", &gui::TCustomControl::StaticClassInfo());
    gui::PublishAppearance(b);
    b.Property("BlockColor", &TfsSyntaxMemo::BlockColor, &TfsSyntaxMemo::SetBlockColor).TypeName("TColor");
    b.Property("BlockFontColor", &TfsSyntaxMemo::BlockFontColor, &TfsSyntaxMemo::SetBlockFontColor).TypeName("TColor");
    b.Property("CommentAttr", &TfsSyntaxMemo::CommentAttr, &TfsSyntaxMemo::SetCommentAttr);
    b.Property("KeywordAttr", &TfsSyntaxMemo::KeywordAttr, &TfsSyntaxMemo::SetKeywordAttr);
    b.Property("StringAttr", &TfsSyntaxMemo::StringAttr, &TfsSyntaxMemo::SetStringAttr);
    b.Property("TextAttr", &TfsSyntaxMemo::TextAttr, &TfsSyntaxMemo::SetTextAttr);
    b.Property("Lines", &TfsSyntaxMemo::Lines, &TfsSyntaxMemo::SetLines);
    b.Property("ReadOnly", &TfsSyntaxMemo::ReadOnly, &TfsSyntaxMemo::SetReadOnly);
    b.Enum("SyntaxType", SyntaxTypeTypeInfo(), &TfsSyntaxMemo::SyntaxType, &TfsSyntaxMemo::SetSyntaxType);
    b.Property("ShowFooter", &TfsSyntaxMemo::ShowFooter, &TfsSyntaxMemo::SetShowFooter);
    b.Property("ShowGutter", &TfsSyntaxMemo::ShowGutter, &TfsSyntaxMemo::SetShowGutter);
    b.Event("OnChange", "TNotifyEvent", &TfsSyntaxMemo::OnChange, &TfsSyntaxMemo::SetOnChange);
    return b;
  }();
  return info;
}

TfsSyntaxMemo::TfsSyntaxMemo(rtl::TComponent* owner)
    : TCustomControl(owner),
      FLines(rtl::CreateObject<rtl::TStringList>()),
      FCommentAttr(rtl::CreateObject<gui::TFont>()),
      FKeywordAttr(rtl::CreateObject<gui::TFont>()),
      FStringAttr(rtl::CreateObject<gui::TFont>()),
      FTextAttr(rtl::CreateObject<gui::TFont>()),
      FMenu(rtl::CreateObject<gui::TPopupMenu>(this)) {
  FBookmarks.fill(-1);
  FCompletion = std::make_unique<TfsSynMemoCompletion>(*this);
  FLines->Add("");
  FLines->SetOnChange([this](rtl::TObject*) {
    if (!FSyncing) OutsideChange();
  });
  FCommentAttr->SetColor(gui::clNavy);
  FCommentAttr->SetStyle(gui::fsItalic);
  FKeywordAttr->SetColor(gui::clWindowText);
  FKeywordAttr->SetStyle(gui::fsBold);
  FStringAttr->SetColor(gui::clNavy);
  FTextAttr->SetColor(gui::clWindowText);
  for (gui::TFont* f : {FCommentAttr, FKeywordAttr, FStringAttr, FTextAttr})
    f->SetOnChange([this](rtl::TObject*) { AttrChanged(); });
  // The menu and its items belong to the editor, so that a form's translation reaches
  // them as it reaches the form's own components.
  for (const char* caption : {memotexts::Cut, memotexts::Copy, memotexts::Paste}) {
    auto* item = rtl::CreateObject<gui::TMenuItem>(this);
    item->SetCaption(caption);
    FMenu->Items()->Add(item);
  }
  FMenu->Items()->Items(0)->SetOnClick([this](rtl::TObject*) { CutSelection(); });
  FMenu->Items()->Items(1)->SetOnClick([this](rtl::TObject*) { CopySelection(); });
  FMenu->Items()->Items(2)->SetOnClick([this](rtl::TObject*) { PasteClipboard(); });
  SetColor(gui::clWindow);
  SetCursor(gui::crIBeam);
  Font()->SetName("Courier New");
  Font()->SetSize(10);
  // Where the face is missing, a fixed-pitch one stands in, so the cells stay even.
  Font()->SetPitch(gui::fpFixed);
  SetBounds(Left(), TControl::Top(), 200, 200);
  FHighlighter.Highlight(FText);
  MeasureFont();
}

TfsSyntaxMemo::~TfsSyntaxMemo() {
  rtl::FreeObject(FMenu);
  for (gui::TFont* f : {FCommentAttr, FKeywordAttr, FStringAttr, FTextAttr}) rtl::FreeObject(f);
  rtl::FreeObject(FLines);
}

platform::PeerStyle TfsSyntaxMemo::PeerStyle() const {
  platform::PeerStyle s;
  s.ClientEdge = true;
  s.VScroll = true;
  s.HScroll = true;
  return s;
}

void TfsSyntaxMemo::PeerCreated() {
  TCustomControl::PeerCreated();
  UpdateScrollBar();
}

void TfsSyntaxMemo::SetParent(gui::TWinControl* parent) {
  TCustomControl::SetParent(parent);
  if (!parent) return;
  // On a parent the editor shows its gutter and footer and takes part in tabbing.
  FGutterWidth = 20;
  FFooterHeight = 20;
  SetTabStop(true);
  UpdateScrollBar();
  Invalidate();
}

// ---- text

rtl::TStrings* TfsSyntaxMemo::Lines() {
  FSyncing = true;
  FLines->BeginUpdate();
  for (int i = 0; i < LineCount(); ++i) {
    std::string& s = MutableLine(i);
    s.resize(static_cast<std::size_t>(TrimmedLength(s)));
    if (i < FLines->Count()) {
      if (FLines->Get(i).view() != s) FLines->Put(i, rtl::AnsiString(s));
    } else {
      FLines->Add(rtl::AnsiString(s));
    }
  }
  while (FLines->Count() > LineCount()) FLines->Delete(FLines->Count() - 1);
  FLines->EndUpdate();
  FSyncing = false;
  return FLines;
}

void TfsSyntaxMemo::SetLines(rtl::TStrings* lines) {
  FLines->Assign(lines);  // OnChange: the outside change
}

rtl::AnsiString TfsSyntaxMemo::Text() const {
  std::string s;
  std::size_t size = 0;
  for (const std::string& l : FText) size += l.size() + 2;
  s.reserve(size);
  for (std::size_t i = 0; i < FText.size(); ++i) {
    if (i) s += "\r\n";
    s += FText[i];
  }
  return rtl::AnsiString(s);
}

void TfsSyntaxMemo::LoadFromFile(const std::string& fileName) {
  rtl::TFileStream file(fileName, rtl::fmOpenRead | rtl::fmShareDenyWrite);
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<int>(bytes.size()));
  FFileUtf8 = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  const std::size_t lf = bytes.find('\n');
  FFileLineBreak = lf != std::string::npos && (lf == 0 || bytes[lf - 1] != '\r') ? "\n" : "\r\n";
  SetText(FFileUtf8 ? rtl::Utf8ToAnsi(std::string_view(bytes).substr(3)) : rtl::AnsiString(bytes));
}

void TfsSyntaxMemo::SaveToFile(const std::string& fileName) {
  // The lines as they are read (trailing blanks gone), joined: a text that ended with
  // a line break ends with an empty line, which gives that break back and no other.
  const rtl::TStrings* lines = Lines();
  std::string text;
  for (int i = 0; i < lines->Count(); ++i) {
    if (i) text += FFileLineBreak;
    text += lines->Get(i).view();
  }
  if (FFileUtf8) text = "\xEF\xBB\xBF" + rtl::AnsiToUtf8(text);
  rtl::TFileStream file(fileName, rtl::fmCreate);
  if (!text.empty()) file.Write(text.data(), static_cast<int>(text.size()));
  FModified = false;
}

void TfsSyntaxMemo::SetText(const rtl::AnsiString& text) {
  // Split like Text joins, so that a text ending with a line break keeps its last line.
  FSyncing = true;
  FLines->BeginUpdate();
  FLines->Clear();
  for (const std::string& line : SplitLines(text.view())) FLines->Add(rtl::AnsiString(line));
  FLines->EndUpdate();
  FSyncing = false;
  OutsideChange();
}

void TfsSyntaxMemo::OutsideChange() {
  FCompletion->Close();
  FCompletion->TextChanged();
  FText.clear();
  for (int i = 0; i < FLines->Count(); ++i) FText.push_back(FLines->Get(i).str());
  if (FText.empty()) {
    FText.emplace_back();
    FSyncing = true;
    FLines->Add("");
    FSyncing = false;
  }
  FHighlighter.Highlight(FText);
  FUndo.clear();
  FRedo.clear();
  FSelStart = FSelEnd = {0, 0};
  SetCaret(FCaret.X, FCaret.Y);
  UpdateScrollBar();
  Invalidate();
}

void TfsSyntaxMemo::SetWholeText(std::string_view text) {
  std::vector<std::string> lines = SplitLines(text);
  ReplaceLines(0, LineCount(), lines);
}

void TfsSyntaxMemo::ReplaceLines(int first, int removed, const std::vector<std::string>& lines) {
  FCompletion->TextChanged();
  const int added = static_cast<int>(lines.size());
  const auto at = FText.begin() + first;
  // Replace in place where the counts overlap; insert or erase the rest.
  const int common = std::min(removed, added);
  for (int i = 0; i < common; ++i) FText[static_cast<std::size_t>(first + i)] = lines[static_cast<std::size_t>(i)];
  if (added > removed)
    FText.insert(at + common, lines.begin() + common, lines.end());
  else if (removed > added)
    FText.erase(at + common, at + removed);
  FHighlighter.Update(FText, first, removed, added);
  // The published list follows.
  FSyncing = true;
  for (int i = 0; i < common; ++i) FLines->Put(first + i, rtl::AnsiString(lines[static_cast<std::size_t>(i)]));
  for (int i = common; i < added; ++i) FLines->Insert(first + i, rtl::AnsiString(lines[static_cast<std::size_t>(i)]));
  for (int i = common; i < removed; ++i) FLines->Delete(first + common);
  FSyncing = false;
}

std::string TfsSyntaxMemo::Snapshot() const {
  char head[16];
  std::snprintf(head, sizeof head, "%5d%5d", FCaret.X, FCaret.Y);
  const rtl::AnsiString text = Text();
  std::string snapshot;
  snapshot.reserve(10 + text.Length());
  snapshot.append(head, 10).append(text.view());
  return snapshot;
}

void TfsSyntaxMemo::PushUndo(std::string snapshot) {
  FUndo.push_back(std::move(snapshot));
  if (static_cast<int>(FUndo.size()) > MaxUndo) FUndo.pop_front();
}

void TfsSyntaxMemo::TakeSnapshot() {
  PushUndo(Snapshot());
  // A new change ends what could be redone.
  FRedo.clear();
}

void TfsSyntaxMemo::Changed() {
  FModified = true;
  UpdateScrollBar();
  if (FOnChange) FOnChange(this);
}

void TfsSyntaxMemo::MoveBookmarks(int afterLine, int delta) {
  for (int& b : FBookmarks)
    if (b > afterLine) b += delta;
}

// ---- properties

void TfsSyntaxMemo::SetSyntaxType(TSyntaxType type) {
  FHighlighter.SetSyntaxType(type);
  FHighlighter.Highlight(FText);
  Invalidate();
}

void TfsSyntaxMemo::SetShowFooter(bool v) {
  FFooterHeight = v ? 20 : 0;
  UpdateScrollBar();
  Invalidate();
}

void TfsSyntaxMemo::SetShowGutter(bool v) {
  FGutterWidth = v ? 20 : 0;
  Invalidate();
}

void TfsSyntaxMemo::SetErrorLine(int line) {
  FErrorLine = line;
  Invalidate();
}

void TfsSyntaxMemo::AttrChanged() {
  FHighlighter.Highlight(FText);
  Invalidate();
}

void TfsSyntaxMemo::FontChanged() {
  TCustomControl::FontChanged();
  if (!FTextAttr) return;  // still being made
  for (gui::TFont* f : {FCommentAttr, FKeywordAttr, FStringAttr, FTextAttr}) {
    f->SetOnChange(nullptr);
    f->SetName(Font()->Name());
    f->SetHeight(Font()->Height());
    f->SetPitch(Font()->Pitch());
    f->SetOnChange([this](rtl::TObject*) { AttrChanged(); });
  }
  MeasureFont();
  AttrChanged();
  UpdateScrollBar();
}

void TfsSyntaxMemo::MeasureFont() {
  // In the font made bold, so that bold keywords keep to the cells.
  platform::FontFace face = Font()->Face();
  face.Bold = true;
  auto surface = platform::CreateMemoryCanvas(1, 1);
  FLineHeight = std::max(1, surface->TextExtent("Wg", face).Height);
  FCharWidth = std::max(1, surface->TextExtent("W", face).Width);
  std::string upper = Font()->Name().str();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  FFixedFont = upper.find("COURIER NEW") != std::string::npos;
}

void TfsSyntaxMemo::Resize() {
  TCustomControl::Resize();
  UpdateScrollBar();
  // The footer and the last visible line follow the height: all of it is drawn anew.
  Invalidate();
}

int TfsSyntaxMemo::VisibleLines() const { return std::max(0, (ClientHeight() - FFooterHeight) / FLineHeight); }
int TfsSyntaxMemo::VisibleColumns() const { return std::max(0, (ClientWidth() - FGutterWidth) / FCharWidth); }

void TfsSyntaxMemo::SetTopLine(int v) {
  FTopLine = std::clamp(v, 0, std::max(0, LineCount() - 1));
  UpdateCaret();
  UpdateScrollBar();
  Invalidate();
}

// ---- caret and selection

void TfsSyntaxMemo::ClearFooterMessage() {
  if (FFooterMessage.IsEmpty()) return;
  FFooterMessage = rtl::AnsiString();
  InvalidateFooter();
}

// What a keystroke changes is repainted, not the whole control: one line and the
// footer, unless the view scrolled.
void TfsSyntaxMemo::InvalidateLine(int index) {
  if (FTopLine != FPaintedTop || FLeftCol != FPaintedLeft) {
    Invalidate();
    return;
  }
  const int y = (index - FTopLine) * FLineHeight;
  InvalidateRect({0, y, ClientWidth(), y + FLineHeight});
}

void TfsSyntaxMemo::InvalidateFooter() {
  if (FTopLine != FPaintedTop || FLeftCol != FPaintedLeft) {
    Invalidate();
    return;
  }
  const int h = ClientHeight();
  InvalidateRect({0, h - std::max(FFooterHeight, 24), ClientWidth(), h});
}

void TfsSyntaxMemo::SetCaret(int column, int line) {
  ClearFooterMessage();
  FCaret.X = std::clamp(column, 1, MaxLineLength);
  FCaret.Y = std::clamp(line, 1, LineCount());
  if (FTopLine >= LineCount()) FTopLine = LineCount() - 1;
  const int cols = std::max(1, VisibleColumns()), rows = std::max(1, VisibleLines());
  if (FCaret.X > FLeftCol + cols) FLeftCol = FCaret.X - cols;
  if (FCaret.X <= FLeftCol) FLeftCol = FCaret.X - 1;
  // Vertically the caret is brought into view whatever happened to the columns.
  if (FCaret.Y > FTopLine + rows) FTopLine = FCaret.Y - rows;
  else if (FCaret.Y - 1 < FTopLine) FTopLine = FCaret.Y - 1;
  UpdateCaret();
  UpdateScrollBar();
  InvalidateFooter();  // the caret position, or everything after a scroll
}

void TfsSyntaxMemo::UpdateCaret() {
  if (!FPeer) return;
  const int x = (FCaret.X - FLeftCol - 1) * FCharWidth + FGutterWidth;
  const int y = (FCaret.Y - FTopLine - 1) * FLineHeight;
  FPeer->SetCaret(Focused(), x, y, 2, FLineHeight);
}

void TfsSyntaxMemo::UpdateScrollBar() {
  if (!FPeer) return;
  const int rows = VisibleLines();
  FPeer->SetScrollBar(rows < LineCount(), LineCount(), rows, FTopLine);
  // Long lines, or a view scrolled to the right, get the horizontal bar.
  std::size_t longest = 0;
  for (const std::string& l : FText) longest = std::max(longest, l.size());
  const int columns = std::max(1, VisibleColumns());
  const int width = std::max(static_cast<int>(longest) + 1, FLeftCol + columns);
  // Positions run from 0 to width - 1, of which a page shows columns.
  FPeer->SetHScrollBar(width > columns, width - 1, columns, FLeftCol);
}

void TfsSyntaxMemo::PeerScrolled(int position) { SetTopLine(std::min(position, LineCount())); }

void TfsSyntaxMemo::PeerHScrolled(int position) {
  FLeftCol = std::clamp(position, 0, MaxLineLength - 1);
  UpdateCaret();
  UpdateScrollBar();
  Invalidate();
}

bool TfsSyntaxMemo::MouseWheel(int delta, gui::TShiftState, int, int) {
  // As many lines per notch as the system's setting asks (a page for its page setting).
  const int lines = platform::WheelScrollLines();
  const int step = lines < 0 ? std::max(1, VisibleLines()) : lines;
  SetTopLine(FTopLine - delta * step / 120);
  return true;
}

void TfsSyntaxMemo::PeerFocusChanged(bool gained) {
  TCustomControl::PeerFocusChanged(gained);
  // The list's own click gives the focus straight back; anything else ends completion.
  if (!gained && !FCompletion->List()->Focused()) FCompletion->Close();
  UpdateCaret();
}

TPoint TfsSyntaxMemo::SelectionStart() const {
  if (!HasSelection()) return FCaret;
  return Order(FSelStart) <= Order(FSelEnd) ? FSelStart : FSelEnd;
}

TPoint TfsSyntaxMemo::SelectionEnd() const {
  if (!HasSelection()) return FCaret;
  return Order(FSelStart) <= Order(FSelEnd) ? FSelEnd : FSelStart;
}

void TfsSyntaxMemo::SetSelection(TPoint anchor, TPoint end) {
  FSelStart = anchor;
  FSelEnd = end;
  if (Order(anchor) == Order(end)) FSelStart = FSelEnd = {0, 0};
  Invalidate();
}

void TfsSyntaxMemo::ClearSelection() {
  if (!HasSelection()) return;
  FSelStart = FSelEnd = {0, 0};
  Invalidate();
}

void TfsSyntaxMemo::ExtendSelection(TPoint previous) {
  if (!HasSelection()) FSelStart = previous;
  FSelEnd = FCaret;
  if (Order(FSelStart) == Order(FSelEnd)) FSelStart = FSelEnd = {0, 0};
  Invalidate();
}

void TfsSyntaxMemo::SelectAll() {
  FSelStart = {1, 1};
  FSelEnd = {static_cast<int>(FText.back().size()) + 1, LineCount()};
  if (Order(FSelStart) == Order(FSelEnd)) FSelStart = FSelEnd = {0, 0};
  Invalidate();
}

rtl::AnsiString TfsSyntaxMemo::SelectedText() const {
  if (!HasSelection()) return rtl::AnsiString();
  TPoint s = SelectionStart(), e = SelectionEnd();
  if (s.X - 1 > static_cast<int>(Line(s.Y - 1).size())) {
    if (s.Y >= LineCount()) return rtl::AnsiString();
    s = {1, s.Y + 1};
  }
  e.X = std::min(e.X, static_cast<int>(Line(e.Y - 1).size()) + 1);
  std::string out;
  for (int l = s.Y; l <= e.Y; ++l) {
    const std::string& line = Line(l - 1);
    const std::size_t from = l == s.Y ? static_cast<std::size_t>(s.X - 1) : 0;
    const std::size_t to = l == e.Y ? static_cast<std::size_t>(e.X - 1) : line.size();
    if (from < to && from < line.size()) out.append(line, from, std::min(to, line.size()) - from);
    if (l < e.Y) out += "\r\n";
  }
  return rtl::AnsiString(out);
}

void TfsSyntaxMemo::ReplaceSelection(const rtl::AnsiString& text) {
  if (FReadOnly) return;
  TakeSnapshot();
  TPoint s = SelectionStart(), e = SelectionEnd();
  std::string first = Line(s.Y - 1);
  if (s.X - 1 > static_cast<int>(first.size())) first.resize(static_cast<std::size_t>(s.X - 1), ' ');
  const std::string& last = s.Y == e.Y ? first : Line(e.Y - 1);
  e.X = std::min(e.X, static_cast<int>(last.size()) + 1);
  const std::string suffix = last.substr(static_cast<std::size_t>(e.X - 1));
  std::string joined = first.substr(0, static_cast<std::size_t>(s.X - 1));
  joined.append(text.view());
  joined += suffix;
  std::vector<std::string> lines = SplitLines(joined);
  const int oldCaretLine = FCaret.Y;
  const int newLine = s.Y + static_cast<int>(lines.size()) - 1;
  const int newColumn = static_cast<int>(lines.back().size() - suffix.size()) + 1;
  const bool oneLine = !HasSelection() && lines.size() == 1;
  ReplaceLines(s.Y - 1, e.Y - s.Y + 1, lines);
  MoveBookmarks(oldCaretLine - 1, newLine - oldCaretLine);
  FSelStart = FSelEnd = {0, 0};
  if (oneLine && !FHighlighter.LastUpdateSpread()) InvalidateLine(s.Y - 1);
  else Invalidate();
  SetCaret(newColumn, newLine);
  Changed();
}

void TfsSyntaxMemo::CopySelection() {
  if (HasSelection()) gui::Clipboard()->SetAsText(SelectedText());
}

void TfsSyntaxMemo::CutSelection() {
  if (FReadOnly || !HasSelection()) return;
  CopySelection();
  ReplaceSelection(rtl::AnsiString());
  ClearSelection();
}

void TfsSyntaxMemo::PasteClipboard() {
  if (FReadOnly) return;
  ReplaceSelection(gui::Clipboard()->AsText());
}

void TfsSyntaxMemo::Undo() {
  if (FUndo.empty()) return;
  const std::string snapshot = std::move(FUndo.back());
  FUndo.pop_back();
  FRedo.push_back(Snapshot());
  if (static_cast<int>(FRedo.size()) > MaxUndo) FRedo.pop_front();
  Restore(snapshot);
}

void TfsSyntaxMemo::Redo() {
  if (FRedo.empty()) return;
  const std::string snapshot = std::move(FRedo.back());
  FRedo.pop_back();
  PushUndo(Snapshot());
  Restore(snapshot);
}

void TfsSyntaxMemo::Restore(const std::string& snapshot) {
  const int column = std::atoi(snapshot.substr(0, 5).c_str());
  const int line = std::atoi(snapshot.substr(5, 5).c_str());
  SetWholeText(std::string_view(snapshot).substr(10));
  FSelStart = FSelEnd = {0, 0};
  Invalidate();
  // The restored text is shown from the left edge unless its caret needs the view
  // scrolled: keeping the old scroll put the caret at the left edge with the columns
  // before it hidden.
  FLeftCol = 0;
  SetCaret(column, line);
  Changed();
}

void TfsSyntaxMemo::FindText(const rtl::AnsiString& text) {
  auto upper = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  const std::string needle = upper(text.str());
  if (LineCount() >= 2 && !needle.empty()) {
    for (int l = FCaret.Y + 1; l <= LineCount(); ++l) {
      const std::size_t at = upper(Line(l - 1)).find(needle);
      if (at != std::string::npos) {
        ClearSelection();
        SetCaret(static_cast<int>(at) + 1, l);
        return;
      }
    }
  }
  std::string message = std::string(memotexts::NotFoundBefore) + text.str() + memotexts::NotFoundAfter;
  if (FOnTranslate) FOnTranslate(this, nullptr, &message);
  FFooterMessage = rtl::AnsiString(message);
  InvalidateFooter();
}

void TfsSyntaxMemo::DropText(int x, int y, const rtl::AnsiString& text) {
  const TPoint cell = CellAt(x, y);
  ClearSelection();
  SetCaret(cell.X, cell.Y);
  ReplaceSelection(text);
}

void TfsSyntaxMemo::DragOver(rtl::TObject* source, int x, int y, gui::TDragState state, bool& accept) {
  TCustomControl::DragOver(source, x, y, state, accept);
  if (auto* tree = dynamic_cast<gui::TTreeView*>(source); tree && tree->Selected()) accept = true;
}

void TfsSyntaxMemo::DragDrop(rtl::TObject* source, int x, int y) {
  if (auto* tree = dynamic_cast<gui::TTreeView*>(source); tree && tree->Selected()) {
    DropText(x, y, tree->Selected()->Text());
    return;
  }
  TCustomControl::DragDrop(source, x, y);
}

// ---- keys

int TfsSyntaxMemo::WordStartAtOrBefore(int column, const std::string& line) const {
  int p = std::min(column, static_cast<int>(line.size()) + 1) - 1;  // 0-based
  if (p < static_cast<int>(line.size()) && IsWordChar(line[static_cast<std::size_t>(p)])) {
    while (p > 0 && IsWordChar(line[static_cast<std::size_t>(p - 1)])) --p;
    return p + 1;
  }
  while (p > 0 && !IsWordChar(line[static_cast<std::size_t>(p - 1)])) --p;
  while (p > 0 && IsWordChar(line[static_cast<std::size_t>(p - 1)])) --p;
  return p + 1;
}

void TfsSyntaxMemo::Navigate(std::uint16_t key, gui::TShiftState shift) {
  const bool ctrl = (shift & gui::ssCtrl) != 0;
  const std::string& line = Line(FCaret.Y - 1);
  const int len = static_cast<int>(line.size());
  const int rows = std::max(1, VisibleLines());
  int col = FCaret.X, row = FCaret.Y;
  switch (key) {
    case gui::VK_LEFT:
      if (ctrl) {
        col = std::min(col, len + 1);
        col = col > 1 ? WordStartAtOrBefore(col - 1, line) : 1;
      } else {
        col = std::max(1, col - 1);
      }
      break;
    case gui::VK_RIGHT:
      if (ctrl) {
        if (col > len) {
          if (row < LineCount()) col = 1, ++row;
        } else {
          int p = col - 1;
          while (p < len && IsWordChar(line[static_cast<std::size_t>(p)])) ++p;
          while (p < len && !IsWordChar(line[static_cast<std::size_t>(p)])) ++p;
          col = p + 1;
        }
      } else {
        col = std::min(MaxLineLength, col + 1);
      }
      break;
    case gui::VK_UP: row = std::max(1, row - 1); break;
    case gui::VK_DOWN: row = std::min(LineCount(), row + 1); break;
    case gui::VK_HOME:
      col = 1;
      if (ctrl) row = 1;
      break;
    case gui::VK_END:
      if (ctrl) row = LineCount();
      col = TrimmedLength(Line(row - 1)) + 1;
      break;
    case gui::VK_PRIOR:
      if (rows < FTopLine) {
        FTopLine -= rows - 1;
        row -= rows - 1;
      } else if (FTopLine == 0) {
        row = 1;
      } else {
        row -= FTopLine;
        FTopLine = 0;
      }
      break;
    case gui::VK_NEXT:
      if (FTopLine + rows < LineCount()) {
        FTopLine += rows - 1;
        row += rows - 1;
      } else {
        FTopLine = LineCount();
        row = LineCount();
      }
      break;
    default: return;
  }
  SetCaret(col, row);
  if (shift & gui::ssShift) ExtendSelection(FPrevCaret);
  else ClearSelection();
}

void TfsSyntaxMemo::KeyDown(std::uint16_t& key, gui::TShiftState shift) {
  FPrevCaret = FCaret;
  if (FCompletion->KeyDown(key, shift)) {
    key = 0;
    return;
  }
  const bool ctrl = (shift & gui::ssCtrl) != 0, sh = (shift & gui::ssShift) != 0, alt = (shift & gui::ssAlt) != 0;
  switch (key) {
    case gui::VK_PRIOR: case gui::VK_NEXT: case gui::VK_END: case gui::VK_HOME:
    case gui::VK_LEFT: case gui::VK_UP: case gui::VK_RIGHT: case gui::VK_DOWN:
      Navigate(key, shift);
      break;
    case gui::VK_RETURN:
      if (ctrl || sh || alt) return;
      Enter();
      break;
    case gui::VK_TAB:
      if (ctrl || alt) return;
      SmartTab();
      break;
    case gui::VK_BACK: Backspace(); break;
    case gui::VK_DELETE:
      if (sh) CutSelection();
      else if (!ctrl) DeleteKey();
      else return;
      break;
    case gui::VK_INSERT:
      if (ctrl) CopySelection();
      else if (sh) PasteClipboard();
      else return;
      break;
    case gui::VK_F3: FindText(FLastSearch); break;
    default:
      if (!ctrl || alt) return;
      if (key == 'A') {
        SelectAll();
      } else if (key == 'F') {
        OpenSearch();
      } else if (key == 'Y') {
        DeleteLine();
      } else if (key == 'Z' && sh) {
        Redo();
      } else if (key >= '0' && key <= '9') {
        const int n = key - '0';
        if (sh) ToggleBookmark(n);
        else if (FBookmarks[static_cast<std::size_t>(n)] >= 0) {
          ClearSelection();
          SetCaret(1, FBookmarks[static_cast<std::size_t>(n)] + 1);
        }
      } else {
        return;  // its character comes as a key press
      }
      break;
  }
  FCompletion->AfterKey();
  key = 0;
}

void TfsSyntaxMemo::KeyPress(char& key) {
  const unsigned char c = static_cast<unsigned char>(key);
  switch (c) {
    case 3: CopySelection(); break;
    case 22: PasteClipboard(); break;
    case 24: CutSelection(); break;
    case 26: Undo(); break;
    case 9: BlockIndent(true); break;
    case 21: BlockIndent(false); break;
    default:
      if (c < 32) return;
      ReplaceSelection(rtl::AnsiString(&key, 1));
      break;
  }
  FCompletion->AfterKey();
  key = 0;
}

void TfsSyntaxMemo::Enter() {
  if (FReadOnly) return;
  TakeSnapshot();
  const std::string& line = Line(FCaret.Y - 1);
  const std::size_t cut = std::min(static_cast<std::size_t>(FCaret.X - 1), line.size());
  std::string head = line.substr(0, cut);
  std::string rest = line.substr(cut, MaxLineLength);
  const int firstNonBlank = FirstNonBlank(head);
  const int indent = firstNonBlank > 0 ? firstNonBlank - 1 : FCaret.X - 1;
  rest.insert(0, static_cast<std::size_t>(indent), ' ');
  MoveBookmarks(FCaret.Y - 1, 1);
  const int row = FCaret.Y;
  ReplaceLines(row - 1, 1, {head, rest});
  FSelStart = FSelEnd = {0, 0};
  Invalidate();
  SetCaret(indent + 1, row + 1);
  Changed();
}

void TfsSyntaxMemo::SmartTab() {
  if (FReadOnly) return;
  const int col = FCaret.X;
  for (int l = FCaret.Y - 1; l >= 1; --l) {
    const std::string& above = Line(l - 1);
    const int len = TrimmedLength(above);
    if (len < col) continue;
    int p = col - 1;
    if (above[static_cast<std::size_t>(p)] != ' ')
      while (p < len && above[static_cast<std::size_t>(p)] != ' ') ++p;
    while (p < len && above[static_cast<std::size_t>(p)] == ' ') ++p;
    const int blanks = p + 1 - col;
    if (blanks > 0) ReplaceSelection(rtl::AnsiString(std::string(static_cast<std::size_t>(blanks), ' ')));
    return;
  }
}

void TfsSyntaxMemo::Backspace() {
  if (FReadOnly) return;
  ClearFooterMessage();
  if (HasSelection()) {
    ReplaceSelection(rtl::AnsiString());
    return;
  }
  const std::string& line = Line(FCaret.Y - 1);
  if (FCaret.X > 1) {
    const int firstNonBlank = FirstNonBlank(line);
    if (firstNonBlank == 0 || FCaret.X == firstNonBlank) {
      // Smart unindent: back to the indentation of a line above that is less indented.
      for (int l = FCaret.Y - 1; l >= 1; --l) {
        const int fnb = FirstNonBlank(Line(l - 1));
        if (fnb > 0 && fnb < FCaret.X) {
          const std::array<int, 10> bookmarks = FBookmarks;
          SetSelection({fnb, FCaret.Y}, FCaret);
          ReplaceSelection(rtl::AnsiString());
          FBookmarks = bookmarks;
          return;
        }
      }
      // Nothing above is less indented: one column, as an ordinary Backspace.
    }
    TakeSnapshot();
    const int at = FCaret.X - 1;
    if (at <= static_cast<int>(line.size())) {
      std::string changed = line;
      changed.erase(static_cast<std::size_t>(at - 1), 1);
      ReplaceLines(FCaret.Y - 1, 1, {changed});
      if (FHighlighter.LastUpdateSpread()) Invalidate();
      else InvalidateLine(FCaret.Y - 1);
    }
    SetCaret(FCaret.X - 1, FCaret.Y);
    Changed();
  } else if (FCaret.Y > 1) {
    TakeSnapshot();
    MoveBookmarks(FCaret.Y - 1, -1);
    std::string previous = Line(FCaret.Y - 2);
    previous.resize(static_cast<std::size_t>(TrimmedLength(previous)));
    const int join = static_cast<int>(previous.size()) + 1;
    previous += line;
    const int row = FCaret.Y;
    ReplaceLines(row - 2, 2, {previous});
    Invalidate();
    SetCaret(join, row - 1);
    Changed();
  }
}

void TfsSyntaxMemo::DeleteKey() {
  if (FReadOnly) return;
  ClearFooterMessage();
  if (HasSelection()) {
    ReplaceSelection(rtl::AnsiString());
    return;
  }
  TakeSnapshot();
  const std::string& line = Line(FCaret.Y - 1);
  if (FCaret.X > TrimmedLength(line)) {
    if (FCaret.Y < LineCount()) {
      std::string joined = line.substr(0, static_cast<std::size_t>(TrimmedLength(line)));
      joined.resize(static_cast<std::size_t>(FCaret.X - 1), ' ');
      std::string next = Line(FCaret.Y);
      next.resize(static_cast<std::size_t>(TrimmedLength(next)));
      joined += next;
      MoveBookmarks(FCaret.Y, -1);
      ReplaceLines(FCaret.Y - 1, 2, {joined});
      Invalidate();
    }
  } else {
    std::string changed = line;
    changed.erase(static_cast<std::size_t>(FCaret.X - 1), 1);
    ReplaceLines(FCaret.Y - 1, 1, {changed});
    if (FHighlighter.LastUpdateSpread()) Invalidate();
    else InvalidateLine(FCaret.Y - 1);
  }
  Changed();
}

void TfsSyntaxMemo::DeleteLine() {
  TakeSnapshot();
  if (FCaret.Y < LineCount()) {
    MoveBookmarks(FCaret.Y - 1, -1);
    ReplaceLines(FCaret.Y - 1, 1, {});
    SetCaret(FCaret.X, FCaret.Y);
  } else {
    ReplaceLines(FCaret.Y - 1, 1, {std::string()});
    SetCaret(1, FCaret.Y);
  }
  FSelStart = FSelEnd = {0, 0};
  UpdateScrollBar();
  Invalidate();
}

void TfsSyntaxMemo::BlockIndent(bool indent) {
  if (FReadOnly || !HasSelection()) return;
  const TPoint s = SelectionStart(), e = SelectionEnd();
  const int last = e.X == 1 && e.Y > s.Y ? e.Y - 1 : e.Y;
  TakeSnapshot();
  std::vector<std::string> lines;
  for (int l = s.Y; l <= last; ++l) lines.push_back(Line(l - 1));
  if (indent) {
    for (std::string& l : lines) l.insert(0, "  ");
  } else {
    int n = 2;
    for (const std::string& l : lines)
      if (FirstNonBlank(l) > 0) n = std::min(n, FirstNonBlank(l) - 1);
    for (std::string& l : lines)
      if (FirstNonBlank(l) > 0) l.erase(0, static_cast<std::size_t>(n));
  }
  ReplaceLines(s.Y - 1, last - s.Y + 1, lines);
  Invalidate();
  Changed();
}

void TfsSyntaxMemo::ToggleBookmark(int n) {
  const int line = FCaret.Y - 1;
  int& slot = FBookmarks[static_cast<std::size_t>(n)];
  const bool hasAny = std::find(FBookmarks.begin(), FBookmarks.end(), line) != FBookmarks.end();
  if (slot == line) slot = -1;
  else if (!hasAny) slot = line;
  Invalidate();
}

void TfsSyntaxMemo::OpenSearch() {
  rtl::TObjectPtr<TfsSynMemoSearch> dialog = rtl::MakeObject<TfsSynMemoSearch>();
  dialog->Edit1->SetText(FLastSearch);
  if (FOnTranslate) FOnTranslate(this, dialog.get(), nullptr);
  const int result = dialog->ShowModal();
  FLastSearch = dialog->Edit1->Text();
  if (result == gui::mrOk) FindText(FLastSearch);
}

// ---- mouse

TPoint TfsSyntaxMemo::CellAt(int x, int y) const {
  const int col = (x - FGutterWidth) / FCharWidth + FLeftCol + 1;
  const int row = y / FLineHeight + FTopLine + 1;
  return {std::clamp(col, 1, MaxLineLength), std::clamp(row, 1, LineCount())};
}

void TfsSyntaxMemo::MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  FCompletion->Close();
  if (shift & gui::ssDouble) return;  // the press that belongs to a double click
  if (button == gui::mbRight) {
    if (!PopupMenu()) {
      const TPoint p = ClientToScreen({x, y});
      FMenu->SetPopupComponent(this);
      FMenu->Popup(p.X, p.Y);
    }
    return;
  }
  if (CanFocus() && !Focused()) SetFocus();
  FMouseSelecting = true;
  const TPoint cell = CellAt(x, y);
  FSelStart = FSelEnd = {0, 0};
  SetCaret(cell.X, cell.Y);
  FPrevCaret = FCaret;
}

void TfsSyntaxMemo::MouseMove(gui::TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!FMouseSelecting) return;
  const TPoint cell = CellAt(x, y);
  if (cell.X == FCaret.X && cell.Y == FCaret.Y) return;
  const TPoint previous = FCaret;
  SetCaret(cell.X, cell.Y);
  ExtendSelection(HasSelection() ? previous : FPrevCaret);
}

void TfsSyntaxMemo::MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  FMouseSelecting = false;
}

void TfsSyntaxMemo::DblClick() {
  TCustomControl::DblClick();
  FMouseSelecting = false;
  const std::string& line = Line(FCaret.Y - 1);
  const int start = WordStartAtOrBefore(FCaret.X, line);
  int end = start;
  while (end - 1 < static_cast<int>(line.size()) && IsWordChar(line[static_cast<std::size_t>(end - 1)])) ++end;
  SetCaret(end, FCaret.Y);
  SetSelection({start, FCaret.Y}, {end, FCaret.Y});
}

// ---- drawing

void TfsSyntaxMemo::Paint(gui::TCanvas& canvas) {
  FPaintedTop = FTopLine;
  FPaintedLeft = FLeftCol;
  TfsSyntaxPainter(*this).Paint(canvas);
}

}  // namespace ui
