// TStringList: the TStrings that stores its lines. It can keep them sorted (Add then
// puts a line at its place and Duplicates decides about equal lines), compare them with
// or without regard to case, report changes through OnChanging and OnChange, and own
// the objects attached to its lines.
#pragma once

#include <functional>
#include <vector>

#include "rtl/Strings.h"

namespace rtl {

enum TDuplicates { dupIgnore, dupAccept, dupError };
const TEnumInfo& DuplicatesTypeInfo();

class TStringList;
// Sort order of two lines given by index: negative, zero or positive.
using TStringListSortCompare = std::function<int(TStringList& List, int Index1, int Index2)>;

class TStringList : public TStrings {
  RTL_CLASS_INFO

public:
  TStringList() = default;
  explicit TStringList(bool ownsObjects) : FOwnsObjects(ownsObjects) {}
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FList.size()); }
  AnsiString Get(int index) const override;
  // Sorted lists refuse Put, Insert and Move: "Operation not allowed on sorted list".
  void Put(int index, const AnsiString& s) override;
  TObject* GetObject(int index) const override;
  // With OwnsObjects the object replaced is freed.
  void PutObject(int index, TObject* object) override;
  int Add(const AnsiString& s) override;
  int AddObject(const AnsiString& s, TObject* object) override;
  void Insert(int index, const AnsiString& s) override;
  void InsertObject(int index, const AnsiString& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  void Move(int curIndex, int newIndex) override;
  int IndexOf(std::string_view s) const override;
  int Capacity() const override { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int capacity) override;

  // Binary search of a sorted list: whether s is there, and its index (the first of
  // equal lines unless Duplicates is dupAccept) or the index where it would go.
  virtual bool Find(std::string_view s, int& index) const;
  // Sorts an unsorted list (a sorted one already is).
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const noexcept { return FSorted; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const noexcept { return FDuplicates; }
  void SetDuplicates(TDuplicates value) noexcept { FDuplicates = value; }
  bool CaseSensitive() const noexcept { return FCaseSensitive; }
  // Re-sorts a sorted list by the new comparison.
  void SetCaseSensitive(bool value);
  // Whether the list frees the objects of lines deleted, cleared or freed with it.
  bool OwnsObjects() const noexcept { return FOwnsObjects; }
  void SetOwnsObjects(bool value) noexcept { FOwnsObjects = value; }

  const TNotifyEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  const TNotifyEvent& OnChanging() const noexcept { return FOnChanging; }
  void SetOnChanging(TNotifyEvent handler) { FOnChanging = std::move(handler); }

protected:
  virtual void Changing();
  virtual void Changed();
  void SetUpdateState(bool updating) override;
  int CompareStrings(std::string_view a, std::string_view b) const override;
  void InsertItem(int index, const AnsiString& s, TObject* object);

private:
  struct TStringItem {
    AnsiString FString;
    TObject* FObject = nullptr;
  };

  void SortItems(const TStringListSortCompare& compare);
  // The indexes of the lines in the order of CompareStrings, equal lines in their order.
  std::vector<int> SortedOrder() const;

  std::vector<TStringItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};

}  // namespace rtl
