// fs_SysUtils on file names and the file system: the name routines on drive, network
// share, relative and POSIX paths from scripts of all four dialects; the file-system
// functions against a temporary folder, with names that use the backslash (which
// POSIX reads as "/"); the current folder, disk space, the environment, the command
// line, locale queries and the system's error texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/SystemErrors.h"
#include "runtime/FunctionLibrariesTestSupport.h"

namespace fs {
namespace {

using SysUtilsFileTest = test::FunctionLibrariesFixture;

// The delimiter the routines that add one write.
#ifdef _WIN32
#define DELIM "\\"
#else
#define DELIM "/"
#endif

TEST_F(SysUtilsFileTest, PartsOfFileNames) {
  ExpectAll({
      {"ExtractFilePath('C:\\dir\\file.txt')", "str 'C:\\dir\\'"},
      {"ExtractFileDir('C:\\dir\\file.txt')", "str 'C:\\dir'"},
      {"ExtractFileDir('C:\\file.txt')", "str 'C:\\'"},
      {"ExtractFileDir('\\file.txt')", "str '\\'"},
      {"ExtractFileDir('file.txt')", "str ''"},
      {"ExtractFileDrive('C:\\dir\\file.txt')", "str 'C:'"},
      {"ExtractFileDrive('\\\\server\\share\\dir\\f.txt')", "str '\\\\server\\share'"},
      {"ExtractFileDrive('\\\\server\\share')", "str '\\\\server\\share'"},
      {"ExtractFileDrive('dir\\file.txt')", "str ''"},
      {"ExtractFileName('C:\\dir\\file.txt')", "str 'file.txt'"},
      {"ExtractFileName('C:file.txt')", "str 'file.txt'"},
      {"ExtractFileExt('C:\\dir\\file.tar.gz')", "str '.gz'"},
      {"ExtractFileExt('C:\\dir.d\\file')", "str ''"},
      {"ChangeFileExt('C:\\dir\\file.txt', '.bak')", "str 'C:\\dir\\file.bak'"},
      {"ChangeFileExt('C:\\dir.d\\file', '.bak')", "str 'C:\\dir.d\\file.bak'"},
      {"ChangeFileExt('a.txt', '')", "str 'a'"},
      // "/" is a delimiter too.
      {"ExtractFilePath('/tmp/a.txt')", "str '/tmp/'"},
      {"ExtractFileDir('/tmp/a.txt')", "str '/tmp'"},
      {"ExtractFileName('/tmp/a.txt')", "str 'a.txt'"},
      {"ExtractFileDrive('//server/share/a')", "str '//server/share'"},
      {"IsPathDelimiter('C:\\dir', 3)", "bool True"},
      {"IsPathDelimiter('a/b', 2)", "bool True"},
      {"IsPathDelimiter('abc', 2)", "bool False"},
      {"IncludeTrailingPathDelimiter('C:\\dir')", "str 'C:\\dir" DELIM "'"},
      {"IncludeTrailingBackslash('C:\\dir\\')", "str 'C:\\dir\\'"},
      {"IncludeTrailingPathDelimiter('/tmp/')", "str '/tmp/'"},
      {"ExcludeTrailingPathDelimiter('C:\\dir\\')", "str 'C:\\dir'"},
      {"ExcludeTrailingBackslash('C:\\dir')", "str 'C:\\dir'"},
      {"ExcludeTrailingPathDelimiter('/tmp/')", "str '/tmp'"},
      {"AnsiCompareFileName('C:\\A.TXT', 'c:\\a.txt')", "int 0"},
      {"AnsiCompareFileName('a', 'b')", "int -1"},
      {"SameFileName('C:\\' + Chr(196), 'c:\\' + Chr(228))", "bool True"},
      {"AnsiLowerCaseFileName('C:\\' + Chr(196) + 'B')", "str 'c:\\\xE4" "b'"},
      {"AnsiUpperCaseFileName('c:\\' + Chr(228) + 'b')", "str 'C:\\\xC4" "B'"},
  });
}

TEST_F(SysUtilsFileTest, RelativePaths) {
  ExpectAll({
      {"ExtractRelativePath('C:\\a\\b\\x.txt', 'C:\\a\\c\\y.txt')", "str '.." DELIM "c" DELIM "y.txt'"},
      {"ExtractRelativePath('C:\\a\\b\\x.txt', 'C:\\a\\b\\y.txt')", "str 'y.txt'"},
      {"ExtractRelativePath('c:\\A\\x.txt', 'C:\\a\\sub\\y.txt')", "str 'sub" DELIM "y.txt'"},
      {"ExtractRelativePath('C:\\a\\b\\c\\x.txt', 'C:\\y.txt')", "str '.." DELIM ".." DELIM ".." DELIM "y.txt'"},
      {"ExtractRelativePath('C:\\a\\x.txt', 'D:\\a\\y.txt')", "str 'D:\\a\\y.txt'"},
      {"ExtractRelativePath('\\\\srv\\share\\a\\x', '\\\\srv\\share\\b\\y')", "str '.." DELIM "b" DELIM "y'"},
      {"ExtractRelativePath('/home/u/x', '/home/v/y')", "str '.." DELIM "v" DELIM "y'"},
      {"ExtractRelativePath('dir\\x', 'dir\\sub\\y')", "str 'sub" DELIM "y'"},
  });
}

TEST_F(SysUtilsFileTest, TheFileSystemThroughATemporaryFolder) {
  test::TempFolder folder;
  std::filesystem::create_directories(folder / "pre");
  test::WriteContent(folder / "pre/a.txt", "hello");
  test::WriteContent(folder / "pre/c.txt", "x");
  const std::string out = FHost.Run(
      "var f: String;\n"
      "begin\n"
      "  f := " + folder.Literal() + ";\n" + R"(
  Show(DirectoryExists(f));
  Show(ForceDirectories(f + 'sub\inner'));
  Show(DirectoryExists(f + 'sub\inner'));
  Show(FileExists(f + 'sub\inner'));
  Show(CreateDir(f + 'made'));
  Show(CreateDir(f + 'made'));
  Show(CreateDir(f + 'no\such\parent'));
  Show(RemoveDir(f + 'made'));
  Show(DirectoryExists(f + 'made'));
  Show(FileExists(f + 'pre\a.txt'));
  Show((FileGetAttr(f + 'pre\a.txt') and 16) = 0);
  Show((FileGetAttr(f + 'pre') and 16) = 16);
  Show(FileGetAttr(f + 'missing'));
  Show(FileIsReadOnly(f + 'pre\a.txt'));
  Show(RenameFile(f + 'pre\a.txt', f + 'pre\b.txt'));
  Show(FileExists(f + 'pre\a.txt'));
  Show(RenameFile(f + 'pre\b.txt', f + 'pre\c.txt'));
  Show(FileAge(f + 'pre\b.txt') > 0);
  Show(Abs(FileDateToDateTime(FileAge(f + 'pre\b.txt')) - Now) < 1);
  Show(FileAge(f + 'missing'));
  Show(FileAge(f + 'pre'));
  Show(DeleteFile(f + 'pre\b.txt'));
  Show(DeleteFile(f + 'pre\b.txt'));
  Show(RemoveDir(f + 'pre'));
  Show(ExtractShortPathName(f + 'missing'));
  Show(ExtractShortPathName(f + 'pre') <> '');
end.)");
  EXPECT_EQ(out,
            "bool True\nbool True\nbool True\nbool False\nbool True\nbool False\nbool False\nbool True\n"
            "bool False\nbool True\nbool True\nbool True\nint -1\nbool False\nbool True\nbool False\n"
            "bool False\nbool True\nbool True\nint -1\nint -1\nbool True\nbool False\nbool False\nstr ''\n"
            "bool True\n");
  // The renaming that would have replaced a file left it alone.
  EXPECT_EQ(test::FileContent(folder / "pre/c.txt"), "x");
  EXPECT_FALSE(std::filesystem::exists(folder / "pre/b.txt"));
}

// The system reads a name only up to a NUL: "a"#0"b.txt" would reach "a". Every
// function that takes a file name refuses such a name and leaves "a" alone.
TEST_F(SysUtilsFileTest, NamesHoldingANulAreRefused) {
  test::TempFolder folder;
  test::WriteContent(folder / "a", "keep");
  const std::string name = folder.Literal("a") + "#0'b.txt'";
  for (const std::string& call :
       {"DeleteFile(" + name + ")", "FileExists(" + name + ")", "FileGetAttr(" + name + ")",
        "RenameFile(" + name + ", " + folder.Literal("c") + ")", "RenameFile(" + folder.Literal("a") + ", " + name + ")",
        "FileAge(" + name + ")", "ReadFile(" + name + ")", "WriteFile(" + name + ", 'x')",
        "AppendFile(" + name + ", 'x')"}) {
    const std::string out = FHost.Eval(call);
    EXPECT_EQ(out.rfind("error: Invalid file name \"", 0), 0u) << call << ": " << out;
    EXPECT_NE(out.find("a#0b.txt\""), std::string::npos) << call << ": " << out;
  }
  EXPECT_EQ(test::FileContent(folder / "a"), "keep");
  EXPECT_FALSE(std::filesystem::exists(folder / "c"));
}

TEST_F(SysUtilsFileTest, ReadOnlyFiles) {
  test::TempFolder folder;
  const std::string file = folder / "locked.txt";
  test::WriteContent(file, "x");
  namespace fsys = std::filesystem;
  fsys::permissions(file, fsys::perms::owner_write | fsys::perms::group_write | fsys::perms::others_write,
                    fsys::perm_options::remove);
  const std::vector<std::string> lines =
      FHost.Eval("PascalScript", {"FileIsReadOnly(" + folder.Literal("locked.txt") + ")",
                                  "FileGetAttr(" + folder.Literal("locked.txt") + ") and 1"});
  fsys::permissions(file, fsys::perms::owner_write, fsys::perm_options::add);
  EXPECT_EQ(lines, (std::vector<std::string>{"bool True", "int 1"}));
}

TEST_F(SysUtilsFileTest, ExpandingNamesAgainstTheCurrentFolder) {
  test::TempFolder folder;
  std::filesystem::create_directories(folder / "sub");
  const std::string current = std::filesystem::current_path().string();
  const std::vector<std::string> lines = FHost.Eval(
      "PascalScript", {"GetCurrentDir", "ExpandFileName('x.txt')", "ExpandFileName('a\\..\\b.txt')",
                       "ExpandUNCFileName('x.txt')", "ExpandFileName(" + folder.Literal("sub\\.\\inner\\..\\x") + ")",
                       "ExpandFileName('')"});
  EXPECT_EQ(lines, (std::vector<std::string>{"str '" + current + "'", "str '" + current + DELIM "x.txt'",
                                             "str '" + current + DELIM "b.txt'", "str '" + current + DELIM "x.txt'",
                                             "str '" + folder.Path() + "sub" DELIM "x'", "str ''"}));
}

TEST_F(SysUtilsFileTest, DiskSpace) {
  ExpectAll({
      {"DiskFree(0) > 0", "bool True"},
      {"DiskSize(0) >= DiskFree(0)", "bool True"},
      {"DiskFree(27)", "int64 -1"},
      {"DiskSize(27)", "int64 -1"},
  });
}

TEST_F(SysUtilsFileTest, EnvironmentAndCommandLine) {
  ASSERT_TRUE(platform::SetEnvVariable("VELMORA_LIBRARY_TEST", "value 1"));
  ExpectAll({
      {"GetEnvironmentVariable('VELMORA_LIBRARY_TEST')", "str 'value 1'"},
      {"GetEnvironmentVariable('VELMORA_NO_SUCH_VARIABLE')", "str ''"},
      {"FindCmdLineSwitch('no-such-switch')", "bool False"},
      {"FindCmdLineSwitch2('no-such-switch', False)", "bool False"},
  });
  platform::SetEnvVariable("VELMORA_LIBRARY_TEST", "");
  // A switch this test program was started with, when it has one (gtest's filter).
  for (const std::string& arg : platform::CommandLineParameters()) {
    if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/') || arg.find_first_of("'\"\\") != std::string::npos) continue;
    std::string name = arg.substr(1), upper;
    for (char c : name) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    const bool hasLower = upper != name;
    EXPECT_EQ(FHost.Eval("PascalScript", {"FindCmdLineSwitch('" + upper + "')", "FindCmdLineSwitch2('" + name +
                                          "', False)", "FindCmdLineSwitch2('" + upper + "', False)"}),
              (std::vector<std::string>{"bool True", "bool True", hasLower ? "bool False" : "bool True"}))
        << arg;
    break;
  }
}

