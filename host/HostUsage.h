// The usage texts of velmora-host and its commands, in one place: printed in full by
// --help, referred to by the one-line errors of a wrong command line.
#pragma once

#include <string>

#include "OutputSink.h"

// The whole usage of a command (or of the program for an empty name).
void PrintUsage(const std::string& command, OutputSink& out);
// A window size given as WIDTHxHEIGHT (pixels, each at most five digits); false for
// anything else.
bool ParseWindowSize(const std::string& text, int& width, int& height);
// "velmora-host COMMAND: why (see velmora-host COMMAND --help)" on stderr; returns 2.
int UsageError(const std::string& command, const std::string& why);
// "velmora-host COMMAND: message" on stderr; returns code.
int Failure(const std::string& command, const std::string& message, int code = 2);
