// Completion in the script editor, driven by keys as the platform delivers them (real
// window messages on Windows, peer events on the headless build): the list at
// Ctrl+Space, filtering, choosing and inserting, Escape, and the routine hint.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "gui/Forms.h"
#include "gui/GuiTestSupport.h"
#include "ui/fsCompletionNames.h"
#include "ui/fsSyntaxMemo.h"

using namespace gui;
using ui::TfsSyntaxMemo;

namespace {

const char* const kNames =
    "v\tTotal\t\r\n"
    "f\tScale\tfunction Scale(Value: Double): Double;\r\n"
    "f\tSetVariable\tprocedure SetVariable(const Name: String; Value: Variant)\r\n"
    "f\tSetVariableEx\tprocedure SetVariableEx(const Name: String)\r\n"
    "c\tTStringList\tTStringList = class(TStrings)\r\n"
    "k\tclRed\tclRed: TColor\r\n"
    "f\tsetvariable\tprocedure setvariable(x)\r\n";

struct EditorForm : TForm {
  using TForm::TForm;
  TfsSyntaxMemo* Memo = nullptr;

protected:
  void InitializeForm() override {
    SetClientWidth(500);
    SetClientHeight(300);
    SetKeyPreview(true);
    Memo = new TfsSyntaxMemo(this);
    Memo->SetParent(this);
    Memo->SetAlign(alClient);
    SetActiveControl(Memo);
  }
};

struct CompletionTest : ::testing::Test {
  rtl::TObjectPtr<EditorForm> Form = rtl::MakeObject<EditorForm>();
  TfsSyntaxMemo& M = *Form->Memo;
  ui::TfsSynMemoCompletion& C = M.Completion();
  int Reads = 0;
  std::string Names = kNames;

  CompletionTest() {
    C.SetSource([this](TfsSyntaxMemo&) {
      ++Reads;
      return Names;
    });
    Form->Show();
  }
  ~CompletionTest() override { Form->Hide(); }

  void Key(std::uint16_t vk, std::uint32_t shift = 0, char ch = 0) { guitest::Key(M, vk, shift, ch); }
  void Type(const std::string& s) { guitest::Type(M, s); }
  void CtrlSpace() { Key(VK_SPACE, ssCtrl, ' '); }
  std::string Text() { return M.Text().str(); }
  std::vector<std::string> Listed() {
    std::vector<std::string> out;
    for (int i = 0; i < C.List()->Items()->Count(); ++i) out.push_back(C.List()->Items()->Get(i).str());
    return out;
  }
  std::string Chosen() { return C.List()->ItemIndex() < 0 ? "" : C.List()->Items()->Get(C.List()->ItemIndex()).str(); }
};

using V = std::vector<std::string>;

}  // namespace

TEST(CompletionNames, SortedOncePerNameAndMatchedByPrefixIgnoringCase) {
  ui::TfsCompletionNames names;
  names.Assign(kNames);
  // The script's "setvariable" came last: the first of equal names stays.
  EXPECT_EQ(names.Count(), 6);
  V got;
  for (const ui::TfsCompletionItem* item : names.Matching("setv")) got.push_back(item->Name);
  EXPECT_EQ(got, V({"SetVariable", "SetVariableEx"}));
  EXPECT_TRUE(names.Matching("x").empty());
  EXPECT_EQ(names.Matching("").size(), 6u);
  ASSERT_NE(names.Routine("SCALE"), nullptr);
  EXPECT_EQ(names.Routine("scale")->Declaration, "function Scale(Value: Double): Double;");
  EXPECT_EQ(names.Routine("Total"), nullptr);  // a variable has no argument list
  EXPECT_EQ(names.Routine("Sca"), nullptr);
}

