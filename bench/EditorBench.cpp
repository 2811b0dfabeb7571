// The editor's keystroke on a 10 000-line script: the key goes in as the platform
// delivers it, the editor inserts the character (with its undo snapshot), classifies
// what changed and the visible lines are painted (on the headless build into the
// recording surface).
#include <benchmark/benchmark.h>

#include <string>

#include "gui/Forms.h"
#include "ui/fsSyntaxMemo.h"

namespace {

std::string Script(int lines) {
  static const char* const kBlock[] = {
      "{ Scales the readings of one row }",
      "procedure Scale(var Value: Double; Factor: Double);",
      "var",
      "  i: Integer;",
      "begin",
      "  // the factor comes from the settings",
      "  for i := 1 to 10 do",
      "    Value := Value * Factor + i;",
      "  SetVariable('Scaled', Value);",
      "end;",
  };
  std::string s;
  for (int i = 0; i < lines; ++i) {
    s += kBlock[i % 10];
    s += "\r\n";
  }
  return s;
}

struct Editor {
  rtl::TObjectPtr<gui::TForm> Form = rtl::MakeObject<gui::TForm>();
  ui::TfsSyntaxMemo* Memo = new ui::TfsSyntaxMemo(Form.get());
  Editor() {
    Form->SetClientWidth(800);
    Form->SetClientHeight(600);
    Memo->SetParent(Form.get());
    Memo->SetAlign(gui::alClient);
    Memo->SetText(rtl::AnsiString(Script(10000)));
    Form->Show();
    Memo->SetFocus();
    Memo->SetCaret(12, 5000);
    Memo->Repaint();
  }
  ~Editor() { Form->Hide(); }
  void Key(std::uint16_t vk, char ch) {
    platform::UserInput in;
    in.VirtualKey = vk;
    in.Char = ch;
    platform::SendUserInput(*Memo->Peer(), in);
    Memo->Update();  // paints what the key made invalid, as the message loop would
  }
};

void BM_KeystrokeInsert(benchmark::State& state) {
  Editor e;
  int n = 0;
  for (auto _ : state) {
    // Type a character, then take it back, so the line keeps its length.
    if (n++ % 2 == 0) e.Key('X', 'x');
    else e.Key(gui::VK_BACK, '\b');
  }
  state.counters["lines"] = e.Memo->LineCount();
}
BENCHMARK(BM_KeystrokeInsert)->Unit(benchmark::kMicrosecond);

// The worst case: "(*" opens a comment that nothing closes, so every line after it
// is classified again (and again when it goes). The keys cycle through "(", "*" and
// two Backspaces; the figure is per key.
void BM_KeystrokeOpeningComment(benchmark::State& state) {
  Editor e;
  e.Memo->SetCaret(1, 5005);
  int n = 0;
  for (auto _ : state) {
    switch (n++ % 4) {
      case 0: e.Key(0x39, '('); break;
      case 1: e.Key(0x38, '*'); break;
      default: e.Key(gui::VK_BACK, '\b'); break;
    }
  }
}
BENCHMARK(BM_KeystrokeOpeningComment)->Unit(benchmark::kMicrosecond);

// Classifying the whole text, as a re-highlight of everything per keystroke would.
void BM_HighlightWholeText(benchmark::State& state) {
  Editor e;
  for (auto _ : state) {
    e.Memo->Highlighter().Highlight(std::vector<std::string>(1, std::string()));
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(e.Memo->LineCount()));
    for (int i = 0; i < e.Memo->LineCount(); ++i) lines.push_back(e.Memo->Line(i));
    e.Memo->Highlighter().Highlight(lines);
  }
}
BENCHMARK(BM_HighlightWholeText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
