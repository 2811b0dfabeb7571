#include "platform/Registry.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

HKEY RootKey(int root) {
  switch (root) {
    case 0: return HKEY_CLASSES_ROOT;
    case 1: return HKEY_CURRENT_USER;
    case 2: return HKEY_LOCAL_MACHINE;
    case 3: return HKEY_USERS;
    case 4: return HKEY_CURRENT_CONFIG;
    default: return nullptr;
  }
}

// The path without empty names: the API takes no leading or doubled separators.
std::string CleanPath(const std::string& path) {
  std::string result;
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t end = path.find('\\', i);
    if (end == std::string::npos) end = path.size();
    if (end > i) {
      if (!result.empty()) result += '\\';
      result.append(path, i, end - i);
    }
    i = end + 1;
  }
  return result;
}

HKEY Handle(void* h) { return static_cast<HKEY>(h); }

}  // namespace

bool RegistryKey::Open(int root, const std::string& path, bool create) {
  Close();
  HKEY rootKey = RootKey(root);
  if (!rootKey) return false;
  std::string clean = CleanPath(path);
  HKEY key = nullptr;
  LONG rc = create ? RegCreateKeyExA(rootKey, clean.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                     nullptr, &key, nullptr)
                   : RegOpenKeyExA(rootKey, clean.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (rc != ERROR_SUCCESS) return false;
  FHandle = key;
  FOpen = true;
  return true;
}

void RegistryKey::Close() {
  if (FOpen) RegCloseKey(Handle(FHandle));
  FHandle = nullptr;
  FOpen = false;
}

bool RegistryKey::ReadValue(const std::string& name, RegistryValue& value) const {
  value = RegistryValue();
  if (!FOpen) return false;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(Handle(FHandle), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  std::vector<BYTE> data(size + 2);
  DWORD got = size;
  if (RegQueryValueExA(Handle(FHandle), name.c_str(), nullptr, &type, data.data(), &got) != ERROR_SUCCESS) return false;
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::size_t n = got;
      while (n > 0 && data[n - 1] == 0) --n;
      value.Type = rvString;
      value.Data.assign(reinterpret_cast<const char*>(data.data()), n);
      break;
    }
    case REG_DWORD:
      value.Type = got == 4 ? rvInteger : rvOther;
      if (got == 4) value.Integer = *reinterpret_cast<const DWORD*>(data.data());
      value.Data.assign(reinterpret_cast<const char*>(data.data()), got);
      break;
    case REG_BINARY:
      value.Type = rvBinary;
      value.Data.assign(reinterpret_cast<const char*>(data.data()), got);
      break;
    default:
      value.Type = rvOther;
      value.Data.assign(reinterpret_cast<const char*>(data.data()), got);
      break;
  }
  return true;
}

bool RegistryKey::WriteString(const std::string& name, const std::string& value) {
  if (!FOpen) return false;
  return RegSetValueExA(Handle(FHandle), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::WriteInteger(const std::string& name, std::uint32_t value) {
  if (!FOpen) return false;
  DWORD v = value;
  return RegSetValueExA(Handle(FHandle), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) ==
         ERROR_SUCCESS;
}

bool RegistryKey::WriteBinary(const std::string& name, const void* data, std::size_t size) {
  if (!FOpen) return false;
  return RegSetValueExA(Handle(FHandle), name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data),
                        static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const std::string& name) {
  if (!FOpen) return false;
  LONG rc = RegDeleteValueA(Handle(FHandle), name.c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

namespace {

LONG DeleteTree(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (rc != ERROR_SUCCESS) return rc;
  // Subkeys first; enumeration restarts at 0 because every pass removes one.
  for (;;) {
    char sub[256];
    DWORD len = sizeof sub;
    if (RegEnumKeyExA(key, 0, sub, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (DeleteTree(key, std::string(sub, len)) != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
  return RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

bool DeleteRegistryKey(int root, const std::string& path) {
  HKEY rootKey = RootKey(root);
  std::string clean = CleanPath(path);
  if (!rootKey || clean.empty()) return false;
  LONG rc = DeleteTree(rootKey, clean);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform
