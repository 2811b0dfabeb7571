// Helpers of the toolkit tests: user input as the platform delivers it (real window
// messages on Windows, peer events on the headless build).
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

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

// A 24-bit BMP as rows of (r, g, b), top row first.
struct Picture {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Bgr;
  bool Load(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    auto u32 = [&](std::size_t at) { return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24); };
    const std::uint32_t offset = u32(10);
    Width = static_cast<int>(u32(18));
    Height = static_cast<int>(u32(22));
    if (b[28] != 24) return false;
    const std::size_t stride = (static_cast<std::size_t>(Width) * 3 + 3) & ~std::size_t{3};
    Bgr.resize(static_cast<std::size_t>(Width) * Height * 3);
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width * 3; ++x)
        Bgr[(static_cast<std::size_t>(y) * Width * 3) + x] = b[offset + (Height - 1 - y) * stride + x];
    return true;
  }
  std::uint32_t At(int x, int y) const {  // 0x00BBGGRR, like TColor
    const std::size_t i = (static_cast<std::size_t>(y) * Width + x) * 3;
    return Bgr[i] << 16 | Bgr[i + 1] << 8 | Bgr[i + 2];
  }
  int Count(int x1, int y1, int x2, int y2, const std::function<bool(std::uint32_t)>& pred) const {
    int n = 0;
    for (int y = y1; y < y2; ++y)
      for (int x = x1; x < x2; ++x) n += pred(At(x, y)) ? 1 : 0;
    return n;
  }
};


}  // namespace guitest
