#include "rtl/List.h"

#include <algorithm>

#include "rtl/ObjectLinks.h"
#include "rtl/ScriptMemory.h"

namespace rtl {

namespace {
[[maybe_unused]] const TClassInfo& kRegistered = TList::StaticClassInfo();

// The items, held; those that are no objects are passed over by the receiver.
const TObjectLinksRegistration kLinks(TList::StaticClassInfo(), [](const TObject& object, TObjectLinks& links) {
  for (void* item : static_cast<const TList&>(object).List())
    if (item) links.HoldsAddress(item, false);
});
// Beyond this no list can grow (the platform library's bound for pointer lists).
constexpr int kMaxListSize = 0x7FFFFFFF / 16;
}  // namespace

const TClassInfo& TList::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TList>("TList", &TObject::StaticClassInfo());
  return info;
}

TList::~TList() { Clear(); }

void TList::Error(const char* message, int data) {
  std::string text(message);
  auto at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(data));
  throw EListError(std::move(text));
}

void TList::Grow() {
  int delta = FCapacity > 64 ? FCapacity / 4 : (FCapacity > 8 ? 16 : 4);
  SetCapacity(FCapacity + delta);
}

TList* TList::Expand() {
  if (Count() == FCapacity) Grow();
  return this;
}

void TList::SetCapacity(int capacity) {
  if (capacity < Count() || capacity > kMaxListSize) Error("List capacity out of bounds (%d)", capacity);
  if (capacity == FCapacity) return;
  // The items' storage counts against the running script's memory limit.
  ScriptStorageResize(this, static_cast<std::size_t>(FCapacity) * sizeof(void*),
                      static_cast<std::size_t>(capacity) * sizeof(void*));
  if (capacity < FCapacity) {
    std::vector<void*> smaller;
    smaller.reserve(static_cast<std::size_t>(capacity));
    smaller.assign(FList.begin(), FList.end());
    FList.swap(smaller);
  } else {
    FList.reserve(static_cast<std::size_t>(capacity));
  }
  FCapacity = capacity;
}

void TList::SetCount(int count) {
  if (count < 0 || count > kMaxListSize) Error("List count out of bounds (%d)", count);
  if (count > FCapacity) SetCapacity(count);
  if (count > Count())
    FList.resize(static_cast<std::size_t>(count), nullptr);
  else
    // One at a time from the end: a notification may change the list.
    while (Count() > count) Delete(Count() - 1);
}

void* TList::Items(int index) const {
  CheckIndex(index);
  return FList[static_cast<std::size_t>(index)];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index);
  void* old = FList[static_cast<std::size_t>(index)];
  if (old == item) return;
  FList[static_cast<std::size_t>(index)] = item;
  if (old) Notify(old, lnDeleted);
  if (item) Notify(item, lnAdded);
}

int TList::Add(void* item) {
  int index = Count();
  if (index == FCapacity) Grow();
  FList.push_back(item);
  if (item) Notify(item, lnAdded);
  return index;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) Error("List index out of bounds (%d)", index);
  if (Count() == FCapacity) Grow();
  FList.insert(FList.begin() + index, item);
  if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
  CheckIndex(index);
  void* item = FList[static_cast<std::size_t>(index)];
  FList.erase(FList.begin() + index);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  int index = IndexOf(item);
  if (index < 0) return nullptr;
  void* found = FList[static_cast<std::size_t>(index)];
  FList.erase(FList.begin() + index);
  if (found) Notify(found, lnExtracted);
  return found;
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(FList.begin(), FList.end(), item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(FList[static_cast<std::size_t>(index1)], FList[static_cast<std::size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  auto cur = FList.begin() + curIndex;
  auto dest = FList.begin() + newIndex;
  if (curIndex < newIndex)
    std::rotate(cur, cur + 1, dest + 1);
  else
    std::rotate(dest, cur, cur + 1);
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TList::Pack() { FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end()); }

void TList::Sort(const TListSortCompare& compare) {
  if (Count() < 2) return;
  std::stable_sort(FList.begin(), FList.end(), [&compare](void* a, void* b) { return compare(a, b) < 0; });
}

}  // namespace rtl