TEST_F(SysUtilsFileTest, LocaleQueries) {
  // LOCALE_USER_DEFAULT: decimal and thousands separators, the first month's name; an
  // unknown locale or information type gives the default.
  ExpectAll({
      {"GetLocaleStr(1024, 14, '?')", "str '.'"},
      {"GetLocaleStr(1024, 56, '?')", "str 'January'"},
      {"GetLocaleStr(1024, 42, '?')", "str 'Monday'"},
      {"GetLocaleStr(12345, 14, 'none')", "str 'none'"},
      {"GetLocaleStr(1024, 99999, 'none')", "str 'none'"},
      {"GetLocaleChar(1024, 15, '?')", "str ','"},
      {"GetLocaleChar(12345, 15, '?')", "str '?'"},
  });
}

TEST_F(SysUtilsFileTest, SystemErrorsAndWin32Check) {
  const std::string notFound = platform::SystemErrorMessage(2);
  ASSERT_FALSE(notFound.empty());
#ifndef _WIN32
  EXPECT_EQ(notFound, "No such file or directory");
#endif
  EXPECT_EQ(FHost.Eval("SysErrorMessage(2)"), "str '" + notFound + "'");
  // The type BOOL is registered by nothing, so only a variant passes the check.
  const std::string out = FHost.Run(R"(
var v: Variant;
begin
  v := 5; Show(Win32Check(v));
  v := True; Show(Win32Check(v));
  DeleteFile('velmora-no-such-file.txt');
  v := 0; Show(Win32Check(v));
end.)");
  EXPECT_EQ(out, "int 5\nbool True\nerror: " + notFound + "\n");
  const std::string literal = FHost.Run("begin Show(Win32Check(1)); end.");
  EXPECT_NE(literal.find("Incompatible types"), std::string::npos) << literal;
}

}  // namespace
}  // namespace fs
