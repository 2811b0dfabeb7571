#include "rtl/VariantOps.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "rtl/CodePage.h"
#include "rtl/FormatSettings.h"
#include "rtl/NumberText.h"
#include "rtl/VariantConvert.h"

namespace rtl {

void VarInvalidOpError() { throw EVariantInvalidOpError(); }
void VarDivByZeroError() { throw EDivByZero(); }
void VarZeroDivideError() { throw EZeroDivide(); }

namespace {

// The classes operands fall in; Invalid covers every kind the operators refuse.
enum class Cls : std::uint8_t { Empty, Null, Int, Real, Curr, Str, Bool, Date, Large, Invalid };

// How a pair of classes is operated on.
enum class Rule : std::uint8_t { E, N, I, R, C, S, B, D, L };

Cls ClassOf(std::uint16_t t) noexcept {
  switch (t) {
    case varEmpty: return Cls::Empty;
    case varNull: return Cls::Null;
    case varShortInt:
    case varSmallint:
    case varInteger:
    case varByte: return Cls::Int;
    case varSingle:
    case varDouble: return Cls::Real;
    case varCurrency: return Cls::Curr;
    case varString:
    case varOleStr: return Cls::Str;
    case varBoolean: return Cls::Bool;
    case varDate: return Cls::Date;
    case varWord:
    case varLongWord:
    case varInt64: return Cls::Large;
    default: return Cls::Invalid;
  }
}

// Rows: left class, columns: right class, both in the order of Cls.
constexpr char kRuleTable[9][10] = {
    "ENIRCSBDL",  // empty
    "NNNNNNNNN",  // null
    "INIRCRIDL",  // integer
    "RNRRCRRDR",  // real
    "CNCCCCCDC",  // currency
    "SNRRCSBDR",  // string
    "BNIRCBBDL",  // Boolean
    "DNDDDDDDD",  // date
    "LNLRCRLDL",  // large
};

Rule RuleOf(Cls l, Cls r) noexcept {
  switch (kRuleTable[static_cast<int>(l)][static_cast<int>(r)]) {
    case 'E': return Rule::E;
    case 'N': return Rule::N;
    case 'I': return Rule::I;
    case 'R': return Rule::R;
    case 'C': return Rule::C;
    case 'S': return Rule::S;
    case 'B': return Rule::B;
    case 'D': return Rule::D;
    default: return Rule::L;
  }
}

bool IsArithmetic(TVarOp op) noexcept {
  return op == TVarOp::Add || op == TVarOp::Subtract || op == TVarOp::Multiply || op == TVarOp::Divide;
}

// Integer rule -----------------------------------------------------------------------

Variant RealOp(double a, double b, TVarOp op) {
  switch (op) {
    case TVarOp::Add: return Variant(a + b);
    case TVarOp::Subtract: return Variant(a - b);
    case TVarOp::Multiply: return Variant(a * b);
    default:
      if (b == 0) VarZeroDivideError();
      return Variant(a / b);
  }
}

Variant IntOp(const Variant& left, const Variant& right, TVarOp op) {
  if (op == TVarOp::Divide) return RealOp(VarToDouble(left), VarToDouble(right), op);
  const std::int32_t a = VarToInt32(left), b = VarToInt32(right);
  std::int32_t r;
  if (varops_detail::TryInt32Op(a, b, op, r)) return Variant(r);
  switch (op) {
    case TVarOp::Add:
    case TVarOp::Subtract:
    case TVarOp::Multiply:
      // Too large for 32 bits: the exact result as a double.
      return RealOp(a, b, op);
    case TVarOp::IntDivide:
      if (b == 0) VarDivByZeroError();
      return Variant(-static_cast<std::int64_t>(a));  // INT32_MIN div -1 does not fit 32 bits
    default:
      VarDivByZeroError();  // mod by zero: the only other refusal
  }
}

// Real rule --------------------------------------------------------------------------

Variant RealRule(const Variant& left, const Variant& right, TVarOp op) {
  if (IsArithmetic(op)) return RealOp(VarToDouble(left), VarToDouble(right), op);
  return IntOp(left, right, op);
}

// Large integer rule -----------------------------------------------------------------

Variant LargeOp(const Variant& left, const Variant& right, TVarOp op) {
  if (op == TVarOp::Divide) return RealOp(VarToDouble(left), VarToDouble(right), op);
  const std::int64_t a = VarToInt64(left), b = VarToInt64(right);
  const auto ua = static_cast<std::uint64_t>(a), ub = static_cast<std::uint64_t>(b);
  switch (op) {
    case TVarOp::Add: return Variant(static_cast<std::int64_t>(ua + ub));
    case TVarOp::Subtract: return Variant(static_cast<std::int64_t>(ua - ub));
    case TVarOp::Multiply: {
      std::int64_t r;
      if (__builtin_mul_overflow(a, b, &r)) return Variant(static_cast<double>(a) * static_cast<double>(b));
      return Variant(r);
    }
    case TVarOp::IntDivide:
      if (b == 0) VarDivByZeroError();
      // INT64_MIN div -1 wraps like + and - do.
      return Variant(b == -1 ? static_cast<std::int64_t>(0 - ua) : a / b);
    case TVarOp::Modulus:
      if (b == 0) VarDivByZeroError();
      return Variant(b == -1 ? std::int64_t(0) : a % b);
    case TVarOp::ShiftLeft: return Variant(static_cast<std::int64_t>(ua << (b & 63)));
    case TVarOp::ShiftRight: return Variant(static_cast<std::int64_t>(ua >> (b & 63)));
    case TVarOp::And: return Variant(a & b);
    case TVarOp::Or: return Variant(a | b);
    default: return Variant(a ^ b);
  }
}

// Currency rule ----------------------------------------------------------------------

// Unsigned 128-bit intermediate for exact currency products and quotients.
struct U128 {
  std::uint64_t Hi, Lo;
};

U128 Mul64(std::uint64_t a, std::uint64_t b) noexcept {
  const std::uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32, bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
  const std::uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
  const std::uint64_t mid = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  return {hh + (lh >> 32) + (hl >> 32) + (mid >> 32), (mid << 32) | (ll & 0xFFFFFFFFu)};
}

// n / d rounded half to even; false when the quotient needs more than 64 bits.
bool DivRound(U128 n, std::uint64_t d, std::uint64_t& q) noexcept {
  if (n.Hi >= d) return false;  // the quotient would not fit 64 bits
  std::uint64_t quot = 0, rem = n.Hi;
  for (int i = 63; i >= 0; --i) {
    const bool carry = (rem >> 63) != 0;
    rem = (rem << 1) | ((n.Lo >> i) & 1);
    if (carry || rem >= d) {
      rem -= d;
      quot |= std::uint64_t(1) << i;
    }
  }
  // rem < d <= 2^64 - 1; compare 2 * rem with d without overflowing.
  const bool above = rem > d - rem, half = rem == d - rem;
  if (above || (half && (quot & 1))) {
    if (quot == std::numeric_limits<std::uint64_t>::max()) return false;
    ++quot;
  }
  q = quot;
  return true;
}

std::uint64_t Magnitude(std::int64_t v) noexcept {
  return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// Applies the sign to a magnitude; false when it does not fit.
bool Signed(std::uint64_t mag, bool negative, std::int64_t& out) noexcept {
  constexpr std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (negative) {
    if (mag > limit + 1) return false;
    out = static_cast<std::int64_t>(0 - mag);
  } else {
    if (mag > limit) return false;
    out = static_cast<std::int64_t>(mag);
  }
  return true;
}

Variant CurrencyOp(const Variant& left, const Variant& right, TVarOp op) {
  if (!IsArithmetic(op)) return IntOp(left, right, op);
  // A number divided by currency is a plain ratio, not an amount of money.
  if (op == TVarOp::Divide && left.VarType() != varCurrency)
    return RealOp(VarToDouble(left), static_cast<double>(VarToCurrency(right)) / 10000.0, op);
  const std::int64_t a = VarToCurrency(left), b = VarToCurrency(right);
  std::int64_t r;
  switch (op) {
    case TVarOp::Add:
      if (__builtin_add_overflow(a, b, &r)) VarOverflowError(left.VarType(), varCurrency);
      return Variant::FromCurrency(r);
    case TVarOp::Subtract:
      if (__builtin_sub_overflow(a, b, &r)) VarOverflowError(left.VarType(), varCurrency);
      return Variant::FromCurrency(r);
    case TVarOp::Multiply: {
      // (a / 10^4) * (b / 10^4) scaled by 10^4 is a * b / 10^4.
      std::uint64_t q;
      if (!DivRound(Mul64(Magnitude(a), Magnitude(b)), 10000, q) || !Signed(q, (a < 0) != (b < 0), r))
        VarOverflowError(left.VarType(), varCurrency);
      return Variant::FromCurrency(r);
    }
    default: {
      if (b == 0) VarZeroDivideError();
      std::uint64_t q;
      if (!DivRound(Mul64(Magnitude(a), 10000), Magnitude(b), q) || !Signed(q, (a < 0) != (b < 0), r))
        VarOverflowError(left.VarType(), varCurrency);
      return Variant::FromCurrency(r);
    }
  }
}

// String rule ------------------------------------------------------------------------

bool IsWide(const Variant& v) noexcept { return v.VarType() == varOleStr; }

// Texts of string rule operands (a string or empty), in the process code page.
AnsiString TextOf(const Variant& v) {
  switch (v.VarType()) {
    case varString: return v.AsAnsiStringRaw();
    case varOleStr: return WideToAnsi(v.AsOleStrRaw());
    default: return AnsiString();
  }
}

std::u16string WideTextOf(const Variant& v) {
  switch (v.VarType()) {
    case varString: return AnsiToWide(v.AsAnsiStringRaw().view());
    case varOleStr: return std::u16string(v.AsOleStrRaw());
    default: return std::u16string();
  }
}

// A string rule operand as a piece to join (the text shares the operand's buffer).
TextPiece PieceOf(const Variant& v) {
  TextPiece p;
  switch (v.VarType()) {
    case varString: p.Ansi = v.AsAnsiStringRaw().view(); break;
    case varOleStr:
      p.Wide = v.AsOleStrRaw();
      p.IsWide = true;
      break;
    default: break;
  }
  return p;
}

// Joins two texts; wide when either side is wide, so no character is lost.
Variant JoinTexts(const Variant& left, const Variant& right) {
  if (IsWide(left) || IsWide(right)) return Variant::AdoptOleStr(JoinToBStr(PieceOf(left), PieceOf(right)));
  AnsiString s = TextOf(left);
  s += TextOf(right).view();
  return Variant(s);
}

Variant StringOp(const Variant& left, const Variant& right, TVarOp op) {
  if (op == TVarOp::Add) return JoinTexts(left, right);
  return RealRule(left, right, op);
}

// Boolean rule -----------------------------------------------------------------------

Variant BooleanOp(const Variant& left, const Variant& right, TVarOp op) {
  switch (op) {
    case TVarOp::And: return Variant(VarToBool(left) && VarToBool(right));
    case TVarOp::Or: return Variant(VarToBool(left) || VarToBool(right));
    case TVarOp::Xor: return Variant(VarToBool(left) != VarToBool(right));
    default: return RealRule(left, right, op);
  }
}

// Date rule --------------------------------------------------------------------------

Variant DateOp(const Variant& left, const Variant& right, TVarOp op) {
  switch (op) {
    case TVarOp::Add: return Variant::FromDate(VarToDate(left) + VarToDate(right));
    case TVarOp::Subtract: {
      const double d = VarToDate(left) - VarToDate(right);
      // The distance between two dates is a number of days, not a date.
      if (left.VarType() == varDate && right.VarType() == varDate) return Variant(d);
      return Variant::FromDate(d);
    }
    default: return RealRule(left, right, op);
  }
}

// Null rule --------------------------------------------------------------------------

// The Boolean reading of a value, without raising: false when it has none.
bool TryTruth(const Variant& v, bool& b) {
  switch (ClassOf(v.VarType())) {
    case Cls::Empty:
    case Cls::Int:
    case Cls::Real:
    case Cls::Curr:
    case Cls::Bool:
    case Cls::Date:
    case Cls::Large: b = VarToBool(v); return true;
    case Cls::Str: {
      const AnsiString s = TextOf(v);
      if (TryTextToBool(s.view(), b)) return true;
      double d;
      const NumParse f = TextToFloat(s.view(), d, CurrentFormatSettings().DecimalSeparator);
      if (f != NumParse::Invalid) {
        b = f == NumParse::Overflow || d != 0;
        return true;
      }
      std::int64_t i;
      if (TextToInt64(s.view(), i) != NumParse::Ok) return false;
      b = i != 0;
      return true;
    }
    default: return false;
  }
}

// Null propagates, except where and/or are decided by the other side alone.
Variant NullOp(const Variant& left, const Variant& right, TVarOp op) {
  if (op != TVarOp::And && op != TVarOp::Or) return Variant::Null();
  const Variant& other = left.IsNull() ? right : left;
  bool b;
  if (other.IsNull() || !TryTruth(other, b)) return Variant::Null();
  if (op == TVarOp::And) return b ? Variant::Null() : Variant(false);
  return b ? Variant(true) : Variant::Null();
}

// Empty rule -------------------------------------------------------------------------

Variant EmptyOp(TVarOp op) {
  if (op == TVarOp::Divide) VarZeroDivideError();
  if (op == TVarOp::IntDivide || op == TVarOp::Modulus) VarDivByZeroError();
  return Variant();
}

// Dispatch ---------------------------------------------------------------------------

Variant Compute(const Variant& left, const Variant& right, TVarOp op) {
  if ((left.VarType() | right.VarType()) & varByRef) return Compute(VarDereference(left), VarDereference(right), op);
  const Cls lc = ClassOf(left.VarType()), rc = ClassOf(right.VarType());
  if (lc == Cls::Invalid || rc == Cls::Invalid) VarInvalidOpError();
  switch (RuleOf(lc, rc)) {
    case Rule::E: return EmptyOp(op);
    case Rule::N: return NullOp(left, right, op);
    case Rule::I: return IntOp(left, right, op);
    case Rule::R: return RealRule(left, right, op);
    case Rule::C: return CurrencyOp(left, right, op);
    case Rule::S: return StringOp(left, right, op);
    case Rule::B: return BooleanOp(left, right, op);
    case Rule::D: return DateOp(left, right, op);
    default: return LargeOp(left, right, op);
  }
}

// Comparison -------------------------------------------------------------------------

template <class T>
int ThreeWay(T a, T b) noexcept {
  return a < b ? -1 : (b < a ? 1 : 0);
}

bool FromOrder(int c, TVarCompareOp op) noexcept { return varops_detail::CompareValues(c, 0, op); }

int CompareTexts(const Variant& left, const Variant& right) {
  if (IsWide(left) || IsWide(right)) return ThreeWay(std::u16string_view(WideTextOf(left)), std::u16string_view(WideTextOf(right)));
  const AnsiString a = TextOf(left), b = TextOf(right);
  // Byte by byte as unsigned characters (memcmp's order), so accented letters sort
  // after ASCII; a text that is the start of the other sorts first.
  const std::size_t n = a.Length() < b.Length() ? a.Length() : b.Length();
  const int c = n ? std::memcmp(a.c_str(), b.c_str(), n) : 0;
  if (c != 0) return c < 0 ? -1 : 1;
  return ThreeWay(a.Length(), b.Length());
}

bool Compare(const Variant& left, const Variant& right, TVarCompareOp op) {
  if ((left.VarType() | right.VarType()) & varByRef)
    return Compare(VarDereference(left), VarDereference(right), op);
  // Null is decided before the kinds are checked: "x = null" is a question any value
  // can answer.
  if (left.IsNull() || right.IsNull()) return FromOrder(left.IsNull() ? (right.IsNull() ? 0 : -1) : 1, op);
  const Cls lc = ClassOf(left.VarType()), rc = ClassOf(right.VarType());
  if (lc == Cls::Invalid || rc == Cls::Invalid) VarInvalidOpError();
  switch (RuleOf(lc, rc)) {
    case Rule::E: return FromOrder(0, op);
    case Rule::I: return varops_detail::CompareValues(VarToInt32(left), VarToInt32(right), op);
    case Rule::L: return varops_detail::CompareValues(VarToInt64(left), VarToInt64(right), op);
    case Rule::R: return varops_detail::CompareValues(VarToDouble(left), VarToDouble(right), op);
    case Rule::D: return varops_detail::CompareValues(VarToDate(left), VarToDate(right), op);
    case Rule::C: return varops_detail::CompareValues(VarToCurrency(left), VarToCurrency(right), op);
    case Rule::S: return FromOrder(CompareTexts(left, right), op);
    case Rule::B: return FromOrder(ThreeWay<int>(VarToBool(left), VarToBool(right)), op);
    default: return FromOrder(0, op);  // N is handled above
  }
}

// Unary ------------------------------------------------------------------------------

constexpr double kTwoPow63 = 9223372036854775808.0;

// The 64-bit complement of a rounded value, as a 32-bit integer when it fits.
Variant ComplementOf(std::int64_t i) {
  const std::int64_t c = ~i;
  if (c >= std::numeric_limits<std::int32_t>::min() && c <= std::numeric_limits<std::int32_t>::max())
    return Variant(static_cast<std::int32_t>(c));
  return Variant(c);
}

Variant NotOfFloat(double d, std::uint16_t type) {
  const double r = RoundHalfEven(d);
  if (!(r >= -kTwoPow63 && r < kTwoPow63)) VarOverflowError(type, varInt64);
  return ComplementOf(static_cast<std::int64_t>(r));
}

std::int64_t RoundCurrencyToInteger(std::int64_t scaled) noexcept {
  std::int64_t q = scaled / 10000;
  const std::int64_t rem = scaled % 10000, absRem = rem < 0 ? -rem : rem;
  if (absRem > 5000 || (absRem == 5000 && (q & 1))) q += rem < 0 ? -1 : 1;
  return q;
}

}  // namespace

namespace varops_detail {

void VarOpSlow(Variant& left, const Variant& right, TVarOp op) {
  // Appending to a byte string we hold alone grows it in place.
  if (op == TVarOp::Add && left.VarType() == varString && right.VarType() == varString) {
    AnsiString tail = right.AsAnsiStringRaw();
    AnsiString s = left.AsAnsiStringRaw();
    left = Variant();
    s += tail.view();
    left = Variant(s);
    return;
  }
  Variant r = Compute(left, right, op);
  left = std::move(r);
}

Variant VarBinaryOpSlow(const Variant& left, const Variant& right, TVarOp op) { return Compute(left, right, op); }

bool VarCompareSlow(const Variant& left, const Variant& right, TVarCompareOp op) { return Compare(left, right, op); }

bool VarAsConditionSlow(const Variant& v) { return VarToBool(v); }

}  // namespace varops_detail

Variant VarNegate(const Variant& v) {
  const std::uint16_t t = v.VarType();
  switch (t) {
    case varNull: return v;
    case varEmpty: return Variant(std::int32_t(0));
    // Narrow kinds widen, so -(-128) and -(65535) keep their value.
    case varShortInt: return Variant(-static_cast<std::int32_t>(v.AsShortIntRaw()));
    case varByte: return Variant(-static_cast<std::int32_t>(v.AsByteRaw()));
    case varSmallint: return Variant(-static_cast<std::int32_t>(v.AsSmallintRaw()));
    case varWord: return Variant(-static_cast<std::int32_t>(v.AsWordRaw()));
    case varLongWord: return Variant(-static_cast<std::int64_t>(v.AsLongWordRaw()));
    // Without overflow check: the most negative value stays itself.
    case varInteger: return Variant(static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(v.AsIntegerRaw())));
    case varInt64: return Variant(static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(v.AsInt64Raw())));
    case varCurrency: return Variant::FromCurrency(static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(v.AsInt64Raw())));
    case varSingle: return Variant::FromSingle(-v.AsSingleRaw());
    case varDouble: return Variant(-v.AsDoubleRaw());
    case varDate: return Variant::FromDate(-v.AsDoubleRaw());
    // True is -1, so its negation is 1.
    case varBoolean: return Variant(std::int32_t(v.AsBooleanRaw() ? 1 : 0));
    case varString:
    case varOleStr: return Variant(-VarToDouble(v));
    default:
      if (t & varByRef) return VarNegate(VarDereference(v));
      VarInvalidOpError();
  }
}

