#include "HostFiles.h"

#include <filesystem>
#include <fstream>

#include "rtl/CodePage.h"

namespace {

bool ValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0)) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 2) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

std::string Megabytes(std::size_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

}  // namespace

bool CheckRegularFile(const std::string& path, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(fs::path(path), ec);
  if (status.type() == fs::file_type::not_found) {
    // Windows reports its devices (NUL, CON) as missing, yet they open.
    error = "cannot read '" + path + "': " + (std::ifstream(path) ? "not a regular file" : "no such file");
    return false;
  }
  if (status.type() == fs::file_type::directory) {
    error = "cannot read '" + path + "': it is a folder";
    return false;
  }
  if (!ec && status.type() != fs::file_type::regular) {
    error = "cannot read '" + path + "': not a regular file";
    return false;
  }
  // Anything else the status could not tell is left to opening the file.
  return true;
}

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& error) {
  if (!CheckRegularFile(path, error)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read '" + path + "'";
    return false;
  }
  // Read in pieces up to one byte past the limit, whatever size the file claims.
  content.clear();
  char buffer[64 * 1024];
  while (in && content.size() <= maxBytes) {
    in.read(buffer, sizeof buffer);
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    error = "cannot read '" + path + "'";
    return false;
  }
  if (content.size() > maxBytes) {
    content.clear();
    error = "'" + path + "' is larger than " + Megabytes(maxBytes);
    return false;
  }
  return true;
}

bool ReadScriptFile(const std::string& path, std::string& text, std::string& error) {
  std::string raw;
  if (!ReadRegularFile(path, kMaxScriptBytes, raw, error)) return false;
  if (raw.compare(0, 3, "\xEF\xBB\xBF") == 0) raw.erase(0, 3);
  text = ValidUtf8(raw) ? rtl::Utf8ToAnsi(raw).str() : raw;
  return true;
}

bool ReadInputLine(std::istream& in, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  std::streambuf* buffer = in.rdbuf();
  bool any = false;
  for (;;) {
    const int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      in.setstate(std::ios::eofbit);
      break;
    }
    any = true;
    if (c == '\n') break;
    if (tooLong) continue;
    if (line.size() >= kMaxInputLineBytes) {
      tooLong = true;
      line.clear();
      line.shrink_to_fit();
      continue;
    }
    line.push_back(static_cast<char>(c));
  }
  if (!tooLong && !line.empty() && line.back() == '\r') line.pop_back();
  return any;
}
