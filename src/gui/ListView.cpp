#include "gui/ListView.h"

#include <algorithm>

#include "gui/GuiErrors.h"
#include "gui/GuiTexts.h"
#include "gui/Published.h"
#include "rtl/StringRoutines.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {
    &TListColumn::StaticClassInfo(), &TListColumns::StaticClassInfo(), &TListItem::StaticClassInfo(),
    &TListItems::StaticClassInfo(), &TIconOptions::StaticClassInfo(), &TListView::StaticClassInfo()};

[[noreturn]] void IndexError(int index) { throw rtl::EListError(Format(texts::ListIndexError, index)); }
}  // namespace

const TEnumInfo& ViewStyleTypeInfo() {
  static const TEnumInfo info{"TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}};
  return info;
}
const TEnumInfo& SortTypeTypeInfo() {
  static const TEnumInfo info{"TSortType", {"stNone", "stData", "stText", "stBoth"}};
  return info;
}
const TEnumInfo& IconArrangementTypeInfo() {
  static const TEnumInfo info{"TIconArrangement", {"iaTop", "iaLeft"}};
  return info;
}
const TEnumInfo& ListArrangementTypeInfo() {
  static const TEnumInfo info{"TListArrangement", {"arAlignBottom", "arAlignLeft", "arAlignRight", "arAlignTop", "arDefault", "arSnapToGrid"}};
  return info;
}

// ---- TListColumn, TListColumns

const TClassInfo& TListColumn::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TListColumn>("TListColumn", &rtl::TPersistent::StaticClassInfo())
                                     .Abstract()
                                     .Enum("Alignment", AlignmentTypeInfo(), &TListColumn::Alignment, &TListColumn::SetAlignment)
                                     .Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
                                     .Property("Width", &TListColumn::Width, &TListColumn::SetWidth);
  return info;
}

