#include "runtime/fsDialogsRTTI.h"

#include <cstdint>

#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "rtl/VariantArrays.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsClassLibrarySupport.h"
#include "runtime/fsClassTable.h"
#include "runtime/fsFunctionTable.h"
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

const TfsClassRow kClasses[] = {
    ClassRow(&gui::TCommonDialog::StaticClassInfo, "TComponent"),
    MethodRow("function Execute: Boolean"),
    ClassRow(&gui::TOpenDialog::StaticClassInfo, "TCommonDialog"),
    ClassRow(&gui::TSaveDialog::StaticClassInfo, "TCommonDialog"),
    ClassRow(&gui::TColorDialog::StaticClassInfo, "TCommonDialog"),
    ClassRow(&gui::TFontDialog::StaticClassInfo, "TCommonDialog"),
    ClassRow(&gui::TPrintDialog::StaticClassInfo, "TCommonDialog"),
    ClassRow(&gui::TPrinterSetupDialog::StaticClassInfo, "TCommonDialog"),
};

using D = TfsDialogsRTTI;

const TfsFunctionEntry<D> kFunctions[] = {
    {"function MessageDlg(Msg: string; DlgType: TMsgDlgType; Buttons: TMsgDlgButtons; HelpCtx: Longint): Integer",
     D::ctOther, &D::CallMethod},
    {"function InputBox(ACaption, APrompt, ADefault: string): string", D::ctOther, &D::CallMethod},
    {"function InputQuery(ACaption, APrompt: string; var Value: string): Boolean", D::ctOther, &D::CallMethod},
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

Variant MessageDlg(TfsMethodHelper& a) {
  const std::string text = a.ArgString(0).str();
  const std::int32_t type = a.ArgInt(1);
  const gui::TResponder* r = gui::Responder();
  const bool answerable = UserCanAnswer(r && r->MessageBox);
  const int result = gui::MessageDlg(text, static_cast<gui::TMsgDlgType>(type < gui::mtWarning || type > gui::mtCustom ? gui::mtCustom : type),
                                     SetBits(a.ArgumentValue(2)), a.ArgInt(3));
  if (!answerable) ReportUnanswered("MessageDlg \"" + text + "\"", ModalResultName(result));
  return Variant(static_cast<std::int32_t>(result));
}

Variant InputQuery(TfsMethodHelper& a, bool box) {
  const std::string caption = a.ArgString(0).str(), prompt = a.ArgString(1).str();
  const bool answerable = UserCanAnswer(ResponderAnswersForms());
  std::string value = a.ArgString(2).str();
  const std::string given = value;
  const bool ok = gui::InputQuery(caption, prompt, value);
  if (!answerable) ReportUnanswered((box ? "InputBox \"" : "InputQuery \"") + caption + "\"", msg::kAnswerCancel);
  if (box) return Variant(rtl::AnsiString(ok ? value : given));
  if (ok) a.SetArgumentValue(2, Variant(rtl::AnsiString(value)));
  return Variant(ok);
}

Variant Execute(gui::TCommonDialog& dialog) {
  const gui::TResponder* r = gui::Responder();
  const bool answerable = UserCanAnswer(r && r->FileDialog);
  const bool accepted = dialog.Execute();
  if (!answerable) ReportUnanswered(dialog.ClassInfo().ClassName(), msg::kAnswerCancel);
  return Variant(accepted);
}

}  // namespace

TfsDialogsRTTI::TfsDialogsRTTI(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry r(script);
  for (const Flags& s : kSets) r.RegisterSetType(s.Type, s.Names);
  for (const Flags& e : kEnumerations) r.RegisterEnumeration(e.Type, e.Names);
  // Dialogs have no properties of their own beyond the published ones.
  RegisterClassTable(r, kClasses, BindMethod(this, &TfsDialogsRTTI::CallMethod), TfsPropertyGetter(),
                     TfsPropertySetter());
  r.RegisterFunctions(this, kFunctions);
}

Variant TfsDialogsRTTI::CallMethod(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& MethodName,
                                   TfsMethodHelper* Caller) {
  if (!ClassType) {
    if (MethodName == "MESSAGEDLG") return MessageDlg(*Caller);
    if (MethodName == "INPUTBOX") return InputQuery(*Caller, true);
    if (MethodName == "INPUTQUERY") return InputQuery(*Caller, false);
  } else if (ClassType == &gui::TCommonDialog::StaticClassInfo()) {
    if (MethodName == "EXECUTE")
      return Execute(*static_cast<gui::TCommonDialog*>(NeedInstance(Instance, MethodName)));
  }
  return Variant(std::int32_t{0});
}

namespace {
const TfsRTTIModuleClass kDialogsClass{"TfsDialogsRTTI", moDialogs, &NewRTTIModule<TfsDialogsRTTI>};
TfsRuntimeModuleRegistration gDialogsRegistration(kDialogsClass);
}  // namespace

}  // namespace fs
