// TfsSyntaxHighlighter: the highlighting classes of an editor's text, one class per
// character, by syntax type (keywords, line and block comments, strings). A token
// never spans a line break except a block comment, so each line is classified from
// the comment it starts in; after an edit only the changed lines are classified
// again, and the lines after them as long as the comment they start in changes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "rtl/ClassInfo.h"

namespace ui {

enum TSyntaxType { stPascal, stCpp, stJs, stVB, stSQL, stText };
const rtl::TEnumInfo& SyntaxTypeTypeInfo();

// Highlighting classes; control characters keep their own code.
enum : char { hcText = 1, hcSelection = 2, hcComment = 3, hcKeyword = 4, hcString = 5 };

class TfsSyntaxHighlighter {
public:
  explicit TfsSyntaxHighlighter(TSyntaxType type = stPascal);

  TSyntaxType SyntaxType() const noexcept { return FType; }
  // Selects the keywords and delimiters of a syntax type (the caller highlights again).
  void SetSyntaxType(TSyntaxType type);
  bool IsKeyword(std::string_view word) const;

  // Classifies a whole text given as lines.
  template <class Lines>
  void Highlight(const Lines& lines) {
    FAttr.clear();
    FStartState.assign(1, 0);
    for (const auto& line : lines) AppendLine(std::string_view(line.data(), line.size()));
    FAttr.emplace_back(" ");
  }
  // After lines [first, first + removed) were replaced by [first, first + added):
  // classifies the new lines and the following ones whose starting comment changed.
  template <class Lines>
  void Update(const Lines& lines, int first, int removed, int added) {
    Splice(first, removed, added);
    const int count = static_cast<int>(lines.size());
    FSpread = false;
    for (int i = first; i < count; ++i) {
      if (i >= first + added) FSpread = true;
      const auto& line = lines[static_cast<std::size_t>(i)];
      const std::uint8_t before = FStartState[static_cast<std::size_t>(i) + 1];
      const std::uint8_t after = ClassifyLine(std::string_view(line.data(), line.size()), FStartState[static_cast<std::size_t>(i)],
                                              FAttr[static_cast<std::size_t>(i)]);
      FStartState[static_cast<std::size_t>(i) + 1] = after;
      if (i >= first + added - 1 && after == before) break;
    }
  }

  // Whether the last Update changed the classes of lines after the edited ones.
  bool LastUpdateSpread() const noexcept { return FSpread; }
  // One entry per text line, then " ".
  const std::vector<std::string>& AttrLines() const noexcept { return FAttr; }
  // How many lines were classified since the last call (for measurements).
  std::size_t TakeClassifiedCount() noexcept {
    const std::size_t n = FClassified;
    FClassified = 0;
    return n;
  }

private:
  // The block comment a line starts in: 0 none, 1 "{", 2 "(*", 3 "/*".
  std::uint8_t ClassifyLine(std::string_view line, std::uint8_t state, std::string& attr);
  void AppendLine(std::string_view line);
  void Splice(int first, int removed, int added);

  TSyntaxType FType;
  std::unordered_set<std::string> FKeywords;
  std::vector<std::string> FAttr;
  std::vector<std::uint8_t> FStartState;  // per line, and one after the last
  std::size_t FClassified = 0;
  bool FSpread = false;
};

}  // namespace ui
