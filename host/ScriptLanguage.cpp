#include "ScriptLanguage.h"

#include <cctype>
#include <utility>

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

int FindLanguage(std::string_view name) {
  for (int i = 0; i < kLanguageCount; ++i)
    if (SameLetters(name, kLanguageNames[i])) return i;
  return -1;
}

bool LanguageDirective(std::string_view script, std::string& name) {
  // Like the engine: '#' as the very first character, then the identifier "language"
  // in any case, then the rest of the line is the name.
  if (script.empty() || script[0] != '#') return false;
  std::size_t i = 1;
  while (i < script.size() && IsBlank(script[i])) ++i;
  const std::size_t start = i;
  while (i < script.size() && IsIdentifierChar(script[i])) ++i;
  if (!SameLetters(script.substr(start, i - start), "language")) return false;
  const std::size_t end = script.find_first_of("\r\n", i);
  name = std::string(Trimmed(script.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i)));
  return true;
}

bool DetectLanguage(const std::string& fileName, std::string_view script, int& index, std::string& error) {
  std::string named;
  if (LanguageDirective(script, named)) {
    index = FindLanguage(named);
    if (index < 0) error = "unknown language '" + named + "' on the script's #language line (" + LanguageChoices() + ")";
    return index >= 0;
  }
  static const std::pair<const char*, int> kExtensions[] = {{".pas", 0}, {".c", 1}, {".cpp", 1},
                                                            {".js", 2},  {".vb", 3}, {".vbs", 3}};
  const std::size_t dot = fileName.find_last_of("./\\");
  const std::string_view extension =
      dot == std::string::npos || fileName[dot] != '.' ? std::string_view() : std::string_view(fileName).substr(dot);
  index = 0;
  for (const auto& [ext, language] : kExtensions)
    if (SameLetters(extension, ext)) index = language;
  return true;
}

std::string LanguageChoices() {
  std::string s;
  for (int i = 0; i < kLanguageCount; ++i)
    s += std::string(i == 0 ? "" : i + 1 == kLanguageCount ? " or " : ", ") + kLanguageNames[i];
  return s;
}
