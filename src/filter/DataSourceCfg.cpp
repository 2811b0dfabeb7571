#include "filter/DataSourceCfg.h"

#include "filter/FilterModule.h"

namespace filter {

namespace {
[[maybe_unused]] const rtl::TClassInfo& kRegistered = TDataSourceCfg::StaticClassInfo();
}

const rtl::TClassInfo& TDataSourceCfg::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TDataSourceCfg>("TDataSourceCfg", &orb::TProxyCodeObject::StaticClassInfo()).Abstract();
  return info;
}

const char* SyntaxTypeOfIndex(int index) {
  static const char* const kDialects[] = {"PascalScript", "C++Script", "JScript", "BasicScript"};
  return index >= 0 && index < 4 ? kDialects[index] : kDialects[0];
}

TDataSourceCfg::TDataSourceCfg(TaPlugin* owner) : TProxyCodeObject(owner), FPlugin(owner) {}

void TDataSourceCfg::Load() {
  FPlugin->ReadSettings(FPlugin->Properties()->Strings(), this);
  if (comboType_ItemIndex < 0) comboType_ItemIndex = 0;
}

void TDataSourceCfg::Save() { FPlugin->WriteSettings(FPlugin->Properties()->Strings(), this); }

std::string TDataSourceCfg::SyntaxType() const { return SyntaxTypeOfIndex(comboType_ItemIndex); }

}  // namespace filter
