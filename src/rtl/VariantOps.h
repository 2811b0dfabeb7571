// VariantOps: the operators of scripts on variant values: arithmetic, integer division,
// shifts, logic, comparisons, negation, "not", and the Boolean reading of conditions.
//
// Each operand falls in a class (empty, null, integer, real, currency, string, Boolean,
// date, large integer); the pair of classes picks the rule the operation follows.
// Other kinds (automation objects, error values, arrays) raise "Invalid variant
// operation". Zero divisors raise "Division by zero" (div, mod) or "Floating point
// division by zero" ("/"); texts that are not numbers raise the conversion errors of
// VariantConvert.
//
// The engine evaluates these once per operator node, so the two commonest pairs (two
// 32-bit integers, two doubles) are handled inline here without a call, an allocation
// or an exception; everything else goes to the general code in VariantOps.cpp.
#pragma once

#include <cstdint>
#include <new>

#include "rtl/Exceptions.h"
#include "rtl/Variant.h"

// The fast paths below are small once the operation is known where they are used; the
// compiler would otherwise keep them as calls.
#if defined(__GNUC__) || defined(__clang__)
#define RTL_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define RTL_ALWAYS_INLINE inline
#endif

namespace rtl {

enum class TVarOp : std::uint8_t { Add, Subtract, Multiply, Divide, IntDivide, Modulus, ShiftLeft, ShiftRight, And, Or, Xor };
enum class TVarCompareOp : std::uint8_t { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// "Invalid variant operation": an operand of a kind the operators do not take.
class EVariantInvalidOpError : public EVariantError {
public:
  EVariantInvalidOpError() : EVariantError("Invalid variant operation", "EVariantInvalidOpError") {}
};

// "Division by zero": div or mod with a zero divisor.
class EDivByZero : public Exception {
public:
  EDivByZero() : Exception("Division by zero", "EDivByZero") {}
};

// "Floating point division by zero": "/" with a zero divisor.
class EZeroDivide : public Exception {
public:
  EZeroDivide() : Exception("Floating point division by zero", "EZeroDivide") {}
};

[[noreturn]] void VarInvalidOpError();
[[noreturn]] void VarDivByZeroError();
[[noreturn]] void VarZeroDivideError();

namespace varops_detail {

// General cases, out of line.
void VarOpSlow(Variant& left, const Variant& right, TVarOp op);
Variant VarBinaryOpSlow(const Variant& left, const Variant& right, TVarOp op);
bool VarCompareSlow(const Variant& left, const Variant& right, TVarCompareOp op);
bool VarAsConditionSlow(const Variant& v);

// Writes a number over a variant that holds no resource (a number itself), reusing its
// storage: no clearing call, nothing to free.
RTL_ALWAYS_INLINE void StoreInt32(Variant& v, std::int32_t x) noexcept { ::new (static_cast<void*>(&v)) Variant(x); }
RTL_ALWAYS_INLINE void StoreDouble(Variant& v, double x) noexcept { ::new (static_cast<void*>(&v)) Variant(x); }

// Two 32-bit integers; false when the result does not fit (or a divisor is zero) and
// the general code has to decide.
RTL_ALWAYS_INLINE bool TryInt32Op(std::int32_t a, std::int32_t b, TVarOp op, std::int32_t& r) noexcept {
  switch (op) {
    case TVarOp::Add: return !__builtin_add_overflow(a, b, &r);
    case TVarOp::Subtract: return !__builtin_sub_overflow(a, b, &r);
    case TVarOp::Multiply: return !__builtin_mul_overflow(a, b, &r);
    case TVarOp::IntDivide:
      if (b == 0 || (b == -1 && a == INT32_MIN)) return false;
      r = a / b;
      return true;
    case TVarOp::Modulus:
      if (b == 0) return false;
      r = b == -1 ? 0 : a % b;  // INT32_MIN % -1 traps on x86
      return true;
    case TVarOp::ShiftLeft: r = static_cast<std::int32_t>(static_cast<std::uint32_t>(a) << (b & 31)); return true;
    case TVarOp::ShiftRight: r = static_cast<std::int32_t>(static_cast<std::uint32_t>(a) >> (b & 31)); return true;
    case TVarOp::And: r = a & b; return true;
    case TVarOp::Or: r = a | b; return true;
    case TVarOp::Xor: r = a ^ b; return true;
    default: return false;  // "/" gives a double
  }
}

RTL_ALWAYS_INLINE bool TryDoubleOp(double a, double b, TVarOp op, double& r) noexcept {
  switch (op) {
    case TVarOp::Add: r = a + b; return true;
    case TVarOp::Subtract: r = a - b; return true;
    case TVarOp::Multiply: r = a * b; return true;
    case TVarOp::Divide:
      if (b == 0) return false;
      r = a / b;
      return true;
    default: return false;  // integer operations convert the operands
  }
}

template <class T>
RTL_ALWAYS_INLINE bool CompareValues(T a, T b, TVarCompareOp op) noexcept {
  switch (op) {
    case TVarCompareOp::Equal: return a == b;
    case TVarCompareOp::NotEqual: return a != b;
    case TVarCompareOp::Less: return a < b;
    case TVarCompareOp::LessEqual: return a <= b;
    case TVarCompareOp::Greater: return a > b;
    default: return a >= b;
  }
}

// out := left op right for two integers, two doubles, or an integer and a double (the
// integer widens exactly); false when the general code has to decide. out holds no
// resource and may be left itself.
RTL_ALWAYS_INLINE bool TryNumberOp(const Variant& left, const Variant& right, TVarOp op, Variant& out) noexcept {
  const std::uint16_t lt = left.VarType(), rt = right.VarType();
  if (lt == varInteger && rt == varInteger) {
    std::int32_t r;
    if (TryInt32Op(left.AsIntegerRaw(), right.AsIntegerRaw(), op, r)) {
      StoreInt32(out, r);
      return true;
    }
    if (op == TVarOp::Divide && right.AsIntegerRaw() != 0) {
      StoreDouble(out, static_cast<double>(left.AsIntegerRaw()) / right.AsIntegerRaw());
      return true;
    }
    return false;
  }
  if ((lt == varDouble || lt == varInteger) && (rt == varDouble || rt == varInteger)) {
    const double a = lt == varDouble ? left.AsDoubleRaw() : left.AsIntegerRaw();
    const double b = rt == varDouble ? right.AsDoubleRaw() : right.AsIntegerRaw();
    double r;
    if (TryDoubleOp(a, b, op, r)) {
      StoreDouble(out, r);
      return true;
    }
  }
  return false;
}

}  // namespace varops_detail

// left := left op right (left and right may be the same variant). Numbers, Booleans,
// dates and currency need no heap; strings allocate only for their result.
RTL_ALWAYS_INLINE void VarOpInPlace(Variant& left, const Variant& right, TVarOp op) {
  if (!varops_detail::TryNumberOp(left, right, op, left)) varops_detail::VarOpSlow(left, right, op);
}

RTL_ALWAYS_INLINE Variant VarBinaryOp(const Variant& left, const Variant& right, TVarOp op) {
  Variant result;
  if (varops_detail::TryNumberOp(left, right, op, result)) return result;
  return varops_detail::VarBinaryOpSlow(left, right, op);
}

// The script comparison of two values. Null equals only null and orders below every
// other value; texts compare byte by byte, case-sensitively; False orders below True.
RTL_ALWAYS_INLINE bool VarCompare(const Variant& left, const Variant& right, TVarCompareOp op) {
  const std::uint16_t lt = left.VarType(), rt = right.VarType();
  if (lt == varInteger && rt == varInteger)
    return varops_detail::CompareValues(left.AsIntegerRaw(), right.AsIntegerRaw(), op);
  if ((lt == varDouble || lt == varInteger) && (rt == varDouble || rt == varInteger)) {
    const double a = lt == varDouble ? left.AsDoubleRaw() : left.AsIntegerRaw();
    const double b = rt == varDouble ? right.AsDoubleRaw() : right.AsIntegerRaw();
    return varops_detail::CompareValues(a, b, op);
  }
  return varops_detail::VarCompareSlow(left, right, op);
}

// Unary minus: null stays null, empty gives the integer 0, texts become negated doubles.
Variant VarNegate(const Variant& v);
// "not": logical on Booleans, bitwise on integers; floats, currency and dates round to
// an integer first; null stays null, empty gives -1, texts are read as Booleans.
Variant VarNot(const Variant& v);

// Conditions of if/while/repeat/for and short-circuit operators: numbers are true when
// not zero, texts "True"/"False" or numbers; null and other texts raise the conversion
// error.
RTL_ALWAYS_INLINE bool VarAsCondition(const Variant& v) {
  if (v.VarType() == varBoolean) return v.AsBooleanRaw();
  if (v.VarType() == varInteger) return v.AsIntegerRaw() != 0;
  return varops_detail::VarAsConditionSlow(v);
}

// The string-join operator: when left holds a byte string, the texts of both values
// joined (null reads as the empty text); otherwise left + right.
void VarStrCatInPlace(Variant& left, const Variant& right);
Variant VarStrCat(const Variant& left, const Variant& right);

}  // namespace rtl
