// The list view: items with a caption and sub-items, shown as icons, a list, or a
// report with columns. The items and columns are the toolkit's; the system's list
// view shows them and reports the user's selection and check boxes.
#pragma once

#include <functional>
#include <vector>

#include "gui/Controls.h"
#include "gui/ImgList.h"
#include "gui/StdCtrls.h"
#include "rtl/StringList.h"

namespace gui {

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
const rtl::TEnumInfo& ViewStyleTypeInfo();
enum TSortType { stNone, stData, stText, stBoth };
const rtl::TEnumInfo& SortTypeTypeInfo();
enum TIconArrangement { iaTop, iaLeft };
const rtl::TEnumInfo& IconArrangementTypeInfo();
enum TListArrangement { arAlignBottom, arAlignLeft, arAlignRight, arAlignTop, arDefault, arSnapToGrid };
const rtl::TEnumInfo& ListArrangementTypeInfo();

class TListView;
class TListColumns;
class TListItems;

class TListColumn : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  explicit TListColumn(TListColumns* owner = nullptr) : FOwner(owner) {}
  void Assign(const rtl::TPersistent* source) override;
  const rtl::AnsiString& Caption() const noexcept { return FCaption; }
  void SetCaption(const rtl::AnsiString& v) { FCaption = v; Changed(); }
  int Width() const noexcept { return FWidth; }
  void SetWidth(int v) { FWidth = v < 0 ? 0 : v; Changed(); }
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment v) { FAlignment = v; Changed(); }
  int Index() const;

private:
  friend class TListColumns;
  void Changed();
  TListColumns* FOwner;
  rtl::AnsiString FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  explicit TListColumns(TListView* owner = nullptr) : FOwner(owner) {}
  ~TListColumns() override;
  void Assign(const rtl::TPersistent* source) override;
  TListColumn* Add();
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TListColumn* Items(int index) const;
  void Delete(int index);
  void Clear();
  TListView* Owner() const noexcept { return FOwner; }

private:
  friend class TListColumn;
  friend class TListView;
  void Changed();
  TListView* FOwner;
  std::vector<TListColumn*> FItems;
};

class TListItem : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  explicit TListItem(TListItems* owner = nullptr);
  ~TListItem() override;
  void Assign(const rtl::TPersistent* source) override;
  const rtl::AnsiString& Caption() const noexcept { return FCaption; }
  void SetCaption(const rtl::AnsiString& v);
  // The texts of the report view's further columns.
  rtl::TStrings* SubItems() const noexcept { return FSubItems; }
  void SetSubItems(rtl::TStrings* v) { FSubItems->Assign(v); }
  bool Checked() const noexcept { return FChecked; }
  void SetChecked(bool v);
  bool Selected() const;
  void SetSelected(bool v);
  int ImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(int v) { FImageIndex = v; Changed(); }
  int StateIndex() const noexcept { return FStateIndex; }
  void SetStateIndex(int v) { FStateIndex = v; Changed(); }
  std::intptr_t Data() const noexcept { return FData; }
  void SetData(std::intptr_t v);
  int Index() const;
  void Delete();
  // Turns the caption into an edit box in place, where the user types: Enter or
  // leaving the box keeps the new caption (set as by SetCaption), Escape the old one.
  // False when editing does not start: no list view, a read-only one, or one not
  // showing.
  bool EditCaption();
  TListItems* Owner() const noexcept { return FOwner; }
  TListView* ListView() const;

private:
  friend class TListItems;
  friend class TListView;
  void Changed();
  TListItems* FOwner;
  rtl::AnsiString FCaption;
  rtl::TStringList* FSubItems;
  bool FChecked = false;
  int FImageIndex = -1, FStateIndex = -1;
  std::intptr_t FData = 0;
};

class TListItems : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  explicit TListItems(TListView* owner = nullptr) : FOwner(owner) {}
  ~TListItems() override;
  void Assign(const rtl::TPersistent* source) override;
  TListItem* Add();
  TListItem* Insert(int index);
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  // Raises the list-index error outside 0 .. Count - 1.
  TListItem* Item(int index) const;
  void Delete(int index);
  void Clear();
  int IndexOf(const TListItem* item) const;
  // Changes between these are shown at the last EndUpdate.
  void BeginUpdate() noexcept { ++FUpdating; }
  void EndUpdate();
  TListView* Owner() const noexcept { return FOwner; }

