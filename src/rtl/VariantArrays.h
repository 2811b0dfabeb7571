// VariantArrays: the array routines of scripts on variant arrays: making one from a
// flat list of bounds and an element type, the length of its first dimension, and
// moving the high bound of its last dimension (SetLength).
#pragma once

#include <cstdint>
#include <vector>

#include "rtl/Variant.h"

namespace rtl {

// bounds holds a low and a high bound per dimension. The array is of the element
// type (VarType gives varArray + the type) and its elements start as the type's zero
// (0, 0.0, False, the empty text ...), or empty for varVariant, varDispatch, varUnknown
// and varError. Raises EVariantError "Error creating variant or safe array" for an odd
// or empty bounds list, bounds that make no array, or a type code that is no element
// type.
Variant VarArrayCreate(const std::vector<std::int32_t>& bounds, std::uint16_t elementType);

// A value as an element of the array holds it: converted to the array's element type
// (raising the conversion error when it does not convert), or unchanged in an array of
// variants.
Variant VarArrayElementValue(const Variant& array, const Variant& value);

// High bound - low bound + 1 of the first dimension; raises "Variant is not an array"
// for any other value.
std::int64_t VarArrayLength(const Variant& v);

// Gives the last dimension the new high bound: elements that still fit keep their
// values, new ones are empty. Raises "Variant is not an array" when v holds none and
// "Error creating variant or safe array" for a high bound below low bound - 1.
void VarArrayRedim(Variant& v, std::int32_t highBound);

}  // namespace rtl
