// The forms and controls library as scripts use it: visual classes made, changed and
// freed without being shown, the module's constants, and script procedures on the
// controls' events fired by the toolkit itself (user input as the platform delivers
// it), with what the procedures give back reaching the control.
#include <gtest/gtest.h>

#include <string>

#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/GuiTestSupport.h"
#include "gui/StdCtrls.h"
#include "platform/WindowPeer.h"
#include "rtl/Object.h"
#include "runtime/FormsLibraryTestSupport.h"

namespace fs {
namespace {

using test::ClassLibrariesHost;

TEST(FormsLibrary, VisualClassesAreMadeChangedAndFreedWithoutBeingShown) {
  ClassLibrariesHost host;
  const std::string script = R"(
var f: TForm; b: TButton; e: TEdit; l: TListBox; c: TComboBox; s: TScrollBox; k: TCheckBox;
begin
  f := TForm.Create(nil);
  f.Caption := 'Row form';
  f.SetBounds(10, 20, 300, 200);
  b := TButton.Create(f);
  b.Parent := f;
  b.Caption := 'Go';
  b.Left := 5;
  e := TEdit.Create(f);
  e.Parent := f;
  e.Text := 'abc';
  l := TListBox.Create(f);
  l.Parent := f;
  c := TComboBox.Create(f);
  s := TScrollBox.Create(f);
  s.Parent := f;
  s.VertScrollBar.Range := 500;
  s.VertScrollBar.Position := 900;
  k := TCheckBox.Create(nil);
  k.Checked := True;
  Print(f.Caption + ' ' + IntToStr(f.Left) + ',' + IntToStr(f.Top) + ' ' + IntToStr(f.Width) + 'x' + IntToStr(f.Height));
  Print(b.Parent = f);
  Print(b.Caption + ' ' + IntToStr(b.Left));
  Print(e.Text);
  Print(l.ItemIndex);
  Print(c.ItemIndex);
  Print(s.VertScrollBar.Position);
  Print(k.Checked);
  Print(f.Visible);
  Print(f.ClassName + ' ' + b.ClassName);
  Print(f.ModalResult = mrNone);
  k.Free;
  f.Free;
end.)";
  const char* const expected = "Row form 10,20 300x200\nTrue\nGo 5\nabc\n-1\n-1\n500\nTrue\nFalse\nTForm TButton\nTrue\n";
  // The first run makes what the toolkit keeps for the process; the second must leave
  // nothing behind.
  EXPECT_EQ(host.Printed(script), expected);
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(host.Printed(script), expected);
  EXPECT_EQ(host.Script().Objects().Count(), 0u);
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST(FormsLibrary, OtherDialectsUseTheSameClassesAndEvents) {
  ClassLibrariesHost host;
  EXPECT_EQ(host.Printed(R"(
function Clicked(Sender) {
  Print("clicked " + Sender.ClassName);
}
var f = new TForm(nil);
var b = new TButton(f);
b.Parent = f;
b.Caption = "Go";
b.OnClick = "Clicked";
Print(b.Caption);
f.Free;
)",
                         "JScript"),
            "Go\n");
  EXPECT_EQ(host.Printed(R"(
Dim f, l
f = New TForm(nil)
l = New TListBox(f)
l.Parent = f
Print(l.ItemIndex)
f.Free
)",
                         "BasicScript"),
            "-1\n");
}

TEST(FormsLibrary, MembersOnNilAndOfTheWrongClassAreErrors) {
  ClassLibrariesHost host;
  EXPECT_EQ(host.RunError("var b: TButton; begin b := nil; b.SetBounds(1, 2, 3, 4); end."),
            "1:33: Cannot call SETBOUNDS of a nil object");
  EXPECT_EQ(host.RunError(R"(var b: TButton; e: Variant;
begin
  e := TLabel.Create(nil);
  b := TButton.Create(nil);
  try
    b.Parent := e;
  finally
    b.Free;
    e.Free;
  end;
end.)"),
            "6:5: Invalid class typecast");
}

