#include "rtl/AnsiString.h"

#include <cstring>

#include "rtl/AllocationSize.h"
#include "rtl/ScriptMemory.h"

namespace rtl {

namespace {
std::atomic_ref<std::int32_t> Counter(std::int32_t& c) { return std::atomic_ref<std::int32_t>(c); }
}  // namespace

std::size_t AnsiString::BlockSize(std::size_t length) { return CheckedSum(length, sizeof(StrHeader) + 1); }

char* AnsiString::Allocate(std::size_t n) {
  auto* h = static_cast<StrHeader*>(ScriptAlloc(BlockSize(n)));
  h->RefCount = 1;
  h->Length = static_cast<std::int32_t>(n);
  char* data = reinterpret_cast<char*>(h + 1);
  data[n] = '\0';
  return data;
}

AnsiString::AnsiString(std::string_view s) {
  if (s.empty()) return;
  FData = Allocate(s.size());
  std::memcpy(FData, s.data(), s.size());
}

AnsiString& AnsiString::operator=(const AnsiString& o) noexcept {
  if (FData != o.FData) {
    AnsiString tmp(o);
    std::swap(FData, tmp.FData);
  }
  return *this;
}

AnsiString& AnsiString::operator=(AnsiString&& o) noexcept {
  if (this != &o) {
    Release();
    FData = o.FData;
    o.FData = nullptr;
  }
  return *this;
}

void AnsiString::AddRef() noexcept {
  if (FData) Counter(Header()->RefCount).fetch_add(1, std::memory_order_relaxed);
}

void AnsiString::Release() noexcept {
  if (!FData) return;
  if (Counter(Header()->RefCount).fetch_sub(1, std::memory_order_acq_rel) == 1)
    ScriptFree(Header(), static_cast<std::size_t>(Header()->Length) + sizeof(StrHeader) + 1);
  FData = nullptr;
}

std::int32_t AnsiString::RefCount() const noexcept {
  return FData ? Counter(Header()->RefCount).load(std::memory_order_relaxed) : 0;
}

char* AnsiString::UniqueData() {
  if (!FData) return nullptr;
  if (RefCount() != 1) {
    AnsiString copy(view());
    *this = std::move(copy);
  }
  return FData;
}

void AnsiString::SetLength(std::size_t n) {
  if (n == Length()) return;
  if (n == 0) {
    Release();
    return;
  }
  char* data = Allocate(n);
  std::size_t keep = std::min(n, Length());
  std::memcpy(data, c_str(), keep);
  std::memset(data + keep, 0, n - keep);
  Release();
  FData = data;
}

AnsiString& AnsiString::operator+=(std::string_view s) {
  if (s.empty()) return *this;
  std::size_t old = Length();
  if (FData && RefCount() == 1) {
    // Grow in place: the buffer is ours alone.
    std::string_view src = s;
    std::string keep;
    if (src.data() >= FData && src.data() < FData + old + 1) {
      keep.assign(src);
      src = keep;
    }
    const std::size_t block = BlockSize(CheckedSum(old, src.size()));
    auto* h = static_cast<StrHeader*>(ScriptRealloc(Header(), BlockSize(old), block));
    h->Length = static_cast<std::int32_t>(old + src.size());
    FData = reinterpret_cast<char*>(h + 1);
    std::memcpy(FData + old, src.data(), src.size());
    FData[old + src.size()] = '\0';
    return *this;
  }
  char* data = Allocate(CheckedSum(old, s.size()));
  std::memcpy(data, c_str(), old);
  std::memcpy(data + old, s.data(), s.size());
  Release();
  FData = data;
  return *this;
}

AnsiString AnsiString::FromRaw(void* raw) noexcept {
  AnsiString s;
  s.FData = static_cast<char*>(raw);
  s.AddRef();
  return s;
}

void AnsiString::ReleaseRaw(void* raw) noexcept {
  AnsiString s;
  s.FData = static_cast<char*>(raw);
}

}  // namespace rtl
