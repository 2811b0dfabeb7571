// What the base library's file units need from the operating system beyond the
// standard streams: whether a file exists, replacing one file by another in one
// step, and open files read and written piece by piece (file streams). Declared here,
// supplied by the platform layer.
#pragma once

#include <cstdint>
#include <string>

namespace rtl::sys {

bool FileExists(const std::string& fileName);
// Whether the name stands for something that is no regular file (a folder, a pipe, a
// device), which FileOpen and FileCreate refuse.
bool IsOtherThanFile(const std::string& fileName);
// Renames source over dest (replacing it); false when the system refused.
bool ReplaceFile(const std::string& source, const std::string& dest);
bool RemoveFile(const std::string& fileName);

using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;
// Opens an existing file with a mode word: the access (0 read, 1 write, 2 both) in the
// low four bits, the sharing above (0 compatible, 0x10 exclusive, 0x20 deny write,
// 0x30 deny read, 0x40 deny none). kNoFile when that fails.
FileHandle FileOpen(const std::string& name, int mode);
// Creates a file for reading and writing (emptying one that exists), with the
// sharing of mode.
FileHandle FileCreate(const std::string& name, int mode);
// Bytes read or written; -1 on failure.
int FileRead(FileHandle file, void* buffer, int count);
int FileWrite(FileHandle file, const void* buffer, int count);
// Origin 0 from the start, 1 from the current position, 2 from the end; the new
// position, or -1 on failure.
std::int64_t FileSeek(FileHandle file, std::int64_t offset, int origin);
void FileClose(FileHandle file);

}  // namespace rtl::sys
