// The row filter workload: the input packet, the filter in PascalScript, JScript and
// Lua, and the check of a filter's output against the same work done in C++.
//
// Every row has eight variables (Id, Channel, Value, Gain, Offset, Name, Unit, Flag).
// The filter reads Value, Gain and Name, drops the row silently when Value * Gain is
// below the threshold, and otherwise sets Scaled (the product) and Label (Name + "_hi");
// about half the rows survive.
#pragma once

#include <memory>
#include <string>

namespace orb {
class TorbParamsList;
}

namespace compare {

constexpr int kFilterRows = 10000;

extern const char* const kFilterPascal;
extern const char* const kFilterJScript;
// A chunk that returns the filter function: it gets the row as a table, may add to
// it, and returns whether the row is kept.
extern const char* const kFilterLua;

// The packet of rows, each closed by a row marker.
std::unique_ptr<orb::TorbParamsList> MakeFilterPacket(int rows);

// What is wrong with a filter's output for the packet of `rows` rows; empty when every
// kept row (and only those) is there, in order, with the right values.
std::string CheckFilterOutput(const orb::TorbParamsList* out, int rows);

}  // namespace compare
