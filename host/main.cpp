// velmora-host: drives the plug-in through its exports like the real host does, and
// gives developers a few tools to look into the engine.
#include <cstring>
#include <string>

#include "HostCommands.h"
#include "HostUsage.h"
#include "platform/Console.h"

namespace {

struct SubCommand {
  const char* Name;
  int (*Run)(int argc, char** argv);
};

const SubCommand kCommands[] = {
    {"info", RunInfo},       {"run", RunScript},           {"test", RunTest},   {"check", RunCheck},
    {"catalogue", RunCatalogue}, {"command", RunVerbCommand}, {"edit", RunEdit}, {"options", RunOptions},  {"parse", RunParse},
    {"eval", RunEval},
};

bool AsksForHelp(int argc, char** argv) {
  for (int i = 0; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  if (argc < 2) {
    PrintUsage("", StandardError());
    return 2;
  }
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintUsage("", StandardOutput());
    return 0;
  }
  for (const auto& c : kCommands) {
    if (name != c.Name) continue;
    if (AsksForHelp(argc - 2, argv + 2)) {
      PrintUsage(name, StandardOutput());
      return 0;
    }
    return c.Run(argc - 2, argv + 2);
  }
  return UsageError("", "unknown command '" + name + "'");
}
