// The four dialects as the host names them, and how a script file tells which one it
// is written in when the user names none.
#pragma once

#include <string>
#include <string_view>

// The dialect names in the order of the configuration's language index.
constexpr const char* kLanguageNames[] = {"PascalScript", "C++Script", "JScript", "BasicScript"};
constexpr int kLanguageCount = 4;

// The language index of a dialect name, compared ignoring case; -1 for none.
int FindLanguage(std::string_view name);

// The dialect a script names on its first line ("#language NAME", the engine's
// dialect switch); false when the first line is no such directive.
bool LanguageDirective(std::string_view script, std::string& name);

// The dialect of a script file: the "#language" line, else the extension (.pas; .c,
// .cpp; .js; .vb, .vbs), else PascalScript. False with a one-line reason when the
// directive names no dialect this host knows.
bool DetectLanguage(const std::string& fileName, std::string_view script, int& index, std::string& error);

// "PascalScript, C++Script, JScript or BasicScript", for messages.
std::string LanguageChoices();
