// Message boxes: a modal box with a text and an OK button, as a script's ShowMessage
// shows it. Windows shows one; POSIX has no dialogs and reports that it showed none.
#pragma once

#include <string>

namespace platform {

// Shows the box (titled with the program's name) and waits until the user closes it;
// false when the system has no message boxes.
bool ShowMessageBox(const std::string& text);

}  // namespace platform
