// The options dialog as the host shows it through ShowOptionsDialog: the user is played
// from inside the modal loop (a timer on Windows, where controls get real window
// messages; the responder on the headless build).
#include <gtest/gtest.h>

#include <fstream>
#include <chrono>
#include <functional>
#include <thread>

#include "Private/Plugins/orbConfigForm.h"
#include "filter/FilterTestSupport.h"
#include "gui/Clipbrd.h"
#include "gui/Dialogs.h"
#include "gui/GuiTestSupport.h"
#include "platform/Files.h"
#include "platform/Modules.h"
#include "platform/WindowPeer.h"
#include "rtl/CodePage.h"
#include "ui/frmOption.h"

using filtertest::Configuration;
using ui::TfrmOption;

namespace {

// Plays the user of the next modal dialog and records the message boxes it shows.
struct DialogUser {
  gui::TResponder Responder;
  gui::TResponder* Previous;
  rtl::TObjectPtr<gui::TTimer> Timer = rtl::MakeObject<gui::TTimer>();
  std::function<void(TfrmOption&)> Act;
  std::vector<std::string> Boxes;  // "title: text"
  // The headless build's answers to the message boxes, in turn (then OK).
  std::vector<int> Answers;
  bool Acted = false;

  explicit DialogUser(std::function<void(TfrmOption&)> act) : Act(std::move(act)) {
    Responder.ModalForm = [this](gui::TCustomForm& f) { Run(f); };
    Responder.MessageBox = [this](const std::string& text, const std::string& caption, int, int) {
      Boxes.push_back(caption + ": " + text);
      if (Boxes.size() > Answers.size()) return gui::mrOk;
      return Answers[Boxes.size() - 1];
    };
    Previous = gui::SetResponder(&Responder);
    Timer->SetEnabled(false);
    Timer->SetInterval(100);
    Timer->SetOnTimer([this](rtl::TObject*) {
      if (gui::TCustomForm* f = gui::ActiveModalForm()) {
        Timer->SetEnabled(false);
        Run(*f);
      }
    });
    if (platform::HasDisplay()) Timer->SetEnabled(true);
  }
  ~DialogUser() { gui::SetResponder(Previous); }
  void Run(gui::TCustomForm& f) {
    Acted = true;
    auto* dialog = dynamic_cast<TfrmOption*>(&f);
    ASSERT_NE(dialog, nullptr);
    Act(*dialog);
  }
};

// Presses the buttons of the system's message boxes titled Caption (Windows), in
// turn, from a timer that the box's own message loop runs; Then runs a while after
// each press, once the box has closed.
struct BoxPresser {
  std::string Caption;
  std::vector<std::string> Buttons;
  std::function<void(std::size_t pressed)> Then;
  std::size_t Pressed = 0;
  rtl::TObjectPtr<gui::TTimer> Timer = rtl::MakeObject<gui::TTimer>();
  rtl::TObjectPtr<gui::TTimer> Later = rtl::MakeObject<gui::TTimer>();

  BoxPresser(std::string caption, std::vector<std::string> buttons) : Caption(std::move(caption)), Buttons(std::move(buttons)) {
    Later->SetEnabled(false);
    Later->SetInterval(300);
    Later->SetOnTimer([this](rtl::TObject*) {
      Later->SetEnabled(false);
      if (Then) Then(Pressed);
    });
    Timer->SetEnabled(false);
    Timer->SetInterval(100);
    Timer->SetOnTimer([this](rtl::TObject*) {
      if (Pressed >= Buttons.size() || !platform::PressDialogButton(Caption, Buttons[Pressed])) return;
      ++Pressed;
      Later->SetEnabled(true);
    });
    Timer->SetEnabled(platform::HasDisplay());
  }
};

// Presses a button as the user does: focused, then Enter.
void Press(gui::TButton& b) {
  b.SetFocus();
  guitest::Key(b, gui::VK_RETURN);
}

// The answer of the module to "CheckCode" for a script that fails at line 3, column 5.
const char* const kFailsAt3x5 = "var x: Integer;\nbegin\n  x = ;\nend.";
const char* const kDoubles = "begin\n  SetVariable('v', GetVariable('v') * 2);\nend.";

gui::TTreeNode* FindNode(gui::TTreeView& tree, const std::string& text) {
  for (gui::TTreeNode* n = tree.Items()->GetFirstNode(); n; n = n->GetNext())
    if (n->Text().str() == text) return n;
  return nullptr;
}

}  // namespace

