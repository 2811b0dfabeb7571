// The work behind the exports: the data-call guard and its workers, the module
// information, custom commands, the options dialog and the log fetch.
#pragma once

#include <cstdint>

#include "Private/Plugins/orbPluginTypes.h"

namespace orb {

std::int32_t DoProcessData(PPluginCallRec rec);
std::int32_t DoGetData(PPluginCallRec rec);
std::int32_t DoGetEvents(PPluginCallRec rec);
std::int32_t DoGetLogEx(PPluginCallRec rec);
bool DoGetModuleInfo(PPluginCallRec rec, TModuleInfoBlock* info, std::uint32_t* pSize);
std::int32_t DoGetCustomCommands(PPluginCallRec rec);
void DoShowOptionsDialog(PPluginCallRec rec);
std::int32_t DoExecutePluginCommand(PPluginCallRec rec);

}  // namespace orb
