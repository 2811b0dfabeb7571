// The script editor driven by keys and the mouse as the platform delivers them (real
// window messages on Windows, peer events on the headless build), checked against
// its text, caret, selection, bookmarks and undo history.
#include <gtest/gtest.h>

#include <fstream>

#include "gui/Clipbrd.h"
#include "gui/ComCtrls.h"
#include "gui/Menus.h"
#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/GuiTestSupport.h"
#include "gui/StdCtrls.h"
#include "platform/Files.h"
#include "ui/fsSynMemoSearch.h"
#include "ui/fsSyntaxMemo.h"

using namespace gui;
using ui::TfsSyntaxMemo;

namespace {

struct EditorForm : TForm {
  using TForm::TForm;
  TfsSyntaxMemo* Memo = nullptr;

protected:
  void InitializeForm() override {
    SetClientWidth(500);
    SetClientHeight(300);
    Memo = new TfsSyntaxMemo(this);
    Memo->SetName("Memo");
    Memo->SetParent(this);
    Memo->SetAlign(alClient);
    SetActiveControl(Memo);
  }
};

struct SyntaxMemoTest : ::testing::Test {
  rtl::TObjectPtr<EditorForm> Form = rtl::MakeObject<EditorForm>();
  TfsSyntaxMemo& M = *Form->Memo;

  SyntaxMemoTest() { Form->Show(); }
  ~SyntaxMemoTest() override { Form->Hide(); }

  void SetText(const std::string& text) { M.SetText(rtl::AnsiString(text)); }
  std::string Text() { return M.Text().str(); }
  void Key(std::uint16_t vk, std::uint32_t shift = 0, char ch = 0) { guitest::Key(M, vk, shift, ch); }
  void Type(const std::string& s) { guitest::Type(M, s); }
  void Ctrl(char letter) { Key(static_cast<std::uint16_t>(letter), ssCtrl, static_cast<char>(letter - 'A' + 1)); }
  void Caret(int col, int line) { M.SetCaret(col, line); }
  std::pair<int, int> At() { return {M.CaretPos().X, M.CaretPos().Y}; }
  // The pixel position of a cell.
  int X(int col) { return M.GutterWidth() + (col - 1) * M.CharWidth() + 1; }
  int Y(int line) { return (line - 1) * M.LineHeight() + 1; }
};

using P = std::pair<int, int>;

}  // namespace

TEST_F(SyntaxMemoTest, TypingBeyondTheLineEndPadsWithBlanks) {
  ASSERT_TRUE(M.Focused());
  Caret(10, 1);
  Type("x");
  EXPECT_EQ(Text(), "         x");
  EXPECT_EQ(At(), P(11, 1));
  EXPECT_TRUE(M.Modified());
}

TEST_F(SyntaxMemoTest, EnterSplitsAndIndentsLikeTheFirstPart) {
  SetText("begin\n    x := y + z;\nend");
  Caret(11, 2);
  Key(VK_RETURN, 0, '\r');
  EXPECT_EQ(Text(), "begin\r\n    x := y\r\n     + z;\r\nend");
  EXPECT_EQ(At(), P(5, 3));
  // On a blank part the caret column gives the indentation.
  SetText("");
  Caret(4, 1);
  Key(VK_RETURN, 0, '\r');
  EXPECT_EQ(Text(), "\r\n   ");
  EXPECT_EQ(At(), P(4, 2));
}

TEST_F(SyntaxMemoTest, SmartTabFollowsTheWordsOfTheLineAbove) {
  struct Case {
    int Column, ExpectedColumn;
    const char* Expected;
  };
  for (const Case& c : {Case{1, 3, "  if x then\r\n  "}, Case{3, 6, "  if x then\r\n     "}, Case{20, 20, "  if x then\r\n"}}) {
    SetText("  if x then\n");
    Caret(c.Column, 2);
    Key(VK_TAB, 0, '\t');
    EXPECT_EQ(Text(), c.Expected) << "column " << c.Column;
    EXPECT_EQ(At(), P(c.ExpectedColumn, 2)) << "column " << c.Column;
  }
}

