#include "runtime/fsFormsRTTI.h"

#include <cstdint>
#include <span>

#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/DataModule.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsClassLibrarySupport.h"
#include "runtime/fsEventAdapters.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsNotifyEvent.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::Variant;

struct Flags {
  const char* Type;
  const char* Names;
};

const char* const kTypeNames[] = {"TFormBorderStyle", "TBorderStyle", "TAlignment", "TLeftRight"};

const Flags kSets[] = {
    {"TShiftState", "ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble"},
    {"TAnchors", "akLeft, akTop, akRight, akBottom"},
    {"TBorderIcons", "biSystemMenu, biMinimize, biMaximize, biHelp"},
};

const Flags kEnumerations[] = {
    {"TAlign", "alNone, alTop, alBottom, alLeft, alRight, alClient"},
    {"TMouseButton", "mbLeft, mbRight, mbMiddle"},
    {"TBevelCut", "bvNone, bvLowered, bvRaised, bvSpace"},
    {"TTextLayout", "tlTop, tlCenter, tlBottom"},
    {"TEditCharCase", "ecNormal, ecUpperCase, ecLowerCase"},
    {"TScrollStyle", "ssNone, ssHorizontal, ssVertical, ssBoth"},
    {"TComboBoxStyle", "csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable"},
    {"TCheckBoxState", "cbUnchecked, cbChecked, cbGrayed"},
    {"TListBoxStyle", "lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable"},
    {"TWindowState", "wsNormal, wsMinimized, wsMaximized"},
    {"TFormStyle", "fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop"},
    {"TPosition", "poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter"},
    {"TCloseAction", "caNone, caHide, caFree, caMinimize"},
};

struct Constant {
  const char* Name;
  std::int32_t Value;
};

const Constant kModalResults[] = {
    {"mrNone", 0}, {"mrOk", 1},  {"mrCancel", 2}, {"mrAbort", 3},    {"mrRetry", 4},     {"mrIgnore", 5},
    {"mrYes", 6},  {"mrNo", 7},  {"mrAll", 8},    {"mrNoToAll", 9},  {"mrYesToAll", 10},
};

const Constant kCursors[] = {
    {"crDefault", 0},     {"crNone", -1},       {"crArrow", -2},     {"crCross", -3},      {"crIBeam", -4},
    {"crSize", -22},      {"crSizeNESW", -6},   {"crSizeNS", -7},    {"crSizeNWSE", -8},   {"crSizeWE", -9},
    {"crUpArrow", -10},   {"crHourGlass", -11}, {"crDrag", -12},     {"crNoDrop", -13},    {"crHSplit", -14},
    {"crVSplit", -15},    {"crMultiDrag", -16}, {"crSQLWait", -17},  {"crNo", -18},        {"crAppStart", -19},
    {"crHelp", -20},      {"crHandPoint", -21}, {"crSizeAll", -22},
};

const Constant kFormBorderStyles[] = {
    {"bsNone", 0}, {"bsSingle", 1}, {"bsSizeable", 2}, {"bsDialog", 3}, {"bsToolWindow", 4}, {"bsSizeToolWin", 5},
};

const Constant kVirtualKeys[] = {
    {"VK_RBUTTON", 2},    {"VK_CANCEL", 3},     {"VK_MBUTTON", 4},    {"VK_BACK", 8},       {"VK_TAB", 9},
    {"VK_RETURN", 13},    {"VK_SHIFT", 16},     {"VK_CONTROL", 17},   {"VK_MENU", 18},      {"VK_PAUSE", 19},
    {"VK_CAPITAL", 20},   {"VK_ESCAPE", 27},    {"VK_SPACE", 32},     {"VK_PRIOR", 33},     {"VK_NEXT", 34},
    {"VK_END", 35},       {"VK_HOME", 36},      {"VK_LEFT", 37},      {"VK_UP", 38},        {"VK_RIGHT", 39},
    {"VK_DOWN", 40},      {"VK_INSERT", 45},    {"VK_DELETE", 46},    {"VK_HELP", 47},      {"VK_LWIN", 91},
    {"VK_RWIN", 92},      {"VK_APPS", 93},      {"VK_NUMPAD0", 96},   {"VK_NUMPAD1", 97},   {"VK_NUMPAD2", 98},
    {"VK_NUMPAD3", 99},   {"VK_NUMPAD4", 100},  {"VK_NUMPAD5", 101},  {"VK_NUMPAD6", 102},  {"VK_NUMPAD7", 103},
    {"VK_NUMPAD8", 104},  {"VK_NUMPAD9", 105},  {"VK_MULTIPLY", 106}, {"VK_ADD", 107},      {"VK_SEPARATOR", 108},
    {"VK_SUBTRACT", 109}, {"VK_DECIMAL", 110},  {"VK_DIVIDE", 111},   {"VK_F1", 112},       {"VK_F2", 113},
    {"VK_F3", 114},       {"VK_F4", 115},       {"VK_F5", 116},       {"VK_F6", 117},       {"VK_F7", 118},
    {"VK_F8", 119},       {"VK_F9", 120},       {"VK_F10", 121},      {"VK_F11", 122},      {"VK_F12", 123},
    {"VK_NUMLOCK", 144},  {"VK_SCROLL", 145},
};

