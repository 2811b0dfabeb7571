#include "runtime/fsExtCtrlsRTTI.h"

#include <cstdint>

#include "gui/Buttons.h"
#include "gui/CheckLst.h"
#include "gui/ComCtrls.h"
#include "gui/DateTimePicker.h"
#include "gui/ExtCtrls.h"
#include "gui/ListView.h"
#include "gui/PageControl.h"
#include "gui/RichEdit.h"
#include "gui/StatusBar.h"
#include "gui/ToolBar.h"
#include "gui/TrackBar.h"
#include "rtl/AnsiString.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsNotifyEvent.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::Variant;
using Call = TfsMemberCall;

Variant Object(const rtl::TObject* o) { return rtl::ObjectToVariant(o); }
Variant None() { return Variant(); }
Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }
Variant Text(const rtl::AnsiString& s) { return Variant(s); }

// An object argument or written value, checked to be a T (nil allowed).
template <class T>
T* Arg(Call& c, int index) {
  return c.Args().ArgObjectAs<T>(index);
}
template <class T>
T* ValueAs(const Variant& v) {
  rtl::TObject* o = rtl::VariantToObject(v);
  if (o && !o->InheritsFrom(T::StaticClassInfo())) throw rtl::EInvalidCast();
  return static_cast<T*>(o);
}

struct Flags {
  const char* Type;
  const char* Names;
};

const Flags kEnumerations[] = {
    {"TShapeType", "stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle"},
    {"TBevelStyle", "bsLowered, bsRaised"},
    {"TBevelShape", "bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer"},
    {"TResizeStyle", "rsNone, rsLine, rsUpdate, rsPattern"},
    {"TButtonLayout", "blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom"},
    {"TButtonState", "bsUp, bsDisabled, bsDown, bsExclusive"},
    {"TButtonStyle", "bsAutoDetect, bsWin31, bsNew"},
    {"TBitBtnKind", "bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll"},
    {"TTabPosition", "tpTop, tpBottom, tpLeft, tpRight"},
    {"TTabStyle", "tsTabs, tsButtons, tsFlatButtons"},
    {"TStatusPanelStyle", "psText, psOwnerDraw"},
    {"TStatusPanelBevel", "pbNone, pbLowered, pbRaised"},
    {"TSortType", "stNone, stData, stText, stBoth"},
    {"TTrackBarOrientation", "trHorizontal, trVertical"},
    {"TTickMark", "tmBottomRight, tmTopLeft, tmBoth"},
    {"TTickStyle", "tsNone, tsAuto, tsManual"},
    {"TProgressBarOrientation", "pbHorizontal, pbVertical"},
    {"TIconArrangement", "iaTop, iaLeft"},
    {"TListArrangement", "arAlignBottom, arAlignLeft, arAlignRight, arAlignTop, arDefault, arSnapToGrid"},
    {"TViewStyle", "vsIcon, vsSmallIcon, vsList, vsReport"},
    {"TToolButtonStyle", "tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider"},
    {"TDateTimeKind", "dtkDate, dtkTime"},
    {"TDTDateMode", "dmComboBox, dmUpDown"},
    {"TDTDateFormat", "dfShort, dfLong"},
    {"TDTCalAlignment", "dtaLeft, dtaRight"},
    {"TCalDayOfWeek", "dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday, dowSaturday, dowSunday, dowLocaleDefault"},
};

// Events --------------------------------------------------------------------------------

const TfsClassEvent kPaintBoxEvents[] = {{"OnPaint", &NewEventAdapter<TfsNotifyEvent>}};
const TfsClassEvent kTimerEvents[] = {{"OnTimer", &NewEventAdapter<TfsNotifyEvent>}};

// TCheckListBox ---------------------------------------------------------------------------

Variant CheckedGet(Call& c) { return Variant(c.Self<gui::TCheckListBox>().Checked(c.Args().ArgInt(0))); }
Variant CheckedSet(Call& c) {
  c.Self<gui::TCheckListBox>().SetChecked(c.Args().ArgInt(0), rtl::VarToBool(c.Written()));
  return None();
}
const TfsClassIndexed kCheckListIndexed[] = {{"Checked", "Integer", "Boolean", &CheckedGet, &CheckedSet}};

