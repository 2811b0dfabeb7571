// VariantConvert: conversions of variant values between kinds, with the error texts
// scripts see. Integers, floats, currency, dates, Booleans and texts convert into each
// other; null, automation objects, error values and arrays convert only into their own
// kind. A value that cannot be converted raises "Could not convert variant of type (%s)
// into type (%s)"; one that does not fit the target raises "Overflow while converting
// variant of type (%s) into type (%s)".
//
// Rules worth knowing: floats and currency round to integers half to even; Boolean
// True is -1 as a number ("True"/"False" as text); texts read as numbers with blanks
// around, a sign, the locale's decimal separator and an exponent, integers also in
// hexadecimal ("$FF", "0xFF"); a text "True" or "False" (any case) reads as a Boolean
// and as -1 or 0. Numbers become the shortest text in the general format (15
// significant digits for doubles).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rtl/AnsiString.h"
#include "rtl/Variant.h"

namespace rtl {

// The name of a variant type code in messages ("Integer", "OleStr", "Array Variant").
std::string VarTypeAsText(std::uint16_t type);

[[noreturn]] void VarCastError(std::uint16_t fromType, std::uint16_t toType);
[[noreturn]] void VarOverflowError(std::uint16_t fromType, std::uint16_t toType);
// "Invalid variant type": a type code that is no conversion target.
[[noreturn]] void VarInvalidTypeError();

// The value a by-reference variant points at, as a variant that owns it; any other
// variant is copied.
Variant VarDereference(const Variant& v);

// The value converted to the kind of the type code (varEmpty ... varInt64, varString,
// varVariant for an unchanged copy).
Variant VarAsType(const Variant& v, std::uint16_t type);

std::int32_t VarToInt32(const Variant& v);
std::int64_t VarToInt64(const Variant& v);
float VarToSingle(const Variant& v);
double VarToDouble(const Variant& v);
bool VarToBool(const Variant& v);
// Currency scaled by 10000.
std::int64_t VarToCurrency(const Variant& v);
double VarToDate(const Variant& v);
AnsiString VarToAnsiString(const Variant& v);
std::u16string VarToWideString(const Variant& v);
// As VarToAnsiString, but null gives the empty text.
AnsiString VarToStr(const Variant& v);

// A text "True" or "False" of the locale, in any case, with blanks around.
bool TryTextToBool(std::string_view s, bool& value);

// Stores a value the way a parameter list keeps it: an 8-bit string becomes an OLE
// string; integers, floats, currency and Booleans are rewritten in their own type
// (a Boolean becomes exactly True or False); a by-reference value is stored as the
// value it points at; anything else is copied.
void VarStoreNormalised(Variant& dest, const Variant& src);

}  // namespace rtl
