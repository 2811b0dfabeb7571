#include "runtime/fsCommaText.h"

#include "engine/fsStrings.h"
#include "rtl/Object.h"
#include "rtl/StringList.h"

namespace fs {

std::vector<std::string> CommaTextNames(std::string_view text) {
  auto list = rtl::MakeObject<rtl::TStringList>();
  list->SetCommaText(text);
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(list->Count()));
  for (int i = 0; i < list->Count(); ++i) names.push_back(Trim(list->Get(i).view()));
  return names;
}

}  // namespace fs
