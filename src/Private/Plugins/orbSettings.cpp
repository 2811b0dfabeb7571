// TorbPlugin's settings operations: one TWreg per call, set up from the module's
// settings location.
#include <algorithm>

#include "Private/Plugins/orbPluginModule.h"
#include "Private/Plugins/orbWreg.h"

namespace orb {

namespace {

enum class TSettingsOp { Read, Write, WriteShort };

TRegistryRoot RootOf(std::uint8_t value) { return static_cast<TRegistryRoot>(std::min<std::uint8_t>(value, rrNone)); }

bool RunSettings(TorbPlugin& module, const rtl::TStrings* items, const TWregTarget& target,
                 const std::string& fileName, TSettingsOp op) {
  if (!items) return false;
  struct BusyScope {
    bool& Flag;
    bool Was;
    explicit BusyScope(bool& flag) : Flag(flag), Was(flag) { Flag = true; }
    ~BusyScope() { Flag = Was; }
  } busy(module.FSettingsBusy);

  rtl::TObjectPtr<TWreg> store = rtl::MakeObject<TWreg>();
  store->RegistryRoot = RootOf(module.FRegistryRoot1);
  store->SecondRegistryRoot = RootOf(module.FRegistryRoot2);
  store->RegistryPath = module.FRegistryPath;
  store->INIFileSectionPrefix = module.FINISectionPrefix;
  store->INIFile = fileName.empty() ? module.FINIFile : fileName;
  rtl::TStringList* lines = store->ComponentLines();
  if (op == TSettingsOp::WriteShort) {
    for (int i = 0; i < items->Count(); ++i) {
      rtl::AnsiString line = items->Get(i);
      lines->Add(line);
      std::string_view t = line.view();
      while (!t.empty() && static_cast<unsigned char>(t.front()) <= ' ') t.remove_prefix(1);
      while (!t.empty() && static_cast<unsigned char>(t.back()) <= ' ') t.remove_suffix(1);
      if (t == ShortListMarker) break;
    }
  } else {
    lines->Assign(items);
  }
  return op == TSettingsOp::Read ? store->Load(target) : store->Save(target);
}

}  // namespace

bool TorbPlugin::ReadSettings(const rtl::TStrings* Items, rtl::TObject* Target, const std::string& FileName) {
  return RunSettings(*this, Items, Target, FileName, TSettingsOp::Read);
}
bool TorbPlugin::ReadSettings(const rtl::TStrings* Items, TorbParamsList* Target, const std::string& FileName) {
  return RunSettings(*this, Items, Target, FileName, TSettingsOp::Read);
}
bool TorbPlugin::WriteSettings(const rtl::TStrings* Items, rtl::TObject* Target, const std::string& FileName) {
  return RunSettings(*this, Items, Target, FileName, TSettingsOp::Write);
}
bool TorbPlugin::WriteSettings(const rtl::TStrings* Items, TorbParamsList* Target, const std::string& FileName) {
  return RunSettings(*this, Items, Target, FileName, TSettingsOp::Write);
}
bool TorbPlugin::WriteSettingsShort(const rtl::TStrings* Items, rtl::TObject* Target, const std::string& FileName) {
  return RunSettings(*this, Items, Target, FileName, TSettingsOp::WriteShort);
}
bool TorbPlugin::WriteSettingsShort(const rtl::TStrings* Items, TorbParamsList* Target,
                                    const std::string& FileName) {
  return RunSettings(*this, Items, Target, FileName, TSettingsOp::WriteShort);
}

}  // namespace orb
