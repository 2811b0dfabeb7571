// How the test command compares what a run printed with a case's expected files: the
// first difference, told so that a user finds it (packet, row and variable; or file and
// line). Each returns an empty text when the two are the same; line ends may be LF or
// CR LF on either side.
#pragma once

#include <string>
#include <vector>

// Packets, one JSON line each: {"result":N,"rows":[{...}, ...]}.
std::string PacketDifference(const std::string& expected, const std::string& actual);
// JSON lines of objects (events, host callback calls), named after their file.
std::string JsonLinesDifference(const std::string& file, const std::string& expected, const std::string& actual);
// Text lines (the log), named after their file.
std::string TextDifference(const std::string& file, const std::string& expected, const std::string& actual);
// The lines that differ between two texts, in order: "- line" for one only the expected
// text has, "+ line" for one only the actual text has (the fewest such lines, common
// lines left out). At most maxLines; one more line then tells how many were left out.
std::vector<std::string> DifferingLines(const std::string& expected, const std::string& actual, std::size_t maxLines);
// The lines of a text without their line ends.
std::vector<std::string> Lines(const std::string& text);
