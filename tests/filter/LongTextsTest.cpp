// Texts of any length that a script logs, raises or sends with an event: log lines and
// messages are cut after a few kilobytes and marked with an ellipsis, so reporting
// needs little memory; a row that sends a huge event value still passes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/FilterTestSupport.h"
#include "rtl/BoundedText.h"

namespace filtertest {
namespace {

rtl::Variant Int(std::int32_t v) { return rtl::Variant(v); }

// The log's lines without their CR LF.
std::vector<std::string> LogLines(const std::string& log) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < log.size();) {
    const std::size_t end = log.find("\r\n", at);
    lines.push_back(log.substr(at, end - at));
    at = end == std::string::npos ? log.size() : end + 2;
  }
  return lines;
}

TEST(LongTexts, AreCutAndMarkedInTheLog) {
  Configuration cfg(2401,
                    "var s: string;\n"
                    "begin\n"
                    "  s := DupeString('x', 100000);\n"
                    "  if GetVariable('A') = 1 then DbgLog(s, 2);\n"
                    "  if GetVariable('A') = 2 then RaiseException(s);\n"
                    "  if GetVariable('A') = 3 then SendEventEx('E', ['v', DupeString('y', 100000)]);\n"
                    "  SetVariable('B', 1);\n"
                    "end.");
  auto packet = Packet({{{"A", Int(1)}}, {{"A", Int(2)}}, {{"A", Int(3)}}});
  std::vector<std::string> rows;
  EXPECT_EQ(cfg.Process(*packet, rows), 0);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1,B=1", "A=3,B=1"}));
  const std::string ellipsis = "\x85";  // the ellipsis in code page 1252
  const std::vector<std::string> lines = LogLines(cfg.TakeLog());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "\x03Velmora. " + std::string(rtl::kMaxMessageLength, 'x') + ellipsis);
  const std::string failed = "Unable to execute \"PascalScript\" script: ";
  EXPECT_EQ(lines[2], "\x01Velmora. " + failed + std::string(rtl::kMaxMessageLength - failed.size(), 'x') + ellipsis);
}

#ifndef _WIN32
// Where no message box can be shown, ShowMessage is a log line, bounded like DbgLog's.
TEST(LongTexts, ShowMessageWithoutADisplayIsACutLogLine) {
  Configuration cfg(2402, "begin ShowMessage(DupeString('m', 5000000)); end.");
  auto packet = Packet({{{"A", Int(1)}}});
  std::vector<std::string> rows;
  EXPECT_EQ(cfg.Process(*packet, rows), 0);
  const std::vector<std::string> lines = LogLines(cfg.TakeLog());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "\x03Velmora. " + std::string(rtl::kMaxMessageLength, 'm') + "\x85");
}
#endif

}  // namespace
}  // namespace filtertest
