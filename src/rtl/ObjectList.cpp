#include "rtl/ObjectList.h"

#include "rtl/ObjectLinks.h"

namespace rtl {

namespace {
[[maybe_unused]] const TClassInfo& kRegistered = TObjectList::StaticClassInfo();

// With OwnsObjects the items are owned.
const TObjectLinksRegistration kLinks(TObjectList::StaticClassInfo(), [](const TObject& object, TObjectLinks& links) {
  const auto& list = static_cast<const TObjectList&>(object);
  if (!list.OwnsObjects()) return;
  for (void* item : list.List())
    if (item) links.HoldsAddress(item, true);
});
}

const TClassInfo& TObjectList::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TObjectList>("TObjectList", &TList::StaticClassInfo());
  return info;
}

// Cleared here, while Notify still frees: TList's destructor no longer reaches it.
TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* item, TListNotification action) {
  if (FOwnsObjects && action == lnDeleted) FreeObject(static_cast<TObject*>(item));
  TList::Notify(item, action);
}

int TObjectList::FindInstanceOf(TClass c, bool exact, int startAt) const {
  for (int i = startAt < 0 ? 0 : startAt; i < Count(); ++i) {
    TObject* o = Items(i);
    if (!o) continue;
    if (exact ? &o->ClassInfo() == c : o->ClassInfo().InheritsFrom(c)) return i;
  }
  return -1;
}

}  // namespace rtl
