// TfsSyntaxMemo: the script editor control. A custom-drawn, fixed-pitch text editor:
// the caret may stand beyond the end of a line, a selection runs between two
// positions, every change keeps a whole-text snapshot for undo (32 at most), Enter,
// Tab and Backspace indent smartly, ten bookmarks mark lines, F3 and Ctrl+F search,
// an error line can be marked, and a gutter, a footer with the caret position and
// scroll bars (the horizontal one for lines longer than the view) frame the text. It classifies its text with
// TfsSyntaxHighlighter and draws it with TfsSyntaxPainter.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Controls.h"
#include "gui/Menus.h"
#include "rtl/StringList.h"
#include "ui/fsSynMemoCompletion.h"
#include "ui/fsSyntaxHighlighter.h"

namespace ui {

// Largest caret column, and the weight of a line in a position's order value.
constexpr int MaxLineLength = 1024;
constexpr int MaxUndo = 32;

class TfsSyntaxMemo : public gui::TCustomControl {
  RTL_CLASS_INFO

public:
  explicit TfsSyntaxMemo(rtl::TComponent* owner = nullptr);
  ~TfsSyntaxMemo() override;

  void SetParent(gui::TWinControl* parent) override;

  // The text. Reading trims trailing blanks and control characters from every line;
  // writing copies the lines. Either way the undo history starts afresh.
  rtl::TStrings* Lines();
  void SetLines(rtl::TStrings* lines);
  // The whole text, lines joined with CR LF.
  rtl::AnsiString Text() const override;
  void SetText(const rtl::AnsiString& text) override;
  // A script file: its text, and the form it is saved back in (its line break, and
  // UTF-8 with a byte-order mark when it came so), so that a file opened and saved
  // unchanged keeps its bytes. Errors are the stream's (EFOpenError and the like).
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  int LineCount() const noexcept { return static_cast<int>(FText.size()); }
  // Line index (0-based) as stored, trailing blanks included.
  const std::string& Line(int index) const { return FText[static_cast<std::size_t>(index)]; }

  gui::TColor BlockColor() const noexcept { return FBlockColor; }
  void SetBlockColor(gui::TColor v) { FBlockColor = v; Invalidate(); }
  gui::TColor BlockFontColor() const noexcept { return FBlockFontColor; }
  void SetBlockFontColor(gui::TColor v) { FBlockFontColor = v; Invalidate(); }
  gui::TFont* CommentAttr() const noexcept { return FCommentAttr; }
  void SetCommentAttr(gui::TFont* v) { FCommentAttr->Assign(v); }
  gui::TFont* KeywordAttr() const noexcept { return FKeywordAttr; }
  void SetKeywordAttr(gui::TFont* v) { FKeywordAttr->Assign(v); }
  gui::TFont* StringAttr() const noexcept { return FStringAttr; }
  void SetStringAttr(gui::TFont* v) { FStringAttr->Assign(v); }
  gui::TFont* TextAttr() const noexcept { return FTextAttr; }
  void SetTextAttr(gui::TFont* v) { FTextAttr->Assign(v); }
  bool ReadOnly() const noexcept { return FReadOnly; }
  void SetReadOnly(bool v) noexcept { FReadOnly = v; }
  TSyntaxType SyntaxType() const noexcept { return FHighlighter.SyntaxType(); }
  void SetSyntaxType(TSyntaxType type);
  bool ShowFooter() const noexcept { return FFooterHeight > 0; }
  void SetShowFooter(bool v);
  bool ShowGutter() const noexcept { return FGutterWidth > 0; }
  void SetShowGutter(bool v);
  const rtl::TNotifyEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent h) { FOnChange = std::move(h); }
  // Raised for what the editor shows of its own beyond its menu (the search dialog
  // before it opens, the search's messages): the form's owner translates them into its
  // language. Component or Text is null.
  using TTranslateEvent = std::function<void(rtl::TObject* Sender, rtl::TComponent* Component, std::string* Text)>;
  const TTranslateEvent& OnTranslate() const noexcept { return FOnTranslate; }
  void SetOnTranslate(TTranslateEvent h) { FOnTranslate = std::move(h); }
  bool Modified() const noexcept { return FModified; }
  void SetModified(bool v) noexcept { FModified = v; }

  // Caret (column, line), both from 1.
  gui::TPoint CaretPos() const noexcept { return FCaret; }
  // Clears the footer message, clamps, moves the caret and scrolls it into view.
  void SetCaret(int column, int line);
  bool HasSelection() const noexcept { return FSelStart.X != 0; }
  // The selection's ends in order of position (start included, end excluded).
  gui::TPoint SelectionStart() const;
  gui::TPoint SelectionEnd() const;
  void SetSelection(gui::TPoint anchor, gui::TPoint end);
  void ClearSelection();
  void SelectAll();
  rtl::AnsiString SelectedText() const;
  void ReplaceSelection(const rtl::AnsiString& text);
  void CopySelection();
  void CutSelection();
  void PasteClipboard();
  void Undo();
  // Takes back the last Undo (Ctrl+Shift+Z); any other change ends what can be redone.
  void Redo();
  int UndoCount() const noexcept { return static_cast<int>(FUndo.size()); }
  int RedoCount() const noexcept { return static_cast<int>(FRedo.size()); }
  void FindText(const rtl::AnsiString& text);
  const rtl::AnsiString& LastSearch() const noexcept { return FLastSearch; }
  // A text dropped at a point of the client area (a tree node dragged onto the
  // editor): the caret goes to that cell and the text is inserted there.
  void DropText(int x, int y, const rtl::AnsiString& text);
  // A tree view's selected node is taken when dragged onto the editor.
  void DragOver(rtl::TObject* source, int x, int y, gui::TDragState state, bool& accept) override;
  void DragDrop(rtl::TObject* source, int x, int y) override;

