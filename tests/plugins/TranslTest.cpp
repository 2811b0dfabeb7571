// The translator: language files, lookups, the walk over a component tree, the side
// file of untranslated texts and the release of the table after a pause.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Private/Plugins/orbTransl.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "rtl/Object.h"

using orb::TWtransl;

namespace {

// A component with the kinds of published texts a form has.
class TTextHolder : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TTextHolder(rtl::TComponent* owner = nullptr) : rtl::TComponent(owner), Lines(new rtl::TStringList()) {}
  ~TTextHolder() override { delete Lines; }
  rtl::TStringList* GetLines() const { return Lines; }
  void SetLines(rtl::TStringList* v) { Lines->Assign(v); }
  rtl::AnsiString Caption, Hint, Other;
  rtl::TStringList* Lines;
};

const rtl::TClassInfo& TTextHolder::StaticClassInfo() {
  static const rtl::TClassInfo info = rtl::TClassBuilder<TTextHolder>("TTextHolder", &rtl::TComponent::StaticClassInfo())
                                          .Property("Caption", &TTextHolder::Caption, &TTextHolder::Caption)
                                          .Property("Hint", &TTextHolder::Hint, &TTextHolder::Hint)
                                          .Property("Other", &TTextHolder::Other, &TTextHolder::Other)
                                          .Property("Strings", &TTextHolder::GetLines, &TTextHolder::SetLines);
  return info;
}

TTextHolder* Holder(rtl::TComponent* owner, const char* name, const char* caption, std::intptr_t tag = 0) {
  auto* h = new TTextHolder(owner);
  h->SetName(name);
  h->Caption = caption;
  h->Hint = caption;
  h->SetTag(tag);
  return h;
}

std::string Slurp(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct LanguageFile {
  std::string Name;
  explicit LanguageFile(const std::string& text, const std::string& tag = "a")
      : Name(platform::TempFolder() + "velmora-transl-" + tag + "-" + std::to_string(platform::CurrentProcessId()) +
             ".lng") {
    Write(text);
  }
  void Write(const std::string& text) const {
    std::ofstream out(Name, std::ios::binary | std::ios::trunc);
    out << text;
  }
  ~LanguageFile() {
    for (const char* side : {"", ".new", ".1.new", ".unused"}) platform::RemoveFile(Name + side);
  }
};

const char* const kFile =
    "//filerewrite\r\n"
    "//saveuntr\r\n"
    "Encoding=utf-8\r\n"
    "BiDiMode=righttoleft\r\n"
    "Locale=0x0407\r\n"
    "Charset=windows-1252\r\n"
    "\r\n"
    "[Languages]\r\n"
    "$EN = English\r\n"
    "$DE = Deutsch\r\n"
    "Default = DE\r\n"
    "\r\n"
    "EN:>&Open\r\n"
    "DE:>Ö&ffnen\r\n"
    "\r\n"
    "// a remark between blocks\r\n"
    "EN:>Save\r\n"
    "a line that belongs to no language\r\n"
    "DE:>&Speichern && Schließen\r\n"
    "\r\n"
    "EN:>Two%0D%0Alines\r\n"
    "DE:>Zwei%0D%0AZeilen\r\n"
    "\r\n"
    "EN:>Caption kept\r\n"
    "DE:>Beschriftung\r\n"
    "\r\n"
    "EN:>Not ended\r\n"
    "DE:>Nicht beendet\r\n";

}  // namespace

