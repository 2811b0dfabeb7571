// The dialect registry: grammar documents by dialect name, process-wide. On first use
// it holds the grammars the build embedded, under the names their documents carry
// ("PascalScript", "C++Script", "JScript", "BasicScript"); it is read by every compile.
#pragma once

#include <string>
#include <vector>

namespace fs {

// Adds a grammar or replaces the one registered under that name (ignoring case).
void RegisterDialect(const std::string& name, const std::string& grammarText);
// The grammar text; raises "Language '%s' not found" for an unknown name.
std::string FindDialectGrammar(const std::string& name);
// The registered names, in registration order.
std::vector<std::string> DialectNames();

}  // namespace fs