// TTabSheet, TPageControl -------------------------------------------------------------------

Variant SheetPageControl(Call& c) { return Object(c.Self<gui::TTabSheet>().PageControl()); }
Variant SheetSetPageControl(Call& c) {
  c.Self<gui::TTabSheet>().SetPageControl(ValueAs<gui::TPageControl>(*c.Value));
  return None();
}
const TfsClassProperty kTabSheetProperties[] = {{"PageControl", "TPageControl", &SheetPageControl, &SheetSetPageControl}};

Variant PagesSelectNext(Call& c) {
  c.Self<gui::TPageControl>().SelectNextPage(c.Args().ArgBool(0));
  return None();
}
Variant PagesCount(Call& c) { return Int(c.Self<gui::TPageControl>().PageCount()); }
Variant PagesGet(Call& c) { return Object(c.Self<gui::TPageControl>().Pages(c.Args().ArgInt(0))); }
const TfsClassMethod kPageControlMethods[] = {{"procedure SelectNextPage(GoForward: Boolean)", &PagesSelectNext}};
const TfsClassProperty kPageControlProperties[] = {{"PageCount", "Integer", &PagesCount}};
const TfsClassIndexed kPageControlIndexed[] = {{"Pages", "Integer", "TTabSheet", &PagesGet}};

// TStatusPanels -----------------------------------------------------------------------------

Variant PanelsAdd(Call& c) { return Object(c.Self<gui::TStatusPanels>().Add()); }
Variant PanelsGet(Call& c) { return Object(c.Self<gui::TStatusPanels>().Items(c.Args().ArgInt(0))); }
const TfsClassMethod kStatusPanelsMethods[] = {{"function Add: TStatusPanel", &PanelsAdd}};
const TfsClassIndexed kStatusPanelsIndexed[] = {{"Items", "Integer", "TStatusPanel", &PanelsGet}};

// TTreeNode, TTreeNodes, TTreeView -------------------------------------------------------------

gui::TTreeNode& Node(Call& c) { return c.Self<gui::TTreeNode>(); }
Variant NodeDelete(Call& c) {
  Node(c).Delete();
  return None();
}
Variant NodeEditText(Call& c) { return Variant(Node(c).EditText()); }
Variant NodeCount(Call& c) { return Int(Node(c).Count()); }
Variant NodeData(Call& c) { return Int(Node(c).Data()); }
Variant NodeSetData(Call& c) {
  Node(c).SetData(static_cast<std::intptr_t>(rtl::VarToInt64(*c.Value)));
  return None();
}
Variant NodeImageIndex(Call& c) { return Int(Node(c).ImageIndex()); }
Variant NodeSetImageIndex(Call& c) {
  Node(c).SetImageIndex(rtl::VarToInt32(*c.Value));
  return None();
}
Variant NodeSelectedIndex(Call& c) { return Int(Node(c).SelectedIndex()); }
Variant NodeSetSelectedIndex(Call& c) {
  Node(c).SetSelectedIndex(rtl::VarToInt32(*c.Value));
  return None();
}
Variant NodeStateIndex(Call& c) { return Int(Node(c).StateIndex()); }
Variant NodeSetStateIndex(Call& c) {
  Node(c).SetStateIndex(rtl::VarToInt32(*c.Value));
  return None();
}
Variant NodeText(Call& c) { return Text(Node(c).Text()); }
Variant NodeSetText(Call& c) {
  Node(c).SetText(rtl::VarToStr(*c.Value));
  return None();
}
const TfsClassMethod kTreeNodeMethods[] = {
    {"procedure Delete", &NodeDelete},
    {"function EditText: Boolean", &NodeEditText},
};
const TfsClassProperty kTreeNodeProperties[] = {
    {"Count", "Integer", &NodeCount},
    {"Data", "Pointer", &NodeData, &NodeSetData},
    {"ImageIndex", "Integer", &NodeImageIndex, &NodeSetImageIndex},
    {"SelectedIndex", "Integer", &NodeSelectedIndex, &NodeSetSelectedIndex},
    {"StateIndex", "Integer", &NodeStateIndex, &NodeSetStateIndex},
    {"Text", "String", &NodeText, &NodeSetText},
};

