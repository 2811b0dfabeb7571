// What the date routines need from the operating system: the current local date and
// time. Declared here, supplied by the platform layer (src/platform/*/LocalTime.cpp).
#pragma once

#include "rtl/DateText.h"

namespace rtl::sys {

DateTimeParts LocalNow();

}  // namespace rtl::sys
