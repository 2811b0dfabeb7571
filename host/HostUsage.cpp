#include "HostUsage.h"

namespace {

struct Usage {
  const char* Command;
  const char* Text;
};

// The dialect choice that run, check, parse and eval share.
#define LANGUAGE_HELP                                                                          \
  "  NAME: PascalScript, C++Script, JScript or BasicScript, in any case. Without --language\n" \
  "  the script's first line \"#language NAME\" names it, else the file's extension (.pas;\n"  \
  "  .c, .cpp; .js; .vb, .vbs), else it is PascalScript.\n"

const Usage kUsages[] = {
    {"",
     "usage: velmora-host COMMAND [ARGS]   (velmora-host COMMAND --help for one command)\n"
     "  info        interface version and module information\n"
     "  run         run a script over packets given as JSON lines\n"
     "  test        run case folders and compare the results with their expected files\n"
     "  check       compile a script and report its first error\n"
     "  catalogue   every function a script can call, as an outline\n"
     "  command     send one command to a loaded configuration\n"
     "  edit        the script in the highlighting editor (Windows build)\n"
     "  options     a configuration's options dialog (Windows build)\n"
     "  parse       print the program tree of a script (developer tool)\n"
     "  eval        compile and run a script with a few test functions (developer tool)\n"},
    {"info",
     "usage: velmora-host info [--library PATH]\n"
     "  Prints the library's interface version and module information.\n"},
    {"run",
     "usage: velmora-host run --script FILE [--language NAME] [--input FILE|-] [--log FILE]\n"
     "                        [--events FILE] [--sent FILE] [--row-time-limit MS]\n"
     "                        [--memory-limit MB] [--config-id N] [--library PATH]\n"
     "  Runs the script over packets as the host runs a configuration and prints one line\n"
     "  per packet: {\"result\":N,\"rows\":[...]}.\n" LANGUAGE_HELP
     "  --input           JSON lines, one packet each: an object is a row, an array of\n"
     "                    objects several rows (default: stdin). A line that is no packet\n"
     "                    is skipped with its reason on stderr.\n"
     "  --log             the module's log lines, \"level text\" (default: stderr)\n"
     "  --events, --sent  the events and the host callback calls, as JSON lines\n"
     "  --row-time-limit  how long one row's script may run, in milliseconds\n"
     "                    (0: no limit; 10000 when not given)\n"
     "  --memory-limit    how much memory the script may take, in megabytes\n"
     "                    (0: no limit; 512 when not given)\n"},
    {"test",
     "usage: velmora-host test [--library PATH] CASE...\n"
     "       velmora-host test [--library PATH] [--script FILE] [--input FILE] CASE\n"
     "  Runs each case folder as \"run\" would and compares what it printed with the\n"
     "  case's expected files; prints PASS or FAIL with the first difference for each\n"
     "  case (under a FAIL, also the script's log lines that differ from log.txt), then\n"
     "  \"N passed, M failed\". Exit code 1 when a case failed.\n"
     "  A case folder holds the script (script.pas, .cpp, .js or .vbs), input.jsonl and\n"
     "  the expected output.jsonl; log.txt, events.jsonl and sent.jsonl, when present, are\n"
     "  compared too. A case holding a file posix-only is skipped on Windows, one\n"
     "  holding a file windows-only on POSIX.\n"
     "  --script, --input  take the script or the packets from elsewhere; CASE is then\n"
     "                     the one folder of expected files.\n"},
    {"check",
     "usage: velmora-host check [--language NAME] [--library PATH] FILE\n"
     "  Compiles the script as the options dialog does; its first error goes to stderr as\n"
     "  FILE:line:col: message (exit code 1).\n" LANGUAGE_HELP},
    {"catalogue",
     "usage: velmora-host catalogue [--library PATH]\n"
     "  Prints every function a script can call, as the options dialog's outline.\n"},
    {"command",
     "usage: velmora-host command VERB [NAME=VALUE ...] [--config-id N] [--library PATH]\n"
     "  Sends one command to a loaded configuration and prints its result and RESULT.\n"
     "  VALUE: a 32-bit integer, true, false, or text.\n"},
    {"edit",
     "usage: velmora-host edit [--language NAME] FILE [--screenshot OUT.bmp [--size WxH]]\n"
     "  Opens the script in the syntax-highlighting editor, in a resizable window titled with\n"
     "  the file name; closing it after a change asks whether to save. --screenshot writes\n"
     "  the painted window as a 24-bit BMP and closes it; with --size the window is first\n"
     "  resized to W x H pixels as a drag of its edge does. The POSIX build has no display.\n"
     "  NAME: PascalScript, C++Script, JScript or BasicScript; without it the extension\n"
     "  decides (.pas; .c, .cpp; .js; .vb, .vbs).\n"},
    {"options",
     "usage: velmora-host options --script FILE [--language NAME] [--lang CODE]\n"
     "                            [--screenshot OUT.bmp [--size WxH]] [--library PATH]\n"
     "  Stores the script in a configuration as run does and shows that configuration's\n"
     "  options dialog through the library, in the language CODE of its language file\n"
     "  (EN by default, e.g. DE). After OK it prints \"language: NAME\" and the script that\n"
     "  the settings now hold. --screenshot writes the painted dialog as a 24-bit BMP and\n"
     "  closes it as Cancel does; with --size the dialog is first resized to W x H pixels\n"
     "  as a drag of its edge does. The POSIX build has no display.\n"},
    {"parse",
     "usage: velmora-host parse [--language NAME] FILE\n"
     "  Prints the program tree of a script, or its first syntax error.\n" LANGUAGE_HELP},
    {"eval",
     "usage: velmora-host eval [--language NAME] FILE\n"
     "  Compiles and runs a script directly with the engine; the script can call\n"
     "  Print(v), WriteLn(v), Write(v), TypeOf(v) and VarArrayOf3(a, b, c).\n" LANGUAGE_HELP},
};

}  // namespace

void PrintUsage(const std::string& command, OutputSink& out) {
  for (const Usage& u : kUsages)
    if (command == u.Command) out.Write(u.Text);
  out.Flush();
}

bool ParseWindowSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos || x == 0 || x + 1 >= text.size() || x > 5 || text.size() - x - 1 > 5) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != x && (text[i] < '0' || text[i] > '9')) return false;
  width = std::stoi(text.substr(0, x));
  height = std::stoi(text.substr(x + 1));
  return width > 0 && height > 0;
}

int UsageError(const std::string& command, const std::string& why) {
  const std::string name = command.empty() ? "velmora-host" : "velmora-host " + command;
  StandardError().WriteLine(name + ": " + why + " (see " + name + " --help)");
  StandardError().Flush();
  return 2;
}

int Failure(const std::string& command, const std::string& message, int code) {
  StandardError().WriteLine((command.empty() ? "velmora-host: " : "velmora-host " + command + ": ") + message);
  StandardError().Flush();
  return code;
}
