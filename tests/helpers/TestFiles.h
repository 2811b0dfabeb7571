// Where the test programs find the data kept beside their sources (case folders,
// reviewed listings). Taken from the build's configuration rather than from __FILE__,
// which a compiler cache or a prefix map may make relative to the build folder.
#pragma once

#include <filesystem>

namespace testfiles {

// The source tree's tests/ folder.
std::filesystem::path TestsDir();

}  // namespace testfiles
