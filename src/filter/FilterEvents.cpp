// The filter's answers to module events: the function catalogue ("GetFuncList") and
// the compile check of a script text ("CheckCode") and the editor's completion names
// ("GetCompletion").
#include <algorithm>
#include <string>
#include <vector>

#include "Private/Plugins/orbParams.h"
#include "engine/fsScript.h"
#include "engine/fsXMLDocument.h"
#include "filter/FilterCompletion.h"
#include "filter/FilterModule.h"
#include "filter/FilterScriptSetup.h"
#include "platform/Collation.h"
#include "rtl/ScriptMemory.h"
#include "rtl/StringList.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsCatalogue.h"
#include "runtime/fsGlobalRegistry.h"

namespace filter {

namespace {

std::string CategoryCaption(const std::string& category) {
  static const std::pair<const char*, const char*> kCaptions[] = {
      {"ctConv", "Conversion"},      {"ctFormat", "Formatting"},   {"ctDate", "Date/Time"},
      {"ctString", "String routines"}, {"ctMath", "Mathematical"}, {"ctOther", "Other"}};
  for (const auto& [code, caption] : kCaptions)
    if (category == code) return caption;
  return category;
}

// One node and, sorted by their text, its children, each level one tab further in.
void WriteOutline(const fs::TfsXMLItem* node, const std::string& prefix, std::string& out) {
  const std::string text = node->Prop("text");
  std::string line;
  if (prefix.empty() && text.empty())
    line = "Functions";
  else if (node->Count() > 0)
    line = CategoryCaption(text);
  else
    line = text.substr(std::min(text.size(), text.find(' ') == std::string::npos ? text.size() : text.find(' ') + 1), 255);
  out += prefix + line + "\r\n";
  std::vector<const fs::TfsXMLItem*> children;
  for (int i = 0; i < node->Count(); ++i) children.push_back(node->Items(i));
  std::stable_sort(children.begin(), children.end(), [](const fs::TfsXMLItem* a, const fs::TfsXMLItem* b) {
    return platform::CompareLocaleText(a->Prop("text"), b->Prop("text")) < 0;
  });
  for (const fs::TfsXMLItem* child : children) WriteOutline(child, prefix + "\t", out);
}

}  // namespace

std::string FunctionCatalogue() {
  fs::TfsXMLDocument doc;
  fs::TfsScript* registry = fs::GlobalRegistry();
  if (!registry) return {};
  fs::ExportCatalogue(*registry, doc.Root(), false);
  std::string out;
  if (const fs::TfsXMLItem* functions = doc.Root()->FindItem("Functions")) WriteOutline(functions, "", out);
  return out;
}

std::string TaPlugin::CheckCode(const orb::TorbParamsList* params) {
  const std::int32_t at = params ? params->IndexOfName("P0") : -1;
  if (at < 0) throw rtl::Exception("CheckCode needs the language as P0 and the script as P1");
  const std::string language = rtl::VarToAnsiString(params->Items(at)->Value).str();
  const orb::TorbParamsListItem* source = params->Items(at + 1);
  const std::string text = source ? rtl::VarToAnsiString(source->Value).str() : std::string();
  if (!FCheckScript) FCheckScript = std::make_unique<fs::TfsScript>();
  rtl::TObjectPtr<rtl::TStringList> lines = rtl::MakeObject<rtl::TStringList>();
  lines->SetText(text);
  PrepareFilterScript(*FCheckScript, lines.get(), language, false);
  // Under the configuration's script memory limit, with a budget of its own: a check may
  // come from another thread while packets are processed.
  auto memory = std::make_shared<rtl::TScriptMemory>(FMemory->LimitMB());
  bool compiled = false;
  {
    rtl::TScriptMemoryScope scope(memory.get());
    compiled = FCheckScript->CompileProgram();
  }
  if (compiled) return {};
  // "line:column" becomes "column:line|", then the unit and the message.
  const std::string& pos = FCheckScript->LastErrorPos();
  const std::size_t colon = pos.find(':');
  const std::string line = colon == std::string::npos ? pos : pos.substr(0, colon);
  const std::string column = colon == std::string::npos ? std::string() : pos.substr(colon + 1);
  std::string answer = column + ":" + line + "|";
  if (!FCheckScript->LastErrorUnit().empty()) answer += FCheckScript->LastErrorUnit() + ": ";
  // The dialog that asked shows the message in the module's language.
  std::string message = FCheckScript->LastErrorText();
  TranslateText(message);
  return answer + message;
}

void TaPlugin::orbPluginEvent(orb::TorbPlugin*, const std::string& Command, orb::PPluginCallRec pCallRec,
                              std::int32_t& Result) {
  Result = 0;
  orb::TorbParamsList* params = pCallRec->Params;
  if (Command == "GetFuncList") {
    params->WriteValue("RESULT", orb::OleText(FunctionCatalogue()), true);
  } else if (Command == "CheckCode") {
    params->WriteValue("RESULT", orb::OleText(CheckCode(params)), true);
  } else if (Command == "GetCompletion") {
    // P0 the language, P1 the text, P2 the caret line.
    const std::int32_t at = params->IndexOfName("P0");
    auto param = [&](int k) { return at >= 0 ? params->Items(at + k) : nullptr; };
    const std::string language = param(0) ? rtl::VarToAnsiString(param(0)->Value).str() : std::string();
    const std::string text = param(1) ? rtl::VarToAnsiString(param(1)->Value).str() : std::string();
    const int line = param(2) ? rtl::VarToInt32(param(2)->Value) : 0;
    params->WriteValue("RESULT", orb::OleText(CompletionNames(language, text, line)), true);
  }
}

}  // namespace filter
