// The grammar documents the build embedded into the library (src/engine/grammars/*.xml).
#pragma once

#include <cstddef>

namespace fs {

struct EmbeddedFile {
  const char* Name;  // file name, for example "PascalScript.xml"
  const char* Text;  // the document, NUL-terminated
  std::size_t Size;  // its length in bytes
};

// Ends with an entry whose Name is nullptr.
extern const EmbeddedFile kEmbeddedGrammars[];

}  // namespace fs
