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
#include "runtime/fsClassTable.h"
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

const TfsClassRow kClasses[] = {
    ClassRow(&gui::TControl::StaticClassInfo, "TComponent"),
    PropertyRow("Parent", "TWinControl"),
    MethodRow("procedure Hide"),
    MethodRow("procedure Show"),
    MethodRow("procedure SetBounds(ALeft, ATop, AWidth, AHeight: Integer)"),
    EventRow("OnCanResize", EventClassOf<TfsCanResizeEvent>()),
    EventRow("OnClick", kNotify),
    EventRow("OnDblClick", kNotify),
    EventRow("OnMouseDown", EventClassOf<TfsMouseEvent>()),
    EventRow("OnMouseMove", EventClassOf<TfsMouseMoveEvent>()),
    EventRow("OnMouseUp", EventClassOf<TfsMouseEvent>()),
    EventRow("OnResize", kNotify),

    ClassRow(&gui::TWinControl::StaticClassInfo, "TControl"),
    MethodRow("procedure SetFocus"),
    MethodRow("procedure Invalidate"),
    EventRow("OnEnter", kNotify),
    EventRow("OnExit", kNotify),
    EventRow("OnKeyDown", EventClassOf<TfsKeyEvent>()),
    EventRow("OnKeyPress", EventClassOf<TfsKeyPressEvent>()),
    EventRow("OnKeyUp", EventClassOf<TfsKeyEvent>()),

    ClassRow(&gui::TCustomControl::StaticClassInfo, "TWinControl"),
    ClassRow(&gui::TGraphicControl::StaticClassInfo, "TControl"),
    ClassRow(&gui::TGroupBox::StaticClassInfo, "TWinControl"),
    ClassRow(&gui::TEdit::StaticClassInfo, "TWinControl"),
    ClassRow(&gui::TMemo::StaticClassInfo, "TWinControl"),
    ClassRow(&gui::TButton::StaticClassInfo, "TWinControl"),
    ClassRow(&gui::TCheckBox::StaticClassInfo, "TWinControl"),
    ClassRow(&gui::TRadioButton::StaticClassInfo, "TWinControl"),
    ClassRow(&gui::TLabel::StaticClassInfo, "TControl"),

    ClassRow(&gui::TCustomComboBox::StaticClassInfo, "TWinControl"),
    PropertyRow("DroppedDown", "Boolean"),
    PropertyRow("ItemIndex", "Integer"),
    EventRow("OnChange", kNotify),
    EventRow("OnDropDown", kNotify),
    EventRow("OnCloseUp", kNotify),
    ClassRow(&gui::TComboBox::StaticClassInfo, "TCustomComboBox"),

    ClassRow(&gui::TCustomListBox::StaticClassInfo, "TWinControl"),
    PropertyRow("ItemIndex", "Integer"),
    PropertyRow("SelCount", "Integer", true),
    IndexedRow("Selected", "Integer", "Boolean"),
    ClassRow(&gui::TListBox::StaticClassInfo, "TCustomListBox"),

    ClassRow(&gui::TControlScrollBar::StaticClassInfo, "TPersistent"),
    ClassRow(&gui::TScrollingWinControl::StaticClassInfo, "TWinControl"),
    ClassRow(&gui::TScrollBox::StaticClassInfo, "TScrollingWinControl"),

    ClassRow(&gui::TCustomForm::StaticClassInfo, "TScrollingWinControl"),
    MethodRow("procedure Close"),
    MethodRow("procedure Hide"),
    MethodRow("procedure Show"),
    MethodRow("function ShowModal: Integer"),
    EventRow("OnActivate", kNotify),
    EventRow("OnClose", EventClassOf<TfsCloseEvent>()),
    EventRow("OnCloseQuery", EventClassOf<TfsCloseQueryEvent>()),
    EventRow("OnCreate", kNotify),
    EventRow("OnDestroy", kNotify),
    EventRow("OnDeactivate", kNotify),
    EventRow("OnHide", kNotify),
    EventRow("OnPaint", kNotify),
    EventRow("OnShow", kNotify),
    PropertyRow("Canvas", "TCanvas", true),
    PropertyRow("ModalResult", "Integer"),
    ClassRow(&gui::TForm::StaticClassInfo, "TCustomForm"),

    ClassRow(&rtl::TDataModule::StaticClassInfo, "TComponent"),

    ClassRow(&gui::TApplication::StaticClassInfo, "TComponent"),
    MethodRow("procedure Minimize"),
    MethodRow("procedure ProcessMessages"),
    MethodRow("procedure Restore"),
    PropertyRow("ExeName", "String", true),
};

template <class T>
bool Is(rtl::TClass classType) {
  return classType == &T::StaticClassInfo();
}

template <class T>
T* As(rtl::TObject* instance, const std::string& member) {
  return static_cast<T*>(NeedInstance(instance, member));
}

Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }

// A modal form that nobody can answer ends with mrCancel, and the script's log says so.
int ShowModal(gui::TCustomForm& form) {
  const gui::TResponder* responder = gui::Responder();
  const bool answerable = UserCanAnswer(responder && responder->ModalForm);
  const int result = form.ShowModal();
  if (!answerable) ReportUnanswered("Form " + form.Caption().str(), msg::kAnswerCancel);
  return result;
}

}  // namespace

