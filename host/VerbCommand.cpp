// velmora-host command VERB [NAME=VALUE ...]: one command against a loaded
// configuration, so that every verb can be tried from the shell.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "HostCommands.h"
#include "HostSession.h"
#include "HostUsage.h"
#include "ScriptLanguage.h"
#include "rtl/VariantConvert.h"

namespace {

// Arguments the framework reads as numbers: a text there would end the command in an
// exception (logged with its call stack) instead of telling the user what is wrong.
struct NumericArgument {
  const char* Verb;  // empty: every verb
  const char* Name;
};
const NumericArgument kNumericArguments[] = {
    {"SET-STATE", "RESULT"},        {"SAVE-SETTINGS-NOW", "NO-SAVE"}, {"LOAD-SETTINGS-NOW", "NO-SAVE"},
    {"LOAD", "CONFIG-ID"},          {"LOAD", "HANDLE"},               {"", "OWNERFORM"},
    {"", "MessagesProcessorHandle"}};

bool SameName(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && !b[i];
}

bool IsWholeNumber(const std::string& text) {
  if (text == "true" || text == "false") return true;
  errno = 0;
  char* end = nullptr;
  std::strtoll(text.c_str(), &end, 10);
  return !text.empty() && errno == 0 && end && *end == '\0';
}

// A one-line reason when the arguments cannot be what the verb reads from them.
std::string RefusedArguments(const std::string& verb, const std::vector<std::pair<std::string, std::string>>& texts) {
  std::string eventType;
  bool haveLanguage = false;
  for (const auto& [name, value] : texts)
    if (SameName(name, "EVENT-TYPE")) eventType = value;
  const bool checkCode = verb == "EVENT" && eventType == "CheckCode";
  for (const auto& [name, value] : texts) {
    for (const NumericArgument& a : kNumericArguments)
      if ((!*a.Verb || verb == a.Verb) && SameName(name, a.Name) && !IsWholeNumber(value))
        return name + " must be a whole number, not '" + value + "'";
    // The compile check reads its dialect from P0 and the script from P1.
    if (checkCode && SameName(name, "P0")) {
      if (FindLanguage(value) < 0) return "unknown language '" + value + "' (" + LanguageChoices() + ")";
      haveLanguage = true;
    }
  }
  if (checkCode && !haveLanguage) return "CheckCode needs the language as P0 and the script as P1";
  return {};
}

}  // namespace

int RunVerbCommand(int argc, char** argv) {
  std::string path = PluginLibrary::DefaultPath();
  SessionOptions options;
  std::string verb;
  std::vector<std::pair<std::string, std::string>> texts;
  for (int i = 0; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--library" && i + 1 < argc) {
      path = argv[++i];
    } else if (a == "--config-id" && i + 1 < argc) {
      options.ConfigId = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
      if (options.ConfigId == 0) return UsageError("command", "--config-id needs a number from 1");
    } else if (verb.empty()) {
      verb = a;
    } else {
      std::size_t eq = a.find('=');
      if (eq == std::string::npos || eq == 0) return UsageError("command", "argument '" + a + "' is not NAME=VALUE");
      texts.emplace_back(a.substr(0, eq), a.substr(eq + 1));
    }
  }
  if (verb.empty()) return UsageError("command", "no verb given");
  const std::string refused = RefusedArguments(verb, texts);
  if (!refused.empty()) return Failure("command", verb + ": " + refused);
  std::vector<std::pair<std::string, rtl::Variant>> args;
  for (const auto& [name, value] : texts) args.emplace_back(name, ArgumentToVariant(value));

  PluginLibrary lib;
  std::string error;
  if (!lib.Load(path, error)) return Failure("", error);
  HostSession session(lib, options);
  session.SetEventOutput(&StandardOutput());
  const std::int32_t loaded = session.Load();
  if (loaded != 0) Failure("", "LOAD answered " + std::to_string(loaded), 0);
  session.SetState(true);
  rtl::Variant answer;
  const std::int32_t result = session.Command(verb, args, answer);
  std::printf("result: %d\n", result);
  if (!answer.IsEmptyOrNull()) std::printf("RESULT: %s\n", VariantToJson(answer).dump().c_str());
  std::fflush(stdout);
  session.Unload();
  session.Release();
  return 0;
}
