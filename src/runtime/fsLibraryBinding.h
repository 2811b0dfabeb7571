// The conventions every function library shares. A library lists its routines once, as
// rows of declaration text and callback, and registers the table under its category;
// the binding then does for every routine what would otherwise be repeated in each:
//
//   - a required argument that is empty (unassigned, as distinct from null) makes the
//     call yield null without doing anything; every required argument is tested, in
//     parameter order, before any work is done;
//   - an optional argument that is empty takes its declared default;
//   - arguments are read as their declared types: dates, times and floating point
//     through the floating-point conversion; Integer, LongInt, Cardinal, LongWord, Word
//     and Byte through the integer conversion (halves to even), kept to the declared
//     width; Int64 through the 64-bit conversion; Boolean, string and Char (the first
//     character of the text, or the default for an empty text) likewise; a value that
//     does not convert raises the conversion error naming the argument;
//   - the callback's result is returned as the declared type (dates as date values,
//     Word and Byte as unsigned integers, Integer and LongInt as 32-bit, Int64 as 64-bit,
//     and so on); a null result stays null;
//   - errors of the computation pass to the script with their own message;
//   - a routine whose work needs no bytes may give a second callback for wide text: it
//     runs when a string argument arrives as a wide string, reads its strings with
//     Wide() and may return a wide string, so characters outside the code page pass
//     through; every other call, and every routine without one, reads its strings as
//     8-bit text, and a wide text that loses characters on the way is reported
//     (rtl/TextLoss) with the routine's name.
//
//   Variant DateOf(TfsLibraryArgs& a) { return Variant(rtl::SerialDate(a.Float(0))); }
//   const TfsLibraryEntry kDateUtils[] = {
//       {"function DateOf(const AValue: TDateTime): TDateTime", &DateOf},
//       ...
//   };
//   RegisterLibrary(registry, "Date and time", kDateUtils);
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "rtl/AnsiString.h"
#include "rtl/Variant.h"
#include "runtime/fsMethodHelper.h"

namespace fs {

class TfsRegistry;

// The declared type of a parameter or result, as the conventions read and write it.
enum class TfsLibType : std::uint8_t {
  Variant,   // Variant, and every type name without a conversion: passed unchanged
  Float,     // Extended, Double, Real, Single, Currency
  Date,      // TDateTime, TDate, TTime
  Integer,   // Integer, LongInt: signed 32-bit
  Cardinal,  // Cardinal, LongWord, DWORD: unsigned 32-bit
  Word,      // unsigned 16-bit
  Byte,      // unsigned 8-bit
  Int64,
  Boolean,
  String,  // String, AnsiString
  Char,    // Char, AnsiChar
  None,  // a procedure's result
};

// The type a type name declares (ignoring case); an empty name is None.
TfsLibType LibTypeOf(std::string_view typeName) noexcept;

// What the binding knows of one routine: its parameters' and result's declared types
// and how many leading parameters the empty-argument rule covers.
struct TfsLibrarySignature {
  static constexpr int kMaxParams = 12;
  TfsLibType Params[kMaxParams] = {};
  bool Required[kMaxParams] = {};
  std::uint8_t Count = 0;
  std::uint8_t Checked = 0;
  TfsLibType Result = TfsLibType::None;
};

// The arguments of the call in progress. They are read when the call starts, in
// parameter order, each converted to its declared type (so a conversion error names the
// first argument that does not convert); the readers then give them as C++ values.
class TfsLibraryArgs {
public:
  // Converts every argument; raises the conversion error naming the argument. With
  // wide, string and character arguments are read as UTF-16 text.
  TfsLibraryArgs(TfsMethodHelper& caller, const TfsLibrarySignature& signature, bool wide = false);

  int Count() const noexcept { return FSignature.Count; }
  // The argument as its declared type: a double for dates and floating point, a 64-bit
  // integer kept to the declared width for integer types, a Boolean, a string (of one
  // character or none for Char), or the value as passed for Variant. An empty optional
  // argument has been replaced by its declared default.
  const rtl::Variant& Value(int index) const noexcept { return FValues[index]; }
  // Whether the argument as passed is empty (for routines that allow empty arguments).
  bool IsEmpty(int index) const;

  double Float(int index) const;
  std::int32_t Int(int index) const;
  std::int64_t Int64(int index) const;
  bool Bool(int index) const;
  rtl::AnsiString Str(int index) const;
  // A string or character argument of a call made with wide text.
  std::u16string_view Wide(int index) const noexcept { return FValues[index].AsOleStrRaw(); }
  // The character of a Char argument ('\0' when it has none).
  char Char(int index) const;

  TfsMethodHelper& Caller() const noexcept { return FCaller; }

private:
  TfsMethodHelper& FCaller;
  const TfsLibrarySignature& FSignature;
  rtl::Variant FValues[TfsLibrarySignature::kMaxParams];
};

// A library routine's work: the result as any value, which the binding then types.
using TfsLibraryFunction = rtl::Variant (*)(TfsLibraryArgs& args);

// The empty-argument rule covers every required parameter unless an entry says how
// many leading parameters it covers (0: none, the routine looks at empty values
// itself).
constexpr int kAllRequired = -1;

struct TfsLibraryEntry {
  const char* Declaration;
  TfsLibraryFunction Callback;
  int Checked = kAllRequired;
  // The same work on wide text (nullptr: none).
  TfsLibraryFunction WideCallback = nullptr;
};

// The value converted to the declared type (null and empty stay as they are).
rtl::Variant LibTypedValue(const rtl::Variant& value, TfsLibType type);

// Registers every row, in order, under category, each with its own callback that
// applies the conventions. A declaration with more parameters than a signature holds
// raises (a fault of the table, found at the first load).
void RegisterLibrary(TfsRegistry& registry, const char* category, std::span<const TfsLibraryEntry> table);

}  // namespace fs
