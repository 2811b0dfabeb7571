// The operating system's error codes and their texts.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The code of the calling thread's last failed system call (Windows: GetLastError;
// POSIX: errno).
std::int32_t LastSystemError();
// The system's message for an error code, without a trailing line break; empty when
// the system has none.
std::string SystemErrorMessage(std::int32_t code);

}  // namespace platform
