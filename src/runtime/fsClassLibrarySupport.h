// What the class libraries share beyond their tables: the checks and conversions their
// callbacks make on instances and values, and the way a dialog that nobody can answer
// is reported.
#pragma once

#include <string>

#include "rtl/ClassInfo.h"
#include "rtl/Object.h"
#include "rtl/Variant.h"

namespace fs {

// The object a value names, checked to be a T (nil allowed); raises EInvalidCast for
// another class.
rtl::TObject* ValueObject(const rtl::Variant& value, rtl::TClass required);
template <class T>
T* ValueAs(const rtl::Variant& value) {
  return static_cast<T*>(ValueObject(value, &T::StaticClassInfo()));
}

// Whether a user can answer a dialog: the system shows one, or a responder that
// answers this kind is installed.
bool UserCanAnswer(bool responderAnswers);
// Writes to the running script's log that what (a dialog) was shown without anybody
// to answer it and that the script got answer.
void ReportUnanswered(const std::string& what, const std::string& answer);

}  // namespace fs
