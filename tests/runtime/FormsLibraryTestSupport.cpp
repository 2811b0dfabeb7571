#include "runtime/FormsLibraryTestSupport.h"

#include "runtime/fsClassesRTTI.h"
#include "runtime/fsDialogsRTTI.h"
#include "runtime/fsFormsRTTI.h"
#include "runtime/fsGraphicsRTTI.h"

namespace fs::test {

ClassLibrariesHost::ClassLibrariesHost() {
  TfsScript& r = Registry();
  r.AddName(std::string(), new TfsClassesRTTI(&r));
  r.AddName(std::string(), new TfsGraphicsRTTI(&r));
  r.AddName(std::string(), new TfsFormsRTTI(&r));
  r.AddName(std::string(), new TfsDialogsRTTI(&r));
}

std::string ClassLibrariesHost::Printed(const std::string& source, const std::string& dialect) {
  RunOutcome out = Run(source, dialect);
  EXPECT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  return out.Output;
}

std::string ClassLibrariesHost::RunError(const std::string& source) {
  RunOutcome out = Run(source);
  EXPECT_TRUE(out.Compiled) << out.CompileError;
  return out.RunError;
}

}  // namespace fs::test
