// TDataSourceCfg: one configuration's settings as the filter uses them: the script
// text and its language (and the options dialog's geometry, which the filter only
// carries). Read from and written to the configuration's settings store through the
// items its module's Properties list names.
#pragma once

#include <string>

#include "Private/Plugins/orbProxyCode.h"

namespace filter {

class TaPlugin;

class TDataSourceCfg : public orb::TProxyCodeObject {
  RTL_CLASS_INFO

public:
  explicit TDataSourceCfg(TaPlugin* owner);

  // Reads the items from the store; a negative language index becomes 0.
  void Load();
  void Save();

  // The dialect the language index stands for ("PascalScript" for unknown indexes).
  std::string SyntaxType() const;

private:
  TaPlugin* FPlugin;
};

// The dialects by language index, in the order of the options dialog's list.
const char* SyntaxTypeOfIndex(int index);

}  // namespace filter