TEST_F(SyntaxMemoTest, UndoKeepsThirtyTwoSnapshots) {
  for (int i = 0; i < 33; ++i) Type(std::string(1, static_cast<char>('a' + i % 26)));
  EXPECT_EQ(M.UndoCount(), 32);
  for (int i = 0; i < 33; ++i) Ctrl('Z');
  EXPECT_EQ(Text(), "a");  // the state before the second change
  EXPECT_EQ(At(), P(2, 1));
  // Text set from outside clears the history.
  Type("bc");
  SetText("new");
  EXPECT_EQ(M.UndoCount(), 0);
}

TEST_F(SyntaxMemoTest, UndoShowsTheTextFromTheLeftEdge) {
  SetText("begin");
  Caret(6, 1);
  // Pasted past the right edge: the view follows the caret.
  const int pasted = M.VisibleColumns() + 10;
  gui::Clipboard()->SetAsText(rtl::AnsiString(std::string(static_cast<std::size_t>(pasted), 'x')));
  Ctrl('V');
  ASSERT_GT(M.LeftCol(), 0);
  // Undone back to the short line, the view starts at its first column again; redone,
  // it follows the caret to the right.
  Ctrl('Z');
  ASSERT_EQ(Text(), "begin");
  EXPECT_EQ(At(), P(6, 1));
  EXPECT_EQ(M.LeftCol(), 0);
  Key('Z', ssCtrl | ssShift, 26);
  EXPECT_EQ(M.LeftCol(), 6 + pasted - M.VisibleColumns());
}

TEST_F(SyntaxMemoTest, CtrlShiftZRedoesWhatCtrlZUndid) {
  SetText("x");
  Caret(2, 1);
  Type("ab");
  Ctrl('Z');
  Ctrl('Z');
  EXPECT_EQ(Text(), "x");
  const char ctrlZ = 26;
  Key('Z', ssCtrl | ssShift, ctrlZ);
  EXPECT_EQ(Text(), "xa");
  EXPECT_EQ(At(), P(3, 1));
  Key('Z', ssCtrl | ssShift, ctrlZ);
  EXPECT_EQ(Text(), "xab");
  EXPECT_EQ(M.RedoCount(), 0);
  Key('Z', ssCtrl | ssShift, ctrlZ);  // nothing more to redo
  EXPECT_EQ(Text(), "xab");
  // Undo and redo take turns; a new change ends what could be redone.
  Ctrl('Z');
  EXPECT_EQ(Text(), "xa");
  Type("c");
  EXPECT_EQ(M.RedoCount(), 0);
  Key('Z', ssCtrl | ssShift, ctrlZ);
  EXPECT_EQ(Text(), "xac");
  // Ctrl+Y keeps deleting the line.
  SetText("one\ntwo");
  Caret(1, 1);
  Key('Y', ssCtrl, 25);
  EXPECT_EQ(Text(), "two");
}

TEST_F(SyntaxMemoTest, CtrlTabMovesTheFocusOnAndTabStillIndents) {
  auto* before = new TEdit(Form.get());
  before->SetParent(Form.get());
  before->SetAlign(alTop);
  before->SetTabOrder(0);
  auto* after = new TButton(Form.get());
  after->SetParent(Form.get());
  after->SetAlign(alBottom);
  M.SetFocus();
  SetText("  if x then\n");
  Caret(1, 2);
  Key(VK_TAB, 0, '\t');
  EXPECT_EQ(Text(), "  if x then\r\n  ");
  Key(VK_TAB, ssCtrl, '\t');
  EXPECT_TRUE(after->Focused());
  EXPECT_EQ(Text(), "  if x then\r\n  ");
  M.SetFocus();
  Key(VK_TAB, ssCtrl | ssShift, '\t');
  EXPECT_TRUE(before->Focused());
  EXPECT_EQ(Text(), "  if x then\r\n  ");
}