void TListColumn::Assign(const rtl::TPersistent* source) {
  if (const auto* c = dynamic_cast<const TListColumn*>(source)) {
    FCaption = c->FCaption, FWidth = c->FWidth, FAlignment = c->FAlignment;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

int TListColumn::Index() const {
  if (!FOwner) return -1;
  return static_cast<int>(std::find(FOwner->FItems.begin(), FOwner->FItems.end(), this) - FOwner->FItems.begin());
}

void TListColumn::Changed() {
  if (FOwner) FOwner->Changed();
}

const TClassInfo& TListColumns::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TListColumns>("TListColumns", &rtl::TPersistent::StaticClassInfo()).Abstract().Property("Count", &TListColumns::Count);
  return info;
}

TListColumns::~TListColumns() {
  for (TListColumn* c : FItems) rtl::FreeObject(c);
}

void TListColumns::Assign(const rtl::TPersistent* source) {
  if (const auto* other = dynamic_cast<const TListColumns*>(source)) {
    Clear();
    for (const TListColumn* c : other->FItems) Add()->Assign(c);
    return;
  }
  TPersistent::Assign(source);
}

TListColumn* TListColumns::Add() {
  auto* c = rtl::CreateObject<TListColumn>(this);
  FItems.push_back(c);
  Changed();
  return c;
}

TListColumn* TListColumns::Items(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return FItems[static_cast<std::size_t>(index)];
}

void TListColumns::Delete(int index) {
  TListColumn* c = Items(index);
  FItems.erase(FItems.begin() + index);
  rtl::FreeObject(c);
  Changed();
}

void TListColumns::Clear() {
  for (TListColumn* c : FItems) rtl::FreeObject(c);
  FItems.clear();
  Changed();
}

void TListColumns::Changed() {
  if (FOwner) FOwner->ColumnsChanged();
}

// ---- TListItem

const TClassInfo& TListItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TListItem>("TListItem", &rtl::TPersistent::StaticClassInfo())
                                     .Abstract()
                                     .Property("Caption", &TListItem::Caption, &TListItem::SetCaption)
                                     .Property("Checked", &TListItem::Checked, &TListItem::SetChecked)
                                     .Property("Data", &TListItem::Data, &TListItem::SetData).TypeName("Pointer")
                                     .Property("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex).TypeName("TImageIndex")
                                     .Property("Index", &TListItem::Index)
                                     .Property("Selected", &TListItem::Selected, &TListItem::SetSelected)
                                     .Property("StateIndex", &TListItem::StateIndex, &TListItem::SetStateIndex)
                                     .Property("SubItems", &TListItem::SubItems, &TListItem::SetSubItems);
  return info;
}

TListItem::TListItem(TListItems* owner) : FOwner(owner), FSubItems(rtl::CreateObject<rtl::TStringList>()) {
  FSubItems->SetOnChange([this](rtl::TObject*) { Changed(); });
}

TListItem::~TListItem() { rtl::FreeObject(FSubItems); }

void TListItem::Assign(const rtl::TPersistent* source) {
  if (const auto* i = dynamic_cast<const TListItem*>(source)) {
    FCaption = i->FCaption, FChecked = i->FChecked, FImageIndex = i->FImageIndex, FStateIndex = i->FStateIndex;
    FData = i->FData;
    FSubItems->Assign(i->FSubItems);
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

TListView* TListItem::ListView() const { return FOwner ? FOwner->FOwner : nullptr; }

void TListItem::SetCaption(const rtl::AnsiString& v) {
  FCaption = v;
  Changed();
}

void TListItem::SetData(std::intptr_t v) {
  FData = v;
  Changed();
}

void TListItem::SetChecked(bool v) {
  if (v == FChecked) return;
  FChecked = v;
  if (TListView* view = ListView(); view && view->Peer() && view->FCheckboxes) view->Peer()->SetItemChecked(Index(), v);
}

bool TListItem::Selected() const { return ListView() && ListView()->Selected() == this; }

void TListItem::SetSelected(bool v) {
  if (TListView* view = ListView()) {
    if (v) view->SetSelected(this);
    else if (view->Selected() == this) view->SetSelected(nullptr);
  }
}

int TListItem::Index() const { return FOwner ? FOwner->IndexOf(this) : -1; }

void TListItem::Delete() {
  if (FOwner) FOwner->Delete(Index());
}

bool TListItem::EditCaption() {
  TListView* view = ListView();
  platform::WindowPeer* peer = view ? view->Peer() : nullptr;
  // An edit box nobody can see would wait for a user that never comes; between
  // BeginUpdate and EndUpdate the window's rows are not yet the items.
  if (!peer || view->ReadOnly() || !view->Showing() || FOwner->FUpdating > 0) return false;
  return peer->EditLabel(Index());
}

void TListItem::Changed() {
  if (FOwner) FOwner->Changed();
}

// ---- TListItems

const TClassInfo& TListItems::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TListItems>("TListItems", &rtl::TPersistent::StaticClassInfo()).Abstract().Property("Count", &TListItems::Count);
  return info;
}

TListItems::~TListItems() {
  for (TListItem* i : FItems) rtl::FreeObject(i);
}

void TListItems::Assign(const rtl::TPersistent* source) {
  if (const auto* other = dynamic_cast<const TListItems*>(source)) {
    BeginUpdate();
    Clear();
    for (const TListItem* i : other->FItems) Add()->Assign(i);
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
  if (index < 0 || index > Count()) IndexError(index);
  auto* item = rtl::CreateObject<TListItem>(this);
  FItems.insert(FItems.begin() + index, item);
  Changed();
  return item;
}

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return FItems[static_cast<std::size_t>(index)];
}

int TListItems::IndexOf(const TListItem* item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TListItems::Delete(int index) {
  TListItem* item = Item(index);
  FItems.erase(FItems.begin() + index);
  if (FOwner && FOwner->FSelected == item) FOwner->FSelected = nullptr;
  if (FOwner && FOwner->FEditing == item) FOwner->FEditing = nullptr;
  rtl::FreeObject(item);
  Changed();
}

void TListItems::Clear() {
  if (FOwner) FOwner->FSelected = FOwner->FEditing = nullptr;
  for (TListItem* i : FItems) rtl::FreeObject(i);
  FItems.clear();
  Changed();
}

void TListItems::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0) Changed();
}

void TListItems::Changed() {
  if (FUpdating == 0 && FOwner) FOwner->ItemsChanged();
}

// ---- TIconOptions

const TClassInfo& TIconOptions::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TIconOptions>("TIconOptions", &rtl::TPersistent::StaticClassInfo())
          .Enum("Arrangement", IconArrangementTypeInfo(), &TIconOptions::Arrangement, &TIconOptions::SetArrangement)
          .Property("AutoArrange", &TIconOptions::AutoArrange, &TIconOptions::SetAutoArrange)
          .Property("WrapText", &TIconOptions::WrapText, &TIconOptions::SetWrapText);
  return info;
}

void TIconOptions::Assign(const rtl::TPersistent* source) {
  if (const auto* o = dynamic_cast<const TIconOptions*>(source)) {
    FArrangement = o->FArrangement, FAutoArrange = o->FAutoArrange, FWrapText = o->FWrapText;
    return;
  }
  TPersistent::Assign(source);
}

// ---- TListView

const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TListView> b("TListView", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes);
    b.Property("Columns", &TListView::Columns, &TListView::SetColumns);
    b.Property("GridLines", &TListView::GridLines, &TListView::SetGridLines);
    b.Property("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
    b.Property("IconOptions", &TListView::IconOptions, &TListView::SetIconOptions);
    b.Property("ItemIndex", &TListView::ItemIndex, &TListView::SetItemIndex);
    b.Property("Items", &TListView::Items, &TListView::SetItems);
    b.Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
    b.Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
    b.Property("Selected", &TListView::Selected, &TListView::SetSelected);
    b.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
    b.Enum("SortType", SortTypeTypeInfo(), &TListView::SortType, &TListView::SetSortType);
    b.Enum("ViewStyle", ViewStyleTypeInfo(), &TListView::ViewStyle, &TListView::SetViewStyle);
    b.Event("OnSelectItem", "TLVSelectItemEvent", &TListView::OnSelectItem, &TListView::SetOnSelectItem);
    return b;
  }();
  return info;
}

