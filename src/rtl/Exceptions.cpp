#include "rtl/Exceptions.h"

#include "rtl/BoundedText.h"

namespace rtl {

// Bounded: a script may raise with a text of any length, and the message is copied
// as the exception travels and is reported.
Exception::Exception(std::string message, std::string className)
    : FMessage(IsOverBound(message.size()) ? BoundedText(message) : std::move(message)),
      FClassName(std::move(className)) {}

void Exception::SetMessage(std::string message) {
  FMessage = IsOverBound(message.size()) ? BoundedText(message) : std::move(message);
}

EAssertionFailed::EAssertionFailed(const std::string& text, const std::string& unit, int line)
    : Exception(text + " (" + unit + ", line " + std::to_string(line) + ")", "EAssertionFailed") {}

EOutOfMemory::EOutOfMemory() : Exception("Out of memory", "EOutOfMemory") {}

void AssertionFailure(const std::string& text, const char* unit, int line) {
  throw EAssertionFailed(text, unit, line);
}

}  // namespace rtl
