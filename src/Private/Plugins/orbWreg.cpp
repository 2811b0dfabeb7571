#include "Private/Plugins/orbWreg.h"

#include <cstring>
#include <memory>
#include <vector>

#include "Private/Plugins/orbProxyCode.h"
#include "Private/Plugins/orbWregEncoding.h"
#include "platform/Files.h"
#include "platform/NamedLock.h"
#include "platform/Registry.h"
#include "rtl/CodePage.h"
#include "rtl/IniFile.h"
#include "rtl/NumberText.h"
#include "rtl/VariantConvert.h"

namespace orb {

namespace {

// How a property's value is kept in the store.
enum TStorage { stNone, stInteger, stEnum, stString, stVariant, stFloat, stStrings, stComponent };

enum TStore { soRegistry, soIni, soCustom };

constexpr std::string_view kNullReference = "[[Null]]";

[[maybe_unused]] const rtl::TClassInfo& kRegistered = TWreg::StaticClassInfo();

TWregApplication& Application() {
  static TWregApplication application;
  return application;
}

std::string_view Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (rtl::AnsiUpperChar(a[i]) != rtl::AnsiUpperChar(b[i])) return false;
  return true;
}

std::vector<std::string> Split(std::string_view s, char sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t p = s.find(sep, start);
    parts.emplace_back(Trim(s.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start)));
    if (p == std::string_view::npos) break;
    start = p + 1;
  }
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::size_t from, char sep) {
  std::string out;
  for (std::size_t i = from; i < parts.size(); ++i) {
    if (i > from) out += sep;
    out += parts[i];
  }
  return out;
}

TStorage StorageOfKind(rtl::TTypeKind kind) {
  switch (kind) {
    case rtl::tkInteger:
    case rtl::tkInt64: return stInteger;
    case rtl::tkEnumeration: return stEnum;
    case rtl::tkChar:
    case rtl::tkString:
    case rtl::tkWChar:
    case rtl::tkWString: return stString;
    case rtl::tkVariant: return stVariant;
    case rtl::tkFloat: return stFloat;
    case rtl::tkClass: return stStrings;  // a virtual item of class kind carries text
    default: return stNone;
  }
}

TStorage StorageOf(const rtl::TPropInfo& prop, rtl::TObject* instance) {
  if (prop.Kind() != rtl::tkClass) return StorageOfKind(prop.Kind());
  rtl::TObject* held = prop.GetObject(instance);
  if (held ? held->InheritsFrom<rtl::TStrings>() : prop.PropClass()->InheritsFrom(rtl::TStrings::StaticClassInfo()))
    return stStrings;
  if (prop.PropClass()->InheritsFrom(rtl::TComponent::StaticClassInfo())) return stComponent;
  return stNone;
}

// Floating-point text that reads back as the same value.
std::string FloatText(double v) {
  std::string text = rtl::FloatToText(v, '.', 15);
  double back = 0;
  if (rtl::TextToFloat(text, back, '.') != rtl::NumParse::Ok || back != v) text = rtl::FloatToText(v, '.', 17);
  return text;
}

