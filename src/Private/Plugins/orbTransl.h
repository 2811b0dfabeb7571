// TWtransl: translates a module's texts, and the forms it shows, from the language
// file next to the library. Published string properties named in ComponentProperties
// (and string lists, line by line) of a component and of the components it owns are
// looked up in a table loaded from the file; texts without a translation can be
// collected into a side file for translators.
//
// The table is kept while translations follow each other and released once
// ReleaseDelayMs have passed since the last one: the next translation after that
// pause reads the file again (the release happens lazily, when a translator is next
// used, so no timer thread or window is needed for it).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Locks.h"
#include "rtl/StringList.h"

namespace orb {

// The loaded pairs: source text to translation, and the lower-cased source texts.
struct TWtranslLanguagesList {
  std::unordered_map<std::string, std::u16string> Exact;
  std::unordered_map<std::string, std::u16string> Lower;
};

// How untranslated texts are collected and how the side file is written.
enum class TTranslSaveMode { None, Untranslated, UntranslatedWithObject, Unused, All };
enum class TTranslFileMode { New, Rewrite, Append };

// A translator of a component's texts that are no published properties (the node texts
// of a tree view, the panels of a status bar): it passes each text to Translate, which
// changes it in place and answers whether a translation was found.
using TComponentTextTranslator =
    std::function<void(rtl::TComponent* Comp, const std::function<bool(std::string& Text)>& Translate)>;
// Registers Translator for ClassName and the classes derived from it, process-wide;
// the walk raises it for every such component whose items are translated (tag mask 4).
void RegisterComponentTranslator(const std::string& ClassName, TComponentTextTranslator Translator);

// Tags that steer the walk over a component tree.
constexpr std::intptr_t TranslSkipTag = 9999;          // the component and all it owns
constexpr std::intptr_t TranslChildrenOnlyTag = 9998;  // its own properties stay
constexpr std::intptr_t TranslCustomOnlyTag = 9997;    // only OnCustomTranslate
constexpr std::intptr_t TranslMaskTagBase = 10000;     // + mask of properties kept (to 10047)

class TWtransl : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  using TCustomTranslateEvent = std::function<void(rtl::TObject* Sender, rtl::TComponent* Comp, TWtranslLanguagesList* LngResources)>;
  using TTranslateEvent = std::function<void(rtl::TObject* Sender, TWtranslLanguagesList* LngResources)>;
  using TBeforeTranslateComponentEvent =
      std::function<void(rtl::TObject* Sender, rtl::TComponent* Comp, TWtranslLanguagesList* LngResources, bool& Allow)>;
  using TPropertyTranslateEvent = std::function<void(rtl::TObject* Sender, rtl::TObject* Obj, const std::string& Prop,
                                                     const std::string& OldValue, std::string& NewValue, bool Found,
                                                     bool& DoDefault)>;

  static constexpr std::uint32_t ReleaseDelayMs = 20000;

  explicit TWtransl(rtl::TComponent* owner = nullptr);
  ~TWtransl() override;

  rtl::TStringList* ComponentProperties() const noexcept { return FComponentProperties; }
  void SetComponentProperties(rtl::TStringList* list) { FComponentProperties->Assign(list); }
  // Adds a property name unless it is listed already.
  void AddComponentProperty(const std::string& name);
  const rtl::AnsiString& LanguageFile() const noexcept { return FLanguageFile; }
  void SetLanguageFile(const rtl::AnsiString& v);

  // Translates Component and what it owns into Language (empty: the file's default
  // language) from SourceLanguage (empty: the language of the previous translation);
  // without a component the single Text, when given. True when the table holds
  // translations for the pair.
  bool Translate(const std::string& Language, rtl::TComponent* Component, std::string* Text,
                 const std::string& SourceLanguage);
  // The "Default" of "[Languages]" ('' without a file); List receives "code,name" for
  // every language the file names.
  std::string CurrentLanguage(rtl::TStrings* List = nullptr) const;

  // The state of the table (for the module's diagnostics and the tests).
  bool TableLoaded() const;
  int LoadedCount() const;
  const std::string& TargetLanguage() const noexcept { return FTarget; }
  // The texts collected for the side file so far.
  std::set<std::string> Collected() const;
  // Writes the side file now (also done when the translator is destroyed).
  void WriteSideFile();

  TCustomTranslateEvent OnCustomTranslate;
  TTranslateEvent OnBeforeTranslate;
  TTranslateEvent OnAfterTranslate;
  TBeforeTranslateComponentEvent OnBeforeTranslateComponent;
  TPropertyTranslateEvent OnPropertyTranslate;

  // The tick source of the release delay (tests pass a clock of their own).
  void SetClock(std::function<std::uint64_t()> clock) { FClock = std::move(clock); }

private:
  void LoadTable();
  void ReleaseTable();
  void TranslateComponent(rtl::TComponent* comp, bool ownProperties, bool children);
  void TranslateProperties(rtl::TComponent* comp);
  // One text; true when a translation was found (text then holds it).
  bool TranslateText(std::string& text, const std::string& context);
  // A text built from a format (a message with names in it) through the entries whose
  // source holds "%s": true when one matches, text then holds the translation.
  bool TranslateByPattern(const std::string& text, std::u16string& result) const;
  std::u16string DecodeTranslation(const std::string& raw) const;
  std::string ToProcess(const std::u16string& text) const;

  rtl::TStringList* FComponentProperties;
  rtl::AnsiString FLanguageFile;
  mutable rtl::TCriticalSection FLock;
  std::unique_ptr<TWtranslLanguagesList> FTable;
  std::string FSource, FTarget;
  int FLoaded = 0;
  std::uint64_t FLastUse = 0;
  std::function<std::uint64_t()> FClock;
  // From the file's directives.
  enum class TEncoding { CodePage, Utf8, Utf16 } FEncoding = TEncoding::CodePage;
  std::uint32_t FCodePage = 0;
  TTranslSaveMode FSaveMode = TTranslSaveMode::None;
  TTranslFileMode FFileMode = TTranslFileMode::New;
  std::set<std::string> FCollected;
  // The entries whose source holds "%s", the longest literal parts first.
  std::vector<std::pair<std::string, std::u16string>> FPatterns;
};

}  // namespace orb
