// velmora-host test CASE...: runs case folders the way "run" runs a script and
// compares what came out with each case's expected files. A case folder holds
//   script.pas | script.cpp | script.js | script.vbs   the script
//   input.jsonl                                         packets, one per line
//   output.jsonl                                        the expected packets out
//   log.txt, events.jsonl, sent.jsonl (optional)        expected log lines ("level
//                                                       text"), events, host callback calls
//   posix-only (optional)                               skip on Windows (a message box
//                                                       there would wait for a user)
//   windows-only (optional)                             skip on POSIX (it needs the
//                                                       system's automation objects)
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CaseCompare.h"
#include "HostCommands.h"
#include "HostFiles.h"
#include "HostUsage.h"
#include "PacketRun.h"
#include "ScriptLanguage.h"

namespace {

constexpr std::size_t kMaxExpectedBytes = 256u << 20;
const char* const kScriptNames[] = {"script.pas", "script.cpp", "script.js", "script.vbs"};

struct TestCase {
  std::string Folder;
  std::string Script;  // empty: the folder's script.*
  std::string Input;   // empty: the folder's input.jsonl
};

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return folder + (last == '/' || last == '\\' ? "" : "/") + name;
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(path), ec);
}

enum class Outcome { Passed, Failed, Skipped };

// Log lines shown under a failed case at most.
constexpr std::size_t kMaxShownLogLines = 20;

struct CaseResult {
  std::string Why;    // the FAIL or SKIP reason
  std::string Notes;  // what the run reported (skipped input lines, where a compile failed)
  // Of a case that ran and failed: its log lines that differ from its log.txt, as they
  // may tell why.
  std::vector<std::string> LogLines;
};

// The expected log, events and host calls that the case folder has, against the run's.
Outcome CompareRun(const TestCase& c, const StringSink& log, const StringSink& events, const StringSink& sent,
                   CaseResult& result) {
  std::string& why = result.Why;
  std::string error;
  struct Extra {
    const char* File;
    const StringSink& Actual;
    bool IsJson;
  };
  const Extra extras[] = {{"log.txt", log, false}, {"events.jsonl", events, true}, {"sent.jsonl", sent, true}};
  for (const Extra& x : extras) {
    const std::string path = InFolder(c.Folder, x.File);
    if (!Exists(path)) continue;
    std::string expected;
    if (!ReadRegularFile(path, kMaxExpectedBytes, expected, error)) {
      why = error;
      return Outcome::Failed;
    }
    why = x.IsJson ? JsonLinesDifference(x.File, expected, x.Actual.Text()) : TextDifference(x.File, expected, x.Actual.Text());
    if (!why.empty()) return Outcome::Failed;
  }
  return Outcome::Passed;
}

// Runs one case.
Outcome RunCase(PluginLibrary& library, const TestCase& c, CaseResult& result) {
  std::string& why = result.Why;
#if defined(_WIN32)
  if (Exists(InFolder(c.Folder, "posix-only"))) {
    why = "runs on POSIX only";
    return Outcome::Skipped;
  }
#else
  if (Exists(InFolder(c.Folder, "windows-only"))) {
    why = "runs on Windows only";
    return Outcome::Skipped;
  }
#endif
  std::string script = c.Script;
  if (script.empty()) {
    for (const char* name : kScriptNames) {
      if (!Exists(InFolder(c.Folder, name))) continue;
      if (!script.empty()) {
        why = "more than one script.* file";
        return Outcome::Failed;
      }
      script = InFolder(c.Folder, name);
    }
    if (script.empty()) {
      why = "no script (script.pas, script.cpp, script.js or script.vbs)";
      return Outcome::Failed;
    }
  }
  PacketRunSettings settings;
  settings.ScriptFile = script;
  std::string error;
  if (!ReadScriptFile(script, settings.Script, error) ||
      !DetectLanguage(script, settings.Script, settings.Language, error)) {
    why = error;
    return Outcome::Failed;
  }
  const std::string inputPath = c.Input.empty() ? InFolder(c.Folder, "input.jsonl") : c.Input;
  std::string input, expectedOutput;
  if (!ReadRegularFile(inputPath, kMaxExpectedBytes, input, error) ||
      !ReadRegularFile(InFolder(c.Folder, "output.jsonl"), kMaxExpectedBytes, expectedOutput, error)) {
    why = error;
    return Outcome::Failed;
  }

  StringSink output, log, events, sent, messages;
  const PacketRunOutputs out{&output, &log, &events, &sent, &messages, ""};
  std::istringstream packets(input);
  if (!RunPackets(library, settings, packets, out, error)) {
    why = error;
    return Outcome::Failed;
  }
  result.Notes = messages.Text();
  why = PacketDifference(expectedOutput, output.Text());
  const Outcome outcome = why.empty() ? CompareRun(c, log, events, sent, result) : Outcome::Failed;
  std::string expectedLog;
  if (outcome == Outcome::Failed && ReadRegularFile(InFolder(c.Folder, "log.txt"), kMaxExpectedBytes, expectedLog, error))
    result.LogLines = DifferingLines(expectedLog, log.Text(), kMaxShownLogLines);
  return outcome;
}

}  // namespace

int RunTest(int argc, char** argv) {
  std::string libraryPath = PluginLibrary::DefaultPath(), script, input;
  std::vector<std::string> folders;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--library" || a == "--script" || a == "--input") {
      if (i + 1 >= argc) return UsageError("test", a + " needs a value");
      (a == "--library" ? libraryPath : a == "--script" ? script : input) = argv[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      return UsageError("test", "unknown option '" + a + "'");
    } else {
      folders.push_back(a);
    }
  }
  if (folders.empty()) return UsageError("test", "no case folder given");
  if ((!script.empty() || !input.empty()) && folders.size() != 1)
    return UsageError("test", "--script and --input take one case folder");
  for (const std::string& folder : folders) {
    std::error_code ec;
    if (!std::filesystem::is_directory(std::filesystem::path(folder), ec))
      return Failure("test", "'" + folder + "' is not a case folder");
  }

  PluginLibrary library;
  std::string error;
  if (!library.Load(libraryPath, error)) return Failure("", error);
  int passed = 0, failed = 0, skipped = 0;
  for (const std::string& folder : folders) {
    CaseResult result;
    switch (RunCase(library, {folder, script, input}, result)) {
      case Outcome::Passed:
        ++passed;
        StandardOutput().WriteLine("PASS " + folder);
        break;
      case Outcome::Skipped:
        ++skipped;
        StandardOutput().WriteLine("SKIP " + folder + ": " + result.Why);
        break;
      case Outcome::Failed:
        ++failed;
        StandardOutput().WriteLine("FAIL " + folder + ": " + result.Why);
        // What the run reported and what the script logged may tell why (a compile
        // error, a skipped input line, a run-time error of a row).
        for (const std::string& line : Lines(result.Notes)) StandardOutput().WriteLine("  " + line);
        if (!result.LogLines.empty()) {
          StandardOutput().WriteLine("  log lines that differ (- expected, + got):");
          for (const std::string& line : result.LogLines) StandardOutput().WriteLine("  " + line);
        }
        break;
    }
    StandardOutput().Flush();
  }
  std::string summary = std::to_string(passed) + " passed, " + std::to_string(failed) + " failed";
  if (skipped) summary += ", " + std::to_string(skipped) + " skipped";
  StandardOutput().WriteLine(summary);
  StandardOutput().Flush();
  return failed ? 1 : 0;
}