TEST(FormsLibrary, ConstantsInRegistrationOrderAndTheSecondCursorSetChangesNothing) {
  ClassLibrariesHost host;
  EXPECT_EQ(host.Printed(R"(begin
  Print(IntToStr(mrNone) + ' ' + IntToStr(mrOk) + ' ' + IntToStr(mrNoToAll) + ' ' + IntToStr(mrYesToAll));
  Print(IntToStr(crDefault) + ' ' + IntToStr(crNone) + ' ' + IntToStr(crSize) + ' ' + IntToStr(crSizeNESW) + ' ' +
        IntToStr(crSQLWait) + ' ' + IntToStr(crHandPoint) + ' ' + IntToStr(crSizeAll));
  Print(IntToStr(bsNone) + ' ' + IntToStr(bsDialog) + ' ' + IntToStr(bsSizeToolWin));
  Print(IntToStr(VK_RBUTTON) + ' ' + IntToStr(VK_HELP) + ' ' + IntToStr(VK_NUMPAD7) + ' ' + IntToStr(VK_F12) + ' ' +
        IntToStr(VK_SCROLL));
  Print(IntToStr(taLeftJustify) + ' ' + IntToStr(taCenter));
  Print(IntToStr(ssShift) + ' ' + IntToStr(ssDouble) + ' ' + IntToStr(akBottom) + ' ' + IntToStr(biHelp));
  Print(IntToStr(alClient) + ' ' + IntToStr(mbMiddle) + ' ' + IntToStr(csOwnerDrawVariable) + ' ' +
        IntToStr(poDesktopCenter) + ' ' + IntToStr(caMinimize) + ' ' + IntToStr(fsStayOnTop));
end.)"),
            "0 1 9 10\n0 -1 -22 -6 -17 -21 -22\n0 3 5\n2 47 103 123 145\n0 2\n1 64 8 8\n5 2 4 5 3 3\n");
  // Each cursor name is one item: the second set added nothing.
  const TfsItemTable& items = host.Registry().Items();
  for (const char* name : {"CRDEFAULT", "CRARROW", "CRSIZEALL"}) {
    int found = 0;
    for (int i = 0; i < items.Count(); ++i)
      if (items.Entries(i).UpperName == name) ++found;
    EXPECT_EQ(found, 1) << name;
  }
}

TEST(FormsLibrary, ApplicationIsTheProcessApplicationObject) {
  ClassLibrariesHost host;
  EXPECT_EQ(host.Printed(R"(begin
  Print(Application.ClassName);
  Print(Application.ExeName <> '');
  Application.ProcessMessages;
  try
    Application.Free;
  except
    Print(ExceptionMessage);
  end;
  Print(Application.ClassName);
end.)"),
            "TApplication\nTrue\nCannot free a TApplication that belongs to another object\nTApplication\n");
}

// A handler that frees the object raising its event (the form, the control, its owner,
// Sender) must not pull the object away from the toolkit code that raised the event:
// the freeing waits until that code has returned, then everything is gone.
TEST(FormsLibrary, FreeingAnObjectInItsOwnEventWaitsUntilTheEventHasReturned) {
  ClassLibrariesHost host;
  const std::string pascal = R"(
var f: TForm; b: TButton; what: String;
procedure Query(Sender: TObject; var CanClose: Boolean);
begin
  if what = 'form' then f.Free;
  if what = 'sender' then Sender.Free;
  if what = 'control' then b.Free;
  CanClose := True;
end;
procedure Closing(Sender: TObject; var Action: TCloseAction);
begin
  Sender.Free;
  Action := caFree;
end;
procedure Sizing(Sender: TObject; var NewWidth, NewHeight: Integer; var Resize: Boolean);
begin
  if what = 'owner' then f.Free else Sender.Free;
end;
procedure Shown(Sender: TObject);
begin
  f.Free;
end;
procedure Destroyed(Sender: TObject);
begin
  f.Free;
  Print('destroyed');
end;
procedure Make;
begin
  f := TForm.Create(nil);
  b := TButton.Create(f);
  b.Parent := f;
end;
begin
  Make; f.OnCloseQuery := 'Query'; what := 'form'; f.Close;
  Make; f.OnCloseQuery := 'Query'; what := 'sender'; f.Show; f.Close;
  Make; f.OnCloseQuery := 'Query'; what := 'control'; f.Close; f.Free;
  Make; f.OnClose := 'Closing'; f.Close;
  Make; b.OnCanResize := 'Sizing'; what := 'owner'; b.SetBounds(1, 2, 300, 400);
  Make; b.OnCanResize := 'Sizing'; what := 'sender'; b.Width := 50; f.Free;
  Make; f.OnShow := 'Shown'; Print(f.ShowModal = mrCancel);
  Make; f.OnDestroy := 'Destroyed'; f.Free;
  Print('done');
end.)";
  // The first run loads the dialect's grammar for good; the second must leave nothing.
  EXPECT_EQ(host.Printed(pascal), "True\ndestroyed\ndone\n");
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(host.Printed(pascal), "True\ndestroyed\ndone\n");
  EXPECT_EQ(host.Script().Objects().Count(), 0u);
  EXPECT_EQ(rtl::TObject::LiveCount(), before);

  struct Case {
    const char* Dialect;
    const char* Source;
  };
  const Case others[] = {
      {"JScript", R"(
var f, b;
function Shown(Sender) { Sender.Free; }
function Sized(Sender) { f.Free; }
function Destroyed(Sender) { f.Free; Print("destroyed"); }
f = new TForm(nil); f.OnShow = "Shown"; Print(f.ShowModal == mrCancel);
f = new TForm(nil); b = new TButton(f); b.Parent = f; b.OnResize = "Sized"; b.SetBounds(1, 2, 30, 40);
f = new TForm(nil); f.OnDestroy = "Destroyed"; f.Free;
Print("done");
)"},
      {"C++Script", R"(
TForm f; TButton b;
void Shown(TObject Sender) { Sender.Free; }
void Sized(TObject Sender) { f.Free; }
void Destroyed(TObject Sender) { f.Free; Print("destroyed"); }
{
  f = new TForm(nil); f.OnShow = "Shown"; Print(f.ShowModal == mrCancel);
  f = new TForm(nil); b = new TButton(f); b.Parent = f; b.OnResize = "Sized"; b.SetBounds(1, 2, 30, 40);
  f = new TForm(nil); f.OnDestroy = "Destroyed"; f.Free;
  Print("done");
}
)"},
      {"BasicScript", R"(
Dim f, b
Sub Shown(Sender)
  Sender.Free
End Sub
Sub Sized(Sender)
  f.Free
End Sub
Sub Destroyed(Sender)
  f.Free
  Print("destroyed")
End Sub
f = New TForm(nil)
f.OnShow = "Shown"
Print(f.ShowModal = mrCancel)
f = New TForm(nil)
b = New TButton(f)
b.Parent = f
b.OnResize = "Sized"
b.SetBounds(1, 2, 30, 40)
f = New TForm(nil)
f.OnDestroy = "Destroyed"
f.Free
Print("done")
)"},
  };
  for (const Case& c : others) {
    SCOPED_TRACE(c.Dialect);
    // The first run loads the dialect's grammar for good; the second must leave nothing.
    EXPECT_EQ(host.Printed(c.Source, c.Dialect), "True\ndestroyed\ndone\n");
    const std::size_t loaded = rtl::TObject::LiveCount();
    EXPECT_EQ(host.Printed(c.Source, c.Dialect), "True\ndestroyed\ndone\n");
    EXPECT_EQ(host.Script().Objects().Count(), 0u);
    EXPECT_EQ(rtl::TObject::LiveCount(), loaded);
  }
}

