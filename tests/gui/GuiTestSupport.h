// Helpers of the toolkit tests: user input as the platform delivers it (real window
// messages on Windows, peer events on the headless build).
#pragma once

#include <string>

#include "gui/Controls.h"
#include "platform/WindowPeer.h"

namespace guitest {

inline void Key(gui::TControl& c, std::uint16_t vk, std::uint32_t shift = 0, char ch = 0) {
  platform::UserInput in;
  in.Kind = platform::UserInput::Key;
  in.VirtualKey = vk;
  in.Shift = shift;
  in.Char = ch;
  platform::SendUserInput(*c.Peer(), in);
}

// Types characters as their keys (letters, digits, blanks and punctuation).
inline void Type(gui::TControl& c, const std::string& text) {
  for (char ch : text) {
    std::uint16_t vk = 0;
    std::uint32_t shift = 0;
    if (ch >= 'a' && ch <= 'z') vk = static_cast<std::uint16_t>(ch - 'a' + 'A');
    else if (ch >= 'A' && ch <= 'Z') vk = static_cast<std::uint16_t>(ch), shift = gui::ssShift;
    else if ((ch >= '0' && ch <= '9') || ch == ' ') vk = static_cast<std::uint16_t>(ch);
    Key(c, vk, shift, ch);
  }
}

inline void Mouse(gui::TControl& c, platform::UserInput::InputKind kind, int x, int y, std::uint32_t shift = 0,
                  platform::MouseButton button = platform::MouseButton::Left) {
  platform::UserInput in;
  in.Kind = kind;
  in.X = x;
  in.Y = y;
  in.Shift = shift;
  in.Button = button;
  platform::SendUserInput(*c.Peer(), in);
}

}  // namespace guitest
