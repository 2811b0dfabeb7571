#include "engine/fsItemList.h"

#include <algorithm>

namespace fs {

TfsItemList::~TfsItemList() {
  // Not the virtual Clear: subclasses are gone by now.
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) delete *it;
}

void TfsItemList::Clear() {
  std::vector<TfsItemList*> items;
  items.swap(FItems);
  for (auto it = items.rbegin(); it != items.rend(); ++it) delete *it;
}

void TfsItemList::Extract(TfsItemList* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it != FItems.end()) FItems.erase(it);
}

}  // namespace fs