TEST(OptionsDialog, LayoutFromTheFrameworkPreparation) {
  Configuration cfg(301, kDoubles);
  DialogUser user([](TfrmOption& d) {
    // The bottom strip: Check, OK, Cancel in a centred row below the bevel.
    EXPECT_EQ(d.pBot->Height(), orb::OkCancelPanelHeight);
    ASSERT_NE(d.FBtnOK, nullptr);
    ASSERT_NE(d.FBtnCancel, nullptr);
    const int first = (d.pBot->ClientWidth() - 237) / 2;
    EXPECT_EQ(d.btnCheck->Left(), first);
    EXPECT_EQ(d.FBtnOK->Left(), first + 79);
    EXPECT_EQ(d.FBtnCancel->Left(), first + 158);
    for (gui::TButton* b : {d.btnCheck, d.FBtnOK, d.FBtnCancel}) EXPECT_EQ(b->Top(), 17) << b->Name().str();
    EXPECT_TRUE(d.FBtnCancel->Default());
    EXPECT_TRUE(d.FBtnCancel->Cancel());
    // The tree: categories with image 3 under an expanded root, functions with image 1.
    gui::TTreeNode* root = d.fsTree1->Items()->GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->Expanded());
    ASSERT_GT(root->Count(), 0);
    gui::TTreeNode* category = root->Item(0);
    EXPECT_EQ(category->ImageIndex(), TfrmOption::CategoryImage);
    EXPECT_FALSE(category->Expanded());
    ASSERT_GT(category->Count(), 0);
    EXPECT_EQ(category->Item(0)->ImageIndex(), TfrmOption::FunctionImage);
    EXPECT_EQ(category->Item(0)->SelectedIndex(), TfrmOption::FunctionImage);
    // The link keeps its look under the mouse (its focus font is its own font).
    const gui::TColor linkColour = d.lnkSample->Font()->Color();
    d.lnkSample->MouseEntered();
    EXPECT_TRUE(d.lnkSample->Hot());
    EXPECT_EQ(d.lnkSample->Font()->Color(), linkColour);
    EXPECT_TRUE(d.lnkSample->Font()->Style() & gui::fsUnderline);
    d.lnkSample->MouseLeft();
    // The caption is the module's; the stored script is in the editor.
    EXPECT_EQ(d.Caption().str().rfind("Velmora", 0), 0u) << d.Caption().str();
    EXPECT_NE(d.edtExpr->Text().str().find("GetVariable('v') * 2"), std::string::npos);
    // Growing the dialog keeps the buttons centred and the right-hand buttons at the edge.
    const int saveGap = d.panTop->ClientWidth() - d.btnSave->Left();
    d.SetWidth(d.Width() + 100);
    EXPECT_EQ(d.panTop->ClientWidth() - d.btnSave->Left(), saveGap);
    EXPECT_EQ(d.btnCheck->Left(), (d.pBot->ClientWidth() - 237) / 2);
    EXPECT_EQ(d.btnSearch->Left() + d.btnSearch->Width() + 4, d.panTop2->ClientWidth());
    Press(*d.FBtnCancel);
  });
  EXPECT_EQ(cfg.ShowOptions(), 0);
  EXPECT_TRUE(user.Acted);
}

TEST(OptionsDialog, CheckFailingAtLine3Column5PutsTheCaretThere) {
  Configuration cfg(302, kFailsAt3x5);
  DialogUser user([](TfrmOption& d) {
    Press(*d.btnCheck);
    EXPECT_FALSE(d.FScriptOK);
    EXPECT_EQ(d.edtExpr->CaretPos().X, 5);
    EXPECT_EQ(d.edtExpr->CaretPos().Y, 3);
    EXPECT_EQ(d.edtExpr->ErrorLine(), 3);
    EXPECT_TRUE(d.lblStatus->Visible());
    EXPECT_EQ(d.lblStatus->Caption().str(), "';' expected");
    Press(*d.FBtnCancel);
  });
  EXPECT_EQ(cfg.ShowOptions(), 0);
}

