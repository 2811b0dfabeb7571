// The runtime's exception class: every run-time failure inside the library is an
// Exception carrying the name of its class (as scripts and logs see it) and a message.
#pragma once

#include <exception>
#include <string>

namespace rtl {

class Exception : public std::exception {
public:
  // A message longer than a few kilobytes is cut and marked (BoundedText).
  explicit Exception(std::string message, std::string className = "Exception");
  const char* what() const noexcept override { return FMessage.c_str(); }

  const std::string& ClassName() const noexcept { return FClassName; }
  const std::string& Message() const noexcept { return FMessage; }
  void SetMessage(std::string message);

private:
  std::string FMessage;
  std::string FClassName;
};

// Raised by failed internal checks; the message reads "%s (%s, line %d)".
class EAssertionFailed : public Exception {
public:
  EAssertionFailed(const std::string& text, const std::string& unit, int line);
};

// Conversion and overflow failures of variant values.
class EVariantError : public Exception {
public:
  explicit EVariantError(std::string message, std::string className = "EVariantError")
      : Exception(std::move(message), std::move(className)) {}
};

class EConvertError : public Exception {
public:
  explicit EConvertError(std::string message) : Exception(std::move(message), "EConvertError") {}
};

// A block that cannot be had: the allocator refused it, or its size does not fit one
// allocation. Inside a script run it is that row's run-time error like any other.
class EOutOfMemory : public Exception {
public:
  EOutOfMemory();
};

// Raises EAssertionFailed when the condition is false; unit is the source unit path
// the messages name (for example "Public\\Common\\orbParamLst").
[[noreturn]] void AssertionFailure(const std::string& text, const char* unit, int line);

}  // namespace rtl

#define RTL_ASSERT(cond, text, unit)                                  \
  do {                                                                \
    if (!(cond)) ::rtl::AssertionFailure((text), (unit), __LINE__);   \
  } while (0)
