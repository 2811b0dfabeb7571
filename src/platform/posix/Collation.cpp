#include "platform/Collation.h"

#include <string>

namespace platform {

namespace {
bool Ignored(char c) { return c == '-' || c == '\''; }
char Folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Key(std::string_view s, bool fold) {
  std::string k;
  for (char c : s)
    if (!Ignored(c)) k += fold ? Folded(c) : c;
  return k;
}

int Sign(int v) { return (v > 0) - (v < 0); }
}  // namespace

int CompareLocaleText(std::string_view a, std::string_view b) {
  if (int r = Key(a, true).compare(Key(b, true))) return Sign(r);
  // Same letters: lower case sorts first.
  const std::string ka = Key(a, false), kb = Key(b, false);
  for (std::size_t i = 0; i < ka.size() && i < kb.size(); ++i)
    if (ka[i] != kb[i]) return (ka[i] >= 'a' && ka[i] <= 'z') ? -1 : 1;
  return Sign(a.compare(b));
}

}  // namespace platform