Variant VarNot(const Variant& v) {
  const std::uint16_t t = v.VarType();
  switch (t) {
    case varNull: return v;
    case varEmpty: return Variant(std::int32_t(-1));
    case varBoolean: return Variant(!v.AsBooleanRaw());
    // Integers complement in their own width.
    case varShortInt: return Variant::FromShortInt(static_cast<std::int8_t>(~v.AsShortIntRaw()));
    case varByte: return Variant::FromByte(static_cast<std::uint8_t>(~v.AsByteRaw()));
    case varSmallint: return Variant::FromSmallint(static_cast<std::int16_t>(~v.AsSmallintRaw()));
    case varWord: return Variant::FromWord(static_cast<std::uint16_t>(~v.AsWordRaw()));
    case varInteger: return Variant(static_cast<std::int32_t>(~v.AsIntegerRaw()));
    case varLongWord: return Variant::FromLongWord(~v.AsLongWordRaw());
    case varInt64: return Variant(static_cast<std::int64_t>(~v.AsInt64Raw()));
    case varSingle: return NotOfFloat(v.AsSingleRaw(), t);
    case varDouble:
    case varDate: return NotOfFloat(v.AsDoubleRaw(), t);
    case varCurrency: return ComplementOf(RoundCurrencyToInteger(v.AsInt64Raw()));
    case varString:
    case varOleStr: return Variant(!VarToBool(v));
    default:
      if (t & varByRef) return VarNot(VarDereference(v));
      VarInvalidOpError();
  }
}

void VarStrCatInPlace(Variant& left, const Variant& right) {
  if (left.VarType() != varString) {
    VarOpInPlace(left, right, TVarOp::Add);
    return;
  }
  AnsiString tail = VarToStr(right);
  AnsiString s = left.AsAnsiStringRaw();
  left = Variant();  // lets s grow in place when nobody else shares it
  s += tail.view();
  left = Variant(s);
}

Variant VarStrCat(const Variant& left, const Variant& right) {
  if (left.VarType() != varString) return VarBinaryOp(left, right, TVarOp::Add);
  AnsiString s = left.AsAnsiStringRaw();
  s += VarToStr(right).view();
  return Variant(s);
}

}  // namespace rtl
