#include "engine/fsDialects.h"

#include <mutex>
#include <utility>

#include "engine/EmbeddedGrammars.h"
#include "engine/fsStrings.h"
#include "engine/fsXMLDocument.h"
#include "rtl/Exceptions.h"

namespace fs {

namespace {

struct DialectEntry {
  std::string Name;
  std::string Grammar;
};

// The name a grammar document carries in its root's text attribute; the file name
// without extension when the document cannot be read (selecting it then reports why).
std::string GrammarName(const EmbeddedFile& file) {
  try {
    TfsXMLDocument doc;
    doc.LoadFromString(std::string(file.Text, file.Size));
    std::string name = doc.Root()->Prop("text");
    if (!name.empty()) return name;
  } catch (const rtl::Exception&) {
  }
  std::string name = file.Name;
  std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

class DialectRegistry {
public:
  DialectRegistry() {
    for (const EmbeddedFile* f = kEmbeddedGrammars; f->Name; ++f)
      Register(GrammarName(*f), std::string(f->Text, f->Size));
  }

  void Register(const std::string& name, const std::string& grammar) {
    std::lock_guard<std::mutex> lock(FLock);
    for (auto& e : FEntries) {
      if (SameText(e.Name, name)) {
        e.Grammar = grammar;
        return;
      }
    }
    FEntries.push_back({name, grammar});
  }

  std::string Find(const std::string& name) {
    std::lock_guard<std::mutex> lock(FLock);
    for (const auto& e : FEntries)
      if (SameText(e.Name, name)) return e.Grammar;
    throw rtl::Exception("Language '" + name + "' not found");
  }

  std::vector<std::string> Names() {
    std::lock_guard<std::mutex> lock(FLock);
    std::vector<std::string> names;
    for (const auto& e : FEntries) names.push_back(e.Name);
    return names;
  }

private:
  std::mutex FLock;
  std::vector<DialectEntry> FEntries;
};

// Filled with the embedded grammars on first use, from whichever thread comes first.
DialectRegistry& Registry() {
  static DialectRegistry registry;
  return registry;
}

}  // namespace

void RegisterDialect(const std::string& name, const std::string& grammarText) {
  Registry().Register(name, grammarText);
}

std::string FindDialectGrammar(const std::string& name) { return Registry().Find(name); }

std::vector<std::string> DialectNames() { return Registry().Names(); }

}  // namespace fs
