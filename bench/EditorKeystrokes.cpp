// The editor's keystroke timed on the Windows build, where Google Benchmark is not
// at hand: a real editor window on a 10 000-line script, keys sent as window
// messages, each followed by the repaint of the visible lines (WM_PAINT through GDI).
// Prints the median, mean, 95th percentile and maximum per keystroke; the completion
// keys (Ctrl+Space opening the list, letters filtering it) are reported apart, with
// the script's and the registry's names read as the options dialog reads them.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <map>

#include "filter/FilterCompletion.h"
#include "gui/Forms.h"
#include "ui/fsSyntaxMemo.h"

namespace {

std::string Script(int lines) {
  static const char* const kBlock[] = {
      "{ Scales the readings of one row }",  "procedure Scale(var Value: Double; Factor: Double);",
      "var",                                 "  i: Integer;",
      "begin",                               "  // the factor comes from the settings",
      "  for i := 1 to 10 do",               "    Value := Value * Factor + i;",
      "  SetVariable('Scaled', Value);",     "end;",
  };
  std::string s;
  for (int i = 0; i < lines; ++i) s += std::string(kBlock[i % 10]) + "\r\n";
  return s;
}

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (double m : ms) sum += m;
  std::printf("%-34s median %7.3f ms  mean %7.3f ms  p95 %7.3f ms  max %7.3f ms  (%zu keys)\n", what, ms[ms.size() / 2],
              sum / static_cast<double>(ms.size()), ms[ms.size() * 95 / 100], ms.back(), ms.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::max(2, std::atoi(argv[1])) : 400;
  auto form = rtl::MakeObject<gui::TForm>();
  form->SetClientWidth(800);
  form->SetClientHeight(600);
  auto* memo = new ui::TfsSyntaxMemo(form.get());
  memo->SetParent(form.get());
  memo->SetAlign(gui::alClient);
  memo->SetText(rtl::AnsiString(Script(10000)));
  form->Show();
  memo->SetFocus();
  memo->SetCaret(12, 5000);
  gui::Application()->ProcessMessages();
  // Keys typed in turn, each timed with its repaint.
  auto run = [&](const std::vector<std::pair<std::uint16_t, char>>& cycle) {
    std::vector<double> ms;
    for (int i = 0; i < keys; ++i) {
      platform::UserInput in;
      in.VirtualKey = cycle[static_cast<std::size_t>(i) % cycle.size()].first;
      in.Char = cycle[static_cast<std::size_t>(i) % cycle.size()].second;
      const auto t0 = std::chrono::steady_clock::now();
      platform::SendUserInput(*memo->Peer(), in);
      memo->Update();  // paints what the key made invalid, as the message loop would
      const auto t1 = std::chrono::steady_clock::now();
      ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return ms;
  };
  std::printf("editor keystrokes on %d lines, %dx%d client, %d visible lines\n", memo->LineCount(), memo->ClientWidth(),
              memo->ClientHeight(), memo->VisibleLines());
  Report("a letter, then Backspace", run({{'X', 'x'}, {gui::VK_BACK, '\b'}}));
  // "(*" opens a comment that nothing closes: every following line changes class.
  memo->SetCaret(1, 5005);
  Report("\"(*\" to the end, then Backspaces", run({{0x39, '('}, {0x38, '*'}, {gui::VK_BACK, '\b'}, {gui::VK_BACK, '\b'}}));

  // Completion. The names are read once here, as the editor does when it is idle.
  memo->Completion().SetSource([](ui::TfsSyntaxMemo& m) {
    return filter::CompletionNames("PascalScript", m.Text().str(), m.CaretPos().Y);
  });
  memo->SetCaret(33, 5008);  // after "Value := Value * Factor + i;"
  const auto r0 = std::chrono::steady_clock::now();
  memo->Completion().Refresh();
  const auto r1 = std::chrono::steady_clock::now();
  std::printf("names read (on idle, not per key): %.3f ms, %d names\n",
              std::chrono::duration<double, std::milli>(r1 - r0).count(), memo->Completion().Names().Count());
  struct Step {
    const char* What;
    std::uint16_t Key;
    std::uint32_t Shift;
    char Char;
  };
  const char* kOpenAll = "Ctrl+Space opens the list (all names)";
  const char* kOpen = "Ctrl+Space opens the list (\"S\")";
  const char* kFilter = "a letter filters the list";
  const std::vector<Step> cycle = {
      {kOpenAll, gui::VK_SPACE, platform::kCtrl, ' '}, {nullptr, gui::VK_ESCAPE, 0, 0},
      {nullptr, 'S', platform::kShift, 'S'},           {kOpen, gui::VK_SPACE, platform::kCtrl, ' '},
      {kFilter, 'E', 0, 'e'},                          {kFilter, 'T', 0, 't'},
      {kFilter, 'V', 0, 'v'},                          {nullptr, gui::VK_ESCAPE, 0, 0},
      {nullptr, gui::VK_BACK, 0, '\b'},               {nullptr, gui::VK_BACK, 0, '\b'},
      {nullptr, gui::VK_BACK, 0, '\b'},               {nullptr, gui::VK_BACK, 0, '\b'},
  };
  std::map<std::string, std::vector<double>> times;
  for (int i = 0; i < std::max(2, keys / 4); ++i) {
    for (const Step& step : cycle) {
      platform::UserInput in;
      in.VirtualKey = step.Key;
      in.Shift = step.Shift;
      in.Char = step.Char;
      const auto t0 = std::chrono::steady_clock::now();
      platform::SendUserInput(*memo->Peer(), in);
      memo->Update();
      const auto t1 = std::chrono::steady_clock::now();
      if (step.What) times[step.What].push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    if (memo->Completion().ListShown() || memo->Line(5007) != "    Value := Value * Factor + i;") {
      std::printf("the completion cycle did not come back to its start\n");
      return 1;
    }
  }
  for (const char* what : {kOpenAll, kOpen, kFilter}) Report(what, times[what]);
  form->Hide();
  return 0;
}