gui::TTreeNodes& Nodes(Call& c) { return c.Self<gui::TTreeNodes>(); }
Variant NodesAdd(Call& c) {
  return Object(Nodes(c).Add(Arg<gui::TTreeNode>(c, 0), c.Args().ArgString(1)));
}
Variant NodesAddChild(Call& c) {
  return Object(Nodes(c).AddChild(Arg<gui::TTreeNode>(c, 0), c.Args().ArgString(1)));
}
Variant NodesBeginUpdate(Call& c) {
  Nodes(c).BeginUpdate();
  return None();
}
Variant NodesEndUpdate(Call& c) {
  Nodes(c).EndUpdate();
  return None();
}
Variant NodesClear(Call& c) {
  Nodes(c).Clear();
  return None();
}
Variant NodesDelete(Call& c) {
  Nodes(c).Delete(Arg<gui::TTreeNode>(c, 0));
  return None();
}
Variant NodesCount(Call& c) { return Int(Nodes(c).Count()); }
Variant NodesItem(Call& c) { return Object(Nodes(c).Item(c.Args().ArgInt(0))); }
const TfsClassMethod kTreeNodesMethods[] = {
    {"function Add(Node: TTreeNode; const S: string): TTreeNode", &NodesAdd},
    {"function AddChild(Node: TTreeNode; const S: string): TTreeNode", &NodesAddChild},
    {"procedure BeginUpdate", &NodesBeginUpdate},
    {"procedure Clear", &NodesClear},
    {"procedure Delete(Node: TTreeNode)", &NodesDelete},
    {"procedure EndUpdate", &NodesEndUpdate},
};
const TfsClassProperty kTreeNodesProperties[] = {{"Count", "Integer", &NodesCount}};
const TfsClassIndexed kTreeNodesIndexed[] = {{"Item", "Integer", "TTreeNode", &NodesItem, nullptr, true}};

gui::TTreeView& Tree(Call& c) { return c.Self<gui::TTreeView>(); }
Variant TreeFullCollapse(Call& c) {
  Tree(c).FullCollapse();
  return None();
}
Variant TreeFullExpand(Call& c) {
  Tree(c).FullExpand();
  return None();
}
Variant TreeItems(Call& c) { return Object(Tree(c).Items()); }
Variant TreeSelected(Call& c) { return Object(Tree(c).Selected()); }
Variant TreeSetSelected(Call& c) {
  Tree(c).SetSelected(ValueAs<gui::TTreeNode>(*c.Value));
  return None();
}
Variant TreeTopItem(Call& c) { return Object(Tree(c).TopItem()); }
Variant TreeSetTopItem(Call& c) {
  Tree(c).SetTopItem(ValueAs<gui::TTreeNode>(*c.Value));
  return None();
}
const TfsClassMethod kTreeViewMethods[] = {
    {"procedure FullCollapse", &TreeFullCollapse},
    {"procedure FullExpand", &TreeFullExpand},
};
const TfsClassProperty kTreeViewProperties[] = {
    {"Items", "TTreeNodes", &TreeItems},
    {"Selected", "TTreeNode", &TreeSelected, &TreeSetSelected},
    {"TopItem", "TTreeNode", &TreeTopItem, &TreeSetTopItem},
};

// TListColumns, TListItem, TListItems ---------------------------------------------------------

Variant ColumnsAdd(Call& c) { return Object(c.Self<gui::TListColumns>().Add()); }
Variant ColumnsGet(Call& c) { return Object(c.Self<gui::TListColumns>().Items(c.Args().ArgInt(0))); }
const TfsClassMethod kListColumnsMethods[] = {{"function Add: TListColumn", &ColumnsAdd}};
const TfsClassIndexed kListColumnsIndexed[] = {{"Items", "Integer", "TListColumn", &ColumnsGet, nullptr, true}};

