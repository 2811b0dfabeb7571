#include "rtl/FileNames.h"

#include <vector>

#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/MultiByte.h"
#include "rtl/StringRoutines.h"

namespace rtl {

namespace {

bool IsDelimiterChar(char c) { return c == '\\' || c == '/'; }

// The folder names of a path, in order (empty names between delimiters dropped).
std::vector<std::string_view> Folders(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t at = 0;
  while (at < path.size()) {
    std::size_t end = at;
    while (end < path.size() && !IsDelimiterChar(path[end])) end += CharBytesAt(path, end, LeadBytes::Process());
    if (end > at) parts.push_back(path.substr(at, end - at));
    at = end + 1;
  }
  return parts;
}

}  // namespace

AnsiString ExtractFileDir(std::string_view name) {
  std::int64_t i = LastDelimiter(kDriveOrPathDelimiters, name);
  if (i > 1 && IsDelimiterChar(name[static_cast<std::size_t>(i - 1)]) &&
      !IsDelimiter(kDriveOrPathDelimiters, name, i - 1))
    --i;
  return AnsiString(name.substr(0, static_cast<std::size_t>(i)));
}

AnsiString ExtractFileDrive(std::string_view name) {
  if (name.size() >= 2 && name[1] == ':' && !IsAnsiLeadByte(name[0])) return AnsiString(name.substr(0, 2));
  if (name.size() >= 2 && IsDelimiterChar(name[0]) && IsDelimiterChar(name[1])) {
    // Two delimiters, a server, a delimiter and a share: up to the next delimiter.
    int seen = 0;
    std::size_t i = 2;
    while (i < name.size()) {
      if (IsDelimiterChar(name[i]) && ++seen == 2) break;
      i += CharBytesAt(name, i, LeadBytes::Process());
    }
    return AnsiString(name.substr(0, i));
  }
  return AnsiString();
}

AnsiString ExtractFileName(std::string_view name) {
  return AnsiString(name.substr(static_cast<std::size_t>(LastDelimiter(kDriveOrPathDelimiters, name))));
}

AnsiString ExtractFileExt(std::string_view name) {
  const std::int32_t i = LastDelimiter(".\\/:", name);
  if (i > 0 && name[static_cast<std::size_t>(i - 1)] == '.') return AnsiString(name.substr(static_cast<std::size_t>(i - 1)));
  return AnsiString();
}

AnsiString ChangeFileExt(std::string_view name, std::string_view extension) {
  std::int32_t i = LastDelimiter(".\\/:", name);
  if (i == 0 || name[static_cast<std::size_t>(i - 1)] != '.') i = static_cast<std::int32_t>(name.size()) + 1;
  std::string out(name.substr(0, static_cast<std::size_t>(i - 1)));
  out.append(extension);
  return AnsiString(out);
}

bool IsPathDelimiter(std::string_view s, std::int64_t index) { return IsDelimiter(kPathDelimiters, s, index); }

AnsiString IncludeTrailingPathDelimiter(std::string_view s, char delimiter) {
  if (IsPathDelimiter(s, static_cast<std::int64_t>(s.size()))) return AnsiString(s);
  std::string out(s);
  out += delimiter;
  return AnsiString(out);
}

AnsiString ExcludeTrailingPathDelimiter(std::string_view s) {
  if (IsPathDelimiter(s, static_cast<std::int64_t>(s.size()))) s.remove_suffix(1);
  return AnsiString(s);
}

int CompareFileNames(std::string_view a, std::string_view b) {
  const int r = AnsiUpperCase(a).view().compare(AnsiUpperCase(b).view());
  return (r > 0) - (r < 0);
}

AnsiString ExtractRelativePath(std::string_view baseName, std::string_view destName, char delimiter) {
  const AnsiString basePath = ExtractFilePath(baseName);
  const AnsiString destPath = ExtractFilePath(destName);
  const AnsiString baseDrive = ExtractFileDrive(basePath.view());
  const AnsiString destDrive = ExtractFileDrive(destPath.view());
  if (CompareFileNames(baseDrive.view(), destDrive.view()) != 0) return AnsiString(destName);
  const std::vector<std::string_view> base = Folders(basePath.view().substr(baseDrive.Length()));
  const std::vector<std::string_view> dest = Folders(destPath.view().substr(destDrive.Length()));
  std::size_t common = 0;
  while (common < base.size() && common < dest.size() && CompareFileNames(base[common], dest[common]) == 0) ++common;
  std::string out;
  for (std::size_t i = common; i < base.size(); ++i) {
    out += "..";
    out += delimiter;
  }
  for (std::size_t i = common; i < dest.size(); ++i) {
    out.append(dest[i]);
    out += delimiter;
  }
  out.append(ExtractFileName(destName).view());
  return AnsiString(out);
}

void CheckFileName(std::string_view name) {
  if (name.find('\0') == std::string_view::npos) return;
  // The NUL shown as scripts write it.
  std::string shown;
  for (char c : name) shown += c == '\0' ? std::string("#0") : std::string(1, c);
  throw Exception("Invalid file name \"" + shown + "\"", "EInOutError");
}

}  // namespace rtl
