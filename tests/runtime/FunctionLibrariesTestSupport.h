// Shared pieces of the tests of the string, math, unit-conversion, system-utility and
// file libraries: the system functions and all nine function libraries in their load
// order (so the names that hide others resolve as scripts see them), and a temporary
// folder for the file-system cases. Scripts are run through the date libraries' test
// host: Show(V) writes V with its type, Missing is an unassigned value.
#pragma once

#include <string>
#include <vector>

#include "runtime/DateLibrariesTestSupport.h"

namespace fs::test {

using LibraryCase = DateCase;

// TfsSysFunctions, then fs_DateUtils ... fs_File, in their load order.
std::vector<ModuleFactory> AllFunctionLibraries();

class FunctionLibrariesFixture : public DateLibrariesFixture {
protected:
  FunctionLibrariesFixture() : DateLibrariesFixture(AllFunctionLibraries()) {}
};

// A new empty folder in the system's folder for temporary files, removed with all it
// holds at the end of the scope. Path() ends with the platform's delimiter.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return FPath; }
  // The path of a name inside the folder.
  std::string operator/(const std::string& name) const { return FPath + name; }
  // The path written as a PascalScript string literal (quotes doubled).
  std::string Literal(const std::string& name = std::string()) const;

private:
  std::string FPath;
};

// The whole content of a file ("<missing>" when it cannot be read).
std::string FileContent(const std::string& path);
void WriteContent(const std::string& path, const std::string& content);

}  // namespace fs::test
