// AnsiString: the 8-bit string of the boundary. A pointer to the first character with
// a 32-bit reference count and a 32-bit length in front of it and a NUL after it, as
// the host's own strings are laid out; nil is the empty string. Copies share the
// buffer; writing makes it unique first.
#pragma once

#include <atomic>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

class AnsiString {
public:
  AnsiString() noexcept = default;
  AnsiString(const char* s) : AnsiString(s ? std::string_view(s) : std::string_view()) {}
  AnsiString(const char* s, std::size_t n) : AnsiString(std::string_view(s, n)) {}
  AnsiString(std::string_view s);
  AnsiString(const std::string& s) : AnsiString(std::string_view(s)) {}
  AnsiString(const AnsiString& o) noexcept : FData(o.FData) { AddRef(); }
  AnsiString(AnsiString&& o) noexcept : FData(o.FData) { o.FData = nullptr; }
  ~AnsiString() { Release(); }

  AnsiString& operator=(const AnsiString& o) noexcept;
  AnsiString& operator=(AnsiString&& o) noexcept;

  std::size_t Length() const noexcept { return FData ? static_cast<std::size_t>(Header()->Length) : 0; }
  bool IsEmpty() const noexcept { return FData == nullptr; }
  const char* c_str() const noexcept { return FData ? FData : ""; }
  std::string_view view() const noexcept { return {c_str(), Length()}; }
  std::string str() const { return std::string(view()); }
  operator std::string_view() const noexcept { return view(); }
  char operator[](std::size_t i) const noexcept { return FData[i]; }

  // Unique, writable characters (copies a shared buffer first).
  char* UniqueData();
  // Keeps the first characters, pads new ones with NUL.
  void SetLength(std::size_t n);

  AnsiString& operator+=(std::string_view s);
  friend AnsiString operator+(const AnsiString& a, std::string_view b) {
    AnsiString r(a);
    r += b;
    return r;
  }
  friend bool operator==(const AnsiString& a, const AnsiString& b) noexcept {
    return a.FData == b.FData || a.view() == b.view();
  }
  friend bool operator==(const AnsiString& a, std::string_view b) noexcept { return a.view() == b; }
  friend bool operator==(const AnsiString& a, const char* b) noexcept { return a.view() == std::string_view(b); }
  friend bool operator==(const AnsiString& a, const std::string& b) noexcept { return a.view() == std::string_view(b); }
  friend std::strong_ordering operator<=>(const AnsiString& a, const AnsiString& b) noexcept {
    return a.view() <=> b.view();
  }

  // The raw pointer as it crosses the boundary (inside variants and list items).
  void* Raw() const noexcept { return FData; }
  // Takes a reference to a raw string made by either side of the boundary.
  static AnsiString FromRaw(void* raw) noexcept;
  // Gives up ownership of the raw pointer (the caller now holds the reference).
  void* Detach() noexcept {
    void* p = FData;
    FData = nullptr;
    return p;
  }
  // Drops a reference held as a raw pointer.
  static void ReleaseRaw(void* raw) noexcept;
  // Reference count of the buffer (0 for the empty string); for tests.
  std::int32_t RefCount() const noexcept;

private:
  struct StrHeader {
    std::int32_t RefCount;
    std::int32_t Length;
  };
  StrHeader* Header() const noexcept { return reinterpret_cast<StrHeader*>(FData) - 1; }
  // The block of a string of that length; EOutOfMemory when it cannot be one.
  static std::size_t BlockSize(std::size_t length);
  static char* Allocate(std::size_t n);
  void AddRef() noexcept;
  void Release() noexcept;

  char* FData = nullptr;
};

}  // namespace rtl
