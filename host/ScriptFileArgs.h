// The arguments of the commands that take one script file ("check", "parse" and
// "eval"): [--language NAME] [--library PATH] FILE, and the script's dialect.
#pragma once

#include <string>

struct ScriptFileArgs {
  std::string Language;  // as given; empty when the script's file tells it
  std::string Library;   // only where the command takes --library
  std::string File;
  int LanguageIndex = 0;
};

// 0 with args filled, or 2 after a one-line usage error naming the command. A command
// that takes --library passes takesLibrary.
int ReadScriptFileArgs(const char* command, int argc, char** argv, ScriptFileArgs& args, bool takesLibrary = false);
// Sets LanguageIndex from --language, else from the script (its "#language" line or
// the file's extension); 0, or 2 after a one-line error for an unknown dialect.
int ResolveLanguage(const char* command, const std::string& script, ScriptFileArgs& args);
// The folder of a file name, with its trailing separator ('' for a bare name).
std::string DirectoryOf(const std::string& file);
