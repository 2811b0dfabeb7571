#include "Private/Plugins/orbTransl.h"

#include <algorithm>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

namespace orb {

namespace {

[[maybe_unused]] const rtl::TClassInfo& kRegistered = TWtransl::StaticClassInfo();

// Directives are looked for in the first lines of a file only.
constexpr int kDirectiveLines = 19;

std::string Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return std::string(s);
}

std::string Lower(std::string_view s) { return rtl::AnsiLowerCase(s).str(); }

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::vector<std::string> ReadLines(const std::string& file, bool& found) {
  std::vector<std::string> lines;
  std::ifstream in(file, std::ios::binary);
  found = static_cast<bool>(in);
  std::string line;
  while (std::getline(in, line)) lines.push_back(Trim(line));
  return lines;
}

// Control characters written as "%" and two hexadecimal digits.
std::string EncodeControls(std::string_view s) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32) {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::u16string DecodeControls(const std::u16string& s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size()) {
      const int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
      if (hi >= 0 && lo >= 0 && hi * 16 + lo < 32) {
        out += static_cast<char16_t>(hi * 16 + lo);
        i += 2;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

bool HasControls(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
}

// A single "&" not followed by another marks an accelerator.
bool HasAccelerator(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') continue;
    if (i + 1 < s.size() && s[i + 1] == '&') {
      ++i;
      continue;
    }
    return true;
  }
  return false;
}

template <class S>
S RemoveAccelerators(const S& s) {
  S out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&') {
      if (i + 1 < s.size() && s[i + 1] == '&') {
        out += s[i];
        out += s[i + 1];
        ++i;
      }
      continue;
    }
    out += s[i];
  }
  return out;
}

// Texts worth a translator's time contain at least one letter.
bool HasLetter(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return !(c <= 64 || (c >= 91 && c <= 96) || (c >= 123 && c <= 127));
  });
}

std::uint32_t CodePageOfCharset(const std::string& name) {
  static const std::pair<const char*, std::uint32_t> kSets[] = {
      {"windows-1250", 1250}, {"windows-1251", 1251}, {"windows-1252", 1252}, {"windows-1253", 1253},
      {"windows-1254", 1254}, {"windows-1255", 1255}, {"windows-1256", 1256}, {"windows-1257", 1257},
      {"windows-1258", 1258}, {"windows-874", 874},   {"shift-jis", 932},     {"hangeul", 949},
      {"johab", 1361},        {"gb2312", 936},        {"chinesebig5", 950}};
  for (const auto& [n, cp] : kSets)
    if (name == n) return cp;
  return 0;
}

// The names of a class and its ancestors.
bool IsOfClass(const rtl::TObject* obj, std::string_view className) {
  for (const rtl::TClassInfo* c = &obj->ClassInfo(); c; c = c->ClassParent())
    if (c->ClassName() == className) return true;
  return false;
}

bool IsTextKind(rtl::TTypeKind kind) {
  return kind == rtl::tkString || kind == rtl::tkWString || kind == rtl::tkVariant;
}

// The bit of a property in the mask of tags 10000 to 10047.
int MaskBitOf(const std::string& lowerName) {
  if (lowerName == "hint") return 1;
  if (lowerName == "caption") return 2;
  if (lowerName == "items") return 4;
  if (lowerName == "strings") return 8;
  if (lowerName == "text") return 16;
  if (lowerName == "pages") return 32;
  return 0;
}

std::string ComponentPath(const rtl::TComponent* comp) {
  std::string path;
  for (const rtl::TComponent* c = comp; c; c = c->Owner()) {
    std::string part = "[" + c->ClassInfo().ClassName() + "]" + c->Name().str();
    path = path.empty() ? part : part + " -> " + path;
  }
  return path;
}

struct TRegisteredTranslator {
  std::string ClassName;
  TComponentTextTranslator Translator;
};

std::mutex& TranslatorsLock() {
  static std::mutex lock;
  return lock;
}

std::vector<TRegisteredTranslator>& Translators() {
  static std::vector<TRegisteredTranslator> list;
  return list;
}

std::vector<std::string> SplitAtPlaceholders(const std::string& source) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t at; (at = source.find("%s", from)) != std::string::npos; from = at + 2)
    parts.push_back(source.substr(from, at - from));
  parts.push_back(source.substr(from));
  return parts;
}

