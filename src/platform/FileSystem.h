// The file system as the function libraries of scripts reach it: attributes and time
// stamps of files, folders, renaming, the current folder, full, short and network
// names, free disk space, and whole files read and written at once.
//
// Names are taken as this system's calls take them; NativePath turns a name as scripts
// write it into one. Scripts write file names with the backslash as path delimiter,
// so on POSIX every backslash becomes "/", and POSIX paths written with "/" pass as
// they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

std::string NativePath(std::string_view name);

// Attribute bits as scripts see them (Windows numbering). POSIX: a folder; read-only
// when the owner may not write; hidden when the name starts with "."; archive for
// every other file; a symbolic link.
enum : std::int32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faDirectory = 0x10,
  faArchive = 0x20,
  faSymLink = 0x400,
};

// The attribute bits; -1 when the name cannot be read.
std::int32_t FileAttributes(const std::string& name);
bool FolderExists(const std::string& name);
// One folder (its parent must exist); false when it could not be made.
bool CreateFolder(const std::string& name);
// An empty folder; false when it could not be removed.
bool RemoveFolder(const std::string& name);
// A file or folder under a new name; false when newName exists already or the system
// refused.
bool RenameFileOrFolder(const std::string& oldName, const std::string& newName);

// A moment of the local clock, to the second.
struct LocalStamp {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};
// The time of the last change of a file, by name or by the handle of an open file
// (Windows: a file handle; POSIX: a file descriptor); false when it cannot be read or
// the name is no regular file.
bool FileModified(const std::string& name, LocalStamp& stamp);
bool OpenFileModified(std::intptr_t handle, LocalStamp& stamp);

// The process's current folder, without a trailing delimiter (except for a root).
std::string CurrentFolder();
// The name made absolute against the current folder, with "." and ".." resolved;
// empty when it cannot be.
std::string FullPathName(const std::string& name);
// Windows: the short (8.3) name of an existing file. POSIX: no short names, so the
// name itself when the file exists. Empty when there is none.
std::string ShortPathName(const std::string& name);
// The full name with a mapped network drive replaced by its network path
// ("\\server\share\..."); other names as FullPathName gives them.
std::string UniversalName(const std::string& name);

// Free bytes (for the caller) and the size of a drive: 0 is the current drive, 1 is A,
// 2 is B and so on. POSIX has no drives: 0 is the file system of the current folder,
// and every other number is none. False for a drive that does not exist.
bool DiskSpace(int drive, std::int64_t& freeBytes, std::int64_t& totalBytes);

// NotAFile: the name stands for something other than a regular file (Files.h),
// refused before it was opened.
enum class WholeFile { Ok, TooLarge, Failed, NotAFile };
// The whole content of a file of at most maxSize bytes.
WholeFile ReadWholeFile(const std::string& name, std::size_t maxSize, std::string& content);
// Writes data to a file, created when missing: replacing its content, or at its end.
WholeFile WriteWholeFile(const std::string& name, std::string_view data, bool append);

}  // namespace platform
