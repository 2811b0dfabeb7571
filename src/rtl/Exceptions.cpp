#include "rtl/Exceptions.h"

namespace rtl {

Exception::Exception(std::string message, std::string className)
    : FMessage(std::move(message)), FClassName(std::move(className)) {}

EAssertionFailed::EAssertionFailed(const std::string& text, const std::string& unit, int line)
    : Exception(text + " (" + unit + ", line " + std::to_string(line) + ")", "EAssertionFailed") {}

EOutOfMemory::EOutOfMemory() : Exception("Out of memory", "EOutOfMemory") {}

void AssertionFailure(const std::string& text, const char* unit, int line) {
  throw EAssertionFailed(text, unit, line);
}

}  // namespace rtl
