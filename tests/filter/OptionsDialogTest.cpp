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
  bool Acted = false;

  explicit DialogUser(std::function<void(TfrmOption&)> act) : Act(std::move(act)) {
    Responder.ModalForm = [this](gui::TCustomForm& f) { Run(f); };
    Responder.MessageBox = [this](const std::string& text, const std::string& caption, int, int) {
      Boxes.push_back(caption + ": " + text);
      return gui::mrOk;
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
    EXPECT_TRUE(d.Status->Enabled());
    EXPECT_EQ(d.lblStatus->Caption().str(), "';' expected");
    // The status line goes when its time is up.
    d.StatusTimer(d.Status);
    EXPECT_FALSE(d.lblStatus->Visible());
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
    // Escape in the editor, which takes every other key, cancels the dialog.
    d.edtExpr->SetFocus();
    guitest::Key(*d.edtExpr, gui::VK_ESCAPE);
  });
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