TEST(OptionsDialog, OkRightAfterOpeningCompilesFirst) {
  Configuration cfg(303, kFailsAt3x5);
  int closedBoxes = 0;
  DialogUser user([&](TfrmOption& d) {
    EXPECT_FALSE(d.FScriptOK);
    // On Windows the warning is the system's message box: it is closed from a timer
    // that its own message loop runs.
    rtl::TObjectPtr<gui::TTimer> closer = rtl::MakeObject<gui::TTimer>();
    closer->SetInterval(200);
    closer->SetOnTimer([&](rtl::TObject*) {
      const std::uintptr_t box = platform::InputWindowOfThread();
      if (!box || box == d.Handle()) return;
      closer->SetEnabled(false);
      ++closedBoxes;
      platform::RequestWindowClose(box);
    });
    closer->SetEnabled(platform::HasDisplay());
    Press(*d.FBtnOK);
    closer->SetEnabled(false);
    // Still open: the script did not compile.
    EXPECT_EQ(d.ModalResult(), gui::mrNone);
    EXPECT_TRUE(d.lblStatus->Visible());
    EXPECT_EQ(d.edtExpr->ErrorLine(), 3);
    Press(*d.FBtnCancel);
  });
  EXPECT_EQ(cfg.ShowOptions(), 0);
  if (platform::HasDisplay()) {
    EXPECT_EQ(closedBoxes, 1);
  } else {
    ASSERT_EQ(user.Boxes.size(), 1u);
    EXPECT_EQ(user.Boxes[0], "Warning: Your script contains errors. Please, change it or click the 'Cancel' button.");
  }
}

TEST(OptionsDialog, OkStoresEverythingAndTheNextPacketRunsTheNewScript) {
  Configuration cfg(304, kDoubles);
  std::vector<std::string> rows;
  auto packet = filtertest::Packet({{{"v", rtl::Variant(21)}}});
  ASSERT_EQ(cfg.Process(*packet, rows), 0);
  EXPECT_EQ(rows, std::vector<std::string>{"v=42"});
  DialogUser user([](TfrmOption& d) {
    d.edtExpr->SetText("begin\n  SetVariable('v', GetVariable('v') + 1);\nend.");
    d.SetWidth(600);
    // OK right after opening: compiles first, then closes.
    Press(*d.FBtnOK);
  });
  EXPECT_EQ(cfg.ShowOptions(), 1);
  EXPECT_TRUE(user.Boxes.empty());
  const Configuration::Stored s = cfg.ReadStored();
  EXPECT_EQ(s.Width, 600);
  EXPECT_NE(s.Script.find("GetVariable('v') + 1"), std::string::npos);
  ASSERT_EQ(cfg.Process(*packet, rows), 0);
  EXPECT_EQ(rows, std::vector<std::string>{"v=22"});
}

TEST(OptionsDialog, CancelStoresTheGeometryOnly) {
  Configuration cfg(305, kDoubles);
  DialogUser user([](TfrmOption& d) {
    d.SetBounds(40, 50, 640, 480);
    d.panRight->SetWidth(220);
    d.edtExpr->SetText("begin end.");
    d.comboType->SetItemIndex(2);
    // Escape in the editor, which takes every other key, cancels the dialog once the
    // user agreed to discard the changed script.
    d.edtExpr->SetFocus();
    guitest::Key(*d.edtExpr, gui::VK_ESCAPE);
  });
  user.Answers = {gui::mrYes};
  BoxPresser yes("Confirmation", {"Yes"});
  EXPECT_EQ(cfg.ShowOptions(), 0);
  const Configuration::Stored s = cfg.ReadStored();
  EXPECT_EQ(s.Left, 40);
  EXPECT_EQ(s.Top, 50);
  EXPECT_EQ(s.Width, 640);
  EXPECT_EQ(s.Height, 480);
  EXPECT_EQ(s.EditorWidth, 220);
  EXPECT_NE(s.Script.find("GetVariable('v') * 2"), std::string::npos);
  EXPECT_EQ(s.Language, 0);
  // The next showing starts where the last one ended.
  DialogUser again([](TfrmOption& d) {
    EXPECT_EQ(d.Width(), 640);
    EXPECT_EQ(d.panRight->Width(), 220);
    Press(*d.FBtnCancel);
  });
  cfg.ShowOptions();
}

