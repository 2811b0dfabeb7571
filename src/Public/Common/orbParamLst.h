// orbParamLst: the parameter list, the one structure host and plug-in exchange as live
// objects. Named values looked up without regard to case, several rows separated by
// "$NEW_ROW$" items. Host and library both read and write these objects, so their
// layout is fixed (see the static_asserts in the .cpp) and they live on the
// process-wide heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Public/Common/orbThreadObject.h"
#include "rtl/AnsiString.h"
#include "rtl/Variant.h"

namespace orb {

constexpr std::uint32_t ParamsListSignature = 0x0FDE2E4B;
constexpr std::string_view RowMarkerName = "$NEW_ROW$";

class TorbParamsListItem;
class TorbParamsList;

// Whether a name is blank (nothing but blanks and control characters): lists refuse
// items of such names.
bool IsBlankName(std::string_view name) noexcept;

// Class references: what a list or item class can be constructed through.
struct TorbParamsListItemClass {
  const char* ClassName;
  TorbParamsListItem* (*Create)(std::string_view name, const rtl::Variant& value);
  // An item of this class with another item's name, key, type, state and value.
  TorbParamsListItem* (*CreateCopy)(const TorbParamsListItem& item);
};
struct TorbParamsListClass {
  const char* ClassName;
  TorbParamsList* (*Create)();
};

// Objects at the boundary are allocated on the process-wide heap, so that either side
// may free what the other made.
struct BoundaryObject {
  static void* operator new(std::size_t size);
  static void operator delete(void* p) noexcept;
};

class TorbParamsListItem : public BoundaryObject {
public:
  TorbParamsListItem(std::string_view name, const rtl::Variant& value);
  // A copy that shares the name and key strings (what AddCopy makes).
  explicit TorbParamsListItem(const TorbParamsListItem* item);
  virtual ~TorbParamsListItem() = default;
  TorbParamsListItem(const TorbParamsListItem&) = delete;
  TorbParamsListItem& operator=(const TorbParamsListItem&) = delete;

  static const TorbParamsListItemClass ClassRef;

  // Items of this class reuse the blocks of freed ones (see orbBlockCache.h); a derived
  // class, being of another size, uses the process heap directly.
  static void* operator new(std::size_t size);
  static void operator delete(void* p, std::size_t size) noexcept;
  // How many freed item blocks wait for reuse.
  static std::size_t CachedBlocks() noexcept;

  // Stores a value (8-bit strings become OLE strings).
  void WriteValue(const rtl::Variant& value);
  // Copies Name, Key, ValueType and State; not the value.
  void Assign(const TorbParamsListItem& item);
  bool IsRowMarker() const noexcept { return Name == RowMarkerName; }

  rtl::AnsiString Name;       // as passed when made, untrimmed
  rtl::AnsiString Key;        // Name in lower case; lookups compare keys
  std::int32_t ValueType = 0; // declared variant type; 0 for items made here
  std::uint8_t State = 0;     // 2 for items made by Add or with a value
  rtl::Variant Value;
};

class TorbParamsList : public BoundaryObject {
public:
  TorbParamsList();
  virtual ~TorbParamsList();
  TorbParamsList(const TorbParamsList&) = delete;
  TorbParamsList& operator=(const TorbParamsList&) = delete;

  static const TorbParamsListClass ClassRef;
  virtual const char* ClassName() const { return ClassRef.ClassName; }
  // Frees every item.
  virtual void Clear();

  std::int32_t Count() const noexcept { return FCount; }
  bool Empty() const noexcept { return FCount == 0; }
  // nullptr outside 0..Count-1.
  TorbParamsListItem* Items(std::int32_t index) const noexcept {
    return index >= 0 && index < FCount ? FList[index] : nullptr;
  }
  TorbParamsListItem* Last() const noexcept { return FCount ? FList[FCount - 1] : nullptr; }

  // First index in FromIndex..ToIndex whose key equals Name lower-cased; -1 when none.
  // ToIndex below 0 (or past the end) means the last item; -2 also stops, unmatched,
  // at the first row marker.
  std::int32_t IndexOfName(std::string_view name, std::int32_t fromIndex = 0, std::int32_t toIndex = -1) const;
  TorbParamsListItem* ItemByName(std::string_view name, std::int32_t fromIndex = 0, std::int32_t toIndex = -1) const;
  void ReadValue(std::string_view name, std::int32_t fromIndex, rtl::Variant& value, std::int32_t toIndex = -1) const;
  void ReadValueDef(std::string_view name, const rtl::Variant& def, rtl::Variant& value, std::int32_t toIndex = -1,
                    std::int32_t fromIndex = 0) const;

  TorbParamsListItem* Add(std::string_view name, const rtl::Variant& value);
  TorbParamsListItem* WriteValue(std::string_view name, const rtl::Variant& value, bool createIfMissing = true);
  void Delete(std::int32_t index);
  TorbParamsListItem* AddCopy(const TorbParamsListItem* item);
  bool AddFrom(const TorbParamsList* list);
  bool AddRange(const TorbParamsList* list, std::int32_t fromIndex, std::int32_t toIndex);
  bool FindRowEnd(std::int32_t fromIndex, std::int32_t& endIndex, bool& isMarker) const;
  void AddRowMarker();
  void AppendRow(const TorbParamsList* list);
  // What dest->AppendRow(this) makes, with this list's items handed over instead of
  // copied; this list is empty afterwards.
  void MoveRowTo(TorbParamsList* dest);
  void GetExisting(std::string_view name, rtl::Variant& value) const;
  TorbParamsListItem* SetExisting(std::string_view name, const rtl::Variant& value);

  // Raises the assertion failure unless this object carries the list signature.
  void CheckSignature() const;
  // Whether a pointer from the other side is a live list (nil is not).
  static bool IsValidList(const TorbParamsList* list) noexcept {
    return list && list->Signature == ParamsListSignature;
  }

  // The layout the host shares: after the class pointer the pointer list's fields, then
  // the list's own.
  TorbParamsListItem** FList = nullptr;
  std::int32_t FCount = 0;
  std::int32_t FCapacity = 0;
  std::uint32_t Signature = ParamsListSignature;
  rtl::AnsiString Id;
  std::int32_t RowBase = 0;
  const TorbParamsListItemClass* ItemClass = &TorbParamsListItem::ClassRef;

protected:
  void Append(TorbParamsListItem* item);
  // Room for count more items without growing.
  void Reserve(std::int32_t count);
};

// A list that holds rows: the output list and the event queue are of this class.
class TorbRowsParamsList : public TorbParamsList {
public:
  static const TorbParamsListClass ClassRef;
  const char* ClassName() const override { return ClassRef.ClassName; }

  std::int32_t FReserved = 0;
};

// A lock-guarded parameter list for state that several threads reach.
class TorbThreadParamsList : public TThreadObject {
public:
  TorbThreadParamsList();
  ~TorbThreadParamsList() override;

  TorbParamsList* LockRead() { return static_cast<TorbParamsList*>(TThreadObject::LockRead()); }
  TorbParamsList* LockWrite(bool* upgradedCleanly = nullptr) {
    return static_cast<TorbParamsList*>(TThreadObject::LockWrite(upgradedCleanly));
  }

private:
  TorbParamsList* FList;
};

}  // namespace orb
