#include "platform/Console.h"

namespace platform {

// POSIX streams are byte streams already.
void UseBinaryStandardStreams() {}

}  // namespace platform