std::size_t LiteralLength(const std::string& source) {
  std::size_t n = 0;
  for (const std::string& part : SplitAtPlaceholders(source)) n += part.size();
  return n;
}

}  // namespace

void RegisterComponentTranslator(const std::string& ClassName, TComponentTextTranslator Translator) {
  std::lock_guard guard(TranslatorsLock());
  Translators().push_back({ClassName, std::move(Translator)});
}

const rtl::TClassInfo& TWtransl::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TWtransl>("TWtransl", &rtl::TComponent::StaticClassInfo())
          .Property("ComponentProperties", &TWtransl::ComponentProperties, &TWtransl::SetComponentProperties)
          .Property("LanguageFile", &TWtransl::LanguageFile, &TWtransl::SetLanguageFile);
  return info;
}

TWtransl::TWtransl(rtl::TComponent* owner)
    : rtl::TComponent(owner), FComponentProperties(new rtl::TStringList()), FLanguageFile("app.lng") {
  for (const char* name : {"CAPTION", "HINT", "TEXT", "TITLE", "CAPTIONS"}) FComponentProperties->Add(name);
  FClock = [] { return platform::TickCount64(); };
}

TWtransl::~TWtransl() {
  try {
    WriteSideFile();
  } catch (...) {
  }
  delete FComponentProperties;
}

void TWtransl::AddComponentProperty(const std::string& name) {
  std::lock_guard guard(FLock);
  for (int i = 0; i < FComponentProperties->Count(); ++i)
    if (Lower(FComponentProperties->Get(i).view()) == Lower(name)) return;
  FComponentProperties->Add(rtl::AnsiString(name));
}

void TWtransl::SetLanguageFile(const rtl::AnsiString& v) {
  std::lock_guard guard(FLock);
  if (v == FLanguageFile) return;
  FLanguageFile = v;
  ReleaseTable();
}

std::string TWtransl::CurrentLanguage(rtl::TStrings* List) const {
  bool found = false;
  const std::vector<std::string> lines = ReadLines(FLanguageFile.str(), found);
  if (!found) return std::string();
  std::string result;
  bool inSection = false;
  for (const std::string& line : lines) {
    if (!line.empty() && line.front() == '[') {
      inSection = Lower(line) == "[languages]";
      continue;
    }
    if (!inSection) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = Trim(std::string_view(line).substr(0, eq));
    const std::string value = Trim(std::string_view(line).substr(eq + 1));
    if (Lower(key) == "default") {
      result = value;
    } else if (List && key.size() > 1 && key.front() == '$' && !value.empty()) {
      List->Add(rtl::AnsiString(key.substr(1) + "," + value));
    }
  }
  return result;
}

bool TWtransl::TableLoaded() const {
  std::lock_guard guard(FLock);
  return FTable != nullptr;
}

int TWtransl::LoadedCount() const {
  std::lock_guard guard(FLock);
  return FLoaded;
}

std::set<std::string> TWtransl::Collected() const {
  std::lock_guard guard(FLock);
  return FCollected;
}

void TWtransl::ReleaseTable() {
  FTable.reset();
  FPatterns.clear();
  FLoaded = 0;
}

bool TWtransl::TranslateByPattern(const std::string& text, std::u16string& result) const {
  for (const auto& [source, translation] : FPatterns) {
    const std::vector<std::string> parts = SplitAtPlaceholders(source);
    if (text.size() <= LiteralLength(source) || !StartsWith(text, parts.front())) continue;
    const std::string& last = parts.back();
    if (text.compare(text.size() - last.size(), last.size(), last) != 0) continue;
    // Every name takes at least one character, and the literal parts between them are
    // found from the left.
    std::vector<std::string> names;
    std::size_t at = parts.front().size();
    const std::size_t end = text.size() - last.size();
    bool matched = true;
    for (std::size_t i = 1; i + 1 < parts.size() && matched; ++i) {
      const std::size_t next = parts[i].empty() ? at + 1 : text.find(parts[i], at + 1);
      if (next == std::string::npos || next + parts[i].size() > end) matched = false;
      else {
        names.push_back(text.substr(at, next - at));
        at = next + parts[i].size();
      }
    }
    if (!matched || at >= end) continue;
    names.push_back(text.substr(at, end - at));
    result.clear();
    std::size_t name = 0, from = 0;
    for (std::size_t p; (p = translation.find(u"%s", from)) != std::u16string::npos; from = p + 2) {
      result += translation.substr(from, p - from);
      if (name < names.size()) result += rtl::AnsiToWide(names[name++]);
    }
    result += translation.substr(from);
    return true;
  }
  return false;
}

