// FormatArgs: the typed arguments that Format reads, and their making from the
// variants a script passes. Each argument has one kind; a format specifier accepts
// only the kinds that fit its type letter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rtl/Variant.h"

namespace rtl {

enum class FormatArgKind : std::uint8_t { Integer, Int64, Float, WideString, ShortString, Boolean, Variant };

struct FormatArg {
  FormatArgKind Kind = FormatArgKind::Integer;
  std::int32_t Int = 0;
  std::int64_t Int64 = 0;
  double Float = 0;
  bool Bool = false;
  std::u16string Wide;
  std::string Short;  // at most 255 characters
  rtl::Variant Var;

  static FormatArg FromInt(std::int32_t v);
  static FormatArg FromInt64(std::int64_t v);
  static FormatArg FromFloat(double v);
  static FormatArg FromWide(std::u16string v);
  // Cut to 255 characters, as a short string holds no more.
  static FormatArg FromShort(std::string_view v);
  static FormatArg FromBool(bool v);
  static FormatArg FromVariant(const rtl::Variant& v);
};

constexpr std::size_t kShortStringMax = 255;

// One element of a script's argument array: 8-, 16- and 32-bit integers (signed or
// not) become Integer, Single, Double, Currency and Date become Float, OleStr
// WideString, Boolean Boolean, Int64 Int64, 8-bit strings ShortString (cut to 255
// characters), elements of the Variant kind Variant; anything else (null, empty,
// errors, automation objects, arrays) the integer 0. A by-reference element counts
// as the value it refers to.
FormatArg FormatArgFromVariant(const rtl::Variant& element);

// The arguments of a script's Format call: the elements of a variant array in index
// order; no arguments for an empty or null value; any other single value is one
// argument.
std::vector<FormatArg> FormatArgsFromVariant(const rtl::Variant& args);

}  // namespace rtl
