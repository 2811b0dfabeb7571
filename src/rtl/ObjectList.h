// TObjectList: a TList of objects that, when it owns them (the default), frees every
// object that is deleted from it, replaced in it or left in it when it is cleared or
// freed. Extract hands an object out without freeing it.
#pragma once

#include "rtl/List.h"

namespace rtl {

class TObjectList : public TList {
  RTL_CLASS_INFO

public:
  TObjectList() = default;
  explicit TObjectList(bool ownsObjects) : FOwnsObjects(ownsObjects) {}
  ~TObjectList() override;

  bool OwnsObjects() const noexcept { return FOwnsObjects; }
  void SetOwnsObjects(bool value) noexcept { FOwnsObjects = value; }

  TObject* Items(int index) const { return static_cast<TObject*>(TList::Items(index)); }
  TObject* operator[](int index) const { return Items(index); }
  void SetItems(int index, TObject* item) { TList::SetItems(index, item); }
  TObject* First() const { return Items(0); }
  TObject* Last() const { return Items(Count() - 1); }

  int Add(TObject* item) { return TList::Add(item); }
  void Insert(int index, TObject* item) { TList::Insert(index, item); }
  int Remove(TObject* item) { return TList::Remove(item); }
  TObject* Extract(TObject* item) { return static_cast<TObject*>(TList::Extract(item)); }
  int IndexOf(const TObject* item) const { return TList::IndexOf(item); }
  // Index of the first object of class c (or derived from it when exact is false),
  // searching from startAt; -1 when there is none.
  int FindInstanceOf(TClass c, bool exact = true, int startAt = 0) const;

protected:
  void Notify(void* item, TListNotification action) override;

private:
  bool FOwnsObjects = true;
};

}  // namespace rtl
