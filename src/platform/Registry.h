// The registry: keys under a root, holding named values of a few types. Windows has
// the real one; elsewhere a file-backed stand-in keeps the same tree under
// $XDG_CONFIG_HOME/velmora/registry (else ~/.config/velmora/registry): one folder per
// key, the key's values in one file inside it. Key and value names ignore case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Roots by the numbers settings use: 0 HKEY_CLASSES_ROOT, 1 HKEY_CURRENT_USER,
// 2 HKEY_LOCAL_MACHINE, 3 HKEY_USERS, 4 HKEY_CURRENT_CONFIG; any other number names
// no root.
constexpr int RegistryRootCount = 5;

enum RegistryValueType { rvNone, rvString, rvInteger, rvBinary, rvOther };

struct RegistryValue {
  RegistryValueType Type = rvNone;
  std::string Data;           // the bytes of strings (without the terminator) and of other types
  std::uint32_t Integer = 0;  // rvInteger
};

// One open key. Paths are key names separated by "\"; empty names (leading,
// trailing or doubled separators) are ignored.
class RegistryKey {
public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens root\path for reading and writing; creates it and its parents when create
  // is set. False when the key is missing (without create) or cannot be had with full
  // access.
  bool Open(int root, const std::string& path, bool create);
  void Close();
  bool IsOpen() const noexcept { return FOpen; }

  // False when the key has no value of that name.
  bool ReadValue(const std::string& name, RegistryValue& value) const;
  bool WriteString(const std::string& name, const std::string& value);
  bool WriteInteger(const std::string& name, std::uint32_t value);
  bool WriteBinary(const std::string& name, const void* data, std::size_t size);
  // True when the value is gone afterwards.
  bool DeleteValue(const std::string& name);

private:
  bool FOpen = false;
  void* FHandle = nullptr;  // the system's key handle
  std::string FFolder;      // the stand-in's folder of the key
};

// Removes a key with everything below it; true when it is gone afterwards.
bool DeleteRegistryKey(int root, const std::string& path);

}  // namespace platform
