// The filter's part of library start-up: TaPlugin becomes the framework's module class,
// and the process-wide script preparation lock exists from here to finalisation.
#include "Private/Plugins/orbInstances.h"
#include "filter/FilterModule.h"
#include "filter/FilterScriptSetup.h"

namespace filter {

namespace {
struct FilterLifetime {
  FilterLifetime() {
    TaPlugin::StaticClassInfo();
    CreatePreparationLock();
    orb::SetPluginClass(&orb::CreatePluginOf<TaPlugin>);
  }
  ~FilterLifetime() { FreePreparationLock(); }
};
FilterLifetime gFilter;
}  // namespace

}  // namespace filter