std::u16string TWtransl::DecodeTranslation(const std::string& raw) const {
  if (FEncoding != TEncoding::CodePage) return rtl::Utf8ToWide(raw);
  if (FCodePage) return rtl::CodePageToWide(FCodePage, raw);
  return rtl::AnsiToWide(raw);
}

std::string TWtransl::ToProcess(const std::u16string& text) const { return rtl::WideToAnsi(text).str(); }

void TWtransl::LoadTable() {
  FTable = std::make_unique<TWtranslLanguagesList>();
  FPatterns.clear();
  FLoaded = 0;
  FEncoding = TEncoding::CodePage;
  FCodePage = 0;
  bool found = false;
  const std::vector<std::string> lines = ReadLines(FLanguageFile.str(), found);
  for (int i = 0; i < static_cast<int>(lines.size()) && i < kDirectiveLines; ++i) {
    const std::string l = Lower(lines[static_cast<std::size_t>(i)]);
    if (l == "//filenew") FFileMode = TTranslFileMode::New;
    else if (l == "//filerewrite") FFileMode = TTranslFileMode::Rewrite;
    else if (l == "//fileappend") FFileMode = TTranslFileMode::Append;
    else if (l == "//saveuntr") FSaveMode = TTranslSaveMode::Untranslated;
    else if (l == "//saveuntrobj") FSaveMode = TTranslSaveMode::UntranslatedWithObject;
    else if (l == "//saveunused") FSaveMode = TTranslSaveMode::Unused;
    else if (l == "//saveall") FSaveMode = TTranslSaveMode::All;
    else if (StartsWith(l, "encoding=")) {
      const std::string v = Trim(l.substr(9));
      FEncoding = v == "utf-8" ? TEncoding::Utf8 : (v == "utf-16" || v == "unicode") ? TEncoding::Utf16 : TEncoding::CodePage;
    } else if (StartsWith(l, "charset=")) {
      FCodePage = CodePageOfCharset(Trim(l.substr(8)));
    }
  }
  const std::string sourceTag = FSource + ":>", targetTag = FTarget + ":>";
  std::string source, target;
  bool haveSource = false, haveTarget = false;
  auto endBlock = [&] {
    if (haveSource && haveTarget) {
      std::u16string value = DecodeTranslation(target);
      const std::string lower = Lower(source);
      if (lower != source) FTable->Lower[lower] = value;
      // A pattern without literal text would take every text.
      if (source.find("%s") != std::string::npos && LiteralLength(source) > 0) FPatterns.emplace_back(source, value);
      FTable->Exact[source] = std::move(value);
      ++FLoaded;
      if (FSaveMode == TTranslSaveMode::Unused) FCollected.insert(source);
    }
    haveSource = haveTarget = false;
  };
  for (const std::string& line : lines) {
    if (line.empty()) {
      endBlock();
      continue;
    }
    if (StartsWith(line, "//")) continue;
    if (!haveSource && StartsWith(line, sourceTag)) {
      source = line.substr(sourceTag.size());
      haveSource = true;
    } else if (!haveTarget && StartsWith(line, targetTag)) {
      target = line.substr(targetTag.size());
      haveTarget = true;
    }
  }
  // A block not ended by an empty line is not used.
  std::stable_sort(FPatterns.begin(), FPatterns.end(),
                   [](const auto& a, const auto& b) { return LiteralLength(a.first) > LiteralLength(b.first); });
}

