#include "filter/FilterCompletion.h"

#include <mutex>

#include "engine/fsScriptNames.h"
#include "runtime/fsCatalogue.h"
#include "runtime/fsGlobalRegistry.h"

namespace filter {

namespace {

void AppendLine(std::string& out, char kind, const std::string& name, const std::string& declaration) {
  out += kind;
  out += '\t';
  out += name;
  out += '\t';
  for (char c : declaration) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  out += "\r\n";
}

// The registry is filled when the library starts and stays as it is: its part is made once.
const std::string& CatalogueText() {
  static std::once_flag once;
  static std::string text;
  std::call_once(once, [] {
    if (const fs::TfsScript* registry = fs::GlobalRegistry())
      for (const fs::TfsCatalogueName& n : fs::CatalogueNames(*registry)) AppendLine(text, n.Kind, n.Name, n.Declaration);
  });
  return text;
}

}  // namespace

std::string CompletionNames(const std::string& language, const std::string& text, int caretLine) {
  std::string out;
  for (const fs::TfsScriptName& n : fs::ScriptOwnNames(language, text, caretLine))
    AppendLine(out, n.Routine ? 'f' : 'v', n.Name, n.Declaration);
  return out + CatalogueText();
}

}  // namespace filter