const Constant kTextAlignments[] = {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}};

constexpr TfsCustomEventClass kNotify = EventClassOf<TfsNotifyEvent>();

using Call = TfsMemberCall;

Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }
Variant None() { return Variant(); }
Variant Object(const rtl::TObject* o) { return rtl::ObjectToVariant(o); }

// TControl ------------------------------------------------------------------------------

Variant ControlGetParent(Call& c) { return Object(c.Self<gui::TControl>().Parent()); }
Variant ControlSetParent(Call& c) {
  c.Self<gui::TControl>().SetParent(ValueAs<gui::TWinControl>(*c.Value));
  return None();
}
Variant ControlHide(Call& c) {
  c.Self<gui::TControl>().Hide();
  return None();
}
Variant ControlShow(Call& c) {
  c.Self<gui::TControl>().Show();
  return None();
}
Variant ControlSetBounds(Call& c) {
  TfsMethodHelper& a = c.Args();
  c.Self<gui::TControl>().SetBounds(a.ArgInt(0), a.ArgInt(1), a.ArgInt(2), a.ArgInt(3));
  return None();
}

const TfsClassMethod kControlMethods[] = {
    {"procedure Hide", &ControlHide},
    {"procedure Show", &ControlShow},
    {"procedure SetBounds(ALeft, ATop, AWidth, AHeight: Integer)", &ControlSetBounds},
};
const TfsClassProperty kControlProperties[] = {
    {"Parent", "TWinControl", &ControlGetParent, &ControlSetParent},
};
const TfsClassEvent kControlEvents[] = {
    {"OnCanResize", EventClassOf<TfsCanResizeEvent>()}, {"OnClick", kNotify},
    {"OnDblClick", kNotify},
    {"OnMouseDown", EventClassOf<TfsMouseEvent>()},     {"OnMouseMove", EventClassOf<TfsMouseMoveEvent>()},
    {"OnMouseUp", EventClassOf<TfsMouseEvent>()},       {"OnResize", kNotify},
};

// TWinControl ---------------------------------------------------------------------------

Variant WinControlSetFocus(Call& c) {
  c.Self<gui::TWinControl>().SetFocus();
  return None();
}
Variant WinControlInvalidate(Call& c) {
  c.Self<gui::TWinControl>().Invalidate();
  return None();
}

const TfsClassMethod kWinControlMethods[] = {
    {"procedure SetFocus", &WinControlSetFocus},
    {"procedure Invalidate", &WinControlInvalidate},
};
const TfsClassEvent kWinControlEvents[] = {
    {"OnEnter", kNotify},
    {"OnExit", kNotify},
    {"OnKeyDown", EventClassOf<TfsKeyEvent>()},
    {"OnKeyPress", EventClassOf<TfsKeyPressEvent>()},
    {"OnKeyUp", EventClassOf<TfsKeyEvent>()},
};

// Combo and list boxes ------------------------------------------------------------------