// Closing without OK after the script changed asks first; No keeps the dialog and the
// work, Yes discards it. Without a change nothing is asked.
TEST(OptionsDialog, ClosingWithoutOkAfterAChangeAsks) {
  Configuration cfg(311, kDoubles);
  TfrmOption* shown = nullptr;
  DialogUser user([&](TfrmOption& d) {
    shown = &d;
    d.edtExpr->SetFocus();
    d.edtExpr->SetCaret(1, 1);
    guitest::Type(*d.edtExpr, "x");
    if (!platform::HasDisplay()) {
      // The handler itself, answered No: the dialog stays.
      d.SetModalResult(gui::mrCancel);
      bool canClose = true;
      d.FormCloseQuery(&d, canClose);
      EXPECT_FALSE(canClose);
    }
    // Enter in the language list presses Cancel, the default button.
    d.comboType->SetFocus();
    guitest::Key(*d.comboType, gui::VK_RETURN);
  });
  user.Answers = {gui::mrNo, gui::mrYes};
  BoxPresser presser("Confirmation", {"No", "Yes"});
  presser.Then = [&](std::size_t pressed) {
    if (pressed != 1) return;
    // Still open, with the typed text; Escape asks again.
    EXPECT_EQ(shown->ModalResult(), gui::mrNone);
    EXPECT_EQ(shown->edtExpr->Line(0).rfind("xbegin", 0), 0u);
    guitest::Key(*shown->edtExpr, gui::VK_ESCAPE);
  };
  EXPECT_EQ(cfg.ShowOptions(), 0);
  if (platform::HasDisplay()) {
    EXPECT_EQ(presser.Pressed, 2u);
  } else {
    ASSERT_EQ(user.Boxes.size(), 2u);
    EXPECT_EQ(user.Boxes[0], "Confirmation: Discard the changes to the script?");
  }
  EXPECT_NE(cfg.ReadStored().Script.find("GetVariable('v') * 2"), std::string::npos);
  EXPECT_EQ(cfg.ReadStored().Script.find("xbegin"), std::string::npos);
  // Typing and taking it back is no change.
  DialogUser again([](TfrmOption& d) {
    d.edtExpr->SetFocus();
    guitest::Type(*d.edtExpr, "y");
    guitest::Key(*d.edtExpr, 'Z', gui::ssCtrl, 26);
    guitest::Key(*d.edtExpr, gui::VK_ESCAPE);
  });
  EXPECT_EQ(cfg.ShowOptions(), 0);
  EXPECT_TRUE(again.Boxes.empty());
}

// A failing check's mark and message stay until the script is edited; a good check's
// message goes with the timer.
TEST(OptionsDialog, TheCompileErrorStaysUntilTheScriptIsEdited) {
  Configuration cfg(312, kFailsAt3x5);
  DialogUser user([](TfrmOption& d) {
    Press(*d.btnCheck);
    EXPECT_EQ(d.edtExpr->ErrorLine(), 3);
    EXPECT_TRUE(d.lblStatus->Visible());
    EXPECT_FALSE(d.Status->Enabled());
    // Moving around keeps them; typing removes both.
    d.edtExpr->SetFocus();
    guitest::Key(*d.edtExpr, gui::VK_UP);
    EXPECT_EQ(d.edtExpr->ErrorLine(), 3);
    EXPECT_TRUE(d.lblStatus->Visible());
    d.edtExpr->SetCaret(4, 3);
    guitest::Type(*d.edtExpr, "y");
    EXPECT_EQ(d.edtExpr->ErrorLine(), -1);
    EXPECT_FALSE(d.lblStatus->Visible());
    d.edtExpr->SetText(kDoubles);
    Press(*d.btnCheck);
    EXPECT_TRUE(d.FScriptOK);
    EXPECT_TRUE(d.Status->Enabled());
    Press(*d.FBtnOK);
  });
  EXPECT_EQ(cfg.ShowOptions(), 1);
}

// Ctrl+Tab leaves the editor, and the buttons answer Alt with their marked letters.
TEST(OptionsDialog, KeyboardLeavesTheEditorAndReachesTheButtons) {
  Configuration cfg(313, kFailsAt3x5);
  DialogUser user([](TfrmOption& d) {
    EXPECT_EQ(d.btnCheck->Caption().str(), "&Check");
    EXPECT_EQ(d.btnLoad->Caption().str(), "&Load");
    EXPECT_EQ(d.btnSave->Caption().str(), "&Save");
    d.edtExpr->SetFocus();
    const std::string before = d.edtExpr->Text().str();
    guitest::Key(*d.edtExpr, gui::VK_TAB, gui::ssCtrl, '\t');
    EXPECT_FALSE(d.edtExpr->Focused());
    d.edtExpr->SetFocus();
    guitest::Key(*d.edtExpr, gui::VK_TAB, gui::ssCtrl | gui::ssShift, '\t');
    EXPECT_FALSE(d.edtExpr->Focused());
    EXPECT_EQ(d.edtExpr->Text().str(), before);
    // Alt+C checks the script from within the editor.
    d.edtExpr->SetFocus();
    guitest::Key(*d.edtExpr, 'C', gui::ssAlt);
    EXPECT_EQ(d.edtExpr->ErrorLine(), 3);
    EXPECT_EQ(d.edtExpr->Text().str(), before);
    Press(*d.FBtnCancel);
  });
  EXPECT_EQ(cfg.ShowOptions(), 0);
}

