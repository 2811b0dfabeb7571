// Parameter-list values as JSON and back, for the host's input and output files.
#pragma once

#include <nlohmann/json.hpp>

#include "rtl/Variant.h"

using Json = nlohmann::ordered_json;

// Empty and Null as null, Booleans as true/false, integers, floats, dates and currency
// as numbers, strings as UTF-8 strings; arrays element by element.
Json VariantToJson(const rtl::Variant& value);
// Integers within 32 bits become Integer, larger ones Int64, other numbers Double,
// strings wide strings, true/false Boolean, null Null.
rtl::Variant JsonToVariant(const Json& value);
// A command-line argument value: a decimal integer within 32 bits is an Integer,
// "true"/"false" a Boolean, anything else a string.
rtl::Variant ArgumentToVariant(const std::string& text);
