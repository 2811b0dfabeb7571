// Files as the operating system keeps them: whether one exists, replacing one by
// another in a single step, removing one, the folder for temporary files, and files
// opened to be read and written piece by piece (what file streams work on).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Whether a file (not a folder) of that name exists.
bool FileExists(const std::string& fileName);
// Renames source over dest, replacing dest when it exists, so that readers see either
// the old or the new file and never a part of one. False when the system refused.
bool ReplaceFile(const std::string& source, const std::string& dest);
// Removes a file; false when it could not be removed (or did not exist).
bool RemoveFile(const std::string& fileName);
// The folder for temporary files, with a trailing path separator.
std::string TempFolder();

// An open file: Windows, a file handle; POSIX, a file descriptor. kNoFile is none.
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

enum class FileAccess { Read, Write, ReadWrite };
// What other openers of the same file may do meanwhile. Compatible is exclusive, as
// it has always been on Windows. POSIX has no sharing modes: Compatible, Exclusive and
// DenyRead take an exclusive lock on the file, DenyWrite and DenyNone a shared one, so
// an exclusive opener keeps out every other file stream (of this process or another)
// and is kept out by any, as on Windows; what the shared modes refuse by access is
// not modelled.
enum class FileShare { Compatible, Exclusive, DenyWrite, DenyRead, DenyNone };

// What a name stands for. Files are read and written only when they are regular
// files (on Windows, disk files): a folder, a named pipe or a device could block a
// reader or writer for ever or never end.
enum class FileKind { Missing, Regular, Folder, Other };
FileKind KindOfFile(const std::string& name);

// Opens an existing file, or with create makes it (emptying one that exists);
// kNoFile when that fails, the sharing is refused or the name is no regular file
// (checked before the file is opened, and again on what was opened, without waiting).
FileHandle FileOpen(const std::string& name, FileAccess access, FileShare share, bool create);
// Bytes read or written (fewer at the end of the file); -1 on failure.
int FileRead(FileHandle file, void* buffer, int count);
int FileWrite(FileHandle file, const void* buffer, int count);
// Moves the file position: origin 0 from the start, 1 from the current position, 2
// from the end. The new position, or -1 on failure.
std::int64_t FileSeek(FileHandle file, std::int64_t offset, int origin);
void FileClose(FileHandle file);

}  // namespace platform
