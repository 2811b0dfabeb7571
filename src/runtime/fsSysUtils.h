// fs_SysUtils: 109 functions in the category "Misc": text case and comparison,
// trimming and quoting, number, Boolean and date conversion, file names and the file
// system, locale and platform queries, character positions of multi-byte text, line
// wrapping, the command line and the environment, and null handling. Registered after
// the system functions, its conversion and date functions are the ones scripts reach
// for the 26 names the two share. Registers AnsiChar, DWORD and AnsiString (the first
// and last are fs_CharStrings' already).
//
// File names take the backslash as path delimiter and "/" as well; where a function
// touches the file system, the name goes through platform::NativePath, so on POSIX
// "sub\file.txt" and "/tmp/file.txt" both reach the file they mean.
#pragma once

#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsSysUtils : public TfsRTTIModule {
public:
  explicit TfsSysUtils(TfsScript* script);

  static constexpr const char* Category = "Misc";
};

}  // namespace fs
