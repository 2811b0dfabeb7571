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
void Type(gui::TControl& c, const std::string& text);

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
