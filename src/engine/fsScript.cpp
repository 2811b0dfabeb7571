#include "engine/fsScript.h"

namespace fs {

TfsScript::TfsScript() = default;

std::string TfsScript::LinesText() const {
  std::string text;
  std::size_t n = 0;
  for (const auto& line : FLines) n += line.size() + 2;
  text.reserve(n);
  for (const auto& line : FLines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TfsScript::SetLinesText(const std::string& text) {
  FLines.clear();
  std::size_t start = 0, i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      FLines.push_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) FLines.push_back(text.substr(start));
}

}  // namespace fs