TfsFormsRTTI::TfsFormsRTTI(TfsScript* script) : TfsRTTIModule(script) {
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

  RegisterClassTable(r, kClasses, BindMethod(this, &TfsFormsRTTI::CallMethod), BindGetter(this, &TfsFormsRTTI::GetProp),
                     BindSetter(this, &TfsFormsRTTI::SetProp));
  r.RegisterObject("Application", gui::Application());
}

Variant TfsFormsRTTI::CallMethod(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& MethodName,
                                 TfsMethodHelper* Caller) {
  Variant result = Int(0);
  if (Is<gui::TControl>(ClassType)) {
    auto* c = As<gui::TControl>(Instance, MethodName);
    if (MethodName == "HIDE") c->Hide();
    else if (MethodName == "SHOW") c->Show();
    else if (MethodName == "SETBOUNDS") c->SetBounds(Caller->ArgInt(0), Caller->ArgInt(1), Caller->ArgInt(2), Caller->ArgInt(3));
  } else if (Is<gui::TWinControl>(ClassType)) {
    auto* c = As<gui::TWinControl>(Instance, MethodName);
    if (MethodName == "SETFOCUS") c->SetFocus();
    else if (MethodName == "INVALIDATE") c->Invalidate();
  } else if (Is<gui::TCustomListBox>(ClassType)) {
    auto* c = As<gui::TCustomListBox>(Instance, MethodName);
    if (MethodName == "SELECTED.GET") result = Variant(c->Selected(Caller->ArgInt(0)));
    else if (MethodName == "SELECTED.SET") c->SetSelected(Caller->ArgInt(0), Caller->ArgBool(1));
  } else if (Is<gui::TCustomForm>(ClassType)) {
    auto* f = As<gui::TCustomForm>(Instance, MethodName);
    if (MethodName == "CLOSE") f->Close();
    else if (MethodName == "HIDE") f->Hide();
    else if (MethodName == "SHOW") f->Show();
    else if (MethodName == "SHOWMODAL") result = Int(ShowModal(*f));
  } else if (Is<gui::TApplication>(ClassType)) {
    auto* a = As<gui::TApplication>(Instance, MethodName);
    if (MethodName == "MINIMIZE") a->Minimize();
    else if (MethodName == "PROCESSMESSAGES") a->ProcessMessages();
    else if (MethodName == "RESTORE") a->Restore();
  }
  return result;
}

Variant TfsFormsRTTI::GetProp(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName) {
  Variant result = Int(0);
  if (Is<gui::TControl>(ClassType)) {
    if (PropName == "PARENT") result = rtl::ObjectToVariant(As<gui::TControl>(Instance, PropName)->Parent());
  } else if (Is<gui::TCustomComboBox>(ClassType)) {
    auto* c = As<gui::TCustomComboBox>(Instance, PropName);
    if (PropName == "DROPPEDDOWN") result = Variant(c->DroppedDown());
    else if (PropName == "ITEMINDEX") result = Int(c->ItemIndex());
  } else if (Is<gui::TCustomListBox>(ClassType)) {
    auto* c = As<gui::TCustomListBox>(Instance, PropName);
    if (PropName == "ITEMINDEX") result = Int(c->ItemIndex());
    else if (PropName == "SELCOUNT") result = Int(c->SelCount());
  } else if (Is<gui::TCustomForm>(ClassType)) {
    auto* f = As<gui::TCustomForm>(Instance, PropName);
    if (PropName == "CANVAS") result = rtl::ObjectToVariant(f->Canvas());
    else if (PropName == "MODALRESULT") result = Int(f->ModalResult());
  } else if (Is<gui::TApplication>(ClassType)) {
    if (PropName == "EXENAME") result = Variant(As<gui::TApplication>(Instance, PropName)->ExeName());
  }
  return result;
}

void TfsFormsRTTI::SetProp(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName,
                           const Variant& Value) {
  if (Is<gui::TControl>(ClassType)) {
    if (PropName == "PARENT") As<gui::TControl>(Instance, PropName)->SetParent(ValueAs<gui::TWinControl>(Value));
  } else if (Is<gui::TCustomComboBox>(ClassType)) {
    auto* c = As<gui::TCustomComboBox>(Instance, PropName);
    if (PropName == "DROPPEDDOWN") c->SetDroppedDown(rtl::VarToBool(Value));
    else if (PropName == "ITEMINDEX") c->SetItemIndex(rtl::VarToInt32(Value));
  } else if (Is<gui::TCustomListBox>(ClassType)) {
    if (PropName == "ITEMINDEX") As<gui::TCustomListBox>(Instance, PropName)->SetItemIndex(rtl::VarToInt32(Value));
  } else if (Is<gui::TCustomForm>(ClassType)) {
    if (PropName == "MODALRESULT") As<gui::TCustomForm>(Instance, PropName)->SetModalResult(rtl::VarToInt32(Value));
  }
}

namespace {
const TfsRTTIModuleClass kFormsClass{"TfsFormsRTTI", moFormsControls, &NewRTTIModule<TfsFormsRTTI>};
TfsRuntimeModuleRegistration gFormsRegistration(kFormsClass);
}  // namespace

}  // namespace fs
