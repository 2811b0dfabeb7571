#include "engine/fsItemTable.h"

#include <array>

#include "engine/fsStrings.h"

namespace fs {

namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[i] = c;
  }
  return t;
}

const std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

std::uint32_t NameHash(std::string_view upperName) noexcept {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : upperName) crc = kCrcTable[(crc ^ c) & 0xFF] ^ (crc >> 8);
  return crc;
}

TfsItemTable::~TfsItemTable() { Clear(); }

void TfsItemTable::Add(const std::string& name, TfsObject* object, bool owned) {
  ++FVersion;
  if (FBuckets.empty() || FEntries.size() >= FBuckets.size()) Rehash(FBuckets.empty() ? 64 : FBuckets.size() * 4);
  Entry e{name, UpperCase(name), object, owned, -1};
  std::size_t b = NameHash(e.UpperName) & (FBuckets.size() - 1);
  e.Next = FBuckets[b];
  FBuckets[b] = static_cast<int>(FEntries.size());
  FEntries.push_back(std::move(e));
}

TfsObject* TfsItemTable::Find(std::string_view name) const { return FindUpper(UpperCase(name)); }

TfsObject* TfsItemTable::FindUpper(std::string_view upperName) const {
  if (FBuckets.empty()) return nullptr;
  for (int i = FBuckets[NameHash(upperName) & (FBuckets.size() - 1)]; i >= 0; i = FEntries[static_cast<std::size_t>(i)].Next) {
    const Entry& e = FEntries[static_cast<std::size_t>(i)];
    if (e.UpperName == upperName) return e.Object;
  }
  return nullptr;
}

void TfsItemTable::Rehash(std::size_t bucketCount) {
  FBuckets.assign(bucketCount, -1);
  // Oldest first, so that each bucket's chain runs from the newest entry down.
  for (std::size_t i = 0; i < FEntries.size(); ++i) {
    std::size_t b = NameHash(FEntries[i].UpperName) & (bucketCount - 1);
    FEntries[i].Next = FBuckets[b];
    FBuckets[b] = static_cast<int>(i);
  }
}

void TfsItemTable::RemoveIf(const std::function<bool(const Entry&)>& predicate) {
  ++FVersion;
  std::vector<Entry> kept;
  std::vector<TfsObject*> doomed;
  kept.reserve(FEntries.size());
  for (auto& e : FEntries) {
    if (predicate(e)) {
      if (e.Owned) doomed.push_back(e.Object);
    } else {
      kept.push_back(std::move(e));
    }
  }
  FEntries.swap(kept);
  Rehash(FBuckets.empty() ? 64 : FBuckets.size());
  // Newest first: later items may refer to earlier ones.
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) delete *it;
}

void TfsItemTable::Extract(const TfsObject* object) {
  ++FVersion;
  for (std::size_t i = FEntries.size(); i-- > 0;) {
    if (FEntries[i].Object == object) {
      FEntries.erase(FEntries.begin() + static_cast<std::ptrdiff_t>(i));
      Rehash(FBuckets.size());
      return;
    }
  }
}

void TfsItemTable::Clear() {
  ++FVersion;
  std::vector<Entry> entries;
  entries.swap(FEntries);
  FBuckets.clear();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    if (it->Owned) delete it->Object;
}

}  // namespace fs
