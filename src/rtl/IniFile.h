// TIniFile: a settings file of "[section]" headers and "key=value" lines, read whole
// into memory, changed there and written back in one step. Section and key names
// ignore case as the system's own INI functions do; values are kept byte for byte
// (only the blanks around them are trimmed). Lines may be of any length; a line that
// is neither a header nor a key line is kept as it stands but never read, so a
// damaged file yields what can be read and loses nothing on rewriting. Writing goes
// to a temporary file that then replaces the old one, so another reader never sees a
// half-written file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rtl/Exceptions.h"

namespace rtl {

class EIniFileError : public Exception {
public:
  explicit EIniFileError(std::string message) : Exception(std::move(message), "EIniFileError") {}
};

class TIniFile {
public:
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const noexcept { return FFileName; }

  // Reads the file. A missing file reads as an empty one; false when the file exists
  // but cannot be read (the content is then empty, and UpdateFile refuses to write so
  // that the unread file is not overwritten).
  bool Load();
  // The content as text (lines ended by CR LF), and replacing it.
  std::string Text() const;
  void SetText(std::string_view text);

  // The value of the first key of that name in the first section of that name.
  bool ReadString(std::string_view section, std::string_view key, std::string& value) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  bool SectionExists(std::string_view section) const;
  std::vector<std::string> ReadSections() const;
  std::vector<std::string> ReadSectionKeys(std::string_view section) const;

  // Sets a value, adding the key (and the section) when missing. Names and values
  // that a file line cannot hold raise EIniFileError: line breaks anywhere, a key
  // with "=" or beginning with "[" or ";", a section with "]", an empty key.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // True when the key was there.
  bool DeleteKey(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);

  bool Modified() const noexcept { return FModified; }
  // Writes the content to a temporary file beside the file and renames it over the
  // file. False when that failed (the file is then as it was).
  bool UpdateFile();

private:
  struct TLine {
    std::string Text;  // the line as in the file (rebuilt when a key line changes)
    std::string Key;   // key lines: the trimmed name
    std::string Value; // key lines: the trimmed value
    bool IsKey = false;
  };
  struct TSection {
    std::string Header;
    std::string Name;
    std::vector<TLine> Lines;
  };

  const TSection* FindSection(std::string_view name) const;
  TSection* FindSection(std::string_view name);
  static const TLine* FindKey(const TSection& section, std::string_view key);

  std::string FFileName;
  bool FBom = false;
  bool FReadFailed = false;
  bool FModified = false;
  std::vector<TLine> FPreamble;  // lines before the first header
  std::vector<TSection> FSections;
};

}  // namespace rtl
