// TorbStrHolder: a component that holds a string list, such as the module's list of
// stored settings ("Properties"). In a form it streams its lines in a form of its
// own: "InternalVer" (2) and "StrData", whose first entry is the key text and whose
// further entries are the lines, each as UTF-8 combined byte by byte with the key's
// UTF-8 bytes by exclusive or and written as lower-case hexadecimal digits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/Component.h"
#include "rtl/StringList.h"

namespace orb {

class TorbStrHolder : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  // The version of the streamed form that this code writes.
  static constexpr std::int32_t InternalVer = 2;

  explicit TorbStrHolder(rtl::TComponent* owner = nullptr);
  ~TorbStrHolder() override;

  rtl::TStringList* Strings() const noexcept { return FStrings; }
  // Copies the lines of another list (nil clears them).
  void SetStrings(const rtl::TStrings* strings);
  int Capacity() const { return FStrings->Capacity(); }
  void SetCapacity(int capacity) { FStrings->SetCapacity(capacity); }
  rtl::TDuplicates Duplicates() const noexcept { return FStrings->Duplicates(); }
  void SetDuplicates(rtl::TDuplicates value) noexcept { FStrings->SetDuplicates(value); }
  bool Sorted() const noexcept { return FStrings->Sorted(); }
  void SetSorted(bool value) { FStrings->SetSorted(value); }
  // The key the streamed lines are combined with (streamed in "StrData", not as a
  // property of its own).
  const rtl::AnsiString& KeyString() const noexcept { return FKeyString; }
  void SetKeyString(const rtl::AnsiString& key) { FKeyString = key; }

  // Raised with the holder as Sender when its lines are about to change and changed.
  rtl::TNotifyEvent OnChange;
  rtl::TNotifyEvent OnChanging;

  // The "StrData" entries of the streamed form: the key, then the encoded lines.
  std::vector<std::string> StrData() const;
  // Takes the lines (and the key) from "StrData" entries written by a given
  // "InternalVer" (0 when the form has none).
  void SetStrData(std::int32_t internalVer, const std::vector<std::string>& entries);

  // One line in the streamed form of a version, and back.
  static std::string EncodeLine(std::string_view line, std::string_view key, std::int32_t internalVer = InternalVer);
  static rtl::AnsiString DecodeLine(std::string_view entry, std::string_view key, std::int32_t internalVer);

private:
  rtl::TStringList* FStrings;
  rtl::AnsiString FKeyString;
};

}  // namespace orb
