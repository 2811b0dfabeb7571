// TfsObject and TfsItemList: the roots of everything a script's item table owns.
// TfsItemList is an owning list of child items; statements keep their sub-statements
// in it, variables their parameters, designators their links.
#pragma once

#include <cstddef>
#include <vector>

namespace fs {

class TfsCustomVariable;

// Anything an item table can own: script items, and objects kept only for ownership
// (runtime modules, event adapters).
class TfsObject {
public:
  TfsObject() = default;
  TfsObject(const TfsObject&) = delete;
  TfsObject& operator=(const TfsObject&) = delete;
  virtual ~TfsObject() = default;

  // The object as a script item, or nullptr when it is none.
  virtual TfsCustomVariable* AsVariable() noexcept { return nullptr; }
  // Whether ClearProgram leaves the object in its table (runtime modules and items
  // added while they were loading).
  virtual bool KeptByClear() const noexcept { return false; }
};

class TfsItemList : public TfsObject {
public:
  TfsItemList() = default;
  ~TfsItemList() override;

  // Destroys all items.
  virtual void Clear();

  // Appends an item; the list owns it from then on.
  void Add(TfsItemList* item) { FItems.push_back(item); }
  // Takes an item out of the list without destroying it.
  void Extract(TfsItemList* item);
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TfsItemList* Get(int index) const noexcept { return FItems[static_cast<std::size_t>(index)]; }

protected:
  std::vector<TfsItemList*> FItems;
};

}  // namespace fs
