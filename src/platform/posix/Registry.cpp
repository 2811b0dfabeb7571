#include "platform/Registry.h"

#include <errno.h>
#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <vector>

namespace platform {

namespace {

const char* const kRootNames[RegistryRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                                    "HKEY_USERS", "HKEY_CURRENT_CONFIG"};
// The key's values, beside its subkey folders (whose names never begin with ".").
const char* const kValuesFile = ".values";
const char* const kLockFile = ".lock";

std::string BaseFolder() {
  const char* xdg = getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && *xdg) {
    base = xdg;
  } else {
    const char* home = getenv("HOME");
    if (!home || !*home) return {};
    base = std::string(home) + "/.config";
  }
  return base + "/velmora/registry";
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

const char kHex[] = "0123456789ABCDEF";

// A key name as a folder name: ASCII letters in lower case (names ignore case),
// digits, blanks, "_" and "-" as they are, every other byte as "%" and two hex digits.
std::string FolderName(const std::string& name) {
  std::string out;
  for (char ch : name) {
    char c = LowerAscii(ch);
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '_' || c == '-') {
      out += c;
    } else {
      auto b = static_cast<unsigned char>(c);
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

// Names and data in the values file: printable ASCII except "%" and "-" as it is; an
// empty text is "-", so that every line has its three fields.
std::string Escape(const std::string& s) {
  if (s.empty()) return "-";
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    auto b = static_cast<unsigned char>(c);
    if (b > 0x20 && b < 0x7F && c != '%' && c != '-') {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unescape(const std::string& s, std::string& out) {
  out.clear();
  if (s == "-") return true;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return false;
    int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return true;
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

struct StoredValue {
  std::string Name;
  RegistryValue Value;
};

const char* TypeTag(RegistryValueType type) {
  switch (type) {
    case rvString: return "sz";
    case rvInteger: return "dword";
    case rvBinary: return "binary";
    default: return "other";
  }
}

// Reads the values file: one value a line, "type name data". Lines that do not read
// are left out.
std::vector<StoredValue> ReadValues(const std::string& folder) {
  std::vector<StoredValue> values;
  std::ifstream in(folder + "/" + kValuesFile, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string tag, name, data;
    if (!(fields >> tag >> name >> data)) continue;
    StoredValue v;
    if (!Unescape(name, v.Name) || !Unescape(data, v.Value.Data)) continue;
    if (tag == "sz") {
      v.Value.Type = rvString;
    } else if (tag == "dword") {
      if (v.Value.Data.size() != 4) continue;
      v.Value.Type = rvInteger;
      const auto* p = reinterpret_cast<const unsigned char*>(v.Value.Data.data());
      v.Value.Integer = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    } else if (tag == "binary") {
      v.Value.Type = rvBinary;
    } else {
      v.Value.Type = rvOther;
    }
    values.push_back(std::move(v));
  }
  return values;
}

std::atomic<unsigned> gTempCounter{0};

// Writes the values file anew: a temporary file renamed over the old one, so that a
// reader sees the old values or the new ones.
bool WriteValues(const std::string& folder, const std::vector<StoredValue>& values) {
  std::string target = folder + "/" + kValuesFile;
  std::string temp = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(gTempCounter++);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const auto& v : values)
      out << TypeTag(v.Value.Type) << ' ' << Escape(v.Name) << ' ' << Escape(v.Value.Data) << '\n';
    out.flush();
    if (!out) {
      unlink(temp.c_str());
      return false;
    }
  }
  if (rename(temp.c_str(), target.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

bool IsFolder(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolders(const std::string& path) {
  std::string current;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if ((i == path.size() || path[i] == '/') && !current.empty()) {
      if (mkdir(current.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    if (i < path.size()) current += path[i];
  }
  return IsFolder(path);
}

std::string KeyFolder(int root, const std::string& path) {
  if (root < 0 || root >= RegistryRootCount) return {};
  std::string base = BaseFolder();
  if (base.empty()) return {};
  std::string folder = base + "/" + kRootNames[root];
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t end = path.find('\\', i);
    if (end == std::string::npos) end = path.size();
    if (end > i) folder += "/" + FolderName(path.substr(i, end - i));
    i = end + 1;
  }
  return folder;
}

// Changes to one key's values are made under an exclusive lock on a file in its
// folder, so that processes changing different values of one key lose none.
class KeyLock {
public:
  explicit KeyLock(const std::string& folder) {
    FFd = open((folder + "/" + kLockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (FFd >= 0)
      while (flock(FFd, LOCK_EX) != 0 && errno == EINTR) {
      }
  }
  ~KeyLock() {
    if (FFd >= 0) close(FFd);
  }
  KeyLock(const KeyLock&) = delete;
  KeyLock& operator=(const KeyLock&) = delete;

private:
  int FFd = -1;
};

bool ChangeValue(const std::string& folder, const std::string& name, const RegistryValue* value) {
  KeyLock lock(folder);
  std::vector<StoredValue> values = ReadValues(folder);
  bool found = false;
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (!SameName(it->Name, name)) continue;
    found = true;
    if (value)
      it->Value = *value;
    else
      values.erase(it);
    break;
  }
  if (!value && !found) return true;
  if (value && !found) values.push_back(StoredValue{name, *value});
  return WriteValues(folder, values);
}

}  // namespace

bool RegistryKey::Open(int root, const std::string& path, bool create) {
  Close();
  std::string folder = KeyFolder(root, path);
  if (folder.empty()) return false;
  if (create ? !MakeFolders(folder) : !IsFolder(folder)) return false;
  if (access(folder.c_str(), R_OK | W_OK | X_OK) != 0) return false;
  FFolder = folder;
  FOpen = true;
  return true;
}

void RegistryKey::Close() {
  FFolder.clear();
  FOpen = false;
}

bool RegistryKey::ReadValue(const std::string& name, RegistryValue& value) const {
  value = RegistryValue();
  if (!FOpen) return false;
  for (auto& v : ReadValues(FFolder)) {
    if (SameName(v.Name, name)) {
      value = std::move(v.Value);
      return true;
    }
  }
  return false;
}

bool RegistryKey::WriteString(const std::string& name, const std::string& value) {
  if (!FOpen) return false;
  RegistryValue v;
  v.Type = rvString;
  // A string ends at its first NUL, as the system's strings do.
  v.Data = value.substr(0, value.find('\0'));
  return ChangeValue(FFolder, name, &v);
}

bool RegistryKey::WriteInteger(const std::string& name, std::uint32_t value) {
  if (!FOpen) return false;
  RegistryValue v;
  v.Type = rvInteger;
  v.Integer = value;
  for (int i = 0; i < 4; ++i) v.Data += static_cast<char>((value >> (8 * i)) & 0xFF);
  return ChangeValue(FFolder, name, &v);
}

bool RegistryKey::WriteBinary(const std::string& name, const void* data, std::size_t size) {
  if (!FOpen) return false;
  RegistryValue v;
  v.Type = rvBinary;
  v.Data.assign(static_cast<const char*>(data), size);
  return ChangeValue(FFolder, name, &v);
}

bool RegistryKey::DeleteValue(const std::string& name) {
  if (!FOpen) return false;
  return ChangeValue(FFolder, name, nullptr);
}

namespace {
int RemoveEntry(const char* path, const struct stat*, int flag, struct FTW*) {
  return flag == FTW_DP ? rmdir(path) : unlink(path);
}
}  // namespace

bool DeleteRegistryKey(int root, const std::string& path) {
  std::string folder = KeyFolder(root, path);
  // The root itself is never removed.
  if (folder.empty() || folder == KeyFolder(root, std::string())) return false;
  if (!IsFolder(folder)) return true;
  nftw(folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  return !IsFolder(folder);
}

}  // namespace platform
