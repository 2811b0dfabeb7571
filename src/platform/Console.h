// The standard streams of a command-line program.
#pragma once

namespace platform {

// Writes stdout and stderr byte for byte (no LF to CR LF translation on Windows), so
// that both builds print the same bytes.
void UseBinaryStandardStreams();

}  // namespace platform
