#include "rtl/IniFile.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>

#include "rtl/CodePage.h"
#include "rtl/FileNames.h"
#include "rtl/SysFiles.h"

namespace rtl {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && AnsiUpperChar(a[i]) != AnsiUpperChar(b[i])) return false;
  return true;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A name for the temporary file that no other writer picks at the same time.
std::string TempSuffix() {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = [] {
    try {
      return std::random_device{}();
    } catch (...) {
      return 0u;
    }
  }();
  auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::ostringstream s;
  s << ".~" << std::hex << seed << '-' << (ticks & 0xFFFFFFFFull) << '-' << counter++ << ".tmp";
  return s.str();
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) { CheckFileName(FFileName); }

bool TIniFile::Load() {
  SetText({});
  FModified = false;
  FReadFailed = false;
  if (!sys::FileExists(FFileName)) return true;
  std::ifstream in(FFileName, std::ios::binary);
  if (!in) {
    FReadFailed = true;
    return false;
  }
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) {
    FReadFailed = true;
    return false;
  }
  SetText(content.str());
  FModified = false;
  return true;
}

void TIniFile::SetText(std::string_view text) {
  FPreamble.clear();
  FSections.clear();
  FBom = text.substr(0, kBom.size()) == kBom;
  if (FBom) text.remove_prefix(kBom.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(pos, end - pos);
    pos = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    TLine line;
    line.Text = std::string(raw);
    std::string_view t = Trim(raw);
    if (!t.empty() && t.front() == '[') {
      std::size_t close = t.find(']');
      if (close != std::string_view::npos) {
        TSection section;
        section.Header = line.Text;
        section.Name = std::string(Trim(t.substr(1, close - 1)));
        FSections.push_back(std::move(section));
        continue;
      }
    }
    if (!FSections.empty() && !t.empty() && t.front() != ';') {
      std::size_t eq = t.find('=');
      if (eq != std::string_view::npos && eq > 0) {
        line.Key = std::string(Trim(t.substr(0, eq)));
        line.Value = std::string(Trim(t.substr(eq + 1)));
        line.IsKey = !line.Key.empty();
      }
    }
    (FSections.empty() ? FPreamble : FSections.back().Lines).push_back(std::move(line));
  }
  FModified = true;
}

std::string TIniFile::Text() const {
  std::string out;
  if (FBom) out += kBom;
  for (const auto& l : FPreamble) out += l.Text + "\r\n";
  for (const auto& s : FSections) {
    out += s.Header + "\r\n";
    for (const auto& l : s.Lines) out += l.Text + "\r\n";
  }
  return out;
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view name) const {
  for (const auto& s : FSections)
    if (SameName(s.Name, name)) return &s;
  return nullptr;
}

TIniFile::TSection* TIniFile::FindSection(std::string_view name) {
  return const_cast<TSection*>(static_cast<const TIniFile*>(this)->FindSection(name));
}

const TIniFile::TLine* TIniFile::FindKey(const TSection& section, std::string_view key) {
  for (const auto& l : section.Lines)
    if (l.IsKey && SameName(l.Key, key)) return &l;
  return nullptr;
}

bool TIniFile::ReadString(std::string_view section, std::string_view key, std::string& value) const {
  const TSection* s = FindSection(section);
  const TLine* l = s ? FindKey(*s, key) : nullptr;
  if (!l) return false;
  value = l->Value;
  return true;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  std::string value;
  return ReadString(section, key, value) ? value : std::string(def);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  const TSection* s = FindSection(section);
  return s && FindKey(*s, key);
}

bool TIniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const auto& s : FSections) {
    bool seen = false;
    for (const auto& n : names) seen = seen || SameName(n, s.Name);
    if (!seen) names.push_back(s.Name);
  }
  return names;
}

std::vector<std::string> TIniFile::ReadSectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const TSection* s = FindSection(section))
    for (const auto& l : s->Lines)
      if (l.IsKey && FindKey(*s, l.Key) == &l) keys.push_back(l.Key);
  return keys;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string_view k = Trim(key), sec = Trim(section);
  if (HasLineBreak(section) || sec.find(']') != std::string_view::npos)
    throw EIniFileError("Invalid INI section name \"" + std::string(section) + "\"");
  if (k.empty() || HasLineBreak(key) || k.find('=') != std::string_view::npos || k.front() == '[' || k.front() == ';')
    throw EIniFileError("Invalid INI key name \"" + std::string(key) + "\"");
  if (HasLineBreak(value)) throw EIniFileError("An INI value cannot hold a line break");
  std::string v(Trim(value));
  TSection* s = FindSection(sec);
  if (!s) {
    // A blank line before a new section, as people lay the files out.
    auto& before = FSections.empty() ? FPreamble : FSections.back().Lines;
    bool emptyFile = FSections.empty() && FPreamble.empty();
    if (!emptyFile && (before.empty() || !Trim(before.back().Text).empty())) before.push_back(TLine());
    TSection fresh;
    fresh.Name = std::string(sec);
    fresh.Header = "[" + fresh.Name + "]";
    FSections.push_back(std::move(fresh));
    s = &FSections.back();
  }
  FModified = true;
  for (auto& l : s->Lines) {
    if (l.IsKey && SameName(l.Key, k)) {
      l.Value = v;
      l.Text = l.Key + "=" + v;
      return;
    }
  }
  // After the section's last non-blank line, so blank separators stay at its end.
  std::size_t at = s->Lines.size();
  while (at > 0 && Trim(s->Lines[at - 1].Text).empty()) --at;
  TLine line;
  line.Key = std::string(k);
  line.Value = v;
  line.Text = line.Key + "=" + v;
  line.IsKey = true;
  s->Lines.insert(s->Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool TIniFile::DeleteKey(std::string_view section, std::string_view key) {
  TSection* s = FindSection(section);
  if (!s) return false;
  for (auto it = s->Lines.begin(); it != s->Lines.end(); ++it) {
    if (it->IsKey && SameName(it->Key, key)) {
      s->Lines.erase(it);
      FModified = true;
      return true;
    }
  }
  return false;
}

void TIniFile::EraseSection(std::string_view section) {
  for (auto it = FSections.begin(); it != FSections.end();) {
    if (SameName(it->Name, section)) {
      it = FSections.erase(it);
      FModified = true;
    } else {
      ++it;
    }
  }
}

bool TIniFile::UpdateFile() {
  if (FReadFailed || FFileName.empty()) return false;
  const std::string temp = FFileName + TempSuffix();
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string text = Text();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      sys::RemoveFile(temp);
      return false;
    }
  }
  if (!sys::ReplaceFile(temp, FFileName)) {
    sys::RemoveFile(temp);
    return false;
  }
  FModified = false;
  return true;
}

}  // namespace rtl
