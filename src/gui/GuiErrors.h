// The toolkit's exception classes and the formatting of their texts.
#pragma once

#include <string>

#include "rtl/Exceptions.h"

namespace gui {

class EInvalidOperation : public rtl::Exception {
public:
  explicit EInvalidOperation(std::string message) : Exception(std::move(message), "EInvalidOperation") {}
};

// A text with its one "%s" or "%d" replaced.
std::string Format(const char* pattern, const std::string& value);
std::string Format(const char* pattern, int value);

}  // namespace gui
