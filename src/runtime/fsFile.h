// fs_File: 4 functions in the category "Files": open a file the way the shell does
// (on POSIX: start a program), and append to, write and read a whole file. The file
// functions report failure through their results and raise nothing.
#pragma once

#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsFile : public TfsRTTIModule {
public:
  explicit TfsFile(TfsScript* script);

  static constexpr const char* Category = "Files";
};

}  // namespace fs
