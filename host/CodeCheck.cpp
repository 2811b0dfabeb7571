#include "CodeCheck.h"

#include "HostSession.h"
#include "ScriptLanguage.h"
#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

CheckResult CheckScriptCode(HostSession& session, int language, const std::string& script, const std::string& file,
                            std::string& message) {
  const std::u16string wide = rtl::AnsiToWide(script);
  rtl::Variant result;
  const std::int32_t code =
      session.Command("EVENT",
                      {{"EVENT-TYPE", rtl::Variant(rtl::AnsiString("CheckCode"))},
                       {"P0", rtl::Variant(rtl::AnsiString(kLanguageNames[language]))},
                       {"P1", rtl::Variant(std::u16string_view(wide))}},
                      result);
  if (code != 0) {
    message = "the CheckCode event answered " + std::to_string(code);
    return CheckResult::EventFailed;
  }
  const std::string answer = result.IsEmptyOrNull() ? std::string() : rtl::VarToAnsiString(result).str();
  if (answer.empty()) return CheckResult::Compiles;
  // "column:line|unit: message" back to "FILE:line:col: unit: message".
  const std::size_t bar = answer.find('|');
  const std::string where = answer.substr(0, bar);
  const std::string text = bar == std::string::npos ? std::string() : answer.substr(bar + 1);
  const std::size_t colon = where.find(':');
  const std::string column = where.substr(0, colon);
  const std::string line = colon == std::string::npos ? std::string() : where.substr(colon + 1);
  message = file + ":" + line + ":" + column + ": " + rtl::AnsiToUtf8(text);
  return CheckResult::Fails;
}
