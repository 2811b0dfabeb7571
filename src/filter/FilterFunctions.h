// TF: the runtime module of the filter's 22 "Special" functions. One instance per
// script the runtime modules are loaded into; it finds the filter module it serves on
// its first call, through the script chain's main run.
#pragma once

#include <string>

#include "runtime/fsRTTIModule.h"
#include "rtl/ClassInfo.h"
#include "rtl/Variant.h"

namespace fs {
class TfsMethodHelper;
}

namespace filter {

class TaPlugin;

class TF : public fs::TfsRTTIModule {
public:
  explicit TF(fs::TfsScript* script);

  rtl::Variant HandleSpecialCall(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& MethodName,
                                 fs::TfsMethodHelper* Caller);

private:
  TaPlugin* FPlugin = nullptr;
};

// The filter module whose script this is; nullptr for scripts of no filter.
TaPlugin* FilterOfScript(const fs::TfsScript* script);
void SetFilterOfScript(const fs::TfsScript* script, TaPlugin* plugin);

}  // namespace filter
