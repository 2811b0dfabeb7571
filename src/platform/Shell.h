// Opening a file the way the user's shell does.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Shell results (Windows numbering): a value above 32 means success.
enum : std::int32_t {
  seFileNotFound = 2,
  sePathNotFound = 3,
  seAccessDenied = 5,
  seOutOfMemory = 8,
  seNoAssociation = 31,
  seStarted = 33,
};

// Windows: the shell's "open" action on file, with the parameters, the working folder
// (each left out when empty) and the window show command; the shell's result.
// POSIX: file must be a program; it is started directly, without a shell, with the
// parameters split into arguments as a command line is (blanks separate, double
// quotes group, a backslash escapes a quote), in the working folder, and not waited
// for. seStarted when it runs, else the result that matches the failure.
std::int32_t ShellOpen(const std::string& file, const std::string& parameters, const std::string& directory,
                       std::int32_t showCommand);

}  // namespace platform
