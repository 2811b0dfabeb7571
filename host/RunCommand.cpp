// velmora-host run: a script over packets, as the host would run a configuration.
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>

#include "HostCommands.h"
#include "HostFiles.h"
#include "HostUsage.h"
#include "PacketRun.h"
#include "ScriptLanguage.h"

namespace {

// A whole number from min to INT32_MAX; false for anything else.
bool ReadNumber(const std::string& text, long long min, std::int64_t& value) {
  errno = 0;
  char* end = nullptr;
  const long long n = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || errno != 0 || !end || *end != '\0' || n < min || n > std::numeric_limits<std::int32_t>::max())
    return false;
  value = n;
  return true;
}

}  // namespace

int RunScript(int argc, char** argv) {
  std::string library = PluginLibrary::DefaultPath();
  std::string scriptPath, inputPath = "-", eventsPath, sentPath, logPath, language;
  PacketRunSettings settings;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    static const char* const kOptions[] = {"--script", "--language", "--input", "--events", "--sent",
                                           "--log", "--library", "--config-id", "--row-time-limit",
                                           "--memory-limit"};
    bool known = false;
    for (const char* o : kOptions) known = known || a == o;
    if (!known) return UsageError("run", "unknown argument '" + a + "'");
    if (i + 1 >= argc) return UsageError("run", a + " needs a value");
    const std::string v = argv[++i];
    std::int64_t n = 0;
    if (a == "--script") scriptPath = v;
    else if (a == "--language") language = v;
    else if (a == "--input") inputPath = v;
    else if (a == "--events") eventsPath = v;
    else if (a == "--sent") sentPath = v;
    else if (a == "--log") logPath = v;
    else if (a == "--library") library = v;
    else if (a == "--config-id") {
      if (!ReadNumber(v, 1, n)) return UsageError("run", "--config-id needs a number from 1, not '" + v + "'");
      settings.ConfigId = static_cast<std::uint32_t>(n);
    } else if (a == "--memory-limit") {
      if (!ReadNumber(v, 0, n)) return UsageError("run", "--memory-limit needs megabytes from 0, not '" + v + "'");
      settings.MemoryLimit = static_cast<std::int32_t>(n);
    } else {
      if (!ReadNumber(v, 0, n)) return UsageError("run", "--row-time-limit needs milliseconds from 0, not '" + v + "'");
      settings.RowTimeLimit = static_cast<std::int32_t>(n);
    }
  }
  if (scriptPath.empty()) return UsageError("run", "no --script given");
  if (!language.empty() && FindLanguage(language) < 0)
    return Failure("run", "unknown language '" + language + "' (" + LanguageChoices() + ")");

  std::string error;
  settings.ScriptFile = scriptPath;
  if (!ReadScriptFile(scriptPath, settings.Script, error)) return Failure("run", error);
  if (!language.empty())
    settings.Language = FindLanguage(language);
  else if (!DetectLanguage(scriptPath, settings.Script, settings.Language, error))
    return Failure("run", scriptPath + ": " + error);

  std::istream* input = &std::cin;
  std::ifstream inputFile;
  if (inputPath != "-") {
    if (!CheckRegularFile(inputPath, error)) return Failure("run", error);
    inputFile.open(inputPath, std::ios::binary);
    if (!inputFile) return Failure("run", "cannot read '" + inputPath + "'");
    input = &inputFile;
  }
  FileSink log(stderr), events, sent;
  if (!logPath.empty() && !log.Open(logPath, error)) return Failure("run", error);
  if (!eventsPath.empty() && !events.Open(eventsPath, error)) return Failure("run", error);
  if (!sentPath.empty() && !sent.Open(sentPath, error)) return Failure("run", error);

  PluginLibrary lib;
  if (!lib.Load(library, error)) return Failure("", error);
  const PacketRunOutputs out{&StandardOutput(), &log, events.IsOpen() ? &events : nullptr,
                             sent.IsOpen() ? &sent : nullptr, &StandardError(), "velmora-host run: "};
  if (!RunPackets(lib, settings, *input, out, error)) return Failure("run", error);
  if (input->bad()) return Failure("run", "cannot read '" + inputPath + "'");
  // Lines that did not reach their file are lost output: say so.
  if (StandardOutput().Failed()) return Failure("run", "cannot write to stdout");
  const std::pair<const FileSink*, const std::string*> files[] = {{&log, &logPath}, {&events, &eventsPath}, {&sent, &sentPath}};
  for (const auto& [file, path] : files)
    if (file->Failed()) return Failure("run", "cannot write '" + (path->empty() ? std::string("stderr") : *path) + "'");
  return 0;
}