// The tree under real clicks: a double click pastes its function once, and Paste after
// a right click pastes the node that was right-clicked, not the one selected before.
TEST(OptionsDialog, TreeClicksPasteTheNodeUnderThePointer) {
  Configuration cfg(314, "begin\nend.");
  DialogUser user([](TfrmOption& d) {
    gui::TTreeNode* category = FindNode(*d.fsTree1, "Special");
    ASSERT_NE(category, nullptr);
    d.fsTree1->SetSelected(category);
    category->SetExpanded(true);
    category->MakeVisible();
    gui::TTreeNode* first = category->Item(0);
    gui::TTreeNode* second = category->Item(1);
    second->MakeVisible();
    d.edtExpr->SetCaret(1, 2);
    const std::string before = d.edtExpr->Text().str();
    const gui::TRect r = second->DisplayRect();
    ASSERT_GT(r.Right, r.Left);
    guitest::Mouse(*d.fsTree1, platform::UserInput::DblClick, r.Left + 3, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(d.edtExpr->Line(1), second->Text().str() + "end.");
    // One paste, one step back.
    d.edtExpr->Undo();
    EXPECT_EQ(d.edtExpr->Text().str(), before);
    // Right click on the second while the first is selected, then Paste from the menu
    // (the responder picks it; a system menu would wait for the user, so on Windows
    // the menu is taken off for the click and its item chosen as the menu would).
    d.fsTree1->SetSelected(first);
    gui::Responder()->PopupMenu = [&](gui::TPopupMenu&) { return d.pmPaste; };
    gui::TPopupMenu* menu = d.fsTree1->PopupMenu();
    if (platform::HasDisplay()) d.fsTree1->SetPopupMenu(nullptr);
    guitest::Mouse(*d.fsTree1, platform::UserInput::Click, r.Left + 3, (r.Top + r.Bottom) / 2, 0, platform::MouseButton::Right);
    EXPECT_EQ(d.fsTree1->Selected(), second);
    if (platform::HasDisplay()) {
      d.fsTree1->SetPopupMenu(menu);
      d.pmPaste->Click();
    }
    EXPECT_EQ(d.edtExpr->Line(1), second->Text().str() + "end.");
    Press(*d.FBtnCancel);
  });
  user.Answers = {gui::mrYes};
  BoxPresser yes("Confirmation", {"Yes"});
  EXPECT_EQ(cfg.ShowOptions(), 0);
}

TEST(OptionsDialog, EditAfterAGoodCheckThenOkClosesWithoutAnotherCheck) {
  Configuration cfg(306, kDoubles);
  DialogUser user([](TfrmOption& d) {
    Press(*d.btnCheck);
    EXPECT_TRUE(d.FScriptOK);
    EXPECT_EQ(d.lblStatus->Caption().str(), "Compiled OK");
    d.edtExpr->SetFocus();
    d.edtExpr->SetCaret(1, 1);
    guitest::Type(*d.edtExpr, "xyz ");
    Press(*d.FBtnOK);
  });
  EXPECT_EQ(cfg.ShowOptions(), 1);
  EXPECT_TRUE(user.Boxes.empty());
  // Accepted as it was typed, although it no longer compiles.
  EXPECT_EQ(cfg.ReadStored().Script.rfind("xyz begin", 0), 0u) << cfg.ReadStored().Script;
}

TEST(OptionsDialog, SearchWithEnterWalksTheMatchesAndStopsAtTheLast) {
  Configuration cfg(307, kDoubles);
  DialogUser user([](TfrmOption& d) {
    std::vector<gui::TTreeNode*> matches;
    for (gui::TTreeNode* n = d.fsTree1->Items()->GetFirstNode(); n; n = n->GetNext())
      if (rtl::AnsiLowerCase(n->Text()).view().find("str") != std::string_view::npos) matches.push_back(n);
    ASSERT_GT(matches.size(), 2u);
    d.edtSearch->SetFocus();
    guitest::Type(*d.edtSearch, "str");
    EXPECT_EQ(d.fsTree1->Selected(), matches[0]);
    EXPECT_FALSE(d.FBtnCancel->Default());
    for (std::size_t i = 1; i < matches.size() + 2; ++i) {
      guitest::Key(*d.edtSearch, gui::VK_RETURN);
      EXPECT_EQ(d.fsTree1->Selected(), matches[std::min(i, matches.size() - 1)]) << i;
      ASSERT_EQ(d.ModalResult(), gui::mrNone);
    }
    // Typing searches from the top again.
    guitest::Key(*d.edtSearch, gui::VK_BACK);
    gui::TTreeNode* first = d.fsTree1->Items()->GetFirstNode();
    while (first && rtl::AnsiLowerCase(first->Text()).view().find("st") == std::string_view::npos) first = first->GetNext();
    EXPECT_EQ(d.fsTree1->Selected(), first);
    Press(*d.FBtnCancel);
  });
  EXPECT_EQ(cfg.ShowOptions(), 0);
}

// The node the search found shows in the selection colours while the focus stays in
// the search box.
TEST(OptionsDialog, TheSearchMatchShowsAsSelected) {
  if (!platform::HasDisplay()) GTEST_SKIP() << "the headless build draws no pixels";
  Configuration cfg(315, kDoubles);
  DialogUser user([](TfrmOption& d) {
    d.edtSearch->SetFocus();
    guitest::Type(*d.edtSearch, "str");
    gui::TTreeNode* found = d.fsTree1->Selected();
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(d.edtSearch->Focused());
    d.fsTree1->Repaint();
    gui::Application()->ProcessMessages();
    const std::string file = platform::TempFolder() + "velmora-tree-match.bmp";
    ASSERT_TRUE(platform::CaptureWindowBmp(*d.fsTree1->Peer(), file));
    guitest::Picture p;
    ASSERT_TRUE(p.Load(file));
    platform::RemoveFile(file);
    // Where the client area lies in the window's picture (inside its edge).
    platform::ScreenRect window;
    ASSERT_TRUE(platform::WindowRectOf(d.fsTree1->Handle(), window));
    const gui::TPoint origin = d.fsTree1->ClientToScreen({0, 0});
    const int dx = origin.X - window.Left, dy = origin.Y - window.Top;
    const gui::TRect r = found->DisplayRect();
    ASSERT_GT(r.Right, r.Left);
    const std::uint32_t highlight = platform::SystemColor(13);
    const int area = (r.Right - r.Left) * (r.Bottom - r.Top);
    const int marked = p.Count(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy,
                               [&](std::uint32_t c) { return c == highlight; });
    EXPECT_GT(marked * 2, area) << marked << " of " << area;
    Press(*d.FBtnCancel);
  });
  EXPECT_EQ(cfg.ShowOptions(), 0);
}

TEST(OptionsDialog, TreeCopyPasteAndCopyWithChildren) {
  Configuration cfg(308, "begin\nend.");
  DialogUser user([](TfrmOption& d) {
    gui::TTreeNode* category = FindNode(*d.fsTree1, "Special");
    ASSERT_NE(category, nullptr);
    ASSERT_GT(category->Count(), 1);
    d.fsTree1->SetSelected(category);
    // Copy with children: the caption, then each function on its own line, two blanks in.
    d.pmCopyAll->Click();
    std::string expected = "Special";
    for (int i = 0; i < category->Count(); ++i) expected += "\r\n  " + category->Item(i)->Text().str();
    EXPECT_EQ(gui::Clipboard()->AsText().str(), expected);
    // Copy and paste of a category do nothing.
    d.pmCopy->Click();
    EXPECT_EQ(gui::Clipboard()->AsText().str(), expected);
    const std::string before = d.edtExpr->Text().str();
    d.pmPasteClick(d.pmPaste);
    EXPECT_EQ(d.edtExpr->Text().str(), before);
    // A function is pasted at the caret and copied alone.
    gui::TTreeNode* function = category->Item(0);
    d.fsTree1->SetSelected(function);
    d.edtExpr->SetCaret(1, 2);
    d.pmPaste->Click();
    EXPECT_EQ(d.edtExpr->Line(1), function->Text().str() + "end.");
    d.pmCopy->Click();
    EXPECT_EQ(gui::Clipboard()->AsText().str(), function->Text().str());
    Press(*d.FBtnCancel);
  });
  user.Answers = {gui::mrYes};
  BoxPresser yes("Confirmation", {"Yes"});
  EXPECT_EQ(cfg.ShowOptions(), 0);
}

TEST(OptionsDialog, FileDialogsStartInTheSamplesFolderWithTheLanguagesFilter) {
  Configuration cfg(309, "var s;\ns = 1;", 2);
  std::string loaded = platform::TempFolder() + "velmora-options-load.js";
  {
    std::ofstream f(loaded, std::ios::binary);
    f << "var t;\r\nt = 2;\r\n";
  }
  gui::TOpenDialog* seen = nullptr;
  DialogUser user([&](TfrmOption& d) {
    EXPECT_EQ(d.comboType->ItemIndex(), 2);
    EXPECT_EQ(d.edtExpr->SyntaxType(), ui::stJs);
    d.PrepareFileDialog(d.OpenDialog1);
    EXPECT_EQ(d.OpenDialog1->Filter().str(), "Files \"JScript\" (*.js)|*.js");
    EXPECT_EQ(d.OpenDialog1->DefaultExt().str(), "js");
    // Every extension of a language, so that the shipped samples show.
    const struct {
      int Index;
      const char* Filter;
      const char* DefaultExt;
    } kFilters[] = {{0, "Files \"PascalScript\" (*.pas)|*.pas", "pas"},
                    {1, "Files \"C++Script\" (*.c;*.cpp)|*.c;*.cpp", "c"},
                    {3, "Files \"BasicScript\" (*.vb;*.vbs)|*.vb;*.vbs", "vb"}};
    for (const auto& f : kFilters) {
      d.comboType->SetItemIndex(f.Index);
      d.PrepareFileDialog(d.SaveDialog1);
      EXPECT_EQ(d.SaveDialog1->Filter().str(), f.Filter);
      EXPECT_EQ(d.SaveDialog1->DefaultExt().str(), f.DefaultExt);
    }
    d.comboType->SetItemIndex(2);
    const std::string module = platform::ModuleFileName(nullptr);
    EXPECT_EQ(d.OpenDialog1->InitialDir().str(), platform::ExtractFilePath(module) + "Samples");
    if (!platform::HasDisplay()) {
      // Loading through the (answered) file dialog replaces the script and asks for a check.
      gui::Responder()->FileDialog = [&](gui::TCommonDialog& dialog) {
        seen = dynamic_cast<gui::TOpenDialog*>(&dialog);
        seen->SetFileName(rtl::AnsiString(loaded));
        return true;
      };
      d.btnLoadClick(d.btnLoad);
      EXPECT_EQ(d.edtExpr->Text().str(), "var t;\r\nt = 2;");
      EXPECT_FALSE(d.FScriptOK);
      EXPECT_TRUE(d.btnSave->Enabled());
    }
    Press(*d.FBtnCancel);
  });
  cfg.ShowOptions();
  platform::RemoveFile(loaded);
  if (!platform::HasDisplay()) EXPECT_NE(seen, nullptr);
}

TEST(OptionsDialog, ShownFromAnotherThreadThanTheOneThatLoaded) {
  Configuration cfg(310, kDoubles);
  std::int32_t outcome = -1;
  bool statusTimerRan = false;
  std::thread host([&] {
    DialogUser user([&](TfrmOption& d) {
      Press(*d.btnCheck);
      EXPECT_TRUE(d.FScriptOK);
      // The status line's timer belongs to this thread's message loop.
      d.Status->SetInterval(50);
      for (int i = 0; i < 100 && d.lblStatus->Visible(); ++i) {
        gui::Application()->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      statusTimerRan = !d.lblStatus->Visible();
      d.edtExpr->SetText("begin\n  SetVariable('v', 7);\nend.");
      d.FScriptOK = false;
      Press(*d.FBtnOK);
    });
    outcome = cfg.ShowOptions();
  });
  host.join();
  EXPECT_EQ(outcome, 1);
  if (platform::HasDisplay()) EXPECT_TRUE(statusTimerRan);
  std::vector<std::string> rows;
  auto packet = filtertest::Packet({{{"v", rtl::Variant(1)}}});
  ASSERT_EQ(cfg.Process(*packet, rows), 0);
  EXPECT_EQ(rows, std::vector<std::string>{"v=7"});
}

// Completion in every dialect through the module: the script's own variables and
// routines (read while the line being typed does not parse yet), and the registered
// functions, classes and constants; a known function's declaration after its "(".
TEST(OptionsDialog, CompletionOffersTheScriptsAndTheCataloguesNamesInEveryDialect) {
  struct Case {
    const char* Script;  // the last line is being typed
    const char* Routine;
  } cases[] = {
      {"var TotalCount: Integer;\nprocedure ShowTotal(s: string);\nbegin\nend;\nbegin\n  if Tot", "ShowTotal"},
      {"int TotalCount;\nvoid ShowTotal(string s) { }\n{\n  if (Tot", "ShowTotal"},
      {"var TotalCount = 0;\nfunction ShowTotal(s) { }\nif (Tot", "ShowTotal"},
      {"Dim TotalCount\nSub ShowTotal(s)\nEnd Sub\nIf Tot", "ShowTotal"},
  };
  Configuration cfg(330, kDoubles);
  DialogUser user([&](TfrmOption& d) {
    ui::TfsSyntaxMemo& m = *d.edtExpr;
    ui::TfsSynMemoCompletion& c = m.Completion();
    auto listed = [&] {
      std::vector<std::string> out;
      for (const ui::TfsCompletionItem* item : c.Shown()) out.push_back(item->Name);
      return out;
    };
    for (int dialect = 0; dialect < 4; ++dialect) {
      SCOPED_TRACE(d.comboType->Items()->Get(dialect).str());
      d.comboType->SetItemIndex(dialect);
      d.comboTypeChange(d.comboType);
      m.SetText(rtl::AnsiString(cases[dialect].Script));
      m.SetFocus();
      m.SetCaret(static_cast<int>(m.Line(m.LineCount() - 1).size()) + 1, m.LineCount());
      c.Refresh();  // what the editor does once it is idle
      guitest::Key(m, gui::VK_SPACE, gui::ssCtrl, ' ');
      EXPECT_EQ(listed(), std::vector<std::string>({"TotalCount"}));
      guitest::Key(m, gui::VK_RETURN, 0, '\r');
      EXPECT_NE(m.Text().str().find("Tot" "alCount"), std::string::npos);
      EXPECT_EQ(m.Line(m.LineCount() - 1).substr(m.Line(m.LineCount() - 1).size() - 10), "TotalCount");
      // The script's routine with its header, the catalogue's function, class and constant.
      for (const char* prefix : {"ShowTo", "AnsiLeftS", "TStringLi", "fmCreat"}) {
        m.SetText(rtl::AnsiString(std::string(cases[dialect].Script) + "\n" + prefix));
        m.SetCaret(static_cast<int>(std::string(prefix).size()) + 1, m.LineCount());
        guitest::Key(m, gui::VK_SPACE, gui::ssCtrl, ' ');
        EXPECT_EQ(c.Shown().size(), 1u) << prefix;
        guitest::Key(m, gui::VK_TAB, 0, '\t');
        EXPECT_FALSE(c.ListShown());
      }
      EXPECT_EQ(m.Line(m.LineCount() - 1), "fmCreate");
      m.SetText(rtl::AnsiString(std::string(cases[dialect].Script) + "\nx = AnsiLeftStr"));
      m.SetCaret(16, m.LineCount());
      guitest::Type(m, "(");
      ASSERT_TRUE(c.HintShown());
      EXPECT_NE(c.Hint()->Caption().str().find("AnsiLeftStr("), std::string::npos) << c.Hint()->Caption().str();
      guitest::Type(m, "s, 2)");
      EXPECT_FALSE(c.HintShown());
      m.SetText(rtl::AnsiString(std::string(cases[dialect].Script) + "\nShowTotal"));
      m.SetCaret(10, m.LineCount());
      c.Refresh();
      guitest::Type(m, "(");
      ASSERT_TRUE(c.HintShown());
      EXPECT_NE(c.Hint()->Caption().str().find("ShowTotal(s"), std::string::npos) << c.Hint()->Caption().str();
      guitest::Key(m, gui::VK_ESCAPE);
      EXPECT_FALSE(c.HintShown());
    }
    // Escape closed only the hint: the dialog is still there to cancel.
    EXPECT_TRUE(d.Visible());
    d.edtExpr->SetText(rtl::AnsiString(kDoubles));
    Press(*d.FBtnCancel);
  });
  EXPECT_EQ(cfg.ShowOptions(), 0);
  EXPECT_TRUE(user.Acted);
}
