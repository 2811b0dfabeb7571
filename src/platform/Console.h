// The standard streams of a command-line program.
#pragma once

namespace platform {

// Writes stdout and stderr byte for byte (no LF to CR LF translation on Windows), so
// that both builds print the same bytes; stdout is fully buffered on every kind of
// output, so a program that prints as it goes flushes where the reader must see it.
void UseBinaryStandardStreams();

}  // namespace platform
