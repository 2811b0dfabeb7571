#include "rtl/StringList.h"

#include <algorithm>
#include <new>
#include <numeric>

#include "rtl/CodePage.h"
#include "rtl/LongWork.h"
#include "rtl/ObjectLinks.h"
#include "rtl/ScriptMemory.h"
#include "rtl/TextSearch.h"

namespace rtl {

namespace {
[[maybe_unused]] const TClassInfo& kRegistered = TStringList::StaticClassInfo();

// With OwnsObjects the entries' objects are owned.
const TObjectLinksRegistration kLinks(TStringList::StaticClassInfo(), [](const TObject& object, TObjectLinks& links) {
  const auto& list = static_cast<const TStringList&>(object);
  if (!list.OwnsObjects()) return;
  const int n = list.Count();
  for (int i = 0; i < n; ++i)
    if (TObject* o = list.Objects(i)) links.Holds(o, true);
});
constexpr const char* kSortedListError = "Operation not allowed on sorted list";
constexpr const char* kIndexError = "List index out of bounds (%d)";
}  // namespace

const TEnumInfo& DuplicatesTypeInfo() {
  static const TEnumInfo info{"TDuplicates", {"dupIgnore", "dupAccept", "dupError"}};
  return info;
}

const TClassInfo& TStringList::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStringList>("TStringList", &TStrings::StaticClassInfo());
  return info;
}

TStringList::~TStringList() {
  FOnChange = nullptr;
  FOnChanging = nullptr;
  std::vector<TStringItem> items;
  items.swap(FList);
  ScriptStorageResize(this, items.capacity() * sizeof(TStringItem), 0);
  if (FOwnsObjects)
    for (auto& item : items) {
      try {
        FreeObject(item.FObject);
      } catch (...) {
      }
    }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && FOnChanging) FOnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && FOnChange) FOnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

AnsiString TStringList::Get(int index) const {
  CheckIndex(index);
  return FList[static_cast<std::size_t>(index)].FString;
}

void TStringList::Put(int index, const AnsiString& s) {
  if (FSorted) Error(kSortedListError);
  CheckIndex(index);
  Changing();
  FList[static_cast<std::size_t>(index)].FString = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return FList[static_cast<std::size_t>(index)].FObject;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  TObject*& slot = FList[static_cast<std::size_t>(index)].FObject;
  TObject* old = slot;
  slot = object;
  if (FOwnsObjects && old != object) FreeObject(old);
  Changed();
}

int TStringList::Add(const AnsiString& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const AnsiString& s, TObject* object) {
  int index = Count();
  if (FSorted && Find(s.view(), index)) {
    switch (FDuplicates) {
      case dupIgnore: return index;
      case dupError: Error("String list does not allow duplicates");
      case dupAccept: break;
    }
  }
  InsertItem(index, s, object);
  return index;
}

void TStringList::Insert(int index, const AnsiString& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const AnsiString& s, TObject* object) {
  if (FSorted) Error(kSortedListError);
  if (index < 0 || index > Count()) Error(kIndexError, index);
  InsertItem(index, s, object);
}

// Inserting and deleting move the lines after the place: a whole text set into a sorted
// list moves lines for each of its lines, and that work counts (LongWork).
void TStringList::InsertItem(int index, const AnsiString& s, TObject* object) {
  LongWorkDone(FList.size() - static_cast<std::size_t>(index) + 1);
  Changing();
  // The entries' storage counts against the running script's memory limit: a full
  // vector doubles, and what it is about to take is charged first.
  const std::size_t had = FList.capacity();
  const std::size_t next = FList.size() == had ? std::max<std::size_t>(had * 2, 1) : had;
  ScriptStorageResize(this, had * sizeof(TStringItem), next * sizeof(TStringItem));
  FList.insert(FList.begin() + index, TStringItem{s, object});
  ScriptStorageResize(this, next * sizeof(TStringItem), FList.capacity() * sizeof(TStringItem));
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  LongWorkDone(FList.size() - static_cast<std::size_t>(index));
  Changing();
  TObject* object = FList[static_cast<std::size_t>(index)].FObject;
  FList.erase(FList.begin() + index);
  if (FOwnsObjects) FreeObject(object);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  // Out of the list first: an object's destruction may look at the list.
  std::vector<TStringItem> items;
  items.swap(FList);
  ScriptStorageResize(this, items.capacity() * sizeof(TStringItem), 0);
  if (FOwnsObjects)
    for (auto& item : items) FreeObject(item.FObject);
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(index1)], FList[static_cast<std::size_t>(index2)]);
  Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  // Checked before anything moves, so a refused move loses no line.
  if (FSorted) Error(kSortedListError);
  Changing();
  auto cur = FList.begin() + curIndex;
  auto dest = FList.begin() + newIndex;
  if (curIndex < newIndex)
    std::rotate(cur, cur + 1, dest + 1);
  else
    std::rotate(dest, cur, cur + 1);
  Changed();
}

void TStringList::SetCapacity(int capacity) {
  if (capacity < Count()) Error("List capacity out of bounds (%d)", capacity);
  const std::size_t had = FList.capacity();
  if (static_cast<std::size_t>(capacity) > had) {
    ScriptStorageResize(this, had * sizeof(TStringItem), static_cast<std::size_t>(capacity) * sizeof(TStringItem));
    FList.reserve(static_cast<std::size_t>(capacity));
  } else if (static_cast<std::size_t>(capacity) < had) {
    std::vector<TStringItem> smaller;
    smaller.reserve(static_cast<std::size_t>(capacity));
    std::move(FList.begin(), FList.end(), std::back_inserter(smaller));
    FList.swap(smaller);
  }
  ScriptStorageResize(this, std::max(had, static_cast<std::size_t>(capacity)) * sizeof(TStringItem),
                      FList.capacity() * sizeof(TStringItem));
}

