#include "runtime/fsDialogsRTTI.h"

#include <cstdint>

#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "rtl/VariantArrays.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsClassLibrarySupport.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::Variant;

struct Flags {
  const char* Type;
  const char* Names;
};

const Flags kSets[] = {
    {"TOpenOptions",
     "ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect, "
     "ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn, "
     "ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, "
     "ofEnableIncludeNotify, ofEnableSizing"},
    {"TColorDialogOptions", "cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor"},
    {"TFontDialogOptions",
     "fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel, fdNoOEMFonts, "
     "fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize, "
     "fdScalableOnly, fdApplyButton"},
    {"TPrintDialogOptions", "poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile"},
    {"TMsgDlgButtons", "mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp"},
};

const Flags kEnumerations[] = {
    {"TFileEditStyle", "fsEdit, fsComboBox"},
    {"TFontDialogDevice", "fdScreen, fdPrinter, fdBoth"},
    {"TPrintRange", "prAllPages, prSelection, prPageNums"},
    {"TMsgDlgType", "mtWarning, mtError, mtInformation, mtConfirmation, mtCustom"},
};

// A set argument: its bits, or the members of a set written as a list.
std::uint32_t SetBits(const Variant& value) {
  if (!value.IsArray()) return static_cast<std::uint32_t>(rtl::VarToInt32(value));
  std::uint32_t bits = 0;
  if (const rtl::VarArray* raw = value.AsArrayRaw()) {
    const std::size_t n = rtl::VarArrayElementCount(raw);
    for (std::size_t i = 0; i < n; ++i) bits |= static_cast<std::uint32_t>(rtl::VarToInt32(rtl::VarArrayData(raw)[i]));
  }
  return bits;
}

const char* ModalResultName(int result) {
  switch (result) {
    case gui::mrOk: return "OK";
    case gui::mrAbort: return "Abort";
    case gui::mrNo: return "No";
    default: return msg::kAnswerCancel;
  }
}

bool ResponderAnswersForms() {
  const gui::TResponder* r = gui::Responder();
  return r && r->ModalForm;
}

using Call = TfsMemberCall;

Variant MessageDlg(Call& c) {
  TfsMethodHelper& a = c.Args();
  const std::string text = a.ArgString(0).str();
  std::int32_t type = a.ArgInt(1);
  if (type < gui::mtWarning || type > gui::mtCustom) type = gui::mtCustom;
  const gui::TResponder* r = gui::Responder();
  const bool answerable = UserCanAnswer(r && r->MessageBox);
  const int result =
      gui::MessageDlg(text, static_cast<gui::TMsgDlgType>(type), SetBits(a.ArgumentValue(2)), a.ArgInt(3));
  if (!answerable) ReportUnanswered("MessageDlg \"" + text + "\"", ModalResultName(result));
  return Variant(static_cast<std::int32_t>(result));
}

// InputBox and InputQuery: the same small form.
Variant AskText(Call& c, bool box) {
  TfsMethodHelper& a = c.Args();
  const std::string caption = a.ArgString(0).str(), prompt = a.ArgString(1).str();
  const bool answerable = UserCanAnswer(ResponderAnswersForms());
  const std::string given = a.ArgString(2).str();
  std::string value = given;
  const bool ok = gui::InputQuery(caption, prompt, value);
  if (!answerable) ReportUnanswered((box ? "InputBox \"" : "InputQuery \"") + caption + "\"", msg::kAnswerCancel);
  if (box) return Variant(rtl::AnsiString(ok ? value : given));
  if (ok) a.SetArgumentValue(2, Variant(rtl::AnsiString(value)));
  return Variant(ok);
}
Variant InputBox(Call& c) { return AskText(c, true); }
Variant InputQuery(Call& c) { return AskText(c, false); }

Variant Execute(Call& c) {
  auto& dialog = c.Self<gui::TCommonDialog>();
  const gui::TResponder* r = gui::Responder();
  const bool answerable = UserCanAnswer(r && r->FileDialog);
  const bool accepted = dialog.Execute();
  if (!answerable) ReportUnanswered(dialog.ClassInfo().ClassName(), msg::kAnswerCancel);
  return Variant(accepted);
}

const TfsClassMethod kCommonDialogMethods[] = {{"function Execute: Boolean", &Execute}};

const TfsClassEntry kClasses[] = {
    {&gui::TCommonDialog::StaticClassInfo, "TComponent", kCommonDialogMethods},
    {&gui::TOpenDialog::StaticClassInfo, "TCommonDialog"},
    {&gui::TSaveDialog::StaticClassInfo, "TCommonDialog"},
    {&gui::TColorDialog::StaticClassInfo, "TCommonDialog"},
    {&gui::TFontDialog::StaticClassInfo, "TCommonDialog"},
    {&gui::TPrintDialog::StaticClassInfo, "TCommonDialog"},
    {&gui::TPrinterSetupDialog::StaticClassInfo, "TCommonDialog"},
};

}  // namespace

TfsDialogsRTTI::TfsDialogsRTTI(TfsScript* script) : TfsClassLibrary(script) {
  TfsRegistry r(script);
  for (const Flags& s : kSets) r.RegisterSetType(s.Type, s.Names);
  for (const Flags& e : kEnumerations) r.RegisterEnumeration(e.Type, e.Names);
  RegisterClasses(kClasses);
  RegisterRoutine("function MessageDlg(Msg: string; DlgType: TMsgDlgType; Buttons: TMsgDlgButtons; HelpCtx: Longint): Integer",
                  ctOther, &MessageDlg);
  RegisterRoutine("function InputBox(ACaption, APrompt, ADefault: string): string", ctOther, &InputBox);
  RegisterRoutine("function InputQuery(ACaption, APrompt: string; var Value: string): Boolean", ctOther, &InputQuery);
}

namespace {
const TfsRTTIModuleClass kDialogsClass{"TfsDialogsRTTI", moDialogs, &NewRTTIModule<TfsDialogsRTTI>};
TfsRuntimeModuleRegistration gDialogsRegistration(kDialogsClass);
}  // namespace

}  // namespace fs
