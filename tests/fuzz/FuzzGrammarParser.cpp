// Feeds arbitrary bytes to the grammar-driven parser: the first byte picks the
// dialect, the rest is the source. Included units get their own name as their text,
// so unit inclusion is exercised with input-chosen content too.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/fsILParser.h"
#include "engine/fsScript.h"
#include "rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const char* const kDialects[] = {"PascalScript", "C++Script", "JScript", "BasicScript"};
  fs::TfsScript script;
  script.SetSyntaxType(kDialects[data[0] % 4]);
  script.OnGetUnit = [](fs::TfsScript*, const std::string& name, std::string& text) { text = name; };
  fs::TfsILParser parser(&script);
  std::string source(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    parser.SelectDialect(script.SyntaxType());
    bool built = parser.BuildProgramTree(source);
    // A tree means no error; an error text always comes with a position.
    if (built && !script.LastErrorText().empty()) std::abort();
    if (!script.LastErrorText().empty() && script.LastErrorPos().find(':') == std::string::npos) std::abort();
    if (built && parser.ProgramTree().Root()->Name() != "program") std::abort();
  } catch (const rtl::Exception& e) {
    // Scripts may name unknown dialects or give oversized character codes; a broken
    // grammar or an unreadable program tree would be a fault of ours.
    if (e.Message() == "Invalid language definition" || e.Message() == "Invalid file format") std::abort();
  }
  return 0;
}