double ParseFloat(std::string_view text) {
  double v = 0;
  // Files written where the decimal separator is a comma read as well.
  if (rtl::TextToFloat(text, v, '.') == rtl::NumParse::Ok || rtl::TextToFloat(text, v, ',') == rtl::NumParse::Ok)
    return v;
  throw rtl::EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::int64_t ParseInteger(std::string_view text) {
  std::int64_t v = 0;
  if (rtl::TextToInt64(text, v) == rtl::NumParse::Ok) return v;
  throw rtl::EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

[[noreturn]] void InvalidDataType(const std::string& name) {
  throw rtl::EConvertError("Invalid data type for '" + name + "'");
}

rtl::Variant IntegerVariant(std::int64_t v) {
  if (v >= INT32_MIN && v <= INT32_MAX) return rtl::Variant(static_cast<std::int32_t>(v));
  return rtl::Variant(v);
}

bool IsEmptyStored(const rtl::Variant& v) {
  if (v.IsEmptyOrNull()) return true;
  return v.IsString() && rtl::VarToAnsiString(v).IsEmpty();
}

// A component named by a stored path, walked from start: the path's first name may
// be start's own; every further name is a component owned by the one before.
rtl::TComponent* WalkComponentPath(rtl::TComponent* start, const std::vector<std::string>& parts) {
  if (!start || parts.empty()) return nullptr;
  std::size_t i = SameText(start->Name().view(), parts[0]) ? 1 : 0;
  rtl::TComponent* current = start;
  for (; i < parts.size() && current; ++i) current = current->FindComponent(parts[i]);
  return current;
}

rtl::TComponent* FindComponentByPath(rtl::TObject* target, std::string_view path) {
  std::vector<std::string> parts = Split(path, '.');
  if (!parts.empty() && SameText(parts[0], "Application")) parts.erase(parts.begin());
  if (parts.empty()) return nullptr;
  for (auto* c = dynamic_cast<rtl::TComponent*>(target); c; c = c->Owner())
    if (rtl::TComponent* found = WalkComponentPath(c, parts)) return found;
  const TWregApplication& app = Application();
  if (app.FindForm)
    if (rtl::TComponent* form = app.FindForm(parts[0]))
      if (rtl::TComponent* found = WalkComponentPath(form, parts)) return found;
  if (app.MainForm) return WalkComponentPath(app.MainForm(), parts);
  return nullptr;
}

}  // namespace

const rtl::TEnumInfo& RegistryRootTypeInfo() {
  static const rtl::TEnumInfo info{"TRegistryRoot",
                                   {"rrHKEY_CLASSES_ROOT", "rrHKEY_CURRENT_USER", "rrHKEY_LOCAL_MACHINE",
                                    "rrHKEY_USERS", "rrHKEY_CURRENT_CONFIG", "rrNone"}};
  return info;
}

void SetWregApplication(TWregApplication application) { Application() = std::move(application); }
const TWregApplication& WregApplication() { return Application(); }

bool ParseWregItem(std::string_view line, TWregItem& item) {
  item = TWregItem();
  std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return false;
  std::size_t sep = t.find(',');
  if (sep == std::string_view::npos) sep = t.find(';');
  std::string_view path = t, name;
  if (sep != std::string_view::npos) {
    path = t.substr(0, sep);
    name = t.substr(sep + 1);
    name = name.substr(0, name.find(';'));
  }
  path = Trim(path);
  name = Trim(name);
  if (path.empty() || name.empty()) return false;
  item.PropertyPath = std::string(path);
  for (char c : name)
    if (c != '\\' || item.StorageName.empty() || item.StorageName.back() != '\\') item.StorageName += c;
  if (!item.StorageName.empty() && item.StorageName.front() == '\\') item.StorageName.erase(0, 1);
  std::size_t last = item.StorageName.rfind('\\');
  if (last == std::string::npos) {
    item.ValueName = item.StorageName;
  } else {
    item.SubPath = item.StorageName.substr(0, last);
    item.ValueName = item.StorageName.substr(last + 1);
  }
  // A name ending in a backslash names no value: neither store can hold it.
  return !item.ValueName.empty();
}

std::string WregIniSection(std::string_view sectionPrefix, std::string_view subPath) {
  std::string prefix(sectionPrefix);
  std::string section;
  bool prefixIsSection = false;
  if (!prefix.empty() && (prefix.back() == '/' || prefix.back() == '\\')) {
    prefix.pop_back();
    prefixIsSection = true;
  }
  if (subPath.empty() && prefixIsSection) {
    section = prefix;
  } else {
    std::string sub = subPath.empty() ? std::string("Common") : std::string(subPath);
    section = prefix.empty() ? sub : prefix + "." + sub;
  }
  for (char& c : section)
    if (c == '\\') c = '.';
  return section;
}

std::string WregRegistryKey(std::string_view registryPath, std::string_view subPath) {
  std::string key(registryPath);
  while (!key.empty() && key.back() == '\\') key.pop_back();
  if (!subPath.empty()) key += "\\" + std::string(subPath);
  return key;
}

std::string WregLockName(std::string_view iniFile) {
  std::string name;
  name.reserve(iniFile.size());
  for (char c : iniFile) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    name += (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ? c : '_';
  }
  return name;
}

std::string WregComponentPath(const rtl::TComponent* component) {
  if (!component) return {};
  if (!component->Owner()) return component->Name().str();
  std::string path = component->Name().str();
  for (const rtl::TComponent* o = component->Owner(); o; o = o->Owner()) path = o->Name().str() + "." + path;
  return "Application." + path;
}

// ---------------------------------------------------------------------------------------

struct TWreg::TOperation {
  bool Saving = false;
  TStore Store = soRegistry;
  int Root = -1;
  platform::RegistryKey Key;
  std::unique_ptr<platform::NamedLock> Lock;
  std::unique_ptr<rtl::TIniFile> Ini;
};

// A resolved item: a property of an object, or a variable of a parameter list.
struct TWreg::TResolved {
  std::string Name;
  rtl::TTypeKind Kind = rtl::tkUnknown;
  TStorage Storage = stNone;
  rtl::TObject* Instance = nullptr;
  const rtl::TPropInfo* Prop = nullptr;
  TorbParamsList* Params = nullptr;
  bool Virtual = false;
};

const rtl::TClassInfo& TWreg::StaticClassInfo() {
  using W = TWreg;
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<W>("TWreg", &rtl::TComponent::StaticClassInfo())
          .Enum("RegistryRoot", RegistryRootTypeInfo(), &W::RegistryRoot, &W::RegistryRoot)
          .Enum("SecondRegistryRoot", RegistryRootTypeInfo(), &W::SecondRegistryRoot, &W::SecondRegistryRoot)
          .Property("RegistryPath", &W::RegistryPath, &W::RegistryPath)
          .Property("INIFile", &W::INIFile, &W::INIFile)
          .Property("INIFileSectionPrefix", &W::INIFileSectionPrefix, &W::INIFileSectionPrefix)
          .Property("Components", [](W& w) { return w.FComponents; },
                    [](W& w, rtl::TStringList* lines) { w.SetComponentLines(lines); })
          .Event("SetValue", "TSetValueProc", &W::SetValue, &W::SetValue)
          .Event("GetValue", "TGetValueProc", &W::GetValue, &W::GetValue)
          .Event("BeforeProcessItem", "TBeforeProcessItemProc", &W::BeforeProcessItem, &W::BeforeProcessItem);
  return info;
}

TWreg::TWreg(rtl::TComponent* owner) : rtl::TComponent(owner), FComponents(rtl::CreateObject<rtl::TStringList>()) {}

TWreg::~TWreg() { rtl::FreeObject(FComponents); }

void TWreg::SetComponentLines(const rtl::TStrings* lines) {
  if (lines)
    FComponents->Assign(lines);
  else
    FComponents->Clear();
}

bool TWreg::Load(const TWregTarget& Target) { return Run(Target, false); }
bool TWreg::Save(const TWregTarget& Target) { return Run(Target, true); }

bool TWreg::Run(const TWregTarget& Target, bool saving) {
  TOperation op;
  op.Saving = saving;
  const std::string iniFile = INIFile.str();
  if (iniFile == CustomStoreName)
    op.Store = soCustom;
  else if (!iniFile.empty() && (saving || platform::FileExists(iniFile)))
    op.Store = soIni;

  if (op.Store == soRegistry) {
    // Without a registry path the values would land in the root of a hive: there is
    // no store then.
    const std::string base = WregRegistryKey(RegistryPath.view(), {});
    if (Trim(base).find_first_not_of('\\') == std::string_view::npos) return false;
    for (TRegistryRoot root : {RegistryRoot, SecondRegistryRoot}) {
      if (root >= rrNone) break;
      if (op.Key.Open(root, base, saving)) {
        op.Root = root;
        break;
      }
    }
    op.Key.Close();
    if (op.Root < 0) return false;
  } else if (op.Store == soIni) {
    // Another process may be rewriting the file: read and write it under the file's
    // lock, so that neither loses the other's sections. When the lock cannot be had
    // (a process hung holding it) the file is used all the same: each rewrite
    // replaces the file in one step, so it is never left broken.
    op.Lock = std::make_unique<platform::NamedLock>(WregLockName(iniFile));
    op.Lock->Acquire(IniLockTimeoutMs);
    op.Ini = std::make_unique<rtl::TIniFile>(iniFile);
    op.Ini->Load();
  }

  for (int i = 0; i < FComponents->Count(); ++i) {
    TWregItem item;
    if (!ParseWregItem(FComponents->Get(i).view(), item)) continue;
    try {
      ProcessItem(op, i, item, Target);
    } catch (...) {
      // One unreadable or unwritable item does not stop the others.
    }
  }

  if (op.Ini && saving && op.Ini->Modified()) op.Ini->UpdateFile();
  return true;
}

bool TWreg::Resolve(const TWregItem& item, const TWregTarget& target, TResolved& r) const {
  std::vector<std::string> parts = Split(item.PropertyPath, '.');
  r.Name = parts.back();
  if (target.Params) {
    r.Params = target.Params;
    r.Name = Join(parts, 0, '_');
    r.Kind = rtl::tkVariant;
    r.Storage = stVariant;
    return true;
  }
  rtl::TObject* current = target.Object;
  std::size_t i = 0;
  const TWregApplication& app = Application();
  if (parts.size() > 2 && app.FindForm) {
    if (rtl::TComponent* form = app.FindForm(parts[0])) {
      current = form;
      i = 1;
    }
  }
  if (!current && app.MainForm) current = app.MainForm();
  if (!current) return false;

  if (current->InheritsFrom<TProxyCodeCustomObject>()) {
    const std::string name = Join(parts, i, '_');
    const rtl::TPropInfo* prop = current->ClassInfo().FindProperty(name);
    if (!prop) return false;
    r.Instance = current;
    r.Prop = prop;
  } else {
    if (parts.size() - i > 1)
      if (auto* owner = dynamic_cast<rtl::TComponent*>(current))
        if (rtl::TComponent* child = owner->FindComponent(parts[i])) {
          current = child;
          ++i;
        }
    for (; i < parts.size(); ++i) {
      const rtl::TPropInfo* prop = current->ClassInfo().FindProperty(parts[i]);
      if (!prop) break;
      r.Instance = current;
      r.Prop = prop;
      if (i + 1 == parts.size() || prop->Kind() != rtl::tkClass) break;
      rtl::TObject* next = prop->GetObject(current);
      if (!next) break;
      current = next;
    }
    if (!r.Prop) return false;
  }
  r.Name = r.Prop->Name();
  r.Kind = r.Prop->Kind();
  r.Storage = StorageOf(*r.Prop, r.Instance);
  return true;
}

void TWreg::ProcessItem(TOperation& op, int index, const TWregItem& item, const TWregTarget& target) {
  TResolved r;
  bool require = Resolve(item, target, r);
  if (BeforeProcessItem) {
    bool isVirtual = false;
    rtl::TTypeKind kind = r.Kind;
    BeforeProcessItem(this, r.Name, index, require, isVirtual, kind);
    if (isVirtual) {
      r.Virtual = true;
      r.Kind = kind;
      r.Storage = StorageOfKind(kind);
    }
  }
  if (!require || r.Storage == stNone) return;
  if (!r.Virtual && !r.Params && !r.Prop) return;

  if (op.Store == soRegistry && !op.Key.Open(op.Root, WregRegistryKey(RegistryPath.view(), item.SubPath), op.Saving))
    return;

  if (op.Saving) {
    rtl::Variant stored;
    if (!ReadProperty(r, index, stored)) return;
    if (IsEmptyStored(stored)) {
      DeleteStore(op, item, index);
      return;
    }
    try {
      WriteStore(op, item, index, r.Storage, stored);
    } catch (...) {
      // A value the registry refused is removed rather than left stale.
      if (op.Store == soRegistry) DeleteStore(op, item, index);
      throw;
    }
    return;
  }

  rtl::Variant stored;
  try {
    if (!ReadStore(op, item, index, r.Storage, stored)) return;
    ApplyProperty(r, index, stored, target);
  } catch (...) {
    // A registry value that cannot be read or applied is damaged: it goes, so that
    // the next save writes a sound one.
    if (op.Store == soRegistry) DeleteStore(op, item, index);
    throw;
  }
}

// The value to store, in its stored form: integers as integers, floats as doubles,
// everything else as text (strings encoded).
bool TWreg::ReadProperty(const TResolved& r, int index, rtl::Variant& stored) const {
  rtl::Variant value;
  if (r.Virtual) {
    if (!GetValue) return false;
    GetValue(const_cast<TWreg*>(this), r.Name, index, value);
  } else if (r.Params) {
    if (TorbParamsListItem* p = r.Params->ItemByName(r.Name)) value = p->Value;
    if (!value.IsEmptyOrNull()) stored = rtl::Variant(rtl::VarToAnsiString(value));
    return true;
  } else if (r.Storage == stStrings || r.Storage == stComponent) {
    rtl::TObject* held = r.Prop->GetObject(r.Instance);
    if (!held) return true;
    if (r.Storage == stComponent) {
      if (auto* c = dynamic_cast<rtl::TComponent*>(held)) stored = rtl::Variant(rtl::AnsiString(WregComponentPath(c)));
      return true;
    }
    auto* lines = dynamic_cast<rtl::TStrings*>(held);
    if (lines) stored = rtl::Variant(rtl::AnsiString(WregEncode(lines->Text().view())));
    return true;
  } else {
    value = r.Prop->GetValue(r.Instance);
  }

  if (value.IsEmptyOrNull()) return true;
  switch (r.Storage) {
    case stInteger: stored = rtl::Variant(rtl::VarToInt64(value)); break;
    case stFloat: stored = rtl::Variant(rtl::VarToDouble(value)); break;
    case stEnum:
      if (!r.Virtual && r.Prop->EnumType() && !value.IsString())
        stored = rtl::Variant(rtl::AnsiString(r.Prop->EnumType()->NameOf(rtl::VarToInt32(value))));
      else
        stored = rtl::Variant(rtl::VarToAnsiString(value));
      break;
    case stString:
    case stStrings:
      stored = rtl::Variant(rtl::AnsiString(value.VarType() == rtl::varOleStr
                                                ? WregEncodeWide(rtl::VarToWideString(value))
                                                : WregEncode(rtl::VarToAnsiString(value).view())));
      break;
    case stVariant: stored = rtl::Variant(rtl::VarToAnsiString(value)); break;
    default: return false;
  }
  return true;
}

void TWreg::ApplyProperty(const TResolved& r, int index, const rtl::Variant& stored, const TWregTarget& target) const {
  if (r.Params) {
    r.Params->WriteValue(r.Name, rtl::Variant(rtl::VarToAnsiString(stored)));
    return;
  }
  if (r.Virtual) {
    if (!SetValue) return;
    rtl::Variant value;
    switch (r.Storage) {
      case stInteger: value = IntegerVariant(rtl::VarToInt64(stored)); break;
      case stFloat: value = stored; break;
      case stString:
      case stStrings:
        if (r.Kind == rtl::tkWString || r.Kind == rtl::tkWChar)
          value = rtl::Variant(WregDecodeWide(rtl::VarToAnsiString(stored).view()));
        else
          value = rtl::Variant(WregDecode(rtl::VarToAnsiString(stored).view()));
        break;
      default: value = rtl::Variant(rtl::VarToAnsiString(stored)); break;
    }
    SetValue(const_cast<TWreg*>(this), r.Name, index, value);
    return;
  }

  const rtl::TPropInfo& prop = *r.Prop;
  // A read-only property is not loaded; a string list changes through its object.
  if (r.Storage != stStrings && !prop.IsWritable()) return;
  switch (r.Storage) {
    case stInteger: prop.SetValue(r.Instance, IntegerVariant(rtl::VarToInt64(stored))); break;
    case stFloat: prop.SetValue(r.Instance, rtl::Variant(rtl::VarToDouble(stored))); break;
    case stEnum: {
      const std::string name(Trim(rtl::VarToAnsiString(stored).view()));
      int ordinal = prop.EnumType() ? prop.EnumType()->ValueOf(name) : -1;
      if (ordinal < 0) throw rtl::EConvertError("'" + name + "' is not a value of " + prop.TypeName());
      prop.SetValue(r.Instance, rtl::Variant(static_cast<std::int32_t>(ordinal)));
      break;
    }
    case stString: {
      const rtl::AnsiString text = rtl::VarToAnsiString(stored);
      if (prop.Kind() == rtl::tkWString || prop.Kind() == rtl::tkWChar)
        prop.SetValue(r.Instance, rtl::Variant(WregDecodeWide(text.view())));
      else
        prop.SetValue(r.Instance, rtl::Variant(WregDecode(text.view())));
      break;
    }
    case stVariant: prop.SetValue(r.Instance, rtl::Variant(rtl::VarToAnsiString(stored))); break;
    case stStrings:
      if (auto* lines = dynamic_cast<rtl::TStrings*>(prop.GetObject(r.Instance)))
        lines->SetText(WregDecode(rtl::VarToAnsiString(stored).view()).view());
      break;
    case stComponent: {
      const rtl::AnsiString path = rtl::VarToAnsiString(stored);
      if (path == kNullReference) {
        // Docking references name sites that come and go with the layout: a stored
        // nil does not clear them.
        if (prop.Name().find("Dock") == std::string::npos) prop.SetObject(r.Instance, nullptr);
      } else if (Trim(path.view()).empty()) {
        prop.SetObject(r.Instance, nullptr);
      } else if (rtl::TComponent* found = FindComponentByPath(target.Object, Trim(path.view()))) {
        prop.SetObject(r.Instance, found);
      }
      break;
    }
    default: break;
  }
}

bool TWreg::ReadStore(TOperation& op, const TWregItem& item, int index, int storage, rtl::Variant& stored) {
  switch (op.Store) {
    case soCustom: {
      if (!GetValue) return false;
      rtl::Variant v;
      GetValue(this, item.StorageName, index, v);
      if (v.IsEmptyOrNull()) return false;
      if (storage == stInteger)
        stored = rtl::Variant(rtl::VarToInt64(v));
      else if (storage == stFloat)
        stored = rtl::Variant(rtl::VarToDouble(v));
      else
        stored = rtl::Variant(rtl::VarToAnsiString(v));
      return true;
    }
    case soIni: {
      std::string text;
      if (!op.Ini->ReadString(WregIniSection(INIFileSectionPrefix.view(), item.SubPath), item.ValueName, text))
        return false;
      if (storage == stInteger)
        stored = rtl::Variant(ParseInteger(text));
      else if (storage == stFloat)
        stored = rtl::Variant(ParseFloat(text));
      else
        stored = rtl::Variant(rtl::AnsiString(text));
      return true;
    }
    case soRegistry: {
      platform::RegistryValue value;
      if (!op.Key.ReadValue(item.ValueName, value)) return false;
      if (storage == stInteger) {
        if (value.Type == platform::rvInteger)
          stored = rtl::Variant(static_cast<std::int64_t>(static_cast<std::int32_t>(value.Integer)));
        else if (value.Type == platform::rvString)  // a value too wide for 32 bits
          stored = rtl::Variant(ParseInteger(value.Data));
        else
          InvalidDataType(item.ValueName);
      } else if (storage == stFloat) {
        if (value.Type != platform::rvBinary || value.Data.size() != sizeof(double)) InvalidDataType(item.ValueName);
        double d = 0;
        std::memcpy(&d, value.Data.data(), sizeof d);
        stored = rtl::Variant(d);
      } else if (value.Type == platform::rvString) {
        stored = rtl::Variant(rtl::AnsiString(value.Data));
      } else if (value.Type == platform::rvInteger) {
        stored = rtl::Variant(rtl::AnsiString(rtl::IntToText(static_cast<std::int32_t>(value.Integer))));
      } else if (value.Type == platform::rvBinary && value.Data.size() == sizeof(double)) {
        double d = 0;
        std::memcpy(&d, value.Data.data(), sizeof d);
        stored = rtl::Variant(rtl::AnsiString(FloatText(d)));
      } else {
        InvalidDataType(item.ValueName);
      }
      return true;
    }
  }
  return false;
}

void TWreg::WriteStore(TOperation& op, const TWregItem& item, int index, int storage, const rtl::Variant& stored) {
  switch (op.Store) {
    case soCustom:
      if (SetValue) SetValue(this, item.StorageName, index, stored);
      return;
    case soIni: {
      std::string text;
      if (storage == stInteger)
        text = rtl::IntToText(rtl::VarToInt64(stored));
      else if (storage == stFloat)
        text = FloatText(rtl::VarToDouble(stored));
      else
        text = rtl::VarToAnsiString(stored).str();
      op.Ini->WriteString(WregIniSection(INIFileSectionPrefix.view(), item.SubPath), item.ValueName, text);
      return;
    }
    case soRegistry: {
      bool ok;
      if (storage == stInteger) {
        std::int64_t v = rtl::VarToInt64(stored);
        // The registry's integers have 32 bits; a wider value keeps all its digits as text.
        ok = v >= INT32_MIN && v <= INT32_MAX
                 ? op.Key.WriteInteger(item.ValueName, static_cast<std::uint32_t>(static_cast<std::int32_t>(v)))
                 : op.Key.WriteString(item.ValueName, rtl::IntToText(v));
      } else if (storage == stFloat) {
        double d = rtl::VarToDouble(stored);
        ok = op.Key.WriteBinary(item.ValueName, &d, sizeof d);
      } else {
        ok = op.Key.WriteString(item.ValueName, rtl::VarToAnsiString(stored).str());
      }
      if (!ok) throw rtl::Exception("Failed to set data for '" + item.ValueName + "'", "ERegistryException");
      return;
    }
  }
}

void TWreg::DeleteStore(TOperation& op, const TWregItem& item, int index) {
  switch (op.Store) {
    case soCustom:
      // An empty value tells the events' store to forget the value.
      if (SetValue) SetValue(this, item.StorageName, index, rtl::Variant());
      break;
    case soIni:
      op.Ini->DeleteKey(WregIniSection(INIFileSectionPrefix.view(), item.SubPath), item.ValueName);
      break;
    case soRegistry:
      op.Key.DeleteValue(item.ValueName);
      break;
  }
}

}  // namespace orb
