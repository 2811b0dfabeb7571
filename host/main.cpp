// velmora-host: drives the plug-in through its exports like the real host does, and
// gives developers a few tools to look into the engine.
#include <cstdio>
#include <cstring>

#include "HostCommands.h"
#include "platform/Console.h"

namespace {

struct SubCommand {
  const char* Name;
  int (*Run)(int argc, char** argv);
  const char* Help;
};

const SubCommand kCommands[] = {
    {"info", RunInfo, "info [--library PATH]           interface version and module information"},
    {"run", RunScript, "run --script FILE [--language NAME] [--input FILE|-] ...   run a script over packets"},
    {"check", RunCheck, "check --language NAME FILE     compile a script and report its first error"},
    {"catalogue", RunCatalogue, "catalogue                      every function a script can call, as an outline"},
    {"command", RunVerbCommand, "command VERB [NAME=VALUE ...]    send one command to a loaded configuration"},
    {"parse", RunParse, "parse --language NAME FILE     print the program tree of a script"},
    {"edit", RunEdit, "edit [--language NAME] FILE [--screenshot OUT.bmp]   the script in the highlighting editor"},
    {"eval", RunEval, "eval --language NAME FILE      compile and run a script with a few test functions"},
};

int Usage() {
  std::fprintf(stderr, "usage: velmora-host COMMAND [ARGS]\n");
  for (const auto& c : kCommands) std::fprintf(stderr, "  %s\n", c.Help);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  if (argc < 2) return Usage();
  for (const auto& c : kCommands)
    if (std::strcmp(argv[1], c.Name) == 0) return c.Run(argc - 2, argv + 2);
  std::fprintf(stderr, "velmora-host: unknown command '%s'\n", argv[1]);
  return Usage();
}
