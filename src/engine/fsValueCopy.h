// Copying values on the engine's hot paths. Numbers, Booleans, dates, currency, empty
// and null live inside the variant and own nothing, so such a value is copied as its
// sixteen bytes, without the general copy and release of the variant type; anything
// that owns storage (strings, arrays, objects) takes the general way.
#pragma once

#include <cstring>

#include "rtl/Variant.h"

namespace fs {

inline bool OwnsNothing(const rtl::Variant& v) noexcept {
  // Empty and null to date, error, Boolean, and the 8- to 64-bit integers.
  constexpr std::uint32_t kInline = 0xFFu | 1u << rtl::varError | 1u << rtl::varBoolean | 0x1Fu << rtl::varShortInt;
  const unsigned t = v.VarType();
  return t < 32 && ((kInline >> t) & 1u);
}

// dest := src.
inline void CopyValue(rtl::Variant& dest, const rtl::Variant& src) {
  if (OwnsNothing(dest) && OwnsNothing(src))
    std::memcpy(static_cast<void*>(&dest), static_cast<const void*>(&src), sizeof(rtl::Variant));
  else
    dest = src;
}

// dest := src, leaving src as it may (moved from).
inline void MoveValue(rtl::Variant& dest, rtl::Variant&& src) noexcept {
  if (OwnsNothing(dest) && OwnsNothing(src))
    std::memcpy(static_cast<void*>(&dest), static_cast<const void*>(&src), sizeof(rtl::Variant));
  else
    dest = static_cast<rtl::Variant&&>(src);
}

// A copy of src.
inline rtl::Variant ValueCopy(const rtl::Variant& src) {
  rtl::Variant r;
  if (OwnsNothing(src))
    std::memcpy(static_cast<void*>(&r), static_cast<const void*>(&src), sizeof(rtl::Variant));
  else
    r = src;
  return r;
}

}  // namespace fs
