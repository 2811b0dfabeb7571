// velmora-host edit: a script in the syntax-highlighting editor, in a window of its
// own. Closing it after a change asks whether to save; --screenshot writes the
// window's picture once it has painted and closes it (after resizing it as a user's
// drag does, with --size).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "HostCommands.h"
#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "HostUsage.h"
#include "platform/WindowPeer.h"
#include "rtl/CodePage.h"
#include "ui/fsSyntaxMemo.h"

namespace {

struct EditArgs {
  std::string Language, File, Screenshot;
  int Width = 0, Height = 0;
};

int Usage(const std::string& why) { return UsageError("edit", why); }

bool SameText(std::string a, std::string b) {
  for (char& c : a) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : b) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return a == b;
}

// The syntax of a dialect name, else of the file's extension; false when neither names one.
bool SyntaxOf(const EditArgs& args, ui::TSyntaxType& type) {
  static const struct {
    const char* Name;
    ui::TSyntaxType Type;
    const char* Extensions[3];
  } kLanguages[] = {{"PascalScript", ui::stPascal, {"pas"}},
                    {"C++Script", ui::stCpp, {"c", "cpp"}},
                    {"JScript", ui::stJs, {"js"}},
                    {"BasicScript", ui::stVB, {"vb", "vbs"}}};
  std::string ext;
  const std::size_t dot = args.File.find_last_of('.');
  if (dot != std::string::npos && args.File.find_first_of("/\\", dot) == std::string::npos) ext = args.File.substr(dot + 1);
  for (const auto& l : kLanguages) {
    if (!args.Language.empty()) {
      if (SameText(args.Language, l.Name)) return type = l.Type, true;
      continue;
    }
    for (const char* e : l.Extensions)
      if (e && SameText(ext, e)) return type = l.Type, true;
  }
  return false;
}

class EditorWindow : public gui::TForm {
public:
  EditorWindow(const std::string& file, ui::TSyntaxType type) : TForm(nullptr), FFile(file), FType(type) {}
  ui::TfsSyntaxMemo* Memo = nullptr;
  std::string Screenshot;
  int ShotWidth = 0, ShotHeight = 0;
  bool ScreenshotFailed = false;

  // Wide enough for the longest line (up to the screen's width), so that a script
  // is seen whole where it can be.
  void FitToText() {
    int longest = 0;
    for (int i = 0; i < Memo->LineCount(); ++i) longest = std::max(longest, static_cast<int>(Memo->Line(i).size()));
    const int frame = Memo->Width() - Memo->ClientWidth() + 20;  // edges and a scroll bar
    const int wanted = Memo->GutterWidth() + (longest + 2) * Memo->CharWidth() + frame;
    const int widest = std::max(640, gui::TScreen::Width() - 80);
    SetClientWidth(std::clamp(wanted, 640, widest));
  }

protected:
  void InitializeForm() override {
    const std::size_t slash = FFile.find_last_of("/\\");
    SetCaption(rtl::AnsiString(slash == std::string::npos ? FFile : FFile.substr(slash + 1)));
    SetPosition(gui::poScreenCenter);
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);
    SetClientWidth(640);
    SetClientHeight(420);
    Constraints()->SetMinWidth(240);
    Constraints()->SetMinHeight(160);
    Memo = new ui::TfsSyntaxMemo(this);
    Memo->SetName("Editor");
    Memo->SetParent(this);
    Memo->SetAlign(gui::alClient);
    // The look of the options dialog's editor.
    Memo->Font()->SetName("Courier New");
    Memo->Font()->SetHeight(-13);
    Memo->CommentAttr()->SetColor(gui::clNavy);
    Memo->CommentAttr()->SetStyle(gui::fsItalic);
    Memo->KeywordAttr()->SetColor(gui::clWindowText);
    Memo->KeywordAttr()->SetStyle(gui::fsBold);
    Memo->StringAttr()->SetColor(gui::clNavy);
    Memo->StringAttr()->SetStyle(0);
    Memo->TextAttr()->SetColor(gui::clWindowText);
    Memo->SetSyntaxType(FType);
    SetActiveControl(Memo);
    SetOnCloseQuery([this](rtl::TObject*, bool& canClose) { canClose = AskToSave(); });
    FTimer = new gui::TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(400);
    FTimer->SetOnTimer([this](rtl::TObject*) { TakeScreenshot(); });
  }
  void DoShow() override {
    TForm::DoShow();
    if (!Screenshot.empty()) FTimer->SetEnabled(true);
  }

