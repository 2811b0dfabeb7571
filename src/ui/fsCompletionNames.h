// TfsCompletionNames: the names the editor completes, sorted for prefix lookup, and
// the reading of the editor's text around the caret that completion needs (the word
// being typed, the routine whose argument list the caret stands in).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct TfsCompletionItem {
  char Kind = 'f';  // 'f' routine, 'v' variable, 'c' class, 'k' constant
  std::string Name;
  std::string Declaration;
};

class TfsCompletionNames {
public:
  // Lines "K<tab>Name<tab>Declaration" (the module's "GetCompletion" answer). A name
  // that comes twice (the script's own before the registered one) is kept once.
  void Assign(std::string_view text);
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  bool Empty() const noexcept { return FItems.empty(); }
  // The items whose name starts with prefix, ignoring case, in name order.
  std::vector<const TfsCompletionItem*> Matching(std::string_view prefix) const;
  // The routine of that name (ignoring case), or nullptr.
  const TfsCompletionItem* Routine(std::string_view name) const;

private:
  std::vector<TfsCompletionItem> FItems;  // sorted by upper-case name
  std::vector<std::string> FKeys;         // the upper-case names, in the same order
};

bool IsWordChar(char c) noexcept;
// The column (1-based) where the word ending before column starts; column itself
// when no word character stands before it.
int WordStart(const std::string& line, int column);
// The name before the innermost "(" that is still open left of column and follows a
// name (quoted texts skipped), or empty.
std::string OpenCall(const std::string& line, int column);

}  // namespace ui