TEST(CompletionNames, WordAndOpenCallAtTheCaret) {
  EXPECT_EQ(ui::WordStart("  x := Sca", 11), 8);
  EXPECT_EQ(ui::WordStart("  x := ", 8), 8);
  EXPECT_EQ(ui::WordStart("ab", 10), 10);  // past the line end
  struct Case {
    const char* Line;
    int Column;
    const char* Call;
  } cases[] = {
      {"Scale(", 7, "Scale"},
      {"x := Scale (a, Max(b, c), ", 27, "Scale"},
      {"x := Scale(Max(b", 17, "Max"},
      {"x := Scale(1)", 14, ""},
      {"Log('(', ", 10, "Log"},
      {"Log(')', ", 10, "Log"},
      {"Log(\"a(\" + ", 13, "Log"},
      {"(a + b", 7, ""},
      {"Scale(1 + (2", 13, "Scale"},
      {"Scale(1", 3, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::OpenCall(c.Line, c.Column), c.Call) << c.Line;
}

TEST_F(CompletionTest, CtrlSpaceListsTypingFiltersEnterInserts) {
  M.SetText("begin\r\n  x := Se\r\nend");
  M.SetCaret(10, 2);
  CtrlSpace();
  ASSERT_TRUE(C.ListShown());
  EXPECT_EQ(Listed(), V({"SetVariable", "SetVariableEx"}));
  EXPECT_EQ(Chosen(), "SetVariable");
  EXPECT_EQ(Text(), "begin\r\n  x := Se\r\nend");  // Ctrl+Space types no blank
  Type("tVariableE");
  EXPECT_EQ(Listed(), V({"SetVariableEx"}));
  // The word typed in another case is replaced by the name as declared.
  M.SetText("  setv");
  M.SetCaret(7, 1);
  CtrlSpace();
  Key(VK_DOWN);
  EXPECT_EQ(Chosen(), "SetVariableEx");
  Key(VK_DOWN);  // stays on the last
  EXPECT_EQ(Chosen(), "SetVariableEx");
  Key(VK_UP);
  Key(VK_RETURN, 0, '\r');
  EXPECT_FALSE(C.ListShown());
  EXPECT_EQ(Text(), "  SetVariable");
  EXPECT_EQ(M.CaretPos().X, 14);
  // One Ctrl+Z takes the insertion back.
  Key('Z', ssCtrl, 26);
  EXPECT_EQ(Text(), "  setv");
}

TEST_F(CompletionTest, TabInsertsEscapeClosesAndOtherKeysEndTheList) {
  M.SetText("T");
  M.SetCaret(2, 1);
  CtrlSpace();
  EXPECT_EQ(Listed(), V({"Total", "TStringList"}));
  Key(VK_DOWN);
  Key(VK_TAB, 0, '\t');
  EXPECT_EQ(Text(), "TStringList");
  // Escape closes the list and leaves the dialog open; a second one is the form's.
  M.SetText("");
  M.SetCaret(1, 1);
  CtrlSpace();
  EXPECT_EQ(Listed().size(), 6u);  // nothing typed: every name
  Key(VK_ESCAPE);
  EXPECT_FALSE(C.ListShown());
  EXPECT_EQ(Text(), "");
  EXPECT_TRUE(Form->Visible());
  // A character that is no part of a name ends the list and is typed.
  CtrlSpace();
  Type("cl");
  EXPECT_EQ(Listed(), V({"clRed"}));
  Type(" ");
  EXPECT_FALSE(C.ListShown());
  EXPECT_EQ(Text(), "cl ");
  // So does a word without any name, and moving the caret out of the word.
  CtrlSpace();
  Type("q");
  EXPECT_FALSE(C.ListShown());
  M.SetText("Sc");
  M.SetCaret(3, 1);
  CtrlSpace();
  ASSERT_TRUE(C.ListShown());
  Key(VK_HOME);
  EXPECT_FALSE(C.ListShown());
  EXPECT_EQ(M.CaretPos().X, 1);
  // Read only: no list.
  M.SetReadOnly(true);
  M.SetCaret(3, 1);
  CtrlSpace();
  EXPECT_FALSE(C.ListShown());
}

TEST_F(CompletionTest, TheRoutineHintStaysUntilItsCloseParenthesis) {
  M.SetText("");
  CtrlSpace();  // reads the names
  Key(VK_ESCAPE);
  Type("x := Scale(");
  ASSERT_TRUE(C.HintShown());
  EXPECT_EQ(C.Hint()->Caption().str(), " function Scale(Value: Double): Double;");
  // Above the caret line, or below it on the first line.
  EXPECT_GE(C.Hint()->Top(), M.LineHeight());
  Type("1 + (2");
  EXPECT_TRUE(C.HintShown());  // within a parenthesis of the arguments
  Key(0x30, ssShift, ')');
  EXPECT_TRUE(C.HintShown());
  Key(0x30, ssShift, ')');
  EXPECT_FALSE(C.HintShown());
  // Escape hides it for that call; the editor keeps the key.
  Key(VK_BACK, 0, '\b');
  EXPECT_TRUE(C.HintShown());
  Key(VK_ESCAPE);
  EXPECT_FALSE(C.HintShown());
  Type("3");
  EXPECT_FALSE(C.HintShown());
  // An unknown routine has none; while the list is open there is none either.
  M.SetText("Foo(");
  M.SetCaret(5, 1);
  Type("x");
  EXPECT_FALSE(C.HintShown());
  M.SetText("Scale(S");
  M.SetCaret(8, 1);
  EXPECT_FALSE(C.HintShown());
  Key(VK_LEFT);
  Key(VK_RIGHT);
  EXPECT_TRUE(C.HintShown());
  CtrlSpace();
  EXPECT_TRUE(C.ListShown());
  EXPECT_FALSE(C.HintShown());
  Key(VK_ESCAPE);
  EXPECT_TRUE(C.HintShown());
}

TEST_F(CompletionTest, NamesAreReadOnceAndAgainWhenTheEditorIsIdleAfterAChange) {
  CtrlSpace();
  EXPECT_EQ(Reads, 1);
  Key(VK_ESCAPE);
  Names += "v\tCounter\t\r\n";
  Type("Co");
  CtrlSpace();
  EXPECT_EQ(Reads, 1);  // a keystroke never waits for the names
  EXPECT_FALSE(C.ListShown());
  ASSERT_TRUE(C.NamesStale());
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (C.NamesStale() && std::chrono::steady_clock::now() < until) {
    Application()->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(Reads, 2);
  CtrlSpace();
  EXPECT_EQ(Listed(), V({"Counter"}));
  // A source that fails leaves the names as they were.
  C.SetSource([](TfsSyntaxMemo&) -> std::string { throw std::runtime_error("gone"); });
  C.Refresh();
  EXPECT_EQ(C.Names().Count(), 7);
}