bool TWtransl::Translate(const std::string& Language, rtl::TComponent* Component, std::string* Text,
                         const std::string& SourceLanguage) {
  std::lock_guard guard(FLock);
  std::string target = Language.empty() ? CurrentLanguage() : Language;
  std::string source = SourceLanguage.empty() ? FSource : SourceLanguage;
  const std::uint64_t now = FClock();
  // The table is released after a pause; the next translation reads the file again.
  if (FTable && now - FLastUse >= ReleaseDelayMs) ReleaseTable();
  if (!FTable || target != FTarget || source != FSource) {
    FTarget = target;
    FSource = source;
    LoadTable();
  }
  if (OnBeforeTranslate) OnBeforeTranslate(this, FTable.get());
  const bool any = FLoaded > 0;
  if (any || FSaveMode != TTranslSaveMode::None) {
    if (Component) TranslateComponent(Component, true, true);
    else if (Text) TranslateText(*Text, std::string());
    if (OnAfterTranslate) OnAfterTranslate(this, FTable.get());
  }
  FLastUse = FClock();
  return any;
}

void TWtransl::TranslateComponent(rtl::TComponent* comp, bool ownProperties, bool children) {
  if (OnBeforeTranslateComponent) {
    bool allow = true;
    OnBeforeTranslateComponent(this, comp, FTable.get(), allow);
    if (!allow) return;
  }
  const std::intptr_t tag = comp->Tag();
  if (tag == TranslCustomOnlyTag) {
    if (OnCustomTranslate) OnCustomTranslate(this, comp, FTable.get());
    return;
  }
  if (ownProperties && tag != TranslChildrenOnlyTag) TranslateProperties(comp);
  if (!children) return;
  for (int i = 0; i < comp->ComponentCount(); ++i) {
    rtl::TComponent* child = comp->Components(i);
    if (child->Tag() == TranslSkipTag) continue;
    const std::string& name = child->Name().str();
    if (StartsWith(name, "__")) continue;
    TranslateComponent(child, true, !StartsWith(name, "_"));
  }
}

void TWtransl::TranslateProperties(rtl::TComponent* comp) {
  const std::intptr_t tag = comp->Tag();
  const int mask = tag >= TranslMaskTagBase && tag <= TranslMaskTagBase + 47 ? static_cast<int>(tag - TranslMaskTagBase) : 0;
  // Typed texts are the user's, and a drop-down list shows its selected item.
  const bool keepText = IsOfClass(comp, "TCustomEdit") || IsOfClass(comp, "TCustomComboBox");
  for (int p = 0; p < FComponentProperties->Count(); ++p) {
    const std::string wanted = Lower(Trim(FComponentProperties->Get(p).view()));
    const rtl::TPropInfo* prop = comp->ClassInfo().FindProperty(wanted);
    if (!prop) continue;
    const std::string lowerName = Lower(prop->Name());
    if (mask & MaskBitOf(lowerName)) continue;
    if (lowerName == "text" && keepText) continue;
    try {
      if (IsTextKind(prop->Kind()) && prop->IsWritable()) {
        std::string text = rtl::VarToAnsiString(prop->GetValue(comp)).str();
        if (TranslateText(text, ComponentPath(comp) + "." + prop->Name()))
          prop->SetValue(comp, rtl::Variant(rtl::AnsiString(text)));
      } else if (prop->Kind() == rtl::tkClass) {
        auto* list = dynamic_cast<rtl::TStrings*>(prop->GetObject(comp));
        if (!list) continue;
        for (int i = 0; i < list->Count(); ++i) {
          std::string line = list->Get(i).str();
          if (TranslateText(line, ComponentPath(comp) + "." + prop->Name())) list->Put(i, rtl::AnsiString(line));
        }
      }
    } catch (...) {
      // A property that refuses its translation keeps its text.
    }
  }
  // The items of a combo box are texts too; its selection stays where it was.
  if (IsOfClass(comp, "TCustomComboBox") && !(mask & 4)) {
    const rtl::TPropInfo* items = comp->ClassInfo().FindProperty("Items");
    const rtl::TPropInfo* index = comp->ClassInfo().FindProperty("ItemIndex");
    if (items && index) {
      try {
        const rtl::Variant selected = index->GetValue(comp);
        if (auto* list = dynamic_cast<rtl::TStrings*>(items->GetObject(comp))) {
          for (int i = 0; i < list->Count(); ++i) {
            std::string line = list->Get(i).str();
            if (TranslateText(line, ComponentPath(comp) + ".Items")) list->Put(i, rtl::AnsiString(line));
          }
        }
        index->SetValue(comp, selected);
      } catch (...) {
      }
    }
  }
  if (mask & 4) return;
  std::vector<TComponentTextTranslator> handlers;
  {
    std::lock_guard guard(TranslatorsLock());
    for (const TRegisteredTranslator& r : Translators())
      if (IsOfClass(comp, r.ClassName)) handlers.push_back(r.Translator);
  }
  const std::string context = ComponentPath(comp) + ".Items";
  for (const TComponentTextTranslator& handler : handlers) {
    try {
      handler(comp, [&](std::string& text) { return TranslateText(text, context); });
    } catch (...) {
      // Texts that cannot be set keep what they were.
    }
  }
}

