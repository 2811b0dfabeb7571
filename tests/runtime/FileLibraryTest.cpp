// fs_File through scripts of all four dialects: writing, appending and reading whole
// files in a temporary folder with their limits and failures, and ExecuteFile starting
// a small program with parameters and a working folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/Modules.h"
#include "runtime/FunctionLibrariesTestSupport.h"

namespace fs {
namespace {

using FileLibraryTest = test::FunctionLibrariesFixture;

TEST_F(FileLibraryTest, WholeFilesWrittenAppendedAndRead) {
  test::TempFolder folder;
  const std::string w = folder.Literal("w.txt");
  ExpectAll({
      {("WriteFile(" + w + ", 'abc')").c_str(), "bool True"},
      {("AppendFile(" + w + ", 'def')").c_str(), "bool True"},
      {("ReadFile(" + w + ")").c_str(), "str 'abcdef'"},
      {("WriteFile(" + w + ", 'z')").c_str(), "bool True"},
      {("ReadFile(" + w + ")").c_str(), "str 'z'"},
      {("AppendFile(" + folder.Literal("new.txt") + ", 'x')").c_str(), "bool True"},
      // Nothing to write: nothing happens.
      {("WriteFile(" + folder.Literal("empty.txt") + ", '')").c_str(), "null"},
      {("AppendFile(" + w + ", '')").c_str(), "null"},
      {("FileExists(" + folder.Literal("empty.txt") + ")").c_str(), "bool False"},
      {("ReadFile(" + folder.Literal("missing.txt") + ")").c_str(), "str ''"},
      {("WriteFile(" + folder.Literal("no\\such\\folder\\x.txt") + ", 'a')").c_str(), "bool False"},
      {("AppendFile(" + folder.Literal("no\\such\\folder\\x.txt") + ", 'a')").c_str(), "bool False"},
      {"WriteFile(Missing, 'a')", "null"},
      {"ReadFile(Missing)", "null"},
  });
  EXPECT_EQ(test::FileContent(folder / "new.txt"), "xxxx");  // once per dialect
}

// A named pipe without a writer (or reader) would keep the call waiting for ever, and a
// device may never end: what is no regular file is refused before it is opened.
TEST_F(FileLibraryTest, WhatIsNoRegularFileIsRefused) {
  test::TempFolder folder;
  // Each name with its literal.
  std::vector<std::pair<std::string, std::string>> names = {{folder.Path(), folder.Literal()}};
#ifndef _WIN32
  const std::string fifo = folder / "fifo";
  ASSERT_EQ(std::system(("mkfifo '" + fifo + "'").c_str()), 0);
  names.push_back({fifo, folder.Literal("fifo")});
  names.push_back({"/dev/zero", "'/dev/zero'"});
#endif
  for (const auto& [name, quoted] : names) {
    ExpectAll({
        {("ReadFile(" + quoted + ")").c_str(), ("error: Cannot open file \"" + name + "\". Not a regular file").c_str()},
        {("WriteFile(" + quoted + ", 'a')").c_str(),
         ("error: Cannot create file \"" + name + "\". Not a regular file").c_str()},
        {("AppendFile(" + quoted + ", 'a')").c_str(),
         ("error: Cannot open file \"" + name + "\". Not a regular file").c_str()},
        {("FileAge(" + quoted + ")").c_str(), "int -1"},
    });
  }
}

TEST_F(FileLibraryTest, BytesGoThroughUnchanged) {
  test::TempFolder folder;
  const std::string out = FHost.Run("begin Show(WriteFile(" + folder.Literal("bin") +
                                    ", Chr(0) + Chr(13) + Chr(10) + Chr(255))); end.");
  EXPECT_EQ(out, "bool True\n");
  EXPECT_EQ(test::FileContent(folder / "bin"), std::string("\0\r\n\xFF", 4));
}

TEST_F(FileLibraryTest, FilesOverOneMebibyteAreNotRead) {
  test::TempFolder folder;
  test::WriteContent(folder / "limit.bin", std::string(1048576, 'a'));
  test::WriteContent(folder / "large.bin", std::string(2 * 1048576, 'a'));
  EXPECT_EQ(FHost.Eval("PascalScript", {"StrLength(ReadFile(" + folder.Literal("limit.bin") + "))",
                                        "ReadFile(" + folder.Literal("large.bin") + ")"}),
            (std::vector<std::string>{"int 1048576", "null"}));
}

std::string ProbeProgram() {
#ifdef _WIN32
  const char* name = "exec_probe.exe";
#else
  const char* name = "exec_probe";
#endif
  return platform::ExtractFilePath(platform::OwnModuleFileName()) + name;
}

// Waits for a file the started program writes.
bool AppearsWithin(const std::string& path, std::chrono::seconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!std::filesystem::exists(path)) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

TEST_F(FileLibraryTest, ExecuteFileStartsAProgramWithParametersAndFolder) {
  const std::string probe = ProbeProgram();
  ASSERT_TRUE(std::filesystem::exists(probe)) << probe;
  test::TempFolder folder;
  std::string probeLiteral = "'";
  for (char c : probe) probeLiteral += c == '\'' ? std::string("''") : std::string(1, c);
  probeLiteral += "'";
  int run = 0;
  for (const char* dialect : test::kDialects) {
    const std::string outName = "out " + std::to_string(++run) + ".txt";
    // The parameters as a command line: quotes group, blanks separate.
    const std::string call = "ExecuteFile(" + probeLiteral + ", Chr(34) + '" + outName +
                             "' + Chr(34) + ' ' + Chr(34) + 'two words' + Chr(34) + ' plain', " + folder.Literal() +
                             ", 0) > 32";
    EXPECT_EQ(FHost.Eval(dialect, {call}), std::vector<std::string>{"bool True"}) << dialect;
    ASSERT_TRUE(AppearsWithin(folder / outName, std::chrono::seconds(20))) << dialect;
    const std::string lines = test::FileContent(folder / outName);
    const std::string folderLine = lines.substr(0, lines.find('\n'));
    const std::string& path = folder.Path();
    EXPECT_EQ(folderLine, path.substr(0, path.size() - 1)) << dialect;  // without the trailing delimiter
    EXPECT_EQ(lines.substr(lines.find('\n') + 1), "two words\nplain\n") << dialect;
  }
}

#ifndef _WIN32
// The started program writes nothing into the host's output (where velmora-host writes
// its packets) nor its error stream.
TEST_F(FileLibraryTest, AStartedProgramDoesNotWriteIntoTheHostsOutput) {
  const std::string probe = ProbeProgram();
  ASSERT_TRUE(std::filesystem::exists(probe)) << probe;
  test::TempFolder folder;
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const std::vector<std::string> result =
      FHost.Eval("PascalScript", {"ExecuteFile('" + probe + "', 'done.txt', " + folder.Literal() + ", 0) > 32"});
  const bool appeared = AppearsWithin(folder / "done.txt", std::chrono::seconds(20));
  const std::string out = ::testing::internal::GetCapturedStdout();
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, std::vector<std::string>{"bool True"});
  ASSERT_TRUE(appeared);
  EXPECT_EQ(out.find("exec_probe"), std::string::npos) << out;
  EXPECT_EQ(err.find("exec_probe"), std::string::npos) << err;
}
#endif

TEST_F(FileLibraryTest, ExecuteFileWithoutAProgram) {
  test::TempFolder folder;
  ExpectAll({
      {"ExecuteFile('', '', '', 1)", "int 2"},
      {"ExecuteFile('', Missing, Missing, Missing)", "int 2"},
      {"ExecuteFile(Missing, '', '', 1)", "null"},
      {("ExecuteFile(" + folder.Literal("no-such-program") + ", '', '', 0)").c_str(), "int 2"},
  });
}

}  // namespace
}  // namespace fs