Variant ComboGetDroppedDown(Call& c) { return Variant(c.Self<gui::TCustomComboBox>().DroppedDown()); }
Variant ComboSetDroppedDown(Call& c) {
  c.Self<gui::TCustomComboBox>().SetDroppedDown(rtl::VarToBool(*c.Value));
  return None();
}
Variant ComboGetItemIndex(Call& c) { return Int(c.Self<gui::TCustomComboBox>().ItemIndex()); }
Variant ComboSetItemIndex(Call& c) {
  c.Self<gui::TCustomComboBox>().SetItemIndex(rtl::VarToInt32(*c.Value));
  return None();
}

const TfsClassProperty kComboProperties[] = {
    {"DroppedDown", "Boolean", &ComboGetDroppedDown, &ComboSetDroppedDown},
    {"ItemIndex", "Integer", &ComboGetItemIndex, &ComboSetItemIndex},
};
const TfsClassEvent kComboEvents[] = {{"OnChange", kNotify}, {"OnDropDown", kNotify}, {"OnCloseUp", kNotify}};

Variant ListGetItemIndex(Call& c) { return Int(c.Self<gui::TCustomListBox>().ItemIndex()); }
Variant ListSetItemIndex(Call& c) {
  c.Self<gui::TCustomListBox>().SetItemIndex(rtl::VarToInt32(*c.Value));
  return None();
}
Variant ListSelCount(Call& c) { return Int(c.Self<gui::TCustomListBox>().SelCount()); }
Variant ListGetSelected(Call& c) { return Variant(c.Self<gui::TCustomListBox>().Selected(c.Args().ArgInt(0))); }
Variant ListSetSelected(Call& c) {
  c.Self<gui::TCustomListBox>().SetSelected(c.Args().ArgInt(0), rtl::VarToBool(c.Written()));
  return None();
}

const TfsClassProperty kListProperties[] = {
    {"ItemIndex", "Integer", &ListGetItemIndex, &ListSetItemIndex},
    {"SelCount", "Integer", &ListSelCount},
};
const TfsClassIndexed kListIndexed[] = {
    {"Selected", "Integer", "Boolean", &ListGetSelected, &ListSetSelected},
};

// TCustomForm ---------------------------------------------------------------------------

Variant FormClose(Call& c) {
  c.Self<gui::TCustomForm>().Close();
  return None();
}
Variant FormHide(Call& c) {
  c.Self<gui::TCustomForm>().Hide();
  return None();
}
Variant FormShow(Call& c) {
  c.Self<gui::TCustomForm>().Show();
  return None();
}
// A modal form that nobody can answer ends with mrCancel, and the script's log says so.
Variant FormShowModal(Call& c) {
  auto& form = c.Self<gui::TCustomForm>();
  const gui::TResponder* responder = gui::Responder();
  const bool answerable = UserCanAnswer(responder && responder->ModalForm);
  const int result = form.ShowModal();
  if (!answerable) ReportUnanswered("Form \"" + form.Caption().str() + "\"", msg::kAnswerCancel);
  return Int(result);
}
Variant FormCanvas(Call& c) { return Object(c.Self<gui::TCustomForm>().Canvas()); }
Variant FormGetModalResult(Call& c) { return Int(c.Self<gui::TCustomForm>().ModalResult()); }
Variant FormSetModalResult(Call& c) {
  c.Self<gui::TCustomForm>().SetModalResult(rtl::VarToInt32(*c.Value));
  return None();
}

const TfsClassMethod kFormMethods[] = {
    {"procedure Close", &FormClose},
    {"procedure Hide", &FormHide},
    {"procedure Show", &FormShow},
    {"function ShowModal: Integer", &FormShowModal},
};
const TfsClassEvent kFormEvents[] = {
    {"OnActivate", kNotify},
    {"OnClose", EventClassOf<TfsCloseEvent>()},
    {"OnCloseQuery", EventClassOf<TfsCloseQueryEvent>()},
    {"OnCreate", kNotify},
    {"OnDestroy", kNotify},
    {"OnDeactivate", kNotify},
    {"OnHide", kNotify},
    {"OnPaint", kNotify},
    {"OnShow", kNotify},
};
const TfsClassProperty kFormProperties[] = {
    {"Canvas", "TCanvas", &FormCanvas},
    {"ModalResult", "Integer", &FormGetModalResult, &FormSetModalResult},
};

// TApplication --------------------------------------------------------------------------

