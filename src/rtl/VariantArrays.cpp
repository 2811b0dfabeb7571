#include "rtl/VariantArrays.h"

#include <algorithm>
#include <utility>

#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"

namespace rtl {

namespace {

[[noreturn]] void CreateError() { throw EVariantError("Error creating variant or safe array"); }
[[noreturn]] void NotAnArray() { throw EVariantError("Variant is not an array"); }

const VarArray* ArrayOf(const Variant& v) {
  if (!v.IsArray() || !v.AsArrayRaw()) NotAnArray();
  return v.AsArrayRaw();
}

// The value every element of an array of that type starts with.
Variant ElementZero(std::uint16_t type) {
  switch (type) {
    case varVariant:
    case varDispatch:
    case varUnknown:
    case varError: return Variant();
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
    case varBoolean:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64: return VarAsType(Variant(std::int32_t{0}), type);
    case varOleStr: return Variant(std::u16string_view());
    case varString: return Variant(AnsiString());
    default: CreateError();
  }
}

}  // namespace

Variant VarArrayCreate(const std::vector<std::int32_t>& bounds, std::uint16_t elementType) {
  if (bounds.empty() || bounds.size() % 2 != 0) CreateError();
  const Variant zero = ElementZero(elementType);
  Variant result =
      Variant::AdoptArray(VarArrayCreate(bounds.data(), static_cast<int>(bounds.size() / 2)), elementType);
  if (!zero.IsEmpty()) {
    const VarArray* a = result.AsArrayRaw();
    Variant* data = VarArrayData(a);
    const std::size_t n = VarArrayElementCount(a);
    for (std::size_t i = 0; i < n; ++i) data[i] = zero;
  }
  return result;
}

Variant VarArrayElementValue(const Variant& array, const Variant& value) {
  const std::uint16_t element = array.VarType() & varTypeMask;
  if (element == varVariant || !array.IsArray() || value.VarType() == element) return value;
  return VarAsType(value, element);
}

std::int64_t VarArrayLength(const Variant& v) { return ArrayOf(v)->Bounds[0].ElementCount; }

void VarArrayRedim(Variant& v, std::int32_t highBound) {
  const VarArray* old = ArrayOf(v);
  const int dims = old->DimCount;
  const VarArrayBound& last = old->Bounds[dims - 1];
  if (static_cast<std::int64_t>(highBound) < static_cast<std::int64_t>(last.LowBound) - 1) CreateError();
  std::vector<std::int32_t> bounds;
  for (int d = 0; d < dims; ++d) {
    const VarArrayBound& b = old->Bounds[d];
    bounds.push_back(b.LowBound);
    bounds.push_back(d == dims - 1 ? highBound
                                   : static_cast<std::int32_t>(b.LowBound + static_cast<std::int64_t>(b.ElementCount) - 1));
  }
  Variant resized = Variant::AdoptArray(VarArrayCreate(bounds.data(), dims), v.VarType() & varTypeMask);
  // The last dimension varies slowest, so the elements that stay are a prefix; new
  // elements of a typed array start as its zero.
  const std::size_t keep = std::min(VarArrayElementCount(old), VarArrayElementCount(resized.AsArrayRaw()));
  Variant* from = VarArrayData(old);
  Variant* to = VarArrayData(resized.AsArrayRaw());
  for (std::size_t i = 0; i < keep; ++i) to[i].Swap(from[i]);
  const Variant zero = ElementZero(v.VarType() & varTypeMask);
  const std::size_t n = VarArrayElementCount(resized.AsArrayRaw());
  if (!zero.IsEmpty())
    for (std::size_t i = keep; i < n; ++i) to[i] = zero;
  v = std::move(resized);
}

}  // namespace rtl
