#include "rtl/Strings.h"

#include <fstream>
#include <iterator>

#include "rtl/CodePage.h"
#include "rtl/FileNames.h"
#include "rtl/ObjectLinks.h"
#include "rtl/Stream.h"
#include "rtl/TextSearch.h"

namespace rtl {

namespace {

[[maybe_unused]] const TClassInfo& kRegistered = TStrings::StaticClassInfo();

// The entries' objects, held (a list that owns them says so at its own level).
const TObjectLinksRegistration kLinks(TStrings::StaticClassInfo(), [](const TObject& object, TObjectLinks& links) {
  const auto& strings = static_cast<const TStrings&>(object);
  const int n = strings.Count();
  for (int i = 0; i < n; ++i)
    if (TObject* o = strings.Objects(i)) links.Holds(o, false);
});

bool IsBlank(char c) noexcept { return static_cast<unsigned char>(c) <= ' '; }

// A quoted string starting at text[i] (the opening quote); doubled quotes stand for one.
// Leaves i after the closing quote (or at the end when there is none).
std::string ExtractQuoted(std::string_view text, std::size_t& i, char quote) {
  std::string r;
  ++i;
  while (i < text.size()) {
    char c = text[i];
    if (c == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        r += quote;
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    r += c;
    ++i;
  }
  return r;
}

}  // namespace

const TClassInfo& TStrings::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClassInfo());
  return info;
}

void TStrings::Error(const char* message, int data) {
  std::string text(message);
  auto at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(data));
  throw EStringListError(std::move(text));
}

// Storage defaults ------------------------------------------------------------------

void TStrings::Put(int index, const AnsiString& s) {
  TStringsUpdate update(*this);
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int index) const { return nullptr; }

void TStrings::PutObject(int index, TObject* object) {}

void TStrings::InsertObject(int index, const AnsiString& s, TObject* object) {
  TStringsUpdate update(*this);
  Insert(index, s);
  PutObject(index, object);
}