bool TWtransl::TranslateText(std::string& text, const std::string& context) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return false;
  const std::u16string* found = nullptr;
  auto look = [&](const std::unordered_map<std::string, std::u16string>& map, const std::string& key) {
    if (found) return;
    auto it = map.find(key);
    if (it != map.end()) found = &it->second;
  };
  std::string usedKey;
  std::u16string fromPattern;
  if (FTable) {
    const std::string encoded = EncodeControls(trimmed);
    const std::string bare = RemoveAccelerators(encoded);
    for (const std::string* key : {&trimmed, &encoded, &bare}) {
      look(FTable->Exact, *key);
      if (found) {
        usedKey = *key;
        break;
      }
    }
    if (!found) {
      usedKey = Lower(encoded);
      look(FTable->Lower, usedKey);
      if (!found) look(FTable->Exact, usedKey);
    }
    if (!found && !FPatterns.empty() && TranslateByPattern(trimmed, fromPattern)) found = &fromPattern;
  }
  if (found) {
    std::u16string value = *found;
    if (HasControls(trimmed)) value = DecodeControls(value);
    if (!HasAccelerator(trimmed)) value = RemoveAccelerators(value);
    std::string translated = ToProcess(value);
    if (FSaveMode == TTranslSaveMode::Unused) {
      FCollected.erase(usedKey);
      FCollected.erase(EncodeControls(trimmed));
    }
    if (OnPropertyTranslate) {
      bool doDefault = true;
      OnPropertyTranslate(this, nullptr, context, text, translated, true, doDefault);
      if (!doDefault) return false;
    }
    text = translated;
    return true;
  }
  if (HasLetter(trimmed)) {
    if (FSaveMode == TTranslSaveMode::Untranslated || FSaveMode == TTranslSaveMode::All)
      FCollected.insert(EncodeControls(trimmed));
    else if (FSaveMode == TTranslSaveMode::UntranslatedWithObject)
      FCollected.insert(context.empty() ? EncodeControls(trimmed) : context + " " + EncodeControls(trimmed));
  }
  return false;
}

void TWtransl::WriteSideFile() {
  std::lock_guard guard(FLock);
  if (FCollected.empty() || FLanguageFile.IsEmpty()) return;
  std::string file = FLanguageFile.str() + (FSaveMode == TTranslSaveMode::Unused ? ".unused" : ".new");
  const bool exists = platform::FileExists(file);
  if (exists && FFileMode == TTranslFileMode::New) {
    // A free name: ".1", ".2", ... before the extension.
    const std::size_t dot = file.find_last_of('.');
    for (int n = 1;; ++n) {
      std::string candidate = file.substr(0, dot) + "." + std::to_string(n) + file.substr(dot);
      if (!platform::FileExists(candidate)) {
        file = candidate;
        break;
      }
    }
  }
  const bool append = exists && FFileMode == TTranslFileMode::Append;
  std::ofstream out(file, append ? std::ios::binary | std::ios::app : std::ios::binary | std::ios::trunc);
  if (!out) return;
  if (!append) {
    out << "[Languages]\r\n$" << FSource << " = #1\r\n$" << FTarget << " = #2 (Default)\r\nDefault = " << FTarget
        << "\r\n\r\n";
  }
  for (const std::string& text : FCollected) out << FSource << ":>" << text << "\r\n" << FTarget << ":>\r\n\r\n";
  FCollected.clear();
}

}  // namespace orb
