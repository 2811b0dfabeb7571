// FileNames: the parts of file names, as text. Both "\" and "/" are path delimiters
// (scripts write "\"; Windows takes either, POSIX paths use "/"), ":" ends a drive,
// and a name that starts with two delimiters starts with a network share
// ("\\server\share"). Routines that add a delimiter add the one they are given (the
// platform's own). Multi-byte characters of the process code page are kept whole.
#pragma once

#include <string_view>

#include "rtl/AnsiString.h"

namespace rtl {

// The delimiters that end a folder, and those that end a drive or folder.
inline constexpr std::string_view kPathDelimiters = "\\/";
inline constexpr std::string_view kDriveOrPathDelimiters = "\\/:";

// ExtractFilePath (up to and including the last delimiter) is in StringRoutines.
// The folder part without the trailing delimiter, unless that is the root ("C:\", "\").
AnsiString ExtractFileDir(std::string_view name);
// "C:" of "C:\dir", "\\server\share" of "\\server\share\dir"; empty otherwise.
AnsiString ExtractFileDrive(std::string_view name);
// The part after the last delimiter.
AnsiString ExtractFileName(std::string_view name);
// The extension with its dot; empty when the name part has none.
AnsiString ExtractFileExt(std::string_view name);
// The name with its extension replaced by extension (or extension appended).
AnsiString ChangeFileExt(std::string_view name, std::string_view extension);

// Whether the character at the 1-based index is a path delimiter.
bool IsPathDelimiter(std::string_view s, std::int64_t index);
// s with one delimiter at its end (an empty s becomes the delimiter alone).
AnsiString IncludeTrailingPathDelimiter(std::string_view s, char delimiter);
// s without one delimiter at its end.
AnsiString ExcludeTrailingPathDelimiter(std::string_view s);

// Raises EInOutError for a name that holds a NUL character: the system would read the
// name only up to the NUL and reach another file ("a"#0"b.txt" is "a"). Every file
// function that takes a name from a script checks it so.
void CheckFileName(std::string_view name);

// Names compared ignoring case by the code page: -1, 0 or 1.
int CompareFileNames(std::string_view a, std::string_view b);

// destName relative to the folder of baseName ("..\c\y.txt"), the folders compared
// ignoring case; destName itself when the two lie on different drives or shares.
AnsiString ExtractRelativePath(std::string_view baseName, std::string_view destName, char delimiter);

}  // namespace rtl
