#include "helpers/TestFiles.h"

namespace testfiles {

std::filesystem::path TestsDir() { return std::filesystem::path(VELMORA_TESTS_DIR); }

}  // namespace testfiles
