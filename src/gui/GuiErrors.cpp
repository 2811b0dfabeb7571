#include "gui/GuiErrors.h"

namespace gui {

namespace {
std::string Replace(const char* pattern, const char* marker, const std::string& value) {
  std::string s(pattern);
  const std::size_t at = s.find(marker);
  if (at != std::string::npos) s.replace(at, 2, value);
  return s;
}
}  // namespace

std::string Format(const char* pattern, const std::string& value) { return Replace(pattern, "%s", value); }
std::string Format(const char* pattern, int value) { return Replace(pattern, "%d", std::to_string(value)); }

}  // namespace gui