int TStringList::IndexOf(std::string_view s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int index = 0;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
  bool found = false;
  int low = 0;
  int high = Count() - 1;
  while (low <= high) {
    int mid = low + (high - low) / 2;
    int c = CompareStrings(FList[static_cast<std::size_t>(mid)].FString.view(), s);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) low = mid;
      }
    }
  }
  index = low;
  return found;
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  return FCaseSensitive ? CompareExact(a, b) : CompareIgnoringCase(a, b);
}

void TStringList::Sort() {
  if (FSorted || Count() < 2) return;
  Changing();
  const std::vector<int> order = SortedOrder();
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(std::move(FList[static_cast<std::size_t>(i)]));
  FList.swap(sorted);
  Changed();
}

// A three-way radix quicksort on the characters as CompareStrings sees them: each
// step looks at one character position of a group of lines, so a long start that
// lines share is read once per line rather than once per comparison, and a start that
// a whole group shares byte for byte is passed over a block at a time. Lines that
// compare equal keep their order, as in a stable sort.
std::vector<int> TStringList::SortedOrder() const {
  struct Line {
    std::string_view Text;
    int Index;
  };
  std::vector<Line> lines(FList.size());
  // Two-byte characters fold only as whole texts: then the folded copies are sorted.
  std::vector<AnsiString> folded;
  const bool foldBytes = !FCaseSensitive && ProcessCodePageIsSingleByte();
  if (!FCaseSensitive && !foldBytes) {
    folded.reserve(FList.size());
    for (const TStringItem& item : FList) {
      try {
        folded.push_back(AnsiUpperCase(item.FString.view()));
      } catch (const std::bad_alloc&) {
        throw;
      } catch (...) {
        folded.push_back(item.FString);
      }
      LongWorkDone(item.FString.Length());
    }
  }
  for (std::size_t i = 0; i < lines.size(); ++i)
    lines[i] = {folded.empty() ? FList[i].FString.view() : folded[i].view(), static_cast<int>(i)};
  unsigned char map[256];
  for (int c = 0; c < 256; ++c) map[c] = static_cast<unsigned char>(foldBytes ? AnsiUpperChar(static_cast<char>(c)) : c);
  // The character at depth, or -1 past the end (shorter lines sort first).
  auto key = [&](const Line& line, std::size_t depth) -> int {
    return depth < line.Text.size() ? map[static_cast<unsigned char>(line.Text[depth])] : -1;
  };
  struct Group {
    std::size_t Lo, Hi, Depth;
  };
  std::vector<Group> groups{{0, lines.size(), 0}};
  while (!groups.empty()) {
    Group g = groups.back();
    groups.pop_back();
    if (g.Hi - g.Lo < 2) continue;
    // What every line of the group has in common byte for byte needs no partitioning.
    const std::string_view first = lines[g.Lo].Text;
    std::size_t common = first.size() > g.Depth ? first.size() - g.Depth : 0;
    for (std::size_t i = g.Lo + 1; i < g.Hi && common > 0; ++i) {
      const std::string_view t = lines[i].Text;
      const std::size_t n = t.size() > g.Depth ? CommonPrefixLength(first.substr(g.Depth, common), t.substr(g.Depth)) : 0;
      LongWorkDone(n + 1);
      common = std::min(common, n);
    }
    g.Depth += common;
    // Median of three as the pivot.
    int a = key(lines[g.Lo], g.Depth), b = key(lines[g.Lo + (g.Hi - g.Lo) / 2], g.Depth), c = key(lines[g.Hi - 1], g.Depth);
    const int pivot = std::max(std::min(a, b), std::min(std::max(a, b), c));
    std::size_t lt = g.Lo, gt = g.Hi, i = g.Lo;
    while (i < gt) {
      const int k = key(lines[i], g.Depth);
      if (k < pivot)
        std::swap(lines[lt++], lines[i++]);
      else if (k > pivot)
        std::swap(lines[i], lines[--gt]);
      else
        ++i;
    }
    LongWorkDone(g.Hi - g.Lo);
    groups.push_back({g.Lo, lt, g.Depth});
    groups.push_back({gt, g.Hi, g.Depth});
    if (pivot >= 0)
      groups.push_back({lt, gt, g.Depth + 1});
    else
      std::sort(lines.begin() + static_cast<std::ptrdiff_t>(lt), lines.begin() + static_cast<std::ptrdiff_t>(gt),
                [](const Line& x, const Line& y) { return x.Index < y.Index; });
  }
  std::vector<int> order(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) order[i] = lines[i].Index;
  return order;
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (FSorted || Count() < 2) return;
  SortItems(compare);
}

void TStringList::SortItems(const TStringListSortCompare& compare) {
  Changing();
  // The comparison sees the list unchanged while the order is worked out.
  std::vector<int> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(FList[static_cast<std::size_t>(i)]);
  FList.swap(sorted);
  ScriptStorageResize(this, sorted.capacity() * sizeof(TStringItem), FList.capacity() * sizeof(TStringItem));
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (FSorted == value) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (FCaseSensitive == value) return;
  FCaseSensitive = value;
  if (FSorted) {
    FSorted = false;
    Sort();
    FSorted = true;
  }
}

}  // namespace rtl
