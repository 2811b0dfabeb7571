// JSON text to Json for the host's input files, safe for any input: nesting is
// limited, so nothing recursive ever meets a deep value, and objects are built in time
// linear in their number of members.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "VariantJson.h"

constexpr std::size_t kMaxJsonDepth = 1000;

// False with a one-line reason for text that is not one JSON value or nests deeper
// than kMaxJsonDepth arrays and objects. A repeated member name keeps its first place
// and takes its last value.
bool ParseJson(std::string_view text, Json& value, std::string& error);

// An object built member by member: Json's own member insertion looks every name up
// from the start, which makes a row of many variables quadratic. Same result as
// object[name] = value: a repeated name keeps its first place and takes the new value.
class JsonObjectBuilder {
public:
  void Set(std::string name, Json value);
  // Room for count members: an object made member by member would otherwise grow its
  // storage step by step, leaving a trail of freed blocks per object (which the Windows
  // heap, under Wine at least, searches at a cost that grows with the live blocks).
  void Reserve(std::size_t count);
  bool Empty() const { return FIndex.empty(); }
  // The object; the builder is empty afterwards.
  Json Take();

private:
  Json FObject = Json::object();
  std::unordered_map<std::string, std::size_t> FIndex;
};
