#include "runtime/fsFile.h"

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "rtl/FileNames.h"
#include "rtl/Exceptions.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::Variant;
using Args = TfsLibraryArgs;

// ReadFile's limit: larger files are not read.
constexpr std::size_t kMaxReadSize = 1048576;
constexpr std::int32_t kShowNormal = 1;

std::string SystemName(const AnsiString& name) {
  rtl::CheckFileName(name.view());
  return platform::NativePath(name.view());
}

// Only AFile is required; the other arguments may be empty. An empty file name runs
// nothing.
Variant ExecuteFile(Args& a) {
  const AnsiString file = a.IsEmpty(0) ? AnsiString() : a.Str(0);
  if (file.IsEmpty()) return Variant(platform::seFileNotFound);
  const std::string parameters = a.IsEmpty(1) ? std::string() : a.Str(1).str();
  const std::string folder = a.IsEmpty(2) ? std::string() : SystemName(a.Str(2));
  const std::int32_t show = a.IsEmpty(3) ? kShowNormal : a.Int(3);
  return Variant(platform::ShellOpen(SystemName(file), parameters, folder, show));
}

// A name that stands for a folder, a pipe or a device is not read or written: that
// is the script's mistake, told in words, where a missing file is only a failure.
[[noreturn]] void NotAFile(const char* what, const char* className, const AnsiString& name) {
  throw rtl::Exception(std::string(what) + " \"" + name.str() + "\". Not a regular file", className);
}

// Nothing to write: nothing happens and the call yields null.
template <bool Append>
Variant WriteData(Args& a) {
  const AnsiString data = a.Str(1);
  if (data.IsEmpty()) return Variant::Null();
  const AnsiString name = a.Str(0);
  const platform::WholeFile result = platform::WriteWholeFile(SystemName(name), data.view(), Append);
  if (result == platform::WholeFile::NotAFile)
    NotAFile(Append ? "Cannot open file" : "Cannot create file", Append ? "EFOpenError" : "EFCreateError", name);
  return Variant(result == platform::WholeFile::Ok);
}

Variant ReadFile(Args& a) {
  const AnsiString name = a.Str(0);
  std::string content;
  switch (platform::ReadWholeFile(SystemName(name), kMaxReadSize, content)) {
    case platform::WholeFile::Ok: return Variant(AnsiString(content));
    case platform::WholeFile::TooLarge: return Variant::Null();
    case platform::WholeFile::NotAFile: NotAFile("Cannot open file", "EFOpenError", name);
    default: return Variant(AnsiString());
  }
}

const TfsLibraryEntry kFile[] = {
    {"function ExecuteFile(const AFile, AParameters, ADirectory: string; AShowCommand: integer): integer", &ExecuteFile,
     1},
    {"function AppendFile(const AFile, AData: string): boolean", &WriteData<true>},
    {"function WriteFile(const AFile, AData: string): boolean", &WriteData<false>},
    {"function ReadFile(const AFile: string): string", &ReadFile},
};

const TfsRTTIModuleClass kFileClass{"fs_File", moFile, &NewRTTIModule<TfsFile>};
TfsRuntimeModuleRegistration gFileRegistration(kFileClass);

}  // namespace

TfsFile::TfsFile(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  RegisterLibrary(registry, Category, kFile);
}

}  // namespace fs
