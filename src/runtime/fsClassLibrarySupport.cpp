#include "runtime/fsClassLibrarySupport.h"

#include "platform/WindowPeer.h"
#include "rtl/Exceptions.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsSysFunctions.h"

namespace fs {

namespace {

// The pattern with its "%s" places filled in order.
std::string FillIn(std::string pattern, std::initializer_list<std::string> values) {
  std::size_t at = 0;
  for (const std::string& v : values) {
    at = pattern.find("%s", at);
    if (at == std::string::npos) break;
    pattern.replace(at, 2, v);
    at += v.size();
  }
  return pattern;
}

}  // namespace

rtl::TObject* ValueObject(const rtl::Variant& value, rtl::TClass required) {
  rtl::TObject* object = rtl::VariantToObject(value);
  if (object && !object->InheritsFrom(*required)) throw rtl::EInvalidCast();
  return object;
}

bool UserCanAnswer(bool responderAnswers) { return platform::HasDisplay() || responderAnswers; }

void ReportUnanswered(const std::string& what, const std::string& answer) {
  WriteScriptMessage(FillIn(msg::kNobodyToAnswer, {what, answer}));
}

}  // namespace fs