// Where the responder answers a modal form, its close query and close handler may
// free the form: the modal loop ends on the whole form, then it goes.
TEST(FormsLibrary, AModalFormFreedByItsCloseHandlersEndsItsLoopFirst) {
  if (platform::HasDisplay()) GTEST_SKIP() << "the modal form would wait for a user";
  ClassLibrariesHost host;
  gui::TResponder responder;
  responder.ModalForm = [](gui::TCustomForm& form) { form.SetModalResult(gui::mrOk); };
  gui::TResponder* previous = gui::SetResponder(&responder);
  host.Printed("begin end.");  // the grammar stays loaded
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(host.Printed(R"(
var f: TForm; b: TButton; what: String;
procedure Query(Sender: TObject; var CanClose: Boolean);
begin
  if what = 'query' then b.Owner.Free;
end;
procedure Closing(Sender: TObject; var Action: TCloseAction);
begin
  if what = 'close' then Sender.Free;
end;
begin
  what := 'query';
  f := TForm.Create(nil); b := TButton.Create(f); b.Parent := f;
  f.OnCloseQuery := 'Query'; f.OnClose := 'Closing';
  Print(f.ShowModal);
  what := 'close';
  f := TForm.Create(nil);
  f.OnCloseQuery := 'Query'; f.OnClose := 'Closing';
  Print(f.ShowModal);
end.)"),
            "1\n1\n");
  gui::SetResponder(previous);
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

// A form made natively, reached by scripts as F, with a button B and an edit E on it.
class FormEvents : public ::testing::Test {
protected:
  FormEvents() {
    FForm = rtl::CreateObject<gui::TForm>();
    FForm->SetBounds(0, 0, 300, 200);
    FButton = new gui::TButton(FForm);
    FButton->SetParent(FForm);
    FButton->SetBounds(10, 10, 80, 25);
    FEdit = new gui::TEdit(FForm);
    FEdit->SetParent(FForm);
    FEdit->SetBounds(10, 50, 120, 21);
    TfsRegistry r(&FHost.Registry());
    r.RegisterObject("F", FForm);
    r.RegisterObject("B", FButton);
    r.RegisterObject("E", FEdit);
  }
  ~FormEvents() override {
    FForm->Hide();
    rtl::FreeObject(FForm);
  }

  ClassLibrariesHost FHost;
  gui::TForm* FForm;
  gui::TButton* FButton;
  gui::TEdit* FEdit;
};

TEST_F(FormEvents, ClickMouseAndKeysReachTheProcedures) {
  ASSERT_EQ(FHost.Printed(R"(
procedure Clicked(Sender: TObject);
begin
  Print('click ' + TButton(Sender).Caption);
end;
procedure Down(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer);
begin
  Print('down ' + IntToStr(Button) + ' ' + IntToStr(Shift and ssShift) + ' ' + IntToStr(X) + ',' + IntToStr(Y));
end;
procedure Pressed(Sender: TObject; var Key: Char);
begin
  if Key = 'a' then Key := 'b';
  if Key = 'x' then Key := '';
end;
procedure KeyDown(Sender: TObject; var Key: Word; Shift: TShiftState);
begin
  Print('key ' + IntToStr(Key) + ' ' + IntToStr(Shift));
end;
begin
  B.Caption := 'Go';
  B.OnClick := 'Clicked';
  B.OnMouseDown := 'Down';
  E.OnKeyPress := 'Pressed';
  E.OnKeyDown := 'KeyDown';
end.)"),
            "");
  FForm->Show();
  FButton->Click();
  guitest::Mouse(*FButton, platform::UserInput::MouseDown, 7, 9, gui::ssShift, platform::MouseButton::Right);
  guitest::Mouse(*FButton, platform::UserInput::MouseUp, 7, 9, 0, platform::MouseButton::Right);
  FEdit->SetFocus();
  guitest::Type(*FEdit, "axc");
  // The changed key is what the edit received; the emptied one it never got.
  EXPECT_EQ(FEdit->Text().str(), "bc");
  EXPECT_EQ(FHost.Output(), "click Go\ndown 1 1 7,9\nkey 65 0\nkey 88 0\nkey 67 0\n");
}

TEST_F(FormEvents, CloseQueryRefusedAndCloseActionGivenBack) {
  ASSERT_EQ(FHost.Printed(R"(
var asked: Integer;
procedure Query(Sender: TObject; var CanClose: Boolean);
begin
  asked := asked + 1;
  CanClose := asked > 1;
  Print('query ' + IntToStr(asked));
end;
procedure Closing(Sender: TObject; var Action: TCloseAction);
begin
  Print('close ' + IntToStr(Action));
  Action := caHide;
end;
begin
  asked := 0;
  F.OnCloseQuery := 'Query';
  F.OnClose := 'Closing';
end.)"),
            "");
  FForm->Show();
  FForm->Close();
  EXPECT_TRUE(FForm->Visible());
  FForm->Close();
  EXPECT_FALSE(FForm->Visible());
}

TEST_F(FormEvents, CanResizeWritesTheNewSizeBack) {
  EXPECT_EQ(FHost.Printed(R"(
procedure Sizing(Sender: TObject; var NewWidth, NewHeight: Integer; var Resize: Boolean);
begin
  if NewWidth > 100 then NewWidth := 100;
  Resize := NewHeight <> 13;
end;
begin
  B.OnCanResize := 'Sizing';
  B.Width := 500;
  Print(B.Width);
  B.Height := 13;
  Print(B.Height);
  B.SetBounds(1, 2, 60, 30);
  Print(IntToStr(B.Width) + 'x' + IntToStr(B.Height));
end.)"),
            "100\n25\n60x30\n");
}

TEST_F(FormEvents, HandlersThatDoNotFitTheEventAreRunTimeErrors) {
  struct Case {
    const char* Assignment;
    const char* Handler;
    const char* Error;
  };
  const Case cases[] = {
      {"B.OnClick := 'H'", "procedure H(Sender: TObject; Extra: Integer); begin end;",
       "Event handler H must declare 1 parameter fitting the event"},
      {"E.OnKeyPress := 'H'", "procedure H(Sender: TObject; Key: Char); begin end;",
       "Event handler H must declare 2 parameters fitting the event"},
      {"F.OnCloseQuery := 'H'", "procedure H(Sender: TObject); begin end;",
       "Event handler H must declare 2 parameters fitting the event"},
      {"B.OnCanResize := 'H'", "procedure H(Sender: TObject; var W, H: Integer; Resize: Boolean); begin end;",
       "Event handler H must declare 4 parameters fitting the event"},
      {"B.OnMouseMove := 'H'", "procedure H(Sender: TObject; X, Y: Integer); begin end;",
       "Event handler H must declare 4 parameters fitting the event"},
  };
  for (const Case& c : cases) {
    const std::string error = FHost.RunError(std::string(c.Handler) + "\nbegin\n  " + c.Assignment + ";\nend.");
    EXPECT_EQ(error, std::string("3:3: ") + c.Error) << c.Assignment;
  }
  // Nothing was attached.
  EXPECT_FALSE(static_cast<bool>(FButton->OnClick()));
  EXPECT_FALSE(static_cast<bool>(FEdit->OnKeyPress()));
}

}  // namespace
}  // namespace fs