private:
  friend class TListItem;
  friend class TListView;
  void Changed();
  TListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdating = 0;
};

class TIconOptions : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  void Assign(const rtl::TPersistent* source) override;
  TIconArrangement Arrangement() const noexcept { return FArrangement; }
  void SetArrangement(TIconArrangement v) noexcept { FArrangement = v; }
  bool AutoArrange() const noexcept { return FAutoArrange; }
  void SetAutoArrange(bool v) noexcept { FAutoArrange = v; }
  bool WrapText() const noexcept { return FWrapText; }
  void SetWrapText(bool v) noexcept { FWrapText = v; }

private:
  TIconArrangement FArrangement = iaTop;
  bool FAutoArrange = false, FWrapText = true;
};

using TLVSelectItemEvent = std::function<void(rtl::TObject* Sender, TListItem* Item, bool Selected)>;

class TListView : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TListView(rtl::TComponent* owner = nullptr);
  ~TListView() override;
  TListColumns* Columns() const noexcept { return FColumns; }
  void SetColumns(TListColumns* v) { FColumns->Assign(v); }
  TListItems* Items() const noexcept { return FItems; }
  void SetItems(TListItems* v) { FItems->Assign(v); }
  TIconOptions* IconOptions() const noexcept { return FIconOptions; }
  void SetIconOptions(TIconOptions* v) { FIconOptions->Assign(v); }
  TViewStyle ViewStyle() const noexcept { return FViewStyle; }
  void SetViewStyle(TViewStyle v) { FViewStyle = v; StyleChanged(); }
  bool Checkboxes() const noexcept { return FCheckboxes; }
  void SetCheckboxes(bool v) { FCheckboxes = v; StyleChanged(); ItemsChanged(); }
  bool RowSelect() const noexcept { return FRowSelect; }
  void SetRowSelect(bool v) { FRowSelect = v; StyleChanged(); }
  bool GridLines() const noexcept { return FGridLines; }
  void SetGridLines(bool v) { FGridLines = v; StyleChanged(); }
  bool ReadOnly() const noexcept { return FReadOnly; }
  // A read-only list view refuses in-place editing, by code and by the user's clicks.
  void SetReadOnly(bool v) { FReadOnly = v; StyleChanged(); }
  bool HideSelection() const noexcept { return FHideSelection; }
  void SetHideSelection(bool v) { FHideSelection = v; StyleChanged(); }
  // Items are kept in order of their captions (stText), their data (stData), or data
  // then captions (stBoth).
  TSortType SortType() const noexcept { return FSortType; }
  void SetSortType(TSortType v);
  TImageList* SmallImages() const noexcept { return FSmallImages; }
  void SetSmallImages(TImageList* v);
  TListItem* Selected() const noexcept { return FSelected; }
  void SetSelected(TListItem* item);
  int ItemIndex() const { return FSelected ? FSelected->Index() : -1; }
  void SetItemIndex(int index);
  const TLVSelectItemEvent& OnSelectItem() const noexcept { return FOnSelectItem; }
  void SetOnSelectItem(TLVSelectItemEvent h) { FOnSelectItem = std::move(h); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::ListView; }
  platform::PeerStyle PeerStyle() const override;
  void PeerCreated() override;
  void PeerChanged() override;
  void PeerItemChecked(int index, bool checked) override;
  bool PeerLabelEditing(std::intptr_t item) override;
  void PeerLabelEdited(std::intptr_t item, bool accepted, const std::string& text) override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

private:
  friend class TListItems;
  friend class TListItem;
  friend class TListColumns;
  void ColumnsChanged();
  void ItemsChanged();
  void Sort();
  void ChangeSelection(TListItem* item);
  TListColumns* FColumns;
  TListItems* FItems;
  TIconOptions* FIconOptions;
  TViewStyle FViewStyle = vsIcon;
  bool FCheckboxes = false, FRowSelect = false, FGridLines = false, FReadOnly = false, FHideSelection = true;
  TSortType FSortType = stNone;
  TImageList* FSmallImages = nullptr;
  TListItem* FSelected = nullptr;
  // The item whose caption is being edited: its index may change meanwhile (sorting).
  TListItem* FEditing = nullptr;
  bool FSorting = false;
  TLVSelectItemEvent FOnSelectItem;
};

}  // namespace gui
