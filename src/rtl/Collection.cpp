#include "rtl/Collection.h"

#include <algorithm>

#include "rtl/ObjectLinks.h"

namespace rtl {

namespace {
[[maybe_unused]] const TClassInfo& kItem = TCollectionItem::StaticClassInfo();
[[maybe_unused]] const TClassInfo& kCollection = TCollection::StaticClassInfo();

// Items are owned by their collection.
const TObjectLinksRegistration kItemLinks(TCollectionItem::StaticClassInfo(),
                                          [](const TObject& object, TObjectLinks& links) {
                                            const auto& item = static_cast<const TCollectionItem&>(object);
                                            if (item.Collection()) links.HeldBy(item.Collection());
                                          });
const TObjectLinksRegistration kCollectionLinks(TCollection::StaticClassInfo(),
                                                [](const TObject& object, TObjectLinks& links) {
                                                  const auto& collection = static_cast<const TCollection&>(object);
                                                  for (int i = 0; i < collection.Count(); ++i)
                                                    links.Holds(collection.Items(i), true);
                                                });
}  // namespace

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClassInfo());
  return info;
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCollection>("TCollection", &TPersistent::StaticClassInfo());
  return info;
}

// TCollectionItem -------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

// TCollection -----------------------------------------------------------------------------

TCollection::TCollection() : FItemClass(&TCollectionItem::StaticClassInfo()) {}

TCollection::TCollection(TClass itemClass) : FItemClass(itemClass) {
  if (!FItemClass || !FItemClass->InheritsFrom(TCollectionItem::StaticClassInfo())) throw EInvalidCast();
}

TCollection::~TCollection() { Clear(); }

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
  return FItems[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TObject* object = FItemClass->NewInstance();
  auto* item = static_cast<TCollectionItem*>(object);
  item->SetCollection(this);
  try {
    item->AfterConstruction();
  } catch (...) {
    FreeObject(item);
    throw;
  }
  return item;
}

void TCollection::Clear() {
  while (!FItems.empty()) FreeObject(FItems.back());
}

void TCollection::Delete(int index) { FreeObject(Items(index)); }

int TCollection::IndexOf(const TCollectionItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TCollection::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  Clear();
  for (TCollectionItem* item : other->FItems) {
    Add()->Assign(item);
  }
}

void TCollection::InsertItem(TCollectionItem* item) {
  FItems.push_back(item);
  item->FCollection = this;
  item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it != FItems.end()) FItems.erase(it);
  item->FCollection = nullptr;
}

}  // namespace rtl
