// The filter's part of library start-up: TaPlugin becomes the framework's module class,
// and the process-wide script preparation lock exists from here to finalisation.
#include "Private/Plugins/orbInstances.h"
#include "filter/FilterModule.h"
#include "filter/FilterScriptSetup.h"
#include "runtime/fsSysFunctions.h"

namespace filter {

namespace {
struct FilterLifetime {
  FilterLifetime() {
    TaPlugin::StaticClassInfo();
    CreatePreparationLock();
    orb::SetPluginClass(&orb::CreatePluginOf<TaPlugin>);
    // Where no message box can be shown, a script's ShowMessage is an information
    // line in its module's log.
    fs::SetShowMessageHook([](const std::string& text) {
      if (TaPlugin* plugin = RunningFilter()) plugin->AddLog(2, text);
    });
  }
  ~FilterLifetime() {
    fs::SetShowMessageHook(nullptr);
    FreePreparationLock();
  }
};
FilterLifetime gFilter;
}  // namespace

}  // namespace filter
