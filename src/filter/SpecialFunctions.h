// What the 22 "Special" functions do to the filter's state: the row being processed,
// the stored variables, the discard request, the log, events and the host callbacks.
#pragma once

#include <cstdint>
#include <string>

#include "rtl/Variant.h"

namespace fs {
class TfsMethodHelper;
}

namespace filter {

class TaPlugin;

// The functions' names in upper case, in the order they are matched.
extern const char* const kSpecialNames[22];

// Runs the function named (upper case, compared exactly) with the values of the
// caller's declared parameters (defaults filled in); a name that is none of them
// leaves result untouched.
void DispatchSpecial(TaPlugin& plugin, const std::string& name, const fs::TfsMethodHelper& caller,
                     rtl::Variant& result);

// The host's identifier of a data source: "COM" and a number give the number; any
// other name the CRC-32 of its lower-case form (no final inversion) masked to 31 bits.
std::int32_t DataSourceId(const std::string& name);

}  // namespace filter