  int TopLine() const noexcept { return FTopLine; }
  void SetTopLine(int v);
  int LeftCol() const noexcept { return FLeftCol; }
  int VisibleLines() const;
  int VisibleColumns() const;
  // Bookmark n (0 to 9): a line index, or -1.
  int Bookmark(int n) const { return FBookmarks[static_cast<std::size_t>(n)]; }
  int ErrorLine() const noexcept { return FErrorLine; }
  void SetErrorLine(int line);
  const rtl::AnsiString& FooterMessage() const noexcept { return FFooterMessage; }

  // Highlighting classes per line, then " ".
  const std::vector<std::string>& AttrLines() const noexcept { return FHighlighter.AttrLines(); }
  TfsSyntaxHighlighter& Highlighter() noexcept { return FHighlighter; }
  int LineHeight() const noexcept { return FLineHeight; }
  int CharWidth() const noexcept { return FCharWidth; }
  bool FixedFont() const noexcept { return FFixedFont; }
  int GutterWidth() const noexcept { return FGutterWidth; }
  int FooterHeight() const noexcept { return FFooterHeight; }
  gui::TPopupMenu* OwnMenu() const noexcept { return FMenu; }
  // Ctrl+Space completion and the routine hint; its names come from SetSource.
  TfsSynMemoCompletion& Completion() noexcept { return *FCompletion; }

protected:
  platform::PeerStyle PeerStyle() const override;
  void PeerCreated() override;
  void Paint(gui::TCanvas& canvas) override;
  void Resize() override;
  void FontChanged() override;
  // Tab and Enter edit the text; Escape is left to the form (a dialog's Cancel).
  // Ctrl+Tab and Ctrl+Shift+Tab move the focus on, as in the system's multi-line edits.
  // Escape closes an open completion list or hint first.
  bool WantsKey(std::uint16_t key, gui::TShiftState shift) const override {
    if (key == gui::VK_ESCAPE) return FCompletion && (FCompletion->ListShown() || FCompletion->HintShown());
    return !(key == gui::VK_TAB && (shift & gui::ssCtrl));
  }
  void KeyDown(std::uint16_t& key, gui::TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void MouseMove(gui::TShiftState shift, int x, int y) override;
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void DblClick() override;
  bool MouseWheel(int delta, gui::TShiftState shift, int x, int y) override;
  void PeerScrolled(int position) override;
  void PeerHScrolled(int position) override;
  void PeerFocusChanged(bool gained) override;

private:
  std::string& MutableLine(int index) { return FText[static_cast<std::size_t>(index)]; }
  static int Order(gui::TPoint p) noexcept { return p.Y * MaxLineLength + p.X; }
  gui::TPoint CellAt(int x, int y) const;
  void TakeSnapshot();
  std::string Snapshot() const;
  void PushUndo(std::string snapshot);
  void Restore(const std::string& snapshot);
  // Lines [first, first + removed) became the given ones: keep the line list, the
  // classes and the published Lines in step.
  void ReplaceLines(int first, int removed, const std::vector<std::string>& lines);
  void Changed();
  void MoveBookmarks(int afterLine, int delta);
  void ExtendSelection(gui::TPoint previous);
  void ClearFooterMessage();
  void InvalidateLine(int index);
  void InvalidateFooter();
  void UpdateCaret();
  void UpdateScrollBar();
  void OutsideChange();
  void SetWholeText(std::string_view text);
  void MeasureFont();
  void AttrChanged();
  void Navigate(std::uint16_t key, gui::TShiftState shift);
  void Enter();
  void SmartTab();
  void Backspace();
  void DeleteKey();
  void DeleteLine();
  void BlockIndent(bool indent);
  void ToggleBookmark(int n);
  void OpenSearch();
  int WordStartAtOrBefore(int column, const std::string& line) const;

  std::vector<std::string> FText{std::string()};
  rtl::TStringList* FLines;
  bool FSyncing = false;
  TfsSyntaxHighlighter FHighlighter;
  std::deque<std::string> FUndo, FRedo;
  gui::TPoint FCaret{1, 1}, FPrevCaret{1, 1};
  gui::TPoint FSelStart{0, 0}, FSelEnd{0, 0};
  int FTopLine = 0, FLeftCol = 0;
  int FPaintedTop = -1, FPaintedLeft = -1;  // the view as last painted
  std::array<int, 10> FBookmarks;
  int FErrorLine = -1;
  rtl::AnsiString FFooterMessage, FLastSearch;
  std::string FFileLineBreak = "\r\n";
  bool FFileUtf8 = false;
  int FLineHeight = 16, FCharWidth = 8;
  bool FFixedFont = true;
  int FGutterWidth = 0, FFooterHeight = 0;
  bool FReadOnly = false, FModified = false;
  bool FMouseSelecting = false;
  gui::TColor FBlockColor = gui::clHighlight, FBlockFontColor = gui::clHighlightText;
  gui::TFont *FCommentAttr, *FKeywordAttr, *FStringAttr, *FTextAttr;
  gui::TPopupMenu* FMenu;
  rtl::TNotifyEvent FOnChange;
  TTranslateEvent FOnTranslate;
  std::unique_ptr<TfsSynMemoCompletion> FCompletion;
};

}  // namespace ui
