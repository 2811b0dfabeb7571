// Shared pieces of the forms, dialogs and graphics library tests: a registry holding the
// system functions and the class libraries in their load order, and a runner that
// expects a script to compile and finish.
#pragma once

#include <string>

#include "runtime/SysFunctionsTestSupport.h"

namespace fs::test {

class ClassLibrariesHost : public SysFunctionsHost {
public:
  ClassLibrariesHost();

  // Runs source, expects it to compile and finish; gives what it printed.
  std::string Printed(const std::string& source, const std::string& dialect = "PascalScript");
  // Runs source, expects it to compile; gives the run-time error ("" for none).
  std::string RunError(const std::string& source);
};

}  // namespace fs::test
