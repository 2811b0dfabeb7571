// TList: an ordered list of untyped pointers, with the index checks and messages of
// the platform library ("List index out of bounds (%d)" as EListError). Descendants
// learn of every item that enters or leaves the list through Notify; TObjectList uses
// that to free the objects it owns.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "rtl/Object.h"

namespace rtl {

class EListError : public Exception {
public:
  explicit EListError(std::string message) : Exception(std::move(message), "EListError") {}
};

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Sort order of two items: negative, zero or positive.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
  RTL_CLASS_INFO

public:
  TList() = default;
  ~TList() override;

  int Count() const noexcept { return static_cast<int>(FList.size()); }
  // Grows with nil items or shrinks, deleting the items beyond the new count.
  void SetCount(int count);
  int Capacity() const noexcept { return FCapacity; }
  void SetCapacity(int capacity);

  void* Items(int index) const;
  void* operator[](int index) const { return Items(index); }
  void SetItems(int index, void* item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Deletes the first occurrence and returns its index (-1 when absent).
  int Remove(void* item);
  // Takes the first occurrence out without deleting it; nil when absent.
  void* Extract(void* item);
  int IndexOf(const void* item) const;
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void Clear();
  // Removes the nil items.
  void Pack();
  // Stable sort by compare.
  void Sort(const TListSortCompare& compare);
  // Grows the capacity when the list is full; returns the list.
  TList* Expand();

  const std::vector<void*>& List() const noexcept { return FList; }

  // Raises EListError with the message, %d replaced by data.
  [[noreturn]] static void Error(const char* message, int data);

protected:
  virtual void Notify(void* item, TListNotification action) {}
  void CheckIndex(int index) const {
    if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
  }

private:
  void Grow();

  std::vector<void*> FList;
  int FCapacity = 0;
};

}  // namespace rtl
