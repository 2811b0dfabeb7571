#include "Private/Plugins/orbStrHolder.h"

#include "rtl/CodePage.h"

namespace orb {

namespace {

[[maybe_unused]] const rtl::TClassInfo& kRegistered = TorbStrHolder::StaticClassInfo();

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Combines bytes with the key, repeated from the first byte of every line.
std::string Combine(std::string_view bytes, std::string_view key) {
  std::string out(bytes);
  if (key.empty()) return out;
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char>(out[i] ^ key[i % key.size()]);
  return out;
}

}  // namespace

const rtl::TClassInfo& TorbStrHolder::StaticClassInfo() {
  using H = TorbStrHolder;
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<H>("TorbStrHolder", &rtl::TComponent::StaticClassInfo())
          .Property("Capacity", &H::Capacity, &H::SetCapacity)
          .Enum("Duplicates", rtl::DuplicatesTypeInfo(), &H::Duplicates, &H::SetDuplicates)
          .Property("KeyString", &H::KeyString, &H::SetKeyString)
          .Property("Sorted", &H::Sorted, &H::SetSorted)
          .Property("Strings", &H::Strings, [](H& h, rtl::TStringList* s) { h.SetStrings(s); })
          .Event("OnChange", "TNotifyEvent", &H::OnChange, &H::OnChange)
          .Event("OnChanging", "TNotifyEvent", &H::OnChanging, &H::OnChanging);
  return info;
}

TorbStrHolder::TorbStrHolder(rtl::TComponent* owner)
    : rtl::TComponent(owner), FStrings(rtl::CreateObject<rtl::TStringList>()) {
  FStrings->SetOnChange([this](rtl::TObject*) {
    if (OnChange) OnChange(this);
  });
  FStrings->SetOnChanging([this](rtl::TObject*) {
    if (OnChanging) OnChanging(this);
  });
}

TorbStrHolder::~TorbStrHolder() { rtl::FreeObject(FStrings); }

void TorbStrHolder::SetStrings(const rtl::TStrings* strings) {
  if (strings)
    FStrings->Assign(strings);
  else
    FStrings->Clear();
}

std::string TorbStrHolder::EncodeLine(std::string_view line, std::string_view key, std::int32_t internalVer) {
  if (internalVer <= 0) return Combine(line, key);
  std::string bytes = internalVer >= 2 ? Combine(rtl::AnsiToUtf8(line), rtl::AnsiToUtf8(key)) : Combine(line, key);
  static const char hex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    out += hex[b >> 4];
    out += hex[b & 15];
  }
  return out;
}

rtl::AnsiString TorbStrHolder::DecodeLine(std::string_view entry, std::string_view key, std::int32_t internalVer) {
  if (internalVer <= 0) return rtl::AnsiString(Combine(entry, key));
  const std::string keyBytes = internalVer >= 2 ? rtl::AnsiToUtf8(key) : std::string(key);
  std::string bytes;
  bytes.reserve(entry.size() / 2);
  for (std::size_t i = 0; i + 1 < entry.size(); i += 2) {
    int hi = HexValue(entry[i]), lo = HexValue(entry[i + 1]);
    std::size_t at = bytes.size();
    if (hi < 0 || lo < 0) {
      bytes += ' ';  // a damaged pair reads as a blank, the key not applied
      continue;
    }
    char b = static_cast<char>(hi * 16 + lo);
    if (!keyBytes.empty()) b = static_cast<char>(b ^ keyBytes[at % keyBytes.size()]);
    bytes += b;
  }
  return internalVer >= 2 ? rtl::Utf8ToAnsi(bytes) : rtl::AnsiString(bytes);
}

std::vector<std::string> TorbStrHolder::StrData() const {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(FStrings->Count()) + 1);
  entries.push_back(FKeyString.str());
  for (int i = 0; i < FStrings->Count(); ++i) entries.push_back(EncodeLine(FStrings->Get(i).view(), FKeyString.view()));
  return entries;
}

void TorbStrHolder::SetStrData(std::int32_t internalVer, const std::vector<std::string>& entries) {
  rtl::TStringsUpdate update(*FStrings);
  FStrings->Clear();
  FKeyString = entries.empty() ? rtl::AnsiString() : rtl::AnsiString(entries.front());
  for (std::size_t i = 1; i < entries.size(); ++i) FStrings->Add(DecodeLine(entries[i], FKeyString.view(), internalVer));
}

}  // namespace orb
