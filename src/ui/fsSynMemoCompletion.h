// TfsSynMemoCompletion: the editor's completion. Ctrl+Space opens a list of the names
// that can follow the word at the caret; typing filters it, Up, Down and the page
// keys choose, Enter or Tab put the chosen name in place of the word, Escape closes.
// While the caret stands in the argument list of a known routine (and the list is
// closed), its declaration shows as a hint above the line until its ")". The names come from a source the
// editor's owner sets (the options dialog asks the module); they are read again when
// the editor has been idle for a moment after a change, never on a keystroke, except
// the first time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/Controls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "ui/fsCompletionNames.h"

namespace ui {

class TfsSyntaxMemo;

class TfsSynMemoCompletion {
public:
  // The names for the editor's current text, as TfsCompletionNames::Assign reads them.
  using TNamesSource = std::function<std::string(TfsSyntaxMemo& memo)>;
  // How long the editor stays unchanged before the names are read again.
  static constexpr std::uint32_t RefreshMs = 400;
  // Rows the list shows at once.
  static constexpr int ListRows = 8;
  // Names the list holds at most, the first in name order.
  static constexpr int MaxListed = 100;

  explicit TfsSynMemoCompletion(TfsSyntaxMemo& memo);

  void SetSource(TNamesSource source);
  // Reads the names now.
  void Refresh();
  bool NamesStale() const noexcept { return FStale; }
  const TfsCompletionNames& Names() const noexcept { return FNames; }

  // The editor's hooks. KeyDown is true when completion took the key.
  bool KeyDown(std::uint16_t key, std::uint32_t shift);
  void AfterKey();
  void TextChanged();
  void Close();

  void Open();
  void Accept();
  bool ListShown() const;
  bool HintShown() const;
  gui::TListBox* List() const noexcept { return FList; }
  gui::TPanel* Hint() const noexcept { return FHint; }
  // The list's names, as shown (at most MaxListed).
  const std::vector<const TfsCompletionItem*>& Shown() const noexcept { return FShown; }

private:
  void Filter();
  void Select(int index);
  void UpdateHint();
  void ShowHint(const std::string& text);
  void PlaceList();
  std::string Prefix() const;

  TfsSyntaxMemo& FMemo;
  TNamesSource FSource;
  TfsCompletionNames FNames;
  bool FStale = true, FEverRead = false;
  gui::TListBox* FList = nullptr;
  gui::TPanel* FHint = nullptr;
  gui::TTimer* FTimer = nullptr;
  std::vector<const TfsCompletionItem*> FShown;
  gui::TPoint FWordStart{0, 0};  // column and line of the word the list completes
  std::string FDismissedCall;    // the call whose hint Escape closed
};

}  // namespace ui