gui::TListItem& Item(Call& c) { return c.Self<gui::TListItem>(); }
Variant ItemDelete(Call& c) {
  Item(c).Delete();
  return None();
}
Variant ItemEditCaption(Call& c) { return Variant(Item(c).EditCaption()); }
Variant ItemCaption(Call& c) { return Text(Item(c).Caption()); }
Variant ItemSetCaption(Call& c) {
  Item(c).SetCaption(rtl::VarToStr(*c.Value));
  return None();
}
Variant ItemChecked(Call& c) { return Variant(Item(c).Checked()); }
Variant ItemSetChecked(Call& c) {
  Item(c).SetChecked(rtl::VarToBool(*c.Value));
  return None();
}
Variant ItemData(Call& c) { return Int(Item(c).Data()); }
Variant ItemSetData(Call& c) {
  Item(c).SetData(static_cast<std::intptr_t>(rtl::VarToInt64(*c.Value)));
  return None();
}
Variant ItemImageIndex(Call& c) { return Int(Item(c).ImageIndex()); }
Variant ItemSetImageIndex(Call& c) {
  Item(c).SetImageIndex(rtl::VarToInt32(*c.Value));
  return None();
}
Variant ItemSelected(Call& c) { return Variant(Item(c).Selected()); }
Variant ItemSetSelected(Call& c) {
  Item(c).SetSelected(rtl::VarToBool(*c.Value));
  return None();
}
Variant ItemStateIndex(Call& c) { return Int(Item(c).StateIndex()); }
Variant ItemSetStateIndex(Call& c) {
  Item(c).SetStateIndex(rtl::VarToInt32(*c.Value));
  return None();
}
Variant ItemSubItems(Call& c) { return Object(Item(c).SubItems()); }
Variant ItemSetSubItems(Call& c) {
  Item(c).SetSubItems(ValueAs<rtl::TStrings>(*c.Value));
  return None();
}
const TfsClassMethod kListItemMethods[] = {
    {"procedure Delete", &ItemDelete},
    {"function EditCaption: Boolean", &ItemEditCaption},
};
const TfsClassProperty kListItemProperties[] = {
    {"Caption", "String", &ItemCaption, &ItemSetCaption},
    {"Checked", "Boolean", &ItemChecked, &ItemSetChecked},
    {"Data", "Pointer", &ItemData, &ItemSetData},
    {"ImageIndex", "Integer", &ItemImageIndex, &ItemSetImageIndex},
    {"Selected", "Boolean", &ItemSelected, &ItemSetSelected},
    {"StateIndex", "Integer", &ItemStateIndex, &ItemSetStateIndex},
    {"SubItems", "TStrings", &ItemSubItems, &ItemSetSubItems},
};

gui::TListItems& Items(Call& c) { return c.Self<gui::TListItems>(); }
Variant ItemsAdd(Call& c) { return Object(Items(c).Add()); }
Variant ItemsBeginUpdate(Call& c) {
  Items(c).BeginUpdate();
  return None();
}
Variant ItemsEndUpdate(Call& c) {
  Items(c).EndUpdate();
  return None();
}
Variant ItemsClear(Call& c) {
  Items(c).Clear();
  return None();
}
Variant ItemsDelete(Call& c) {
  Items(c).Delete(c.Args().ArgInt(0));
  return None();
}
Variant ItemsCount(Call& c) { return Int(Items(c).Count()); }
Variant ItemsItem(Call& c) { return Object(Items(c).Item(c.Args().ArgInt(0))); }
const TfsClassMethod kListItemsMethods[] = {
    {"function Add: TListItem", &ItemsAdd},
    {"procedure BeginUpdate", &ItemsBeginUpdate},
    {"procedure Clear", &ItemsClear},
    {"procedure Delete(Index: Integer)", &ItemsDelete},
    {"procedure EndUpdate", &ItemsEndUpdate},
};
const TfsClassProperty kListItemsProperties[] = {{"Count", "Integer", &ItemsCount}};
const TfsClassIndexed kListItemsIndexed[] = {{"Item", "Integer", "TListItem", &ItemsItem, nullptr, true}};

// The classes ----------------------------------------------------------------------------------

