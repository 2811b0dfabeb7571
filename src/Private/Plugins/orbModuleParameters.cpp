// The module parameters of GET-/SET-MODULE-PARAMETER, the module variables behind the
// "Custom" names, and the data folders.
#include <cctype>

#include "Private/Plugins/orbParams.h"
#include "Private/Plugins/orbPluginModule.h"
#include "platform/Folders.h"
#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

namespace orb {

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && rtl::AnsiLowerCase(a) == rtl::AnsiLowerCase(b);
}

rtl::Variant Unsigned(std::uint64_t v) { return rtl::Variant::FromLongWord(static_cast<std::uint32_t>(v)); }

// A module variable name: "Custom", one optional separator, then the name; with an
// index when the name is a decimal number of fewer than 3 characters.
bool VariableName(const std::string& name, std::string& var, int& index) {
  if (name.size() <= 6 || name.compare(0, 6, "Custom") != 0) return false;
  std::size_t start = 6;
  if (name[start] == ' ' || name[start] == ':' || name[start] == '_') ++start;
  var = name.substr(start);
  if (var.empty()) return false;
  index = -1;
  if (var.size() < 3) {
    bool digits = true;
    for (char c : var) digits = digits && c >= '0' && c <= '9';
    if (digits) index = std::stoi(var);
  }
  return true;
}

// File names must not contain these.
std::string ReplaceInvalidFileChars(std::string s, char with) {
  for (char& c : s)
    if (static_cast<unsigned char>(c) < ' ' || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = with;
  return s;
}

std::string WithTrailingDelimiter(std::string path) {
  const char d = platform::PathDelimiter();
  if (path.empty() || (path.back() != d && path.back() != '\\' && path.back() != '/')) path += d;
  return path;
}

}  // namespace

bool TorbPlugin::GetModuleParameter(const std::string& Name, rtl::Variant& Value) {
  Value.Clear();
  auto is = [&](std::string_view n) { return SameText(Name, n); };
  std::string var;
  int index = -1;
  if (is("LogTitle")) Value = OleText(LogTitle.view());
  else if (is("Description")) Value = OleText(Description.view());
  else if (is("EventsSupported")) Value = OleText(EventsSupported.view());
  else if (is("CustomCommands")) Value = OleText(CustomCommandsText());
  else if (is("TranslatorComponentProperties"))
    Value = OleText(FTranslator ? FTranslator->ComponentProperties()->Text().str()
                                : std::string("MsgNoData\r\nMsgWriteComplete\r\nMsgWriteCompleteError\r\n"));
  else if (is("ModuleType")) Value = Unsigned(ModuleType);
  else if (is("ModuleEnabled")) {
    std::uint32_t mask = 0;
    for (std::size_t t = 0; t < FEnabledTypes.size(); ++t)
      if (FEnabledTypes[t]) mask |= 1u << t;
    Value = Unsigned(mask);
  } else if (is("ModuleDllHandle")) Value = Unsigned(reinterpret_cast<std::uintptr_t>(FDllHandle));
  else if (is("ModuleLoadCount")) Value = rtl::Variant(static_cast<std::int32_t>(FLoadCount.load()));
  else if (is("ModuleIndex")) Value = Unsigned(FModuleIndex);
  else if (is("ModuleHandle")) Value = Unsigned(FConfigId);
  else if (is("ModulePath")) Value = OleText(FModulePath);
  else if (is("ModuleDataPath")) Value = OleText(ModuleDataPath(false));
  else if (is("AppDataPath")) Value = OleText(AppDataPath());
  else if (is("ModuleName")) Value = OleText(FModuleName);
  else if (is("ModuleLoadForConfig")) Value = Unsigned(FLoadForConfig);
  else if (is("ModuleConfigId")) Value = OleText(ConfigFolderName());
  else if (is("ApplicationFullName")) Value = OleText(FApplicationName);
  else if (is("INIFile")) Value = OleText(FINIFile);
  else if (is("ModuleRegistryRoot1")) Value = rtl::Variant::FromByte(FRegistryRoot1);
  else if (is("ModuleRegistryRoot2")) Value = rtl::Variant::FromByte(FRegistryRoot2);
  else if (is("ModuleRegistryPath")) Value = OleText(FRegistryPath);
  else if (is("INISectionPrefix")) Value = OleText(FINISectionPrefix);
  else if (is("DisplayFullVersion")) Value = OleText(FFullVersion);
  else if (is("ParserItems")) Value = OleText(ParserItemsText());
  else if (is("ParserItemsCount")) Value = rtl::Variant(static_cast<std::int32_t>(FParserItems.size()));
  else if (Name.size() > 14 && (Name.compare(0, 14, "ParserItemName") == 0 || Name.compare(0, 14, "ParserItemDesc") == 0 ||
                                Name.compare(0, 14, "ParserItemType") == 0)) {
    const std::string digits = Name.substr(14, 3);
    bool numeric = !digits.empty();
    for (char c : digits) numeric = numeric && c >= '0' && c <= '9';
    // An index that is not a number is not served.
    if (!numeric) return true;
    const std::size_t i = static_cast<std::size_t>(std::stoi(digits));
    const std::string_view field = std::string_view(Name).substr(10, 4);
    if (i >= FParserItems.size()) {
      // Extended with empty items; the answer is empty (0 for the type).
      FParserItems.resize(i + 1);
      if (field == "Type") Value = rtl::Variant::FromShortInt(0);
      return true;
    }
    const TParserItem& item = FParserItems[i];
    if (field == "Name") Value = OleText(item.Name);
    else if (field == "Desc") Value = OleText(item.Description);
    else Value = rtl::Variant::FromShortInt(static_cast<std::int8_t>(item.ItemType));
  } else if (is("DataSourceLoadFor")) Value = OleText(FDataSourceLoadFor);
  else if (is("TerminateNow")) Value = rtl::Variant(FTerminateNow != 0);
  else if (is("IsTemporaryLoad")) Value = rtl::Variant(FTemporaryLoad);
  else if (is("ParentApp")) Value = Unsigned(FParentApp);
  else if (is("OWNERFORM")) Value = Unsigned(FOwnerForm);
  else if (VariableName(Name, var, index)) {
    Value = rtl::Variant::Null();
    if (!FVariables) FVariables = std::make_unique<TorbThreadParamsList>();
    TorbParamsList* vars = FVariables->LockRead();
    if (var == "COUNT") Value = rtl::Variant(vars->Count());
    else if (index < 0) vars->ReadValueDef(var, rtl::Variant::Null(), Value);
    else if (index < vars->Count()) Value = vars->Items(index)->Value;
    FVariables->UnlockRead();
  } else if (is("TESTTRANSL")) {
    bool found = false;
    for (const std::string& arg : platform::CommandLineParameters()) found = found || arg == "/TESTTRANSL";
    Value = rtl::Variant(found);
  }
  return true;
}