TEST(Transl, EveryDirectiveAndLookup) {
  LanguageFile file(kFile);
  auto t = rtl::MakeObject<TWtransl>();
  t->SetLanguageFile(rtl::AnsiString(file.Name));
  rtl::TObjectPtr<rtl::TStringList> names = rtl::MakeObject<rtl::TStringList>();
  EXPECT_EQ(t->CurrentLanguage(names.get()), "DE");
  EXPECT_EQ(names->Text().str(), "EN,English\r\nDE,Deutsch\r\n");

  auto root = rtl::MakeObject<TTextHolder>();
  root->SetName("Root");
  root->Caption = "&Open";
  root->Hint = "SAVE";  // found in lower case
  root->Other = "Save";  // not a listed property
  root->Lines->SetText("Save\r\nTwo\r\nlines\r\n&Open");
  TTextHolder* kept = Holder(root.get(), "Kept", "Caption kept", 10002);
  TTextHolder* skipped = Holder(root.get(), "Skipped", "Save", orb::TranslSkipTag);
  TTextHolder* below = Holder(skipped, "Below", "Save");
  TTextHolder* marked = Holder(root.get(), "__Marked", "Save");
  TTextHolder* own = Holder(root.get(), "_Own", "Save");
  TTextHolder* ownChild = Holder(own, "Child", "Save");
  TTextHolder* childrenOnly = Holder(root.get(), "ChildrenOnly", "Save", orb::TranslChildrenOnlyTag);
  TTextHolder* grandChild = Holder(childrenOnly, "GrandChild", "Two\r\nlines");
  t->AddComponentProperty("STRINGS");

  EXPECT_TRUE(t->Translate("DE", root.get(), nullptr, "EN"));
  // The last block has no empty line after it.
  EXPECT_EQ(t->LoadedCount(), 4);
  // A text with an accelerator keeps the translation's; one without loses every single "&".
  EXPECT_EQ(root->Caption.str(), "\xD6&ffnen");
  EXPECT_EQ(root->Hint.str(), "Speichern && Schlie\xDF" "en");
  EXPECT_EQ(root->Other.str(), "Save");
  EXPECT_EQ(root->Lines->Text().str(), "Speichern && Schlie\xDF" "en\r\nTwo\r\nlines\r\n\xD6&ffnen\r\n");
  // Tag 10002: the caption stays, the hint is translated.
  EXPECT_EQ(kept->Caption.str(), "Caption kept");
  EXPECT_EQ(kept->Hint.str(), "Beschriftung");
  EXPECT_EQ(skipped->Caption.str(), "Save");
  EXPECT_EQ(below->Caption.str(), "Save");
  EXPECT_EQ(marked->Caption.str(), "Save");
  EXPECT_EQ(own->Caption.str(), "Speichern && Schlie\xDF" "en");
  EXPECT_EQ(ownChild->Caption.str(), "Save");
  EXPECT_EQ(childrenOnly->Caption.str(), "Save");
  // Control characters are written as "%" and two hexadecimal digits in the file.
  EXPECT_EQ(grandChild->Caption.str(), "Zwei\r\nZeilen");

  std::string text = "&Open";
  EXPECT_TRUE(t->Translate("DE", nullptr, &text, "EN"));
  EXPECT_EQ(text, "\xD6&ffnen");
  // Texts without letters are not collected; the others once each.
  EXPECT_EQ(t->Collected(), (std::set<std::string>{"Two", "lines"}));
}

TEST(Transl, MissingTranslationsGoToTheSideFile) {
  LanguageFile file("//saveuntr\r\n//filenew\r\n[Languages]\r\nDefault = DE\r\n\r\nEN:>Save\r\nDE:>Speichern\r\n\r\n", "b");
  for (int round = 0; round < 2; ++round) {
    auto t = rtl::MakeObject<TWtransl>();
    t->SetLanguageFile(rtl::AnsiString(file.Name));
    for (std::string text : {"Zebra crossing", "Save", "42 %", "Apple", "Apple"}) t->Translate("DE", nullptr, &text, "EN");
  }
  const std::string expected =
      "[Languages]\r\n$EN = #1\r\n$DE = #2 (Default)\r\nDefault = DE\r\n\r\n"
      "EN:>Apple\r\nDE:>\r\n\r\nEN:>Zebra crossing\r\nDE:>\r\n\r\n";
  EXPECT_EQ(Slurp(file.Name + ".new"), expected);
  // "//filenew" never overwrites: the second file gets a free name.
  EXPECT_EQ(Slurp(file.Name + ".1.new"), expected);
}

TEST(Transl, UnusedTextsAreCollected) {
  LanguageFile file("//saveunused\r\n\r\nEN:>Save\r\nDE:>Speichern\r\n\r\nEN:>Load\r\nDE:>Laden\r\n\r\n", "c");
  {
    auto t = rtl::MakeObject<TWtransl>();
    t->SetLanguageFile(rtl::AnsiString(file.Name));
    std::string text = "Save";
    t->Translate("DE", nullptr, &text, "EN");
    EXPECT_EQ(t->Collected(), std::set<std::string>{"Load"});
  }
  EXPECT_NE(Slurp(file.Name + ".unused").find("EN:>Load\r\nDE:>\r\n"), std::string::npos);
}

