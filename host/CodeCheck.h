// The compile check of the options dialog, through the "CheckCode" module event.
#pragma once

#include <string>

class HostSession;

enum class CheckResult { Compiles, Fails, EventFailed };

// Compiles the script (text in the process code page) in a loaded configuration's
// check script, which never disturbs the script that processes packets. On Fails,
// message is "FILE:line:col: message"; on EventFailed, the event's failure.
CheckResult CheckScriptCode(HostSession& session, int language, const std::string& script, const std::string& file,
                            std::string& message);