TListView::TListView(rtl::TComponent* owner)
    : TWinControl(owner),
      FColumns(rtl::CreateObject<TListColumns>(this)),
      FItems(rtl::CreateObject<TListItems>(this)),
      FIconOptions(rtl::CreateObject<TIconOptions>()) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 250, 150);
}

TListView::~TListView() {
  FSelected = FEditing = nullptr;
  // The items go before the window that shows them, and tell nobody.
  TListItems* items = FItems;
  TListColumns* columns = FColumns;
  items->FOwner = nullptr;
  columns->FOwner = nullptr;
  FItems = nullptr;
  FColumns = nullptr;
  rtl::FreeObject(items);
  rtl::FreeObject(columns);
  rtl::FreeObject(FIconOptions);
}

platform::PeerStyle TListView::PeerStyle() const {
  platform::PeerStyle s;
  s.ClientEdge = true;
  s.ViewStyle = static_cast<int>(FViewStyle);
  s.CheckBoxes = FCheckboxes;
  s.RowSelect = FRowSelect;
  s.GridLines = FGridLines;
  s.ShowSelectionAlways = !FHideSelection;
  s.ReadOnly = FReadOnly;
  return s;
}

void TListView::SetSmallImages(TImageList* v) {
  FSmallImages = v;
  if (v) v->FreeNotification(this);
}

void TListView::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == rtl::opRemove && component == FSmallImages) FSmallImages = nullptr;
}

void TListView::SetSortType(TSortType v) {
  FSortType = v;
  ItemsChanged();
}

void TListView::Sort() {
  if (FSortType == stNone || FItems->FItems.size() < 2) return;
  std::stable_sort(FItems->FItems.begin(), FItems->FItems.end(), [this](const TListItem* a, const TListItem* b) {
    if ((FSortType == stData || FSortType == stBoth) && a->Data() != b->Data()) return a->Data() < b->Data();
    if (FSortType == stText || FSortType == stBoth) return rtl::CompareText(a->Caption().view(), b->Caption().view()) < 0;
    return false;
  });
}

void TListView::ColumnsChanged() {
  if (!FPeer || !FColumns) return;
  std::vector<platform::ListColumnInfo> columns;
  for (const TListColumn* c : FColumns->FItems) columns.push_back({c->Caption().str(), c->Width(), static_cast<int>(c->Alignment())});
  FPeer->SetColumns(columns);
  ItemsChanged();
}

void TListView::ItemsChanged() {
  if (!FItems || FSorting) return;
  FSorting = true;
  Sort();
  FSorting = false;
  if (!FPeer) return;
  std::vector<platform::ListItemInfo> items;
  items.reserve(FItems->FItems.size());
  for (const TListItem* i : FItems->FItems) {
    platform::ListItemInfo info;
    info.Texts.push_back(i->Caption().str());
    for (int s = 0; s < i->SubItems()->Count(); ++s) info.Texts.push_back(i->SubItems()->Get(s).str());
    info.Image = i->ImageIndex();
    info.Checked = FCheckboxes && i->Checked();
    items.push_back(std::move(info));
  }
  FPeer->SetListItems(items);
  FPeer->SetItemIndex(ItemIndex());
}

void TListView::PeerCreated() {
  TWinControl::PeerCreated();
  ColumnsChanged();
}

void TListView::ChangeSelection(TListItem* item) {
  TListItem* old = FSelected;
  if (item == old) return;
  FSelected = item;
  if (FOnSelectItem) {
    if (old) FOnSelectItem(this, old, false);
    if (item) FOnSelectItem(this, item, true);
  }
}

void TListView::SetSelected(TListItem* item) {
  if (item && item->FOwner != FItems) throw EInvalidOperation(texts::ListItemForeign);
  if (item == FSelected) return;
  if (FPeer) FPeer->SetItemIndex(item ? item->Index() : -1);
  ChangeSelection(item);
}

void TListView::SetItemIndex(int index) { SetSelected(index >= 0 && index < FItems->Count() ? FItems->Item(index) : nullptr); }

void TListView::PeerChanged() {
  const int index = FPeer->ItemIndex();
  ChangeSelection(index >= 0 && index < FItems->Count() ? FItems->Item(index) : nullptr);
  Click();
}

void TListView::PeerItemChecked(int index, bool checked) {
  if (index >= 0 && index < FItems->Count()) FItems->Item(index)->FChecked = checked;
}

bool TListView::PeerLabelEditing(std::intptr_t item) {
  if (FReadOnly || item < 0 || item >= FItems->Count()) return false;
  FEditing = FItems->Item(static_cast<int>(item));
  return true;
}

void TListView::PeerLabelEdited(std::intptr_t, bool accepted, const std::string& text) {
  // The item edited, wherever it is now; none when it was deleted meanwhile.
  TListItem* item = FEditing;
  FEditing = nullptr;
  if (accepted && item) item->SetCaption(rtl::AnsiString(text));
}

bool TListView::WantsKey(std::uint16_t key, TShiftState shift) const {
  return (key >= VK_PRIOR && key <= VK_DOWN) || TWinControl::WantsKey(key, shift);
}

}  // namespace gui
