// The clipboard's text: the system clipboard on Windows, an in-process one on POSIX.
#pragma once

#include <string>

namespace platform {

// Text in the process code page; empty when the clipboard holds no text.
std::string ClipboardText();
void SetClipboardText(const std::string& text);

}  // namespace platform
