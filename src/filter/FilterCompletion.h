// "GetCompletion": the names the editor offers at Ctrl+Space, as text, one per line
// ending with CR LF: a kind letter, a tab, the name, a tab, its declaration. The
// script's own variables ('v') and routines ('f') come first, then the registered
// routines ('f'), classes ('c') and constants ('k').
#pragma once

#include <string>

namespace filter {

// caretLine (1-based, 0 for none): the line being typed, left out when the text does
// not parse as it stands.
std::string CompletionNames(const std::string& language, const std::string& text, int caretLine);

}  // namespace filter
