// TCollection: a list of items of one class (TCollectionItem or a descendant) that it
// makes, owns and frees. An item knows its collection and leaves it when it is freed,
// so an item may be freed on its own as well as with its collection.
#pragma once

#include <vector>

#include "rtl/List.h"
#include "rtl/Persistent.h"

namespace rtl {

class TCollection;

class TCollectionItem : public TPersistent {
  RTL_CLASS_INFO

public:
  TCollectionItem() = default;
  explicit TCollectionItem(TCollection* collection);
  // Leaves the collection.
  ~TCollectionItem() override;

  TCollection* Collection() const noexcept { return FCollection; }
  // Moves the item to another collection (nil: to none).
  void SetCollection(TCollection* collection);
  // Position in the collection; -1 without one.
  int Index() const;
  // A number unique within the collection, given when the item joined it.
  int ID() const noexcept { return FID; }

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
  RTL_CLASS_INFO

public:
  // A collection of TCollectionItem.
  TCollection();
  // A collection of itemClass, which must be TCollectionItem or derive from it.
  explicit TCollection(TClass itemClass);
  // Frees the items.
  ~TCollection() override;

  TClass ItemClass() const noexcept { return FItemClass; }
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  // EListError "List index out of bounds (%d)" outside 0 .. Count - 1.
  TCollectionItem* Items(int index) const;
  // A new item of the item class at the end.
  TCollectionItem* Add();
  // Frees every item.
  void Clear();
  // Frees the item at index.
  void Delete(int index);
  int IndexOf(const TCollectionItem* item) const;
  // From another collection: as many items, each assigned from its counterpart.
  void Assign(const TPersistent* source) override;

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
};

}  // namespace rtl