bool TorbPlugin::SetModuleParameter(const std::string& Name, const rtl::Variant& Value) {
  auto is = [&](std::string_view n) { return SameText(Name, n); };
  auto text = [&] { return Value.IsEmptyOrNull() ? rtl::AnsiString() : rtl::VarToAnsiString(Value); };
  std::string var;
  int index = -1;
  if (is("LogTitle")) LogTitle = text();
  else if (is("Description")) Description = text();
  else if (is("EventsSupported")) EventsSupported = text();
  else if (is("CustomCommands")) AddCustomCommands(text().str());
  else if (is("ParserItems")) SetParserItems(text().str());
  else if (is("ModuleType")) {
    try {
      ModuleType = static_cast<TModuleTypes>(rtl::VarToInt64(Value) & 0xFF);
    } catch (...) {
      return false;
    }
  } else if (is("OWNERFORM")) FOwnerForm = static_cast<std::uintptr_t>(rtl::VarToInt64(Value));
  else if (VariableName(Name, var, index)) {
    if (!FVariables) FVariables = std::make_unique<TorbThreadParamsList>();
    TorbParamsList* vars = FVariables->LockWrite();
    try {
      if (var == "COUNT") vars->Clear();
      else if (index < 0) vars->WriteValue(var, Value, true);
      else if (index < vars->Count()) vars->Items(index)->WriteValue(Value);
    } catch (...) {
      FVariables->UnlockWrite();
      throw;
    }
    FVariables->UnlockWrite();
  } else {
    return false;
  }
  return true;
}

std::string TorbPlugin::AppDataPath() const {
  std::vector<std::string> fields = SplitFields(FRegistryPath, '\\');
  std::string name = fields.size() >= 4 ? ReplaceInvalidFileChars(fields[3], ' ') : std::string();
  std::string base = platform::CommonAppDataFolder();
  if (base.empty()) base = platform::EnvironmentVariable("CommonProgramFiles");
  if (base.empty()) return WithTrailingDelimiter(FModulePath);
  return WithTrailingDelimiter(WithTrailingDelimiter(base) + name);
}

std::string TorbPlugin::ConfigFolderName() const {
  std::string s = FINISectionPrefix.substr(0, FINISectionPrefix.find('}'));
  std::size_t open = s.find('{');
  if (open == std::string::npos) return {};
  s = s.substr(open + 1);
  s = s.substr(0, s.find('{'));
  std::size_t colon = s.find(':');
  if (colon != std::string::npos) {
    std::string part = s.substr(colon + 1);
    part = part.substr(0, part.find(':'));
    if (!part.empty()) s = part;
  }
  return s;
}

std::string TorbPlugin::ModuleDataPath(bool create) const {
  std::string folder;
  if (!(FConfigList && FConfigList->FindName(FLoadForConfig, folder) >= 0)) {
    folder = Description.str().substr(0, Description.view().find_first_of("\r\n"));
    if (folder.empty()) {
      folder = rtl::AnsiLowerCase(FModuleName).str();
      folder = folder.substr(0, folder.rfind('.'));
    }
  }
  folder = ReplaceInvalidFileChars(folder, '-');
  std::string path = AppDataPath();
  std::string config = ConfigFolderName();
  if (!config.empty()) path = WithTrailingDelimiter(path + config);
  path = WithTrailingDelimiter(path + folder);
  if (create) platform::ForceDirectories(path.substr(0, path.size() - 1));
  return path;
}

}  // namespace orb
