#include "Public/Common/orbParamLst.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "Public/Common/orbBlockCache.h"
#include "platform/Guid.h"
#include "rtl/AllocationSize.h"
#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/SysMemory.h"
#include "rtl/VariantConvert.h"

#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif

namespace orb {

namespace {
constexpr const char* kUnit = "Public\\Common\\orbParamLst";

// The host reads and writes these objects in place: in a 32-bit process the fields sit
// at fixed offsets behind the class pointer.
#if defined(__i386__) || defined(_M_IX86)
static_assert(offsetof(TorbParamsListItem, Name) == 4);
static_assert(offsetof(TorbParamsListItem, Key) == 8);
static_assert(offsetof(TorbParamsListItem, ValueType) == 12);
static_assert(offsetof(TorbParamsListItem, State) == 16);
static_assert(offsetof(TorbParamsListItem, Value) == 24);
static_assert(offsetof(TorbParamsList, FList) == 4);
static_assert(offsetof(TorbParamsList, FCount) == 8);
static_assert(offsetof(TorbParamsList, FCapacity) == 12);
static_assert(offsetof(TorbParamsList, Signature) == 16);
static_assert(offsetof(TorbParamsList, Id) == 20);
static_assert(offsetof(TorbParamsList, RowBase) == 24);
static_assert(offsetof(TorbParamsList, ItemClass) == 28);
static_assert(offsetof(TorbRowsParamsList, FReserved) == 32);
#endif

bool IsTrimmedAway(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Lower-cases a lookup name without touching the heap for names of ordinary length.
class LowerKey {
public:
  explicit LowerKey(std::string_view name) {
    char* dst = FSmall;
    if (name.size() > sizeof FSmall) {
      FLarge.assign(name);
      dst = FLarge.data();
    } else {
      std::memcpy(FSmall, name.data(), name.size());
    }
    rtl::AnsiLowerInPlace(dst, name.size());
    FView = std::string_view(dst, name.size());
  }
  std::string_view view() const { return FView; }

private:
  char FSmall[64];
  std::string FLarge;
  std::string_view FView;
};

TorbParamsListItem* CreateItem(std::string_view name, const rtl::Variant& value) {
  return new TorbParamsListItem(name, value);
}
TorbParamsListItem* CreateItemCopy(const TorbParamsListItem& item) { return new TorbParamsListItem(&item); }
TorbParamsList* CreateList() { return new TorbParamsList(); }
TorbParamsList* CreateRowsList() { return new TorbRowsParamsList(); }
}  // namespace

const TorbParamsListItemClass TorbParamsListItem::ClassRef = {"TorbParamsListItem", &CreateItem, &CreateItemCopy};
const TorbParamsListClass TorbParamsList::ClassRef = {"TorbParamsList", &CreateList};
const TorbParamsListClass TorbRowsParamsList::ClassRef = {"TorbRowsParamsList", &CreateRowsList};

void* BoundaryObject::operator new(std::size_t size) { return rtl::sys::BoundaryAlloc(size); }
void BoundaryObject::operator delete(void* p) noexcept { rtl::sys::BoundaryFree(p); }

namespace {
// The items of a packet of about 200 000 rows of 10 variables. Blocks taken from the
// heap's own lists after a large packet cost a wait for memory each (the list runs
// through the cold blocks); the cache's do not. What it holds the process held anyway
// at the packet's peak, and it is given back to the heap at unload.
constinit TorbBlockCache gItemBlocks(sizeof(TorbParamsListItem), 2000000);
}  // namespace

void* TorbParamsListItem::operator new(std::size_t size) {
  return size == gItemBlocks.BlockSize() ? gItemBlocks.Take() : rtl::sys::BoundaryAlloc(size);
}

void TorbParamsListItem::operator delete(void* p, std::size_t size) noexcept {
  if (size == gItemBlocks.BlockSize())
    gItemBlocks.Give(p);
  else
    rtl::sys::BoundaryFree(p);
}

std::size_t TorbParamsListItem::CachedBlocks() noexcept { return gItemBlocks.CachedBlocks(); }

bool IsBlankName(std::string_view name) noexcept {
  for (char c : name)
    if (!IsTrimmedAway(c)) return false;
  return true;
}

// Items -------------------------------------------------------------------------------

TorbParamsListItem::TorbParamsListItem(std::string_view name, const rtl::Variant& value)
    : Name(name), Key(rtl::AnsiLowerCase(name)) {
  rtl::VarStoreNormalised(Value, value);
  State = value.IsEmptyOrNull() ? 0 : 2;
}

TorbParamsListItem::TorbParamsListItem(const TorbParamsListItem* item)
    : Name(item->Name), Key(item->Key), ValueType(item->ValueType), State(item->State) {
  rtl::VarStoreNormalised(Value, item->Value);
}

void TorbParamsListItem::WriteValue(const rtl::Variant& value) { rtl::VarStoreNormalised(Value, value); }

void TorbParamsListItem::Assign(const TorbParamsListItem& item) {
  Name = item.Name;
  Key = item.Key;
  ValueType = item.ValueType;
  State = item.State;
}

// Lists -------------------------------------------------------------------------------

TorbParamsList::TorbParamsList() : Id(platform::NewGuidText()) {}

TorbParamsList::~TorbParamsList() {
  // Clear is virtual, but during destruction only this class's version runs; a derived
  // list's own Clear has already been undone by its destructor.
  for (std::int32_t i = FCount - 1; i >= 0; --i) delete FList[i];
  FCount = 0;
  rtl::sys::BoundaryFree(FList);
  FList = nullptr;
  FCapacity = 0;
  Signature = 0;
}

void TorbParamsList::Clear() {
  for (std::int32_t i = FCount - 1; i >= 0; --i) {
    TorbParamsListItem* item = FList[i];
    FCount = i;
    delete item;
  }
  FCount = 0;
}

void TorbParamsList::CheckSignature() const {
  if (Signature != ParamsListSignature) rtl::AssertionFailure("Assertion failure", kUnit, __LINE__);
}

void TorbParamsList::Reserve(std::int32_t count) {
  // Counted in 64 bits: the growth steps must not wrap the 32-bit count.
  const std::int64_t needed = static_cast<std::int64_t>(FCount) + std::max<std::int32_t>(count, 0);
  std::int64_t capacity = FCapacity;
  while (capacity < needed) {
    // The pointer list's growth: small steps first, then a quarter more each time.
    capacity += capacity > 64 ? capacity / 4 : (capacity > 8 ? 16 : 4);
  }
  if (capacity == FCapacity) return;
  capacity = std::max<std::int64_t>(needed, std::min<std::int64_t>(capacity, std::numeric_limits<std::int32_t>::max()));
  if (capacity > std::numeric_limits<std::int32_t>::max()) throw rtl::EOutOfMemory();
  FList = static_cast<TorbParamsListItem**>(rtl::sys::BoundaryRealloc(
      FList, rtl::CheckedBytes(static_cast<std::size_t>(capacity), sizeof(TorbParamsListItem*))));
  FCapacity = static_cast<std::int32_t>(capacity);
}

void TorbParamsList::Append(TorbParamsListItem* item) {
  if (FCount == FCapacity) {
    try {
      Reserve(1);
    } catch (...) {
      delete item;
      throw;
    }
  }
  FList[FCount++] = item;
}

std::int32_t TorbParamsList::IndexOfName(std::string_view name, std::int32_t fromIndex, std::int32_t toIndex) const {
  CheckSignature();
  if (FCount == 0) return -1;
  const bool stopAtMarker = toIndex == -2;
  if (fromIndex < 0) fromIndex = 0;
  if (toIndex < 0 || toIndex >= FCount) toIndex = FCount - 1;
  LowerKey key(name);
  for (std::int32_t i = fromIndex; i <= toIndex; ++i) {
    const TorbParamsListItem* item = FList[i];
    if (item->Key == key.view()) return i;
    if (stopAtMarker && item->IsRowMarker()) return -1;
  }
  return -1;
}

TorbParamsListItem* TorbParamsList::ItemByName(std::string_view name, std::int32_t fromIndex, std::int32_t toIndex) const {
  if (FCount == 0) return nullptr;
  return Items(IndexOfName(name, fromIndex, toIndex));
}

void TorbParamsList::ReadValue(std::string_view name, std::int32_t fromIndex, rtl::Variant& value,
                               std::int32_t toIndex) const {
  value.Clear();
  if (const TorbParamsListItem* item = ItemByName(name, fromIndex, toIndex)) value = item->Value;
}

void TorbParamsList::ReadValueDef(std::string_view name, const rtl::Variant& def, rtl::Variant& value,
                                  std::int32_t toIndex, std::int32_t fromIndex) const {
  if (const TorbParamsListItem* item = ItemByName(name, fromIndex, toIndex))
    value = item->Value;
  else
    value = def;
}

TorbParamsListItem* TorbParamsList::Add(std::string_view name, const rtl::Variant& value) {
  if (IsBlankName(name)) return nullptr;
  TorbParamsListItem* item = ItemClass->Create(name, value);
  item->State = 2;
  Append(item);
  return item;
}

TorbParamsListItem* TorbParamsList::WriteValue(std::string_view name, const rtl::Variant& value, bool createIfMissing) {
  TorbParamsListItem* item = ItemByName(name);
  if (!item && createIfMissing) item = Add(name, rtl::Variant::Null());
  if (item) item->WriteValue(value);
  return item;
}

void TorbParamsList::Delete(std::int32_t index) {
  if (index < 0) rtl::AssertionFailure("Assertion failure", kUnit, __LINE__);
  if (index >= FCount) return;
  TorbParamsListItem* item = FList[index];
  std::memmove(FList + index, FList + index + 1, static_cast<std::size_t>(FCount - index - 1) * sizeof(*FList));
  --FCount;
  delete item;
}

TorbParamsListItem* TorbParamsList::AddCopy(const TorbParamsListItem* item) {
  // Same as Add with the item's name and value followed by Assign, without making the
  // name and key strings again.
  if (!item || IsBlankName(item->Name.view())) return nullptr;
  TorbParamsListItem* copy = ItemClass->CreateCopy(*item);
  Append(copy);
  return copy;
}

bool TorbParamsList::AddFrom(const TorbParamsList* list) {
  if (!list || list->FCount == 0) return false;
  list->CheckSignature();
  for (std::int32_t i = 0; i < list->FCount; ++i) AddCopy(list->FList[i]);
  return true;
}

bool TorbParamsList::AddRange(const TorbParamsList* list, std::int32_t fromIndex, std::int32_t toIndex) {
  if (!list || list->FCount == 0) return false;
  list->CheckSignature();
  if (fromIndex < 0) fromIndex = 0;
  if (toIndex < 0 || toIndex >= list->FCount) toIndex = list->FCount - 1;
  for (std::int32_t i = fromIndex; i <= toIndex; ++i) AddCopy(list->FList[i]);
  return true;
}

bool TorbParamsList::FindRowEnd(std::int32_t fromIndex, std::int32_t& endIndex, bool& isMarker) const {
  if (fromIndex < 0) fromIndex = 0;
  if (fromIndex >= FCount) return false;
  for (std::int32_t i = fromIndex; i < FCount; ++i)
    if (FList[i]->IsRowMarker()) {
      endIndex = i;
      isMarker = true;
      return true;
    }
  endIndex = FCount - 1;
  isMarker = false;
  return true;
}

void TorbParamsList::AddRowMarker() {
  // Every marker shares one name and key, as copies do.
  static const TorbParamsListItem* const marker = [] {
    auto* m = new TorbParamsListItem(RowMarkerName, rtl::Variant::Null());
    m->State = 2;
    return m;
  }();
  Append(ItemClass->CreateCopy(*marker));
}

void TorbParamsList::AppendRow(const TorbParamsList* list) {
  if (AddFrom(list) && !list->Last()->IsRowMarker()) AddRowMarker();
}

void TorbParamsList::MoveRowTo(TorbParamsList* dest) {
  if (FCount == 0) return;
  if (dest->ItemClass != ItemClass) {
    dest->AppendRow(this);
    Clear();
    return;
  }
  const bool marked = Last()->IsRowMarker();
  dest->Reserve(FCount);
  for (std::int32_t i = 0; i < FCount; ++i) {
    TorbParamsListItem* item = FList[i];
    if (IsBlankName(item->Name.view()))
      delete item;  // AppendRow leaves out what AddCopy refuses
    else
      dest->FList[dest->FCount++] = item;
  }
  FCount = 0;
  if (!marked) dest->AddRowMarker();
}

void TorbParamsList::GetExisting(std::string_view name, rtl::Variant& value) const {
  const TorbParamsListItem* item = ItemByName(name);
  if (!item) rtl::AssertionFailure("Parameter is not defined", kUnit, __LINE__);
  value = item->Value;
}

TorbParamsListItem* TorbParamsList::SetExisting(std::string_view name, const rtl::Variant& value) {
  TorbParamsListItem* item = ItemByName(name);
  if (!item) rtl::AssertionFailure("Parameter is not defined", kUnit, __LINE__);
  item->WriteValue(value);
  return item;
}

// The thread-safe holder ---------------------------------------------------------------

TorbThreadParamsList::TorbThreadParamsList() : FList(new TorbParamsList()) { SetObject(FList); }

TorbThreadParamsList::~TorbThreadParamsList() { delete FList; }

}  // namespace orb