Variant ApplicationMinimize(Call& c) {
  c.Self<gui::TApplication>().Minimize();
  return None();
}
Variant ApplicationProcessMessages(Call& c) {
  c.Self<gui::TApplication>().ProcessMessages();
  return None();
}
Variant ApplicationRestore(Call& c) {
  c.Self<gui::TApplication>().Restore();
  return None();
}
Variant ApplicationExeName(Call& c) { return Variant(c.Self<gui::TApplication>().ExeName()); }

const TfsClassMethod kApplicationMethods[] = {
    {"procedure Minimize", &ApplicationMinimize},
    {"procedure ProcessMessages", &ApplicationProcessMessages},
    {"procedure Restore", &ApplicationRestore},
};
const TfsClassProperty kApplicationProperties[] = {{"ExeName", "String", &ApplicationExeName}};

const TfsClassEntry kClasses[] = {
    {&gui::TControl::StaticClassInfo, "TComponent", kControlMethods, kControlProperties, {}, kControlEvents},
    {&gui::TWinControl::StaticClassInfo, "TControl", kWinControlMethods, {}, {}, kWinControlEvents},
    {&gui::TCustomControl::StaticClassInfo, "TWinControl"},
    {&gui::TGraphicControl::StaticClassInfo, "TControl"},
    {&gui::TGroupBox::StaticClassInfo, "TWinControl"},
    {&gui::TEdit::StaticClassInfo, "TWinControl"},
    {&gui::TMemo::StaticClassInfo, "TWinControl"},
    {&gui::TButton::StaticClassInfo, "TWinControl"},
    {&gui::TCheckBox::StaticClassInfo, "TWinControl"},
    {&gui::TRadioButton::StaticClassInfo, "TWinControl"},
    {&gui::TLabel::StaticClassInfo, "TControl"},
    {&gui::TCustomComboBox::StaticClassInfo, "TWinControl", {}, kComboProperties, {}, kComboEvents},
    {&gui::TComboBox::StaticClassInfo, "TCustomComboBox"},
    {&gui::TCustomListBox::StaticClassInfo, "TWinControl", {}, kListProperties, kListIndexed},
    {&gui::TListBox::StaticClassInfo, "TCustomListBox"},
    {&gui::TControlScrollBar::StaticClassInfo, "TPersistent"},
    {&gui::TScrollingWinControl::StaticClassInfo, "TWinControl"},
    {&gui::TScrollBox::StaticClassInfo, "TScrollingWinControl"},
    {&gui::TCustomForm::StaticClassInfo, "TScrollingWinControl", kFormMethods, kFormProperties, {}, kFormEvents},
    {&gui::TForm::StaticClassInfo, "TCustomForm"},
    {&rtl::TDataModule::StaticClassInfo, "TComponent"},
    {&gui::TApplication::StaticClassInfo, "TComponent", kApplicationMethods, kApplicationProperties},
};

}  // namespace

TfsFormsRTTI::TfsFormsRTTI(TfsScript* script) : TfsClassLibrary(script) {
  TfsRegistry r(script);
  for (const char* name : kTypeNames) r.RegisterTypeName(name, fvtInt);
  for (const Flags& s : kSets) r.RegisterSetType(s.Type, s.Names);
  for (const Flags& e : kEnumerations) r.RegisterEnumeration(e.Type, e.Names);
  // The cursors come twice, as they always did; the second time changes nothing,
  // because a constant keeps its first registration.
  for (std::span<const Constant> group :
       {std::span<const Constant>(kModalResults), std::span<const Constant>(kCursors),
        std::span<const Constant>(kFormBorderStyles), std::span<const Constant>(kVirtualKeys),
        std::span<const Constant>(kCursors), std::span<const Constant>(kTextAlignments)})
    for (const Constant& c : group) r.RegisterConstant(c.Name, "Integer", Variant(c.Value));
  RegisterClasses(kClasses);
  r.RegisterObject("Application", gui::Application());
}

namespace {
const TfsRTTIModuleClass kFormsClass{"TfsFormsRTTI", moFormsControls, &NewRTTIModule<TfsFormsRTTI>};
TfsRuntimeModuleRegistration gFormsRegistration(kFormsClass);
}  // namespace

}  // namespace fs