TEST(Transl, CodePageOfTheFileOrUtf8) {
  LanguageFile utf8("Encoding=utf-8\r\n\r\nEN:>Check\r\nDE:>Pr\xC3\xBC" "fen\r\n\r\n", "d");
  LanguageFile ansi("Charset=windows-1252\r\n\r\nEN:>Check\r\nDE:>Pr\xFC" "fen\r\n\r\n", "e");
  for (const LanguageFile* f : {&utf8, &ansi}) {
    auto t = rtl::MakeObject<TWtransl>();
    t->SetLanguageFile(rtl::AnsiString(f->Name));
    std::string text = "Check";
    EXPECT_TRUE(t->Translate("DE", nullptr, &text, "EN"));
    EXPECT_EQ(text, "Pr\xFC" "fen");
  }
}

TEST(Transl, TheTableIsReleasedAfterAPause) {
  LanguageFile file("EN:>Save\r\nDE:>Speichern\r\n\r\n", "f");
  auto t = rtl::MakeObject<TWtransl>();
  std::uint64_t now = 1000;
  t->SetClock([&] { return now; });
  t->SetLanguageFile(rtl::AnsiString(file.Name));
  std::string text = "Save";
  t->Translate("DE", nullptr, &text, "EN");
  EXPECT_EQ(text, "Speichern");
  file.Write("EN:>Save\r\nDE:>Sichern\r\n\r\n");
  // Translations that follow each other use the table as loaded.
  now += TWtransl::ReleaseDelayMs - 1;
  text = "Save";
  t->Translate("DE", nullptr, &text, "EN");
  EXPECT_EQ(text, "Speichern");
  now += TWtransl::ReleaseDelayMs;
  text = "Save";
  t->Translate("DE", nullptr, &text, "EN");
  EXPECT_EQ(text, "Sichern");
  // Without a file nothing is translated, and the file's language is ''.
  t->SetLanguageFile(rtl::AnsiString(file.Name + ".missing"));
  EXPECT_EQ(t->CurrentLanguage(), "");
  text = "Save";
  EXPECT_FALSE(t->Translate("DE", nullptr, &text, "EN"));
  EXPECT_EQ(text, "Save");
}

TEST(Transl, MessagesMadeFromFormatsMatchTheirPattern) {
  LanguageFile file(
      "EN:>'%s' expected\r\nDE:>'%s' erwartet\r\n\r\n"
      "EN:>'%s' or '%s' expected\r\nDE:>'%s' oder '%s' erwartet\r\n\r\n"
      "EN:>Types: %s, %s\r\nDE:>Typen: %s und %s\r\n\r\n"
      "EN:>%s\r\nDE:>Everything\r\n\r\n",
      "g");
  auto t = rtl::MakeObject<TWtransl>();
  t->SetLanguageFile(rtl::AnsiString(file.Name));
  struct Case {
    const char* Text;
    const char* Expected;
  };
  const Case cases[] = {
      // The pattern with the most literal text wins over a shorter one that also fits.
      {"'FINALLY' or 'EXCEPT' expected", "'FINALLY' oder 'EXCEPT' erwartet"},
      {"';' expected", "';' erwartet"},
      {"Types: a, b, c", "Typen: a und b, c"},
      // Every name takes a character: an empty one is no match, and so is the bare "%s".
      {"'' expected", "'' expected"},
      {"Types: , b", "Types: , b"},
      {"Something else", "Something else"},
  };
  for (const Case& c : cases) {
    std::string text = c.Text;
    t->Translate("DE", nullptr, &text, "EN");
    EXPECT_EQ(text, c.Expected) << c.Text;
  }
}

TEST(Transl, RegisteredTranslatorsTranslateItemTexts) {
  LanguageFile file("EN:>Save\r\nDE:>Speichern\r\n\r\n", "h");
  // Other stands for items that are no property the walk knows (of the holders of this
  // test only: the registration stays for the process).
  orb::RegisterComponentTranslator("TTextHolder", [](rtl::TComponent* comp, const auto& translate) {
    if (comp->Name().str().rfind("Items", 0) != 0) return;
    auto* holder = static_cast<TTextHolder*>(comp);
    std::string text = holder->Other.str();
    if (translate(text)) holder->Other = rtl::AnsiString(text);
  });
  auto t = rtl::MakeObject<TWtransl>();
  t->SetLanguageFile(rtl::AnsiString(file.Name));
  auto root = rtl::MakeObject<TTextHolder>();
  root->SetName("Items");
  root->Other = "Save";
  TTextHolder* masked = Holder(root.get(), "ItemsMasked", "Save", orb::TranslMaskTagBase + 4);
  masked->Other = "Save";
  t->Translate("DE", root.get(), nullptr, "EN");
  EXPECT_EQ(root->Other.str(), "Speichern");
  // Tag mask 4 keeps a component's items.
  EXPECT_EQ(masked->Other.str(), "Save");
}
