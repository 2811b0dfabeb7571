// TfsItemTable: a script's name table. Entries keep the order they were added in;
// names compare ignoring case through a hash of the upper-cased name, and a lookup
// finds the most recently added entry of a name. Entries may have an empty name
// (objects kept only for ownership). The table owns its objects unless told otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fsItemList.h"

namespace fs {

// CRC-32 with the polynomial 0xEDB88320, initial value all ones, no final inversion.
std::uint32_t NameHash(std::string_view upperName) noexcept;

class TfsItemTable {
public:
  struct Entry {
    std::string Name;
    std::string UpperName;
    TfsObject* Object;
    bool Owned;
    int Next;  // older entry in the same bucket, or -1
  };

  TfsItemTable() = default;
  TfsItemTable(const TfsItemTable&) = delete;
  TfsItemTable& operator=(const TfsItemTable&) = delete;
  ~TfsItemTable();

  void Add(const std::string& name, TfsObject* object, bool owned = true);
  // The most recent object of that name (ignoring case), or nullptr.
  TfsObject* Find(std::string_view name) const;
  // The same for a name already upper-cased.
  TfsObject* FindUpper(std::string_view upperName) const;

  // Removes (and destroys, when owned) every entry the predicate selects.
  void RemoveIf(const std::function<bool(const Entry&)>& predicate);
  // Takes an object out of the table without destroying it.
  void Extract(const TfsObject* object);
  void Clear();

  int Count() const noexcept { return static_cast<int>(FEntries.size()); }
  const Entry& Entries(int index) const { return FEntries[static_cast<std::size_t>(index)]; }
  // Changes whenever entries are added or removed (for lists derived from the table).
  std::uint32_t Version() const noexcept { return FVersion; }

private:
  void Rehash(std::size_t bucketCount);

  std::vector<Entry> FEntries;
  std::vector<int> FBuckets;  // newest entry of each bucket, or -1
  std::uint32_t FVersion = 0;
};

}  // namespace fs
