#include "ui/fsCompletionNames.h"

#include <algorithm>
#include <numeric>

#include "rtl/CodePage.h"

namespace ui {

namespace {

std::string Upper(std::string_view s) { return rtl::AnsiUpperCase(s).str(); }

}  // namespace

bool IsWordChar(char c) noexcept {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

void TfsCompletionNames::Assign(std::string_view text) {
  std::vector<TfsCompletionItem> items;
  std::vector<std::string> keys;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t tab1 = line.find('\t');
    if (tab1 != 1) continue;
    const std::size_t tab2 = line.find('\t', 2);
    TfsCompletionItem item;
    item.Kind = line[0];
    item.Name = std::string(line.substr(2, tab2 == std::string_view::npos ? std::string_view::npos : tab2 - 2));
    if (tab2 != std::string_view::npos) item.Declaration = std::string(line.substr(tab2 + 1));
    if (item.Name.empty()) continue;
    keys.push_back(Upper(item.Name));
    items.push_back(std::move(item));
  }
  // Sorted by name; of equal names the first given stays.
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  FItems.clear();
  FKeys.clear();
  for (std::size_t i : order) {
    if (!FKeys.empty() && FKeys.back() == keys[i]) continue;
    FKeys.push_back(std::move(keys[i]));
    FItems.push_back(std::move(items[i]));
  }
}

std::vector<const TfsCompletionItem*> TfsCompletionNames::Matching(std::string_view prefix) const {
  const std::string key = Upper(prefix);
  std::vector<const TfsCompletionItem*> out;
  for (auto it = std::lower_bound(FKeys.begin(), FKeys.end(), key);
       it != FKeys.end() && it->compare(0, key.size(), key) == 0; ++it)
    out.push_back(&FItems[static_cast<std::size_t>(it - FKeys.begin())]);
  return out;
}

const TfsCompletionItem* TfsCompletionNames::Routine(std::string_view name) const {
  const std::string key = Upper(name);
  auto it = std::lower_bound(FKeys.begin(), FKeys.end(), key);
  if (it == FKeys.end() || *it != key) return nullptr;
  const TfsCompletionItem& item = FItems[static_cast<std::size_t>(it - FKeys.begin())];
  return item.Kind == 'f' ? &item : nullptr;
}

int WordStart(const std::string& line, int column) {
  int start = std::min(column, static_cast<int>(line.size()) + 1);
  if (start < column) return column;  // past the line end: no word before the caret
  while (start > 1 && IsWordChar(line[static_cast<std::size_t>(start - 2)])) --start;
  return start;
}

std::string OpenCall(const std::string& line, int column) {
  const std::size_t end = std::min(line.size(), static_cast<std::size_t>(std::max(column - 1, 0)));
  std::vector<std::size_t> open;
  char quote = 0;
  for (std::size_t i = 0; i < end; ++i) {
    const char c = line[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '(') {
      open.push_back(i);
    } else if (c == ')' && !open.empty()) {
      open.pop_back();
    }
  }
  // The innermost open parenthesis that follows a name: "Scale(1 + (2" is in Scale's.
  for (auto at = open.rbegin(); at != open.rend(); ++at) {
    std::size_t stop = *at;
    while (stop > 0 && line[stop - 1] == ' ') --stop;
    std::size_t start = stop;
    while (start > 0 && IsWordChar(line[start - 1])) --start;
    if (start < stop) return line.substr(start, stop - start);
  }
  return {};
}

}  // namespace ui
