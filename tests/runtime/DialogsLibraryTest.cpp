// The dialogs library as scripts use it: message dialogs, input boxes and the common
// dialogs answered by the toolkit's responder where no display exists, the cancelling
// answer and a log line when nobody can answer, and, with a display, the system's own
// message dialog answered by a click on its button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/GuiTestSupport.h"
#include "gui/StdCtrls.h"
#include "platform/WindowPeer.h"
#include "runtime/FormsLibraryTestSupport.h"
#include "runtime/fsSysFunctions.h"

namespace fs {
namespace {

using test::ClassLibrariesHost;

// Collects what scripts write to their log where no box can be shown.
class LogCapture {
public:
  LogCapture() {
    SetShowMessageHook([this](const std::string& text) { Lines.push_back(text); });
  }
  ~LogCapture() { SetShowMessageHook(nullptr); }
  std::vector<std::string> Lines;
};

// The responder installed for its lifetime.
class ResponderScope {
public:
  ResponderScope() : FPrevious(gui::SetResponder(&Responder)) {}
  ~ResponderScope() { gui::SetResponder(FPrevious); }
  gui::TResponder Responder;

private:
  gui::TResponder* FPrevious;
};

TEST(DialogsLibrary, TheResponderAnswersWhereNoDisplayExists) {
  if (platform::HasDisplay()) GTEST_SKIP() << "the system's dialogs would wait for a user";
  ClassLibrariesHost host;
  LogCapture log;
  ResponderScope scope;
  std::vector<std::string> asked;
  scope.Responder.MessageBox = [&](const std::string& text, const std::string& caption, int buttons, int icon) {
    asked.push_back(caption + ": " + text + " " + std::to_string(buttons) + "/" + std::to_string(icon));
    return gui::mrNo;
  };
  scope.Responder.ModalForm = [&](gui::TCustomForm& form) {
    asked.push_back("form " + form.Caption().str());
    auto* edit = static_cast<gui::TEdit*>(form.FindComponent("Edit"));
    edit->SetText(edit->Text().str() == "keep" ? "keep" : "typed " + edit->Text().str());
    form.SetModalResult(edit->Text().str() == "keep" ? gui::mrCancel : gui::mrOk);
  };
  scope.Responder.FileDialog = [&](gui::TCommonDialog& dialog) {
    asked.push_back(std::string("dialog ") + dialog.ClassName());
    if (auto* open = dynamic_cast<gui::TOpenDialog*>(&dialog)) open->SetFileName("C:\\rows.csv");
    if (auto* colour = dynamic_cast<gui::TColorDialog*>(&dialog)) colour->SetColor(gui::clRed);
    return !dynamic_cast<gui::TPrintDialog*>(&dialog);
  };
  EXPECT_EQ(host.Printed(R"(
var s: String; o: TOpenDialog; c: TColorDialog; p: TPrintDialog;
begin
  Print(MessageDlg('Save the row?', mtConfirmation, mbYes + mbNo + mbCancel, 0));
  s := 'Ada';
  Print(InputQuery('Name', 'Your name:', s));
  Print(s);
  Print(InputBox('Name', 'Your name:', 'keep'));
  o := TOpenDialog.Create(nil);
  Print(o.Execute);
  Print(o.FileName);
  o.Free;
  c := TColorDialog.Create(nil);
  Print(c.Execute);
  Print(c.Color = 255);
  c.Free;
  p := TPrintDialog.Create(nil);
  Print(p.Execute);
  p.Free;
end.)"),
            "7\nTrue\ntyped Ada\nkeep\nTrue\nC:\\rows.csv\nTrue\nTrue\nFalse\n");
  EXPECT_EQ(asked, (std::vector<std::string>{"Confirmation: Save the row? 3/32", "form Name", "form Name",
                                             "dialog TOpenDialog", "dialog TColorDialog", "dialog TPrintDialog"}));
  EXPECT_TRUE(log.Lines.empty());
}

TEST(DialogsLibrary, WithoutDisplayOrResponderTheScriptGetsCancelAndALogLine) {
  if (platform::HasDisplay()) GTEST_SKIP() << "the system's dialogs would wait for a user";
  ClassLibrariesHost host;
  LogCapture log;
  ASSERT_EQ(gui::Responder(), nullptr);
  EXPECT_EQ(host.Printed(R"(
var s: String; d: TFontDialog; f: TForm;
begin
  Print(MessageDlg('Save the row?', mtConfirmation, mbYes + mbNo + mbCancel, 0) = mrCancel);
  Print(MessageDlg('Stop?', mtWarning, mbYes + mbNo, 0) = mrNo);
  Print(MessageDlg('Done', mtInformation, mbOK, 0) = mrOk);
  s := 'Ada';
  Print(InputQuery('Name', 'Your name:', s));
  Print(s);
  Print(InputBox('Name', 'Your name:', 'nobody'));
  d := TFontDialog.Create(nil);
  Print(d.Execute);
  d.Free;
  f := TForm.Create(nil);
  f.Caption := 'Row editor';
  Print(f.ShowModal = mrCancel);
  f.Free;
end.)"),
            "True\nTrue\nTrue\nFalse\nAda\nnobody\nFalse\nTrue\n");
  EXPECT_EQ(log.Lines, (std::vector<std::string>{
                           "MessageDlg \"Save the row?\" shown without a display: answered Cancel",
                           "MessageDlg \"Stop?\" shown without a display: answered No",
                           "MessageDlg \"Done\" shown without a display: answered OK",
                           "InputQuery \"Name\" shown without a display: answered Cancel",
                           "InputBox \"Name\" shown without a display: answered Cancel",
                           "TFontDialog shown without a display: answered Cancel",
                           "Form \"Row editor\" shown without a display: answered Cancel",
                       }));
}

// Plays the user from a timer that runs inside the dialog's own message loop.
class TimerUser {
public:
  explicit TimerUser(std::function<bool()> act) : FAct(std::move(act)) {
    FTimer->SetInterval(50);
    FTimer->SetOnTimer([this](rtl::TObject*) {
      if (FAct()) FTimer->SetEnabled(false);
    });
    FTimer->SetEnabled(true);
  }

private:
  std::function<bool()> FAct;
  rtl::TObjectPtr<gui::TTimer> FTimer = rtl::MakeObject<gui::TTimer>();
};

TEST(DialogsLibrary, TheSystemsMessageDialogIsAnsweredByAClickOnItsButton) {
  if (!platform::HasDisplay()) GTEST_SKIP() << "this build shows no system dialogs";
  ClassLibrariesHost host;
  TimerUser user([] { return platform::PressDialogButton("Confirmation", "No"); });
  EXPECT_EQ(host.Printed("begin Print(MessageDlg('Save the row?', mtConfirmation, mbYes + mbNo + mbCancel, 0)); end."),
            "7\n");
}

TEST(DialogsLibrary, TheInputFormIsAnsweredByTypingAndEnter) {
  if (!platform::HasDisplay()) GTEST_SKIP() << "the responder plays this user without a display";
  ClassLibrariesHost host;
  TimerUser user([] {
    gui::TCustomForm* form = gui::ActiveModalForm();
    if (!form || !form->Visible()) return false;
    auto* edit = static_cast<gui::TEdit*>(form->FindComponent("Edit"));
    edit->SetText("");
    guitest::Type(*edit, "bob");
    guitest::Key(*edit, gui::VK_RETURN);
    return true;
  });
  EXPECT_EQ(host.Printed("var s: String; begin s := 'Ada'; Print(InputQuery('Name', 'Your name:', s)); Print(s); end."),
            "True\nbob\n");
}

}  // namespace
}  // namespace fs