const TfsClassEntry kClasses[] = {
    {&gui::TShape::StaticClassInfo, "TGraphicControl"},
    {&gui::TImage::StaticClassInfo, "TGraphicControl"},
    {&gui::TBevel::StaticClassInfo, "TGraphicControl"},
    {&gui::TSplitter::StaticClassInfo, "TGraphicControl"},
    {&gui::TSpeedButton::StaticClassInfo, "TGraphicControl"},
    {&gui::TToolButton::StaticClassInfo, "TGraphicControl"},
    {&gui::TPaintBox::StaticClassInfo, "TGraphicControl", {}, {}, {}, kPaintBoxEvents},
    {&gui::TTimer::StaticClassInfo, "TComponent", {}, {}, {}, kTimerEvents},
    {&gui::TPanel::StaticClassInfo, "TCustomControl"},
    {&gui::TBitBtn::StaticClassInfo, "TButton"},
    {&gui::TCheckListBox::StaticClassInfo, "TCustomListBox", {}, {}, kCheckListIndexed},
    {&gui::TTabControl::StaticClassInfo, "TWinControl"},
    {&gui::TStatusBar::StaticClassInfo, "TWinControl"},
    {&gui::TTrackBar::StaticClassInfo, "TWinControl"},
    {&gui::TProgressBar::StaticClassInfo, "TWinControl"},
    {&gui::TListView::StaticClassInfo, "TWinControl"},
    {&gui::TToolBar::StaticClassInfo, "TWinControl"},
    {&gui::TDateTimePicker::StaticClassInfo, "TWinControl"},
    {&gui::TMonthCalendar::StaticClassInfo, "TWinControl"},
    {&gui::TCustomRichEdit::StaticClassInfo, "TWinControl"},
    {&gui::TTabSheet::StaticClassInfo, "TWinControl", {}, kTabSheetProperties},
    {&gui::TPageControl::StaticClassInfo, "TWinControl", kPageControlMethods, kPageControlProperties, kPageControlIndexed},
    {&gui::TStatusPanel::StaticClassInfo, "TPersistent"},
    {&gui::TListColumn::StaticClassInfo, "TPersistent"},
    {&gui::TIconOptions::StaticClassInfo, "TPersistent"},
    {&gui::TMonthCalColors::StaticClassInfo, "TPersistent"},
    {&gui::TStatusPanels::StaticClassInfo, "TPersistent", kStatusPanelsMethods, {}, kStatusPanelsIndexed},
    {&gui::TTreeNode::StaticClassInfo, "TPersistent", kTreeNodeMethods, kTreeNodeProperties},
    {&gui::TTreeNodes::StaticClassInfo, "TPersistent", kTreeNodesMethods, kTreeNodesProperties, kTreeNodesIndexed},
    {&gui::TTreeView::StaticClassInfo, "TWinControl", kTreeViewMethods, kTreeViewProperties},
    {&gui::TListColumns::StaticClassInfo, "TPersistent", kListColumnsMethods, {}, kListColumnsIndexed},
    {&gui::TListItem::StaticClassInfo, "TPersistent", kListItemMethods, kListItemProperties},
    {&gui::TListItems::StaticClassInfo, "TPersistent", kListItemsMethods, kListItemsProperties, kListItemsIndexed},
    {&gui::TRichEdit::StaticClassInfo, "TCustomRichEdit"},
};

}  // namespace

TfsExtCtrlsRTTI::TfsExtCtrlsRTTI(TfsScript* script) : TfsClassLibrary(script) {
  TfsRegistry r(script);
  r.RegisterTypeName("TNumGlyphs", fvtInt);
  for (const Flags& e : kEnumerations) r.RegisterEnumeration(e.Type, e.Names);
  RegisterClasses(kClasses);
}

namespace {

const TfsRTTIModuleClass kExtCtrlsClass{"TfsExtCtrlsRTTI", moExtControls, &NewRTTIModule<TfsExtCtrlsRTTI>};
TfsRuntimeModuleRegistration gExtCtrlsRegistration(kExtCtrlsClass);

}  // namespace

}  // namespace fs
