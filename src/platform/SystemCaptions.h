// The button texts the system's own message boxes show, captured once per process.
#pragma once

#include <array>
#include <string>

namespace platform {

// Twelve slots in the message array's order (Yes, No, OK, Cancel, Abort, Retry,
// Ignore, All, No to All, Yes to All, Help, Unknown); slots the system does not show
// stay empty. Captured at the first call; later calls return the same table. Never
// shows anything and never blocks: when the capture fails, every slot stays empty.
const std::array<std::string, 12>& SystemButtonCaptions();

}  // namespace platform
