// The files a user hands the host: scripts, packet files and expectations. Only regular
// files are read (a folder or a device is refused with its reason), a script has a
// size limit, and an input line has one too, so that no file makes the host run out of
// memory.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

constexpr std::size_t kMaxScriptBytes = 16u << 20;
constexpr std::size_t kMaxInputLineBytes = 64u << 20;

// False with a one-line reason ("'x' is a folder", "cannot read 'x': ...") unless
// path names a regular file that can be opened.
bool CheckRegularFile(const std::string& path, std::string& error);

// The whole file, at most maxBytes of it; a longer file is refused.
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& error);

// A script file as the library reads script text: UTF-8 (a byte-order mark skipped)
// when it is valid UTF-8, otherwise text in the process code page, which is kept.
bool ReadScriptFile(const std::string& path, std::string& text, std::string& error);

// One line without its line end ("\n" or "\r\n"). False at the end of the input.
// A line longer than kMaxInputLineBytes is read to its end and returned empty with
// tooLong set.
bool ReadInputLine(std::istream& in, std::string& line, bool& tooLong);
