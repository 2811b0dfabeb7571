// TfsScript: the script component. For now it carries what the grammar parser reads
// and reports into: the source lines, the dialect, the include directories, the unit
// event and the last compile error; the program model grows it further.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace fs {

class TfsScript;

// Supplies the source of an included unit: (sender, unit name, unit text out).
using TfsGetUnitEvent = std::function<void(TfsScript* sender, const std::string& unitName, std::string& unitText)>;

class TfsScript {
public:
  TfsScript();
  virtual ~TfsScript() = default;
  TfsScript(const TfsScript&) = delete;
  TfsScript& operator=(const TfsScript&) = delete;

  std::vector<std::string>& Lines() { return FLines; }
  const std::vector<std::string>& Lines() const { return FLines; }
  void SetLines(const std::vector<std::string>& lines) { FLines = lines; }
  // The lines, each followed by a carriage return and a line feed.
  std::string LinesText() const;
  // Splits text into lines at CR LF, CR or LF (a trailing line end adds no line).
  void SetLinesText(const std::string& text);

  // Dialect used when compiling; "PascalScript" by default.
  const std::string& SyntaxType() const { return FSyntaxType; }
  void SetSyntaxType(const std::string& name) { FSyntaxType = name; }

  // Directories searched for included units; starts with one empty entry.
  std::vector<std::string>& IncludeDirs() { return FIncludeDirs; }
  const std::vector<std::string>& IncludeDirs() const { return FIncludeDirs; }

  // The last compile error: text, position "line:column", and the unit it is in
  // (empty for the main source).
  const std::string& LastErrorText() const { return FLastErrorText; }
  void SetLastErrorText(const std::string& s) { FLastErrorText = s; }
  const std::string& LastErrorPos() const { return FLastErrorPos; }
  void SetLastErrorPos(const std::string& s) { FLastErrorPos = s; }
  const std::string& LastErrorUnit() const { return FLastErrorUnit; }
  void SetLastErrorUnit(const std::string& s) { FLastErrorUnit = s; }

  TfsGetUnitEvent OnGetUnit;

private:
  std::vector<std::string> FLines;
  std::string FSyntaxType = "PascalScript";
  std::vector<std::string> FIncludeDirs{std::string()};
  std::string FLastErrorText, FLastErrorPos, FLastErrorUnit;
};

}  // namespace fs
