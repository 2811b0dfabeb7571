#include "platform/MessageBox.h"

namespace platform {

bool ShowMessageBox(const std::string&) { return false; }

}  // namespace platform