private:
  bool AskToSave() {
    if (!Memo->Modified()) return true;
    const int answer = gui::MessageDlg("Save the changes to " + Caption().str() + "?", gui::mtConfirmation,
                                       gui::mbYes | gui::mbNo | gui::mbCancel, 0);
    if (answer == gui::mrCancel) return false;
    if (answer == gui::mrYes) {
      try {
        Memo->SaveToFile(FFile);
      } catch (const std::exception& e) {
        gui::MessageDlg(e.what(), gui::mtError, gui::mbOK, 0);
        return false;
      }
    }
    return true;
  }
  void TakeScreenshot() {
    FTimer->SetEnabled(false);
    // Whatever waits to be painted is painted first.
    Repaint();
    Memo->Repaint();
    gui::Application()->ProcessMessages();
    if (ShotWidth > 0) {
      // Only what the resize invalidated is painted, as on the user's screen.
      platform::ResizeWindow(Handle(), ShotWidth, ShotHeight);
      gui::Application()->ProcessMessages();
    }
    ScreenshotFailed = !platform::CaptureWindowBmp(*Peer(), Screenshot);
    SetModalResult(gui::mrOk);
  }

  std::string FFile;
  ui::TSyntaxType FType;
  gui::TTimer* FTimer = nullptr;
};

}  // namespace

int RunEdit(int argc, char** argv) {
  EditArgs args;
  bool haveFile = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--size") == 0) {
      if (i + 1 >= argc || !ParseWindowSize(argv[i + 1], args.Width, args.Height))
        return Usage("--size takes WIDTHxHEIGHT");
      ++i;
    } else if (std::strcmp(argv[i], "--language") == 0 || std::strcmp(argv[i], "--screenshot") == 0) {
      if (i + 1 >= argc) return Usage(std::string(argv[i]) + " needs a value");
      (argv[i][2] == 'l' ? args.Language : args.Screenshot) = argv[i + 1];
      ++i;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return Usage(std::string("unknown option ") + argv[i]);
    } else if (!haveFile) {
      args.File = argv[i];
      haveFile = true;
    } else {
      return Usage("more than one file given");
    }
  }
  if (!haveFile) return Usage("no script file given");
  if (args.Width > 0 && args.Screenshot.empty()) return Usage("--size goes with --screenshot");
  if (!platform::HasDisplay()) {
    std::fprintf(stderr, "velmora-host edit: this build has no display; use the Windows build to edit scripts\n");
    return 2;
  }
  ui::TSyntaxType type;
  if (!SyntaxOf(args, type))
    return Usage(args.Language.empty() ? "cannot tell the language from the file name; give --language"
                                       : "unknown language '" + args.Language + "'");
  auto window = rtl::MakeObject<EditorWindow>(args.File, type);
  try {
    // A file marked as UTF-8 is shown in the process code page and saved as it came.
    window->Memo->LoadFromFile(args.File);
  } catch (...) {
    std::fprintf(stderr, "velmora-host edit: cannot read '%s'\n", args.File.c_str());
    return 2;
  }
  window->Memo->SetModified(false);
  window->FitToText();
  window->Screenshot = args.Screenshot;
  window->ShotWidth = args.Width;
  window->ShotHeight = args.Height;
  window->ShowModal();
  if (!args.Screenshot.empty() && window->ScreenshotFailed) {
    std::fprintf(stderr, "velmora-host edit: cannot write the picture to '%s'\n", args.Screenshot.c_str());
    return 1;
  }
  return 0;
}