// A file opened and saved unchanged keeps its bytes: its line break, whether it ends
// with one, and UTF-8 with its byte-order mark.
TEST_F(SyntaxMemoTest, FilesKeepTheirBytesThroughOpenAndSave) {
  const std::string file = platform::TempFolder() + "velmora-memo-file.pas";
  for (const std::string& bytes : {std::string("begin\r\nend.\r\n"), std::string("begin\r\nend."),
                                   std::string("a\nb\n\n"), std::string("\xEF\xBB\xBF" "x := '\xC3\xA4';\r\n"),
                                   std::string()}) {
    {
      std::ofstream out(file, std::ios::binary);
      out << bytes;
    }
    M.LoadFromFile(file);
    M.SaveToFile(file);
    std::ifstream in(file, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved, bytes);
  }
  // Shown in the process code page; an edit is saved in the file's own form.
  {
    std::ofstream out(file, std::ios::binary);
    out << "\xEF\xBB\xBF" "x := '\xC3\xA4';\n";
  }
  M.LoadFromFile(file);
  EXPECT_EQ(M.Line(0), "x := '\xE4';");
  Caret(1, 2);
  Type("y");
  M.SaveToFile(file);
  std::ifstream in(file, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(saved, "\xEF\xBB\xBF" "x := '\xC3\xA4';\ny");
  platform::RemoveFile(file);
}

TEST_F(SyntaxMemoTest, BackspaceDeleteAndJoins) {
  SetText("abc\ndef");
  Caret(3, 1);
  Key(VK_BACK, 0, '\b');
  EXPECT_EQ(Text(), "ac\r\ndef");
  Caret(1, 2);
  Key(VK_BACK, 0, '\b');  // joins with the line above
  EXPECT_EQ(Text(), "acdef");
  EXPECT_EQ(At(), P(3, 1));
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "acef");
  // Delete past the end pads the line up to the caret and pulls the next line up.
  SetText("ab  \nnext  ");
  Caret(5, 1);
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "ab  next");
  // Backspace at the first non-blank column unindents to a line above.
  SetText("begin\n  if x then\n      y;");
  Caret(7, 3);
  Key(VK_BACK, 0, '\b');
  EXPECT_EQ(Text(), "begin\r\n  if x then\r\n  y;");
  EXPECT_EQ(At(), P(3, 3));
}

TEST_F(SyntaxMemoTest, NavigationAndShiftSelection) {
  SetText("first line_1 + x\n  second\nthird");
  Caret(1, 1);
  Key(VK_RIGHT, ssCtrl);
  EXPECT_EQ(At(), P(7, 1));
  Key(VK_RIGHT, ssCtrl);
  EXPECT_EQ(At(), P(16, 1));  // past "line_1 + "
  Key(VK_LEFT, ssCtrl);
  EXPECT_EQ(At(), P(7, 1));
  Key(VK_END);
  EXPECT_EQ(At(), P(17, 1));
  Key(VK_RIGHT, ssCtrl);
  EXPECT_EQ(At(), P(1, 2));  // past the end: the next line's start
  Key(VK_END, ssShift);
  Key(VK_DOWN, ssShift);
  EXPECT_EQ(M.SelectedText(), "  second\r\nthird");
  Key(VK_HOME, ssCtrl);
  EXPECT_FALSE(M.HasSelection());
  EXPECT_EQ(At(), P(1, 1));
  Key(VK_END, ssCtrl);
  EXPECT_EQ(At(), P(6, 3));
  Key(VK_LEFT);
  Key(VK_UP);
  EXPECT_EQ(At(), P(5, 2));
  Ctrl('A');
  EXPECT_EQ(M.SelectedText(), "first line_1 + x\r\n  second\r\nthird");
}

TEST_F(SyntaxMemoTest, PageKeysMoveByTheVisibleLines) {
  std::string text;
  for (int i = 1; i <= 100; ++i) text += "line " + std::to_string(i) + "\n";
  SetText(text);
  const int rows = M.VisibleLines();
  ASSERT_GT(rows, 3);
  Caret(1, 1);
  Key(VK_NEXT);
  EXPECT_EQ(M.TopLine(), rows - 1);
  EXPECT_EQ(At(), P(1, rows));
  Key(VK_PRIOR);
  EXPECT_EQ(M.TopLine(), 0);
  EXPECT_EQ(At(), P(1, 1));
  Key(VK_END, ssCtrl);
  EXPECT_EQ(At(), P(1, 101));
  EXPECT_EQ(M.TopLine(), 101 - rows);
}

