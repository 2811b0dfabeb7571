// TStrings: the abstract list of 8-bit lines, each with an associated object, and
// everything that works on any such list: text with line breaks, comma and delimited
// text with quoting, name=value lines, searching, moving, copying, files. Descendants
// supply storage (TStringList) by implementing Count, Get, Insert, Delete and Clear.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "rtl/AnsiString.h"
#include "rtl/Persistent.h"

namespace rtl {

class TStream;

class EStringListError : public Exception {
public:
  explicit EStringListError(std::string message) : Exception(std::move(message), "EStringListError") {}
};

class TStrings : public TPersistent {
  RTL_CLASS_INFO

public:
  TStrings() = default;

  // Storage, supplied by descendants. Index errors raise EStringListError
  // "List index out of bounds (%d)".
  virtual int Count() const = 0;
  virtual AnsiString Get(int index) const = 0;
  virtual void Put(int index, const AnsiString& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void Insert(int index, const AnsiString& s) = 0;
  virtual void InsertObject(int index, const AnsiString& s, TObject* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int Capacity() const { return Count(); }
  virtual void SetCapacity(int capacity) {}

  virtual int Add(const AnsiString& s);
  virtual int AddObject(const AnsiString& s, TObject* object);
  void Append(const AnsiString& s) { Add(s); }
  // Adds every line of strings with its object.
  virtual void AddStrings(const TStrings& strings);
  // From another TStrings: its lines, objects, delimiters and separator.
  void Assign(const TPersistent* source) override;
  // Same lines in the same order (exact comparison).
  bool Equals(const TStrings& other) const;
  virtual void Exchange(int index1, int index2);
  // Moves a line with its object to newIndex (both must be valid indexes).
  virtual void Move(int curIndex, int newIndex);

  virtual int IndexOf(std::string_view s) const;
  // Index of the first "name=..." line whose name matches; -1 when none.
  virtual int IndexOfName(std::string_view name) const;
  virtual int IndexOfObject(const TObject* object) const;

  // Change notifications are held back between BeginUpdate and the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const noexcept { return FUpdateCount; }

  AnsiString Strings(int index) const { return Get(index); }
  AnsiString operator[](int index) const { return Get(index); }
  void SetStrings(int index, const AnsiString& s) { Put(index, s); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  // Name=value lines: the part before the first separator ('' without one), the value
  // of the first line with that name ('' when there is none), and writing it (replaces
  // the line, appends one, or removes it when the value is empty).
  AnsiString Names(int index) const;
  AnsiString Values(std::string_view name) const;
  void SetValues(std::string_view name, std::string_view value);
  AnsiString ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, std::string_view value);

  // All lines, each followed by CR LF. Setting it splits at CR LF, LF or CR; a break
  // at the very end makes no further line.
  virtual AnsiString Text() const;
  virtual void SetText(std::string_view text);
  // Lines joined by ",", quoted with '"' when they hold blanks, control characters,
  // commas or quotes; a single empty line is '""'. Reading splits at commas and blanks
  // outside quotes.
  AnsiString CommaText() const;
  void SetCommaText(std::string_view text);
  // The same with Delimiter and QuoteChar; with StrictDelimiter only the delimiter
  // separates and blanks are kept.
  AnsiString DelimitedText() const;
  void SetDelimitedText(std::string_view text);

  char Delimiter() const noexcept { return FDelimiter; }
  void SetDelimiter(char c) noexcept { FDelimiter = c; }
  char QuoteChar() const noexcept { return FQuoteChar; }
  void SetQuoteChar(char c) noexcept { FQuoteChar = c; }
  char NameValueSeparator() const noexcept { return FNameValueSeparator; }
  void SetNameValueSeparator(char c) noexcept { FNameValueSeparator = c; }
  bool StrictDelimiter() const noexcept { return FStrictDelimiter; }
  void SetStrictDelimiter(bool value) noexcept { FStrictDelimiter = value; }

  // The file's bytes as Text, unchanged (EFOpenError "Cannot open file "%s"" when it
  // cannot be read); Text written to a file (EFCreateError "Cannot create file "%s"").
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName) const;
  // The stream's bytes from its position to its end as Text; Text written at the
  // stream's position.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;

  // Raises EStringListError with the message, %d replaced by data.
  [[noreturn]] static void Error(const char* message, int data = 0);

protected:
  // Called with True when the first BeginUpdate starts and with False when the last
  // EndUpdate ends an update.
  virtual void SetUpdateState(bool updating) {}
  // Order of two lines for searching and sorting; TStrings ignores case.
  virtual int CompareStrings(std::string_view a, std::string_view b) const;

  // Comparisons by the process code page: ignoring case (letters folded to upper
  // case), and exact byte order.
  static int CompareIgnoringCase(std::string_view a, std::string_view b) noexcept;
  static int CompareExact(std::string_view a, std::string_view b) noexcept;

  void CheckIndex(int index) const {
    if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
  }

private:
  AnsiString JoinDelimited(char delimiter, char quote, bool strict) const;
  void SplitDelimited(std::string_view text, char delimiter, char quote, bool strict);

  int FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
  char FNameValueSeparator = '=';
  bool FStrictDelimiter = false;
};

// Holds a list's updates back for a scope. A change handler that raises at the end
// of the scope passes its exception on, unless another one is already on its way.
class TStringsUpdate {
public:
  explicit TStringsUpdate(TStrings& strings) : FStrings(strings), FExceptions(std::uncaught_exceptions()) {
    FStrings.BeginUpdate();
  }
  ~TStringsUpdate() noexcept(false) {
    if (std::uncaught_exceptions() > FExceptions) {
      try {
        FStrings.EndUpdate();
      } catch (...) {
      }
    } else {
      FStrings.EndUpdate();
    }
  }
  TStringsUpdate(const TStringsUpdate&) = delete;
  TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
  TStrings& FStrings;
  int FExceptions;
};

}  // namespace rtl
