// The arguments of the developer tools that take a dialect and one script file
// ("parse" and "eval"): --language NAME FILE.
#pragma once

#include <string>

struct ScriptFileArgs {
  std::string Language;
  std::string File;
};

// 0 with args filled, or 2 after a one-line usage error naming the command.
int ReadScriptFileArgs(const char* command, int argc, char** argv, ScriptFileArgs& args);
// The folder of a file name, with its trailing separator ('' for a bare name).
std::string DirectoryOf(const std::string& file);