TEST_F(SyntaxMemoTest, ClipboardKeys) {
  SetText("hello world");
  Caret(1, 1);
  for (int i = 0; i < 5; ++i) Key(VK_RIGHT, ssShift);
  Ctrl('C');
  EXPECT_EQ(Clipboard()->AsText(), "hello");
  Key(VK_END);
  Ctrl('V');
  EXPECT_EQ(Text(), "hello worldhello");
  Key(VK_HOME);
  Key(VK_RIGHT, ssShift);
  Key(VK_DELETE, ssShift);  // cut
  EXPECT_EQ(Text(), "ello worldhello");
  EXPECT_EQ(Clipboard()->AsText(), "h");
  Key(VK_INSERT, ssShift);  // paste
  EXPECT_EQ(Text(), "hello worldhello");
  // A multi-line paste over a selection.
  Clipboard()->SetAsText("A\r\nB");
  Caret(1, 1);
  Key(VK_RIGHT, ssShift);
  Ctrl('V');
  EXPECT_EQ(Text(), "A\r\nBello worldhello");
  EXPECT_EQ(At(), P(2, 2));
}

TEST_F(SyntaxMemoTest, BookmarksFollowTheirLines) {
  SetText("one\ntwo\nthree\nfour");
  Caret(2, 3);
  Key('3', ssCtrl | ssShift);
  EXPECT_EQ(M.Bookmark(3), 2);
  Key('5', ssCtrl | ssShift);  // the line has another bookmark: left alone
  EXPECT_EQ(M.Bookmark(5), -1);
  Caret(1, 1);
  Key(VK_END);
  Key(VK_RETURN, 0, '\r');  // a line above the bookmark
  EXPECT_EQ(M.Bookmark(3), 3);
  Key(VK_HOME, ssCtrl);
  Key('3', ssCtrl);
  EXPECT_EQ(At(), P(1, 4));
  Key('3', ssCtrl | ssShift);  // again on its line: removed
  EXPECT_EQ(M.Bookmark(3), -1);
  // Ctrl+Y deletes a line; bookmarks below move up.
  Caret(1, 4);
  Key('7', ssCtrl | ssShift);
  Caret(1, 2);
  Key('Y', ssCtrl, 25);
  EXPECT_EQ(Text(), "one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(M.Bookmark(7), 2);
}

TEST_F(SyntaxMemoTest, BlockIndentAndUnindent) {
  SetText("a\n b\nc");
  Caret(1, 1);
  Key(VK_DOWN, ssShift);
  Key(VK_DOWN, ssShift);
  Key(VK_HOME, ssShift);  // ends in column 1 of line 3: that line is left out
  Key('I', ssCtrl, 9);
  EXPECT_EQ(Text(), "  a\r\n   b\r\nc");
  Key('U', ssCtrl, 21);
  EXPECT_EQ(Text(), "a\r\n b\r\nc");
  Key('U', ssCtrl, 21);  // "a" has no blank to give: nothing moves
  EXPECT_EQ(Text(), "a\r\n b\r\nc");
}

TEST_F(SyntaxMemoTest, SearchFromTheNextLine) {
  SetText("alpha\nbeta gamma\nGAMMA ray");
  Caret(1, 1);
  M.FindText("gamma");
  EXPECT_EQ(At(), P(6, 2));
  Key(VK_F3);  // the last search text is the dialog's; none yet
  M.FindText("gamma");
  EXPECT_EQ(At(), P(1, 3));
  M.FindText("gamma");  // only on the caret's own line: not found
  EXPECT_EQ(M.FooterMessage(), "Text \"gamma\" not found.");
  Key(VK_LEFT);
  EXPECT_EQ(M.FooterMessage(), "");
  SetText("just one line with word");
  M.FindText("word");
  EXPECT_EQ(M.FooterMessage(), "Text \"word\" not found.");
}

TEST_F(SyntaxMemoTest, CtrlFOpensTheSearchDialog) {
  if (platform::HasDisplay()) GTEST_SKIP() << "the dialog waits for a real user here";
  SetText("a\nb target\nc target");
  Caret(1, 1);
  TResponder responder;
  responder.ModalForm = [](TCustomForm& f) {
    auto& d = dynamic_cast<ui::TfsSynMemoSearch&>(f);
    EXPECT_EQ(d.Caption(), "Search");
    guitest::Type(*d.Edit1, "target");
    guitest::Key(*d.Edit1, VK_RETURN, 0, '\r');  // the form's key press: OK
  };
  TResponder* old = SetResponder(&responder);
  Ctrl('F');
  SetResponder(old);
  EXPECT_EQ(M.LastSearch(), "target");
  EXPECT_EQ(At(), P(3, 2));
  Key(VK_F3);
  EXPECT_EQ(At(), P(3, 3));
}

TEST_F(SyntaxMemoTest, MouseClicksDragsAndDoubleClicks) {
  SetText("alpha beta\nx");
  guitest::Mouse(M, platform::UserInput::MouseDown, X(8), Y(1));
  guitest::Mouse(M, platform::UserInput::MouseUp, X(8), Y(1));
  EXPECT_EQ(At(), P(8, 1));
  // Right of the line's end, and below the last line.
  guitest::Mouse(M, platform::UserInput::MouseDown, X(20), Y(9));
  guitest::Mouse(M, platform::UserInput::MouseUp, X(20), Y(9));
  EXPECT_EQ(At(), P(20, 2));
  // A drag selects.
  guitest::Mouse(M, platform::UserInput::MouseDown, X(2), Y(1));
  guitest::Mouse(M, platform::UserInput::MouseMove, X(4), Y(1), ssLeft);
  guitest::Mouse(M, platform::UserInput::MouseMove, X(6), Y(1), ssLeft);
  guitest::Mouse(M, platform::UserInput::MouseUp, X(6), Y(1));
  EXPECT_EQ(M.SelectedText(), "lpha");
  // A double click selects the word under the pointer.
  guitest::Mouse(M, platform::UserInput::DblClick, X(9), Y(1));
  EXPECT_EQ(M.SelectedText(), "beta");
  EXPECT_EQ(At(), P(11, 1));
}

TEST_F(SyntaxMemoTest, WheelAndScrollBarMoveTheTopLine) {
  std::string text;
  for (int i = 1; i <= 200; ++i) text += "line " + std::to_string(i) + "\n";
  SetText(text);
  platform::UserInput wheel;
  wheel.Kind = platform::UserInput::Wheel;
  wheel.X = X(2);
  wheel.Y = Y(2);
  // Three notches towards the user, each as many lines as the system's setting (three
  // unless the user changed it).
  const int perNotch = platform::WheelScrollLines();
  ASSERT_GT(perNotch, 0);
  wheel.Delta = -360;
  platform::SendUserInput(*M.Peer(), wheel);
  EXPECT_EQ(M.TopLine(), 3 * perNotch);
  wheel.Delta = 120;
  platform::SendUserInput(*M.Peer(), wheel);
  EXPECT_EQ(M.TopLine(), 2 * perNotch);
  // The caret keeps its place; a click puts it under the pointer in the scrolled view.
  EXPECT_EQ(At(), P(1, 1));
  guitest::Mouse(M, platform::UserInput::MouseDown, X(1), Y(1));
  guitest::Mouse(M, platform::UserInput::MouseUp, X(1), Y(1));
  EXPECT_EQ(At(), P(1, 2 * perNotch + 1));
}

TEST_F(SyntaxMemoTest, LongLinesGetAHorizontalScrollBar) {
  SetText("short");
  const int full = M.ClientHeight();
  const int columns = M.VisibleColumns();
  // A line longer than the view: the bar takes its place at the bottom.
  SetText("short\n" + std::string(static_cast<std::size_t>(columns) + 10, 'x'));
  EXPECT_LT(M.ClientHeight(), full);
  Caret(columns + 5, 2);
  EXPECT_GT(M.LeftCol(), 0);
  // Back to short lines and the left edge: the bar goes.
  SetText("short");
  Caret(1, 1);
  EXPECT_EQ(M.LeftCol(), 0);
  EXPECT_EQ(M.ClientHeight(), full);
}

TEST_F(SyntaxMemoTest, OwnContextMenu) {
  if (platform::HasDisplay()) GTEST_SKIP() << "a real menu waits for a real user here";
  SetText("abc");
  Clipboard()->SetAsText("xy");
  TResponder responder;
  std::vector<std::string> offered;
  responder.PopupMenu = [&](TPopupMenu& menu) {
    for (int i = 0; i < menu.Items()->Count(); ++i) offered.push_back(menu.Items()->Items(i)->Caption().str());
    return menu.Items()->Items(2);
  };
  TResponder* old = SetResponder(&responder);
  Caret(2, 1);
  guitest::Mouse(M, platform::UserInput::MouseDown, X(2), Y(1), 0, platform::MouseButton::Right);
  guitest::Mouse(M, platform::UserInput::MouseUp, X(2), Y(1), 0, platform::MouseButton::Right);
  SetResponder(old);
  EXPECT_EQ(offered, (std::vector<std::string>{"Cut", "Copy", "Paste"}));
  EXPECT_EQ(Text(), "axybc");
}

TEST_F(SyntaxMemoTest, TreeNodesDraggedOntoTheEditor) {
  // The native tree of the Windows build follows the real mouse while it is pressed.
  if (platform::HasDisplay()) GTEST_SKIP() << "a native tree view drags with the real mouse";
  M.SetAlign(alNone);
  M.SetBounds(150, 0, 350, 300);
  auto* tree = new TTreeView(Form.get());
  tree->SetParent(Form.get());
  tree->SetBounds(0, 0, 140, 300);
  tree->SetDragMode(dmAutomatic);
  TTreeNode* node = tree->Items()->AddChild(tree->Items()->AddChild(nullptr, "Strings"), "Copy(S, I, N)");
  tree->SetSelected(node);
  SetText("begin\n  x := ;\nend");
  // Pressed on the tree, moved onto line 2, column 8 of the editor and released there.
  const int x = 150 + X(8), y = Y(2);
  guitest::Mouse(*tree, platform::UserInput::MouseDown, 20, 20);
  guitest::Mouse(*tree, platform::UserInput::MouseMove, 60, 20, ssLeft);
  EXPECT_TRUE(tree->Dragging());
  guitest::Mouse(*tree, platform::UserInput::MouseMove, x + 2, y, ssLeft);
  guitest::Mouse(*tree, platform::UserInput::MouseUp, x + 2, y);
  EXPECT_EQ(Text(), "begin\r\n  x := Copy(S, I, N);\r\nend");
  EXPECT_FALSE(tree->Dragging());
  // A category without a selection is not taken; a press without a move drags nothing.
  tree->SetSelected(nullptr);
  guitest::Mouse(*tree, platform::UserInput::MouseDown, 20, 20);
  guitest::Mouse(*tree, platform::UserInput::MouseMove, x + 2, y, ssLeft);
  guitest::Mouse(*tree, platform::UserInput::MouseUp, x + 2, y);
  EXPECT_EQ(Text(), "begin\r\n  x := Copy(S, I, N);\r\nend");
}

TEST_F(SyntaxMemoTest, ReadOnlyBlocksEditingButNotUndoOrDeleteLine) {
  SetText("one\ntwo");
  Type("x");
  M.SetReadOnly(true);
  Caret(1, 1);
  Type("y");
  Key(VK_RETURN, 0, '\r');
  Key(VK_DELETE);
  Key(VK_BACK, 0, '\b');
  EXPECT_EQ(Text(), "xone\r\ntwo");
  Key('Y', ssCtrl, 25);
  EXPECT_EQ(Text(), "two");
  Ctrl('Z');
  Ctrl('Z');
  EXPECT_EQ(Text(), "one\r\ntwo");
}

TEST_F(SyntaxMemoTest, LinesAndChangeNotifications) {
  int changes = 0;
  M.SetOnChange([&](rtl::TObject*) { ++changes; });
  SetText("a  \nb\t");
  EXPECT_EQ(changes, 0);  // changes from outside are not the editor's
  rtl::TStrings* lines = M.Lines();
  EXPECT_EQ(lines->Count(), 2);
  EXPECT_EQ(lines->Get(0), "a");  // trailing blanks and control characters go
  EXPECT_EQ(lines->Get(1), "b");
  Caret(2, 2);
  Type("c");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(M.Lines()->Get(1), "bc");
  lines->Clear();
  EXPECT_EQ(M.LineCount(), 1);  // never empty
  EXPECT_EQ(At(), P(3, 1));     // same column, clamped line
  EXPECT_EQ(rtl::GetEnumProp(&M, "SyntaxType"), "stPascal");
  rtl::SetEnumProp(&M, "SyntaxType", "stVB");
  EXPECT_EQ(M.SyntaxType(), ui::stVB);
}