int TStrings::Add(const AnsiString& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const AnsiString& s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& strings) {
  TStringsUpdate update(*this);
  const int n = strings.Count();  // once: adding a list to itself doubles it
  for (int i = 0; i < n; ++i) AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::Assign(const TPersistent* source) {
  if (source == this) return;
  if (auto* strings = dynamic_cast<const TStrings*>(source)) {
    TStringsUpdate update(*this);
    Clear();
    FDelimiter = strings->FDelimiter;
    FQuoteChar = strings->FQuoteChar;
    FNameValueSeparator = strings->FNameValueSeparator;
    FStrictDelimiter = strings->FStrictDelimiter;
    AddStrings(*strings);
    return;
  }
  TPersistent::Assign(source);
}

bool TStrings::Equals(const TStrings& other) const {
  const int n = Count();
  if (n != other.Count()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

void TStrings::Exchange(int index1, int index2) {
  TStringsUpdate update(*this);
  AnsiString s = Get(index1);
  TObject* object = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, s);
  PutObject(index2, object);
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  TStringsUpdate update(*this);
  AnsiString s = Get(curIndex);
  TObject* object = GetObject(curIndex);
  Delete(curIndex);
  InsertObject(newIndex, s, object);
}

// Searching -------------------------------------------------------------------------

int TStrings::IndexOf(std::string_view s) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (CompareStrings(Get(i).view(), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    AnsiString line = Get(i);
    auto at = line.view().find(FNameValueSeparator);
    if (at != std::string_view::npos && CompareStrings(line.view().substr(0, at), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return CompareIgnoringCase(a, b); }

int TStrings::CompareExact(std::string_view a, std::string_view b) noexcept {
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int TStrings::CompareIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (ProcessCodePageIsSingleByte()) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    // Equal bytes are equal letters: only where the bytes differ is case looked at.
    for (std::size_t i = CommonPrefixLength(a, b); i < n; i += CommonPrefixLength(a.substr(i), b.substr(i))) {
      auto ca = static_cast<unsigned char>(AnsiUpperChar(a[i]));
      auto cb = static_cast<unsigned char>(AnsiUpperChar(b[i]));
      if (ca != cb) return ca < cb ? -1 : 1;
      ++i;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  // Two-byte characters: fold whole texts, not bytes.
  try {
    return CompareExact(AnsiUpperCase(a).view(), AnsiUpperCase(b).view());
  } catch (...) {
    return CompareExact(a, b);
  }
}

// Updates ---------------------------------------------------------------------------

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

// Name=value lines ------------------------------------------------------------------

AnsiString TStrings::Names(int index) const {
  AnsiString line = Get(index);
  auto at = line.view().find(FNameValueSeparator);
  return at == std::string_view::npos ? AnsiString() : AnsiString(line.view().substr(0, at));
}

AnsiString TStrings::Values(std::string_view name) const {
  int index = IndexOfName(name);
  return index < 0 ? AnsiString() : ValueFromIndex(index);
}

void TStrings::SetValues(std::string_view name, std::string_view value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  std::string line;
  line.reserve(name.size() + 1 + value.size());
  line.append(name).append(1, FNameValueSeparator).append(value);
  // A new line is added whole, so that a sorted list takes it at its place.
  if (index < 0)
    Add(AnsiString(line));
  else
    Put(index, AnsiString(line));
}

AnsiString TStrings::ValueFromIndex(int index) const {
  AnsiString line = Get(index);
  auto at = line.view().find(FNameValueSeparator);
  return at == std::string_view::npos ? AnsiString() : AnsiString(line.view().substr(at + 1));
}

void TStrings::SetValueFromIndex(int index, std::string_view value) {
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  AnsiString name = index >= 0 ? Names(index) : AnsiString();
  std::string line(name.view());
  line.append(1, FNameValueSeparator).append(value);
  if (index < 0)
    Add(AnsiString(line));
  else
    Put(index, AnsiString(line));
}

// Text ------------------------------------------------------------------------------

AnsiString TStrings::Text() const {
  const int n = Count();
  std::string r;
  for (int i = 0; i < n; ++i) {
    r.append(Get(i).view());
    r.append("\r\n");
  }
  return AnsiString(r);
}

void TStrings::SetText(std::string_view text) {
  TStringsUpdate update(*this);
  Clear();
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    Add(AnsiString(text.substr(start, i - start)));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
}

AnsiString TStrings::CommaText() const { return JoinDelimited(',', '"', false); }

void TStrings::SetCommaText(std::string_view text) { SplitDelimited(text, ',', '"', false); }

AnsiString TStrings::DelimitedText() const { return JoinDelimited(FDelimiter, FQuoteChar, FStrictDelimiter); }

void TStrings::SetDelimitedText(std::string_view text) { SplitDelimited(text, FDelimiter, FQuoteChar, FStrictDelimiter); }

AnsiString TStrings::JoinDelimited(char delimiter, char quote, bool strict) const {
  const int n = Count();
  if (n == 1 && Get(0).IsEmpty()) return AnsiString(std::string(2, quote));
  std::string r;
  for (int i = 0; i < n; ++i) {
    if (i > 0) r += delimiter;
    AnsiString line = Get(i);
    bool quoted = false;
    for (char c : line.view())
      if (c == quote || c == delimiter || c == '\0' || (!strict && IsBlank(c))) {
        quoted = true;
        break;
      }
    if (!quoted) {
      r.append(line.view());
      continue;
    }
    r += quote;
    for (char c : line.view()) {
      if (c == quote) r += quote;
      r += c;
    }
    r += quote;
  }
  return AnsiString(r);
}

void TStrings::SplitDelimited(std::string_view text, char delimiter, char quote, bool strict) {
  TStringsUpdate update(*this);
  Clear();
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (strict) {
    if (n == 0) return;
    while (true) {
      std::string item;
      if (text[i] == quote) item = ExtractQuoted(text, i, quote);
      std::size_t start = i;
      while (i < n && text[i] != delimiter) ++i;
      item.append(text.substr(start, i - start));
      Add(AnsiString(item));
      if (i >= n) return;
      ++i;  // the delimiter
      if (i >= n) {
        Add(AnsiString());
        return;
      }
    }
  }
  auto skipBlanks = [&] {
    while (i < n && IsBlank(text[i]) && text[i] != delimiter) ++i;
  };
  skipBlanks();
  while (i < n) {
    std::string item;
    if (text[i] == quote) {
      item = ExtractQuoted(text, i, quote);
    } else {
      std::size_t start = i;
      while (i < n && !IsBlank(text[i]) && text[i] != delimiter) ++i;
      item.assign(text.substr(start, i - start));
    }
    Add(AnsiString(item));
    skipBlanks();
    if (i < n && text[i] == delimiter) {
      if (i + 1 == n) Add(AnsiString());
      ++i;
      skipBlanks();
    }
  }
}

// Files -----------------------------------------------------------------------------

// Through file streams, which open regular files only.
void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

void TStrings::LoadFromStream(TStream& stream) { SetText(stream.ReadRest()); }

void TStrings::SaveToStream(TStream& stream) const { stream.WriteText(Text().view()); }

}  // namespace rtl
