#include "gui/GuiTestSupport.h"

#include <cctype>

namespace guitest {

void Type(gui::TControl& c, const std::string& text) {
  for (char ch : text) {
    std::uint16_t vk = 0;
    std::uint32_t shift = 0;
    const unsigned char u = static_cast<unsigned char>(ch);
    if (std::isalpha(u)) {
      vk = static_cast<std::uint16_t>(std::toupper(u));
      if (std::isupper(u)) shift = gui::ssShift;
    } else if (std::isdigit(u) || ch == ' ') {
      vk = static_cast<std::uint16_t>(u);
    }
    Key(c, vk, shift, ch);
  }
}

}  // namespace guitest
