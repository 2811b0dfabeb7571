#include "rtl/VariantOps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"

using namespace rtl;

namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMinI64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMaxI64 = std::numeric_limits<std::int64_t>::max();

Variant Int(std::int32_t v) { return Variant(v); }
Variant I64(std::int64_t v) { return Variant(v); }
Variant Dbl(double v) { return Variant(v); }
Variant Str(const char* s) { return Variant(s); }
Variant Wide(const char16_t* s) { return Variant(s); }
Variant Bool(bool b) { return Variant(b); }
Variant Cur(double v) { return Variant::FromCurrency(std::llround(v * 10000)); }
Variant Date(double d) { return Variant::FromDate(d); }
Variant Null() { return Variant::Null(); }
Variant Empty() { return Variant(); }

Variant OneElementArray() {
  const std::int32_t bounds[] = {0, 0};
  return Variant::AdoptArray(VarArrayCreate(bounds, 1));
}

std::string CastError(const char* from, const char* to) {
  return std::string("Could not convert variant of type (") + from + ") into type (" + to + ")";
}

std::string OverflowError(const char* from, const char* to) {
  return std::string("Overflow while converting variant of type (") + from + ") into type (" + to + ")";
}

const std::string kInvalidOp = "Invalid variant operation";
const std::string kDivByZero = "Division by zero";
const std::string kZeroDivide = "Floating point division by zero";

std::string Describe(const Variant& v) {
  std::string text;
  try {
    text = VarToStr(v).str();
  } catch (const Exception&) {
    text = "?";
  }
  return VarTypeAsText(v.VarType()) + " " + text;
}

// Runs f and returns the message it raised ("" when it did not raise).
std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

struct OpCase {
  const char* Label;
  Variant Left;
  TVarOp Op;
  Variant Right;
  Variant Expected;   // when Error is empty
  std::string Error;  // the message expected instead
};

// Both entry points must agree: the inline fast paths and the general code.
void Check(const OpCase& c) {
  SCOPED_TRACE(c.Label);
  Variant inPlace = c.Left;
  if (!c.Error.empty()) {
    EXPECT_EQ(ErrorOf([&] { VarBinaryOp(c.Left, c.Right, c.Op); }), c.Error);
    EXPECT_EQ(ErrorOf([&] { VarOpInPlace(inPlace, c.Right, c.Op); }), c.Error);
    return;
  }
  Variant r;
  std::string err = ErrorOf([&] { r = VarBinaryOp(c.Left, c.Right, c.Op); });
  ASSERT_EQ(err, "");
  EXPECT_TRUE(r.SameAs(c.Expected)) << "got " << Describe(r) << ", expected " << Describe(c.Expected);
  err = ErrorOf([&] { VarOpInPlace(inPlace, c.Right, c.Op); });
  ASSERT_EQ(err, "");
  EXPECT_TRUE(inPlace.SameAs(c.Expected)) << "in place got " << Describe(inPlace);
}

void CheckAll(const std::vector<OpCase>& cases) {
  for (const OpCase& c : cases) Check(c);
}

using Op = TVarOp;

// The rule a pair follows, read back from the kinds its results have: "+" tells most
// rules apart; "and" separates the Boolean rule (logical) from the real rule (which
// does it on integers).
char RuleSeen(const Variant& a, const Variant& b) {
  const Variant sum = VarBinaryOp(a, b, Op::Add);
  switch (sum.VarType()) {
    case varEmpty: return 'E';
    case varNull: return 'N';
    case varInteger: return 'I';
    case varCurrency: return 'C';
    case varString:
    case varOleStr: return 'S';
    case varDate: return 'D';
    case varInt64: return 'L';
    case varDouble: return VarBinaryOp(a, b, Op::And).VarType() == varBoolean ? 'B' : 'R';
    default: return '?';
  }
}

TEST(VariantOps, ClassPairsSelectTheRuleOfTheTable) {
  // Rows: left class; columns: right class (empty, null, integer, real, currency,
  // string, Boolean, date, large).
  const char* const expected[9] = {
      "ENIRCSBDL", "NNNNNNNNN", "INIRCRIDL", "RNRRCRRDR", "CNCCCCCDC",
      "SNRRCSBDR", "BNIRCBBDL", "DNDDDDDDD", "LNLRCRLDL",
  };
  const Variant samples[9] = {Empty(), Null(), Int(3), Dbl(2.5), Cur(1.5), Str("4"), Bool(true), Date(45000.25), I64(5)};
  const char* const names[9] = {"empty", "null", "integer", "real", "currency", "string", "Boolean", "date", "large"};
  for (int l = 0; l < 9; ++l) {
    for (int r = 0; r < 9; ++r) {
      SCOPED_TRACE(std::string(names[l]) + " op " + names[r]);
      // Beside a date a text is read as a date.
      Variant a = (l == 5 && r == 7) ? Str("1/2/2020") : samples[l];
      Variant b = (r == 5 && l == 7) ? Str("1/2/2020") : samples[r];
      char seen = '?';
      std::string err = ErrorOf([&] { seen = RuleSeen(a, b); });
      ASSERT_EQ(err, "");
      EXPECT_EQ(seen, expected[l][r]);
    }
  }
}

TEST(VariantOps, EveryKindFallsInItsClass) {
  // Each kind + Integer 1 shows its class: integer kinds stay 32-bit, real kinds give a
  // double, large kinds 64-bit, texts are read as numbers.
  const std::vector<OpCase> cases = {
      {"ShortInt", Variant::FromShortInt(-100), Op::Add, Int(1), Int(-99), ""},
      {"Byte", Variant::FromByte(200), Op::Add, Int(1), Int(201), ""},
      {"Smallint", Variant::FromSmallint(30000), Op::Add, Variant::FromSmallint(30000), Int(60000), ""},
      {"Integer", Int(5), Op::Add, Int(1), Int(6), ""},
      {"Single", Variant::FromSingle(0.5f), Op::Add, Int(1), Dbl(1.5), ""},
      {"Double", Dbl(0.5), Op::Add, Int(1), Dbl(1.5), ""},
      {"Word", Variant::FromWord(65535), Op::Add, Int(1), I64(65536), ""},
      {"LongWord", Variant::FromLongWord(4000000000u), Op::Add, Int(1), I64(4000000001LL), ""},
      {"Int64", I64(5), Op::Add, Int(1), I64(6), ""},
      {"OleStr", Wide(u"4"), Op::Add, Int(1), Dbl(5), ""},
      {"String", Str("4"), Op::Add, Int(1), Dbl(5), ""},
      {"dispatch", Variant::FromInterface(nullptr), Op::Add, Int(1), Empty(), kInvalidOp},
      {"error value", Int(1), Op::Multiply, Variant::FromError(5), Empty(), kInvalidOp},
      {"array", OneElementArray(), Op::Subtract, Int(1), Empty(), kInvalidOp},
      {"null and array", Null(), Op::Add, OneElementArray(), Empty(), kInvalidOp},
  };
  CheckAll(cases);
}

TEST(VariantOps, IntegerRule) {
  CheckAll({
      {"overflowing + is redone as double", Int(kMaxInt), Op::Add, Int(1), Dbl(2147483648.0), ""},
      {"overflowing -", Int(kMinInt), Op::Subtract, Int(1), Dbl(-2147483649.0), ""},
      {"overflowing *", Int(65536), Op::Multiply, Int(65536), Dbl(4294967296.0), ""},
      {"+ within range", Int(-7), Op::Add, Int(3), Int(-4), ""},
      {"/ is real", Int(7), Op::Divide, Int(2), Dbl(3.5), ""},
      {"/ exact is still real", Int(6), Op::Divide, Int(3), Dbl(2.0), ""},
      {"div truncates", Int(7), Op::IntDivide, Int(2), Int(3), ""},
      {"div toward zero", Int(-7), Op::IntDivide, Int(2), Int(-3), ""},
      {"div negative divisor", Int(7), Op::IntDivide, Int(-2), Int(-3), ""},
      {"mod sign of dividend", Int(-7), Op::Modulus, Int(2), Int(-1), ""},
      {"mod positive dividend", Int(7), Op::Modulus, Int(-2), Int(1), ""},
      {"min div -1 does not fit", Int(kMinInt), Op::IntDivide, Int(-1), I64(2147483648LL), ""},
      {"min mod -1", Int(kMinInt), Op::Modulus, Int(-1), Int(0), ""},
      {"div by zero", Int(5), Op::IntDivide, Int(0), Empty(), kDivByZero},
      {"mod by zero", Int(5), Op::Modulus, Int(0), Empty(), kDivByZero},
      {"/ by zero", Int(5), Op::Divide, Int(0), Empty(), kZeroDivide},
      {"shl modulo 32", Int(1), Op::ShiftLeft, Int(33), Int(2), ""},
      {"shl by 32 is by 0", Int(1), Op::ShiftLeft, Int(32), Int(1), ""},
      {"shl into the sign", Int(1), Op::ShiftLeft, Int(31), Int(kMinInt), ""},
      {"shr fills with zeros", Int(-1), Op::ShiftRight, Int(28), Int(15), ""},
      {"shr by -1 is by 31", Int(kMinInt), Op::ShiftRight, Int(-1), Int(1), ""},
      {"and", Int(12), Op::And, Int(10), Int(8), ""},
      {"or", Int(12), Op::Or, Int(10), Int(14), ""},
      {"xor", Int(12), Op::Xor, Int(10), Int(6), ""},
      {"narrow kinds widen", Variant::FromByte(200), Op::Multiply, Variant::FromShortInt(-100), Int(-20000), ""},
      {"Boolean with integer: True is -1", Bool(true), Op::Add, Int(5), Int(4), ""},
      {"integer and Boolean bitwise", Int(6), Op::And, Bool(true), Int(6), ""},
      {"empty counts as 0", Empty(), Op::Subtract, Int(5), Int(-5), ""},
      {"div by empty", Int(5), Op::IntDivide, Empty(), Empty(), kDivByZero},
  });
}

TEST(VariantOps, RealRule) {
  CheckAll({
      {"+", Dbl(2.5), Op::Add, Int(1), Dbl(3.5), ""},
      {"* ", Int(2), Op::Multiply, Dbl(2.25), Dbl(4.5), ""},
      {"singles give a double", Variant::FromSingle(1.5f), Op::Add, Variant::FromSingle(0.25f), Dbl(1.75), ""},
      {"/", Dbl(1), Op::Divide, Dbl(4), Dbl(0.25), ""},
      {"/ by zero", Dbl(1), Op::Divide, Dbl(0), Empty(), kZeroDivide},
      {"/ by zero from the general path", Dbl(1), Op::Divide, Int(0), Empty(), kZeroDivide},
      // Integer operations round their operands half to even first.
      {"div rounds 7.5 to 8", Dbl(7.5), Op::IntDivide, Int(2), Int(4), ""},
      {"mod rounds 6.5 to 6", Dbl(6.5), Op::Modulus, Dbl(4), Int(2), ""},
      {"and rounds", Dbl(2.5), Op::And, Int(7), Int(2), ""},
      {"shl", Dbl(1), Op::ShiftLeft, Dbl(4), Int(16), ""},
      {"div by 0.4 (rounds to 0)", Int(5), Op::IntDivide, Dbl(0.4), Empty(), kDivByZero},
      {"too large for 32 bits", Dbl(1e10), Op::IntDivide, Int(2), Empty(), OverflowError("Double", "Integer")},
      {"large with real", I64(1) , Op::Add, Dbl(0.5), Dbl(1.5), ""},
  });
}

TEST(VariantOps, CurrencyRule) {
  CheckAll({
      {"+ is exact", Cur(0.1), Op::Add, Cur(0.2), Cur(0.3), ""},
      {"- is exact", Cur(1), Op::Subtract, Cur(0.0001), Cur(0.9999), ""},
      {"with a double", Cur(1.5), Op::Add, Dbl(0.25), Cur(1.75), ""},
      {"with an integer on the left", Int(2), Op::Subtract, Cur(0.5), Cur(1.5), ""},
      {"*", Cur(1.5), Op::Multiply, Cur(1.5), Cur(2.25), ""},
      {"* rounds half to even down", Cur(0.0001), Op::Multiply, Cur(0.5), Cur(0), ""},
      {"* rounds half to even up", Cur(0.0003), Op::Multiply, Cur(0.5), Cur(0.0002), ""},
      // Products and quotients beyond 64 bits before scaling stay exact.
      {"* with a wide intermediate", Cur(1e11), Op::Multiply, Cur(2), Cur(2e11), ""},
      {"* negative", Cur(-1e11), Op::Multiply, Cur(2), Cur(-2e11), ""},
      {"/", Cur(10), Op::Divide, Cur(4), Cur(2.5), ""},
      {"/ rounds to four decimals", Cur(2), Op::Divide, Cur(3), Cur(0.6667), ""},
      {"/ negative rounds", Cur(-1), Op::Divide, Cur(3), Cur(-0.3333), ""},
      {"/ with a wide intermediate", Cur(1e11), Op::Divide, Cur(0.5), Cur(2e11), ""},
      {"currency / integer is currency", Cur(10), Op::Divide, Int(4), Cur(2.5), ""},
      {"integer / currency is a double", Int(10), Op::Divide, Cur(4), Dbl(2.5), ""},
      {"double / currency is a double", Dbl(1), Op::Divide, Cur(8), Dbl(0.125), ""},
      {"/ by zero currency", Cur(1), Op::Divide, Cur(0), Empty(), kZeroDivide},
      {"div under integer rules", Cur(7), Op::IntDivide, Int(2), Int(3), ""},
      {"mod rounds half to even", Cur(2.5), Op::Modulus, Int(3), Int(2), ""},
      {"+ overflow", Variant::FromCurrency(kMaxI64), Op::Add, Cur(1), Empty(), OverflowError("Currency", "Currency")},
      {"* overflow", Cur(9e8), Op::Multiply, Cur(9e8), Empty(), OverflowError("Currency", "Currency")},
      {"text not a number", Cur(1), Op::Add, Str("abc"), Empty(), CastError("String", "Currency")},
  });
}

TEST(VariantOps, StringRule) {
  CheckAll({
      {"+ joins", Str("12"), Op::Add, Str("5"), Str("125"), ""},
      {"+ joins with empty", Empty(), Op::Add, Str("ab"), Str("ab"), ""},
      {"+ joins into a wide string when one side is wide", Str("ab"), Op::Add, Wide(u"\u20ACc"), Wide(u"ab\u20ACc"), ""},
      {"text + integer is real", Str("12"), Op::Add, Int(5), Dbl(17), ""},
      {"integer + text is real", Int(5), Op::Add, Str("2.5"), Dbl(7.5), ""},
      {"- reads numbers", Str("12"), Op::Subtract, Str("5"), Dbl(7), ""},
      {"* reads numbers", Str("1.5"), Op::Multiply, Str("4"), Dbl(6), ""},
      {"div under integer rules", Str("12"), Op::IntDivide, Str("5"), Int(2), ""},
      {"text - integer not a number", Str("abc"), Op::Subtract, Int(1), Empty(), CastError("String", "Double")},
      {"text + text not a number is still a join", Str("abc"), Op::Add, Str("1"), Str("abc1"), ""},
      {"text * text not a number", Str("abc"), Op::Multiply, Str("1"), Empty(), CastError("String", "Double")},
      {"text div not a number", Str("x"), Op::IntDivide, Str("1"), Empty(), CastError("String", "Integer")},
  });
}

TEST(VariantOps, StringJoinInPlaceLeavesSharedCopiesAlone) {
  Variant a = Str("ab");
  Variant b = a;
  VarOpInPlace(b, Str("cd"), Op::Add);
  EXPECT_TRUE(b.SameAs(Str("abcd")));
  EXPECT_TRUE(a.SameAs(Str("ab")));
  // x := x + x reads the right side before the left one changes.
  VarOpInPlace(b, b, Op::Add);
  EXPECT_TRUE(b.SameAs(Str("abcdabcd")));
}

TEST(VariantOps, BooleanRule) {
  CheckAll({
      {"and", Bool(true), Op::And, Bool(false), Bool(false), ""},
      {"or", Bool(false), Op::Or, Bool(true), Bool(true), ""},
      {"xor", Bool(true), Op::Xor, Bool(true), Bool(false), ""},
      {"text read as Boolean", Str("True"), Op::And, Bool(true), Bool(true), ""},
      {"number text read as Boolean", Str("0"), Op::Or, Bool(false), Bool(false), ""},
      {"empty is False", Empty(), Op::Or, Bool(false), Bool(false), ""},
      {"+ is real, True is -1", Bool(true), Op::Add, Bool(true), Dbl(-2), ""},
      {"/ is real", Bool(true), Op::Divide, Str("4"), Dbl(-0.25), ""},
      {"/ by False", Bool(true), Op::Divide, Bool(false), Empty(), kZeroDivide},
      {"div under integer rules", Bool(true), Op::IntDivide, Bool(true), Int(1), ""},
      {"shl under integer rules", Bool(true), Op::ShiftLeft, Empty(), Int(-1), ""},
      {"text not a Boolean", Str("yes"), Op::And, Bool(true), Empty(), CastError("String", "Boolean")},
  });
}

TEST(VariantOps, DateRule) {
  CheckAll({
      {"date + days is a date", Date(45000.5), Op::Add, Int(1), Date(45001.5), ""},
      {"days + date is a date", Dbl(0.25), Op::Add, Date(45000.5), Date(45000.75), ""},
      {"date - days is a date", Date(45000.5), Op::Subtract, Dbl(0.25), Date(45000.25), ""},
      {"date - date is a number of days", Date(45000.75), Op::Subtract, Date(45000.5), Dbl(0.25), ""},
      {"date - date text is a date", Date(43832), Op::Subtract, Str("1/1/2020"), Date(1), ""},
      {"* is real", Date(2), Op::Multiply, Int(3), Dbl(6), ""},
      {"/ is real", Date(3), Op::Divide, Cur(2), Dbl(1.5), ""},
      {"div rounds half to even", Date(45000.5), Op::IntDivide, Int(2), Int(22500), ""},
      {"text that is no date", Date(1), Op::Add, Str("12"), Empty(), CastError("String", "Date")},
  });
}

TEST(VariantOps, LargeIntegerRule) {
  CheckAll({
      {"+ wraps", I64(kMaxI64), Op::Add, Int(1), I64(kMinI64), ""},
      {"- wraps", I64(kMinI64), Op::Subtract, I64(1), I64(kMaxI64), ""},
      {"* within range", I64(3000000000LL), Op::Multiply, Int(3), I64(9000000000LL), ""},
      {"* overflow is redone as double", I64(1LL << 62), Op::Multiply, Int(4), Dbl(18446744073709551616.0), ""},
      {"/ is real", I64(7), Op::Divide, I64(2), Dbl(3.5), ""},
      {"div toward zero", I64(-7), Op::IntDivide, Int(2), I64(-3), ""},
      {"mod sign of dividend", I64(-7), Op::Modulus, I64(2), I64(-1), ""},
      {"min div -1 wraps", I64(kMinI64), Op::IntDivide, Int(-1), I64(kMinI64), ""},
      {"min mod -1", I64(kMinI64), Op::Modulus, I64(-1), I64(0), ""},
      {"div by zero", I64(1), Op::IntDivide, I64(0), Empty(), kDivByZero},
      {"mod by zero", Variant::FromLongWord(1), Op::Modulus, Int(0), Empty(), kDivByZero},
      {"shl modulo 64", I64(1), Op::ShiftLeft, Int(65), I64(2), ""},
      {"shl beyond 32 bits", Variant::FromWord(1), Op::ShiftLeft, Int(40), I64(1LL << 40), ""},
      {"shr fills with zeros", I64(-1), Op::ShiftRight, Int(60), I64(15), ""},
      {"and", I64(0xF0F0F0F0F0LL), Op::And, Variant::FromLongWord(0xFFFFFFFFu), I64(0xF0F0F0F0LL), ""},
      {"xor with Boolean", I64(0), Op::Xor, Bool(true), I64(-1), ""},
      {"unsigned kinds keep their value", Variant::FromLongWord(4000000000u), Op::Add, Variant::FromLongWord(4000000000u),
       I64(8000000000LL), ""},
  });
}

TEST(VariantOps, NullPropagatesWithThreeValuedAndOr) {
  CheckAll({
      {"null + 1", Null(), Op::Add, Int(1), Null(), ""},
      {"1 - null", Int(1), Op::Subtract, Null(), Null(), ""},
      {"null div 0 raises nothing", Null(), Op::IntDivide, Int(0), Null(), ""},
      {"text + null", Str("a"), Op::Add, Null(), Null(), ""},
      {"null and false", Null(), Op::And, Bool(false), Bool(false), ""},
      {"false and null", Bool(false), Op::And, Null(), Bool(false), ""},
      {"null and true", Null(), Op::And, Bool(true), Null(), ""},
      {"null or true", Null(), Op::Or, Bool(true), Bool(true), ""},
      {"true or null", Bool(true), Op::Or, Null(), Bool(true), ""},
      {"null or false", Null(), Op::Or, Bool(false), Null(), ""},
      {"null and null", Null(), Op::And, Null(), Null(), ""},
      {"null and 0", Null(), Op::And, Int(0), Bool(false), ""},
      {"null or 'True'", Null(), Op::Or, Str("True"), Bool(true), ""},
      {"null and a text without truth", Null(), Op::And, Str("abc"), Null(), ""},
      {"null xor true", Null(), Op::Xor, Bool(true), Null(), ""},
  });
}

TEST(VariantOps, EmptyRule) {
  CheckAll({
      {"+", Empty(), Op::Add, Empty(), Empty(), ""},
      {"and", Empty(), Op::And, Empty(), Empty(), ""},
      {"shl", Empty(), Op::ShiftLeft, Empty(), Empty(), ""},
      {"/", Empty(), Op::Divide, Empty(), Empty(), kZeroDivide},
      {"div", Empty(), Op::IntDivide, Empty(), Empty(), kDivByZero},
      {"mod", Empty(), Op::Modulus, Empty(), Empty(), kDivByZero},
  });
}

TEST(VariantOps, ErrorsCarryTheirClassNames) {
  auto classOf = [](const std::function<void()>& f) -> std::string {
    try {
      f();
    } catch (const Exception& e) {
      return e.ClassName();
    }
    return "";
  };
  EXPECT_EQ(classOf([] { VarBinaryOp(Int(1), Int(0), Op::IntDivide); }), "EDivByZero");
  EXPECT_EQ(classOf([] { VarBinaryOp(Dbl(1), Dbl(0), Op::Divide); }), "EZeroDivide");
  EXPECT_EQ(classOf([] { VarBinaryOp(OneElementArray(), Int(0), Op::Add); }), "EVariantInvalidOpError");
  EXPECT_EQ(classOf([] { VarBinaryOp(Str("x"), Int(0), Op::Add); }), "EVariantError");
}

TEST(VariantOps, ByReferenceOperandsUseTheValueTheyPointAt) {
  std::int32_t i = 40;
  Variant target = Str("ab");
  const Variant ref = Variant::FromByRef(varInteger, &i);
  const Variant refVar = Variant::FromByRef(varVariant, &target);
  EXPECT_TRUE(VarBinaryOp(ref, Int(2), Op::Add).SameAs(Int(42)));
  EXPECT_TRUE(VarBinaryOp(refVar, Str("c"), Op::Add).SameAs(Str("abc")));
  EXPECT_TRUE(VarCompare(Int(40), ref, TVarCompareOp::Equal));
  EXPECT_TRUE(VarNegate(ref).SameAs(Int(-40)));
  EXPECT_TRUE(VarNot(ref).SameAs(Int(-41)));
}

// Comparisons ------------------------------------------------------------------------

using Cmp = TVarCompareOp;

struct CompareCase {
  const char* Label;
  Variant Left;
  Cmp Op;
  Variant Right;
  bool Expected;
  std::string Error;
};

TEST(VariantOps, Comparisons) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<CompareCase> cases = {
      {"null = null", Null(), Cmp::Equal, Null(), true, ""},
      {"null <> null", Null(), Cmp::NotEqual, Null(), false, ""},
      {"null = 0", Null(), Cmp::Equal, Int(0), false, ""},
      {"'' <> null", Str(""), Cmp::NotEqual, Null(), true, ""},
      {"null < 1", Null(), Cmp::Less, Int(1), true, ""},
      {"null < empty", Null(), Cmp::Less, Empty(), true, ""},
      {"null <= null", Null(), Cmp::LessEqual, Null(), true, ""},
      {"null < null", Null(), Cmp::Less, Null(), false, ""},
      {"-5 > null", Int(-5), Cmp::Greater, Null(), true, ""},
      {"null >= -5", Null(), Cmp::GreaterEqual, Int(-5), false, ""},
      {"object = null", Variant::FromInterface(nullptr), Cmp::Equal, Null(), false, ""},
      {"empty = empty", Empty(), Cmp::Equal, Empty(), true, ""},
      {"empty = 0", Empty(), Cmp::Equal, Int(0), true, ""},
      {"empty = ''", Empty(), Cmp::Equal, Str(""), true, ""},
      {"empty < 0.5", Empty(), Cmp::Less, Dbl(0.5), true, ""},
      {"integer kinds", Variant::FromByte(200), Cmp::Greater, Variant::FromShortInt(-1), true, ""},
      {"2 = 2.0", Int(2), Cmp::Equal, Dbl(2.0), true, ""},
      {"1 < 1.5", Int(1), Cmp::Less, Dbl(1.5), true, ""},
      {"NaN = NaN", Dbl(nan), Cmp::Equal, Dbl(nan), false, ""},
      {"NaN <> NaN", Dbl(nan), Cmp::NotEqual, Dbl(nan), true, ""},
      {"NaN < 1 (general path)", Dbl(nan), Cmp::Less, Int(1), false, ""},
      {"large compare exactly", I64((1LL << 53) + 1), Cmp::Greater, I64(1LL << 53), true, ""},
      {"LongWord above Integer", Variant::FromLongWord(4000000000u), Cmp::Greater, Int(kMaxInt), true, ""},
      {"currency = double", Cur(1.5), Cmp::Equal, Dbl(1.5), true, ""},
      {"currency in four decimals", Cur(0), Cmp::Equal, Dbl(0.00001), true, ""},
      {"date = number", Date(2), Cmp::Equal, Int(2), true, ""},
      {"date < date text", Date(43831), Cmp::Less, Str("1/2/2020"), true, ""},
      {"texts", Str("abc"), Cmp::Less, Str("abd"), true, ""},
      {"texts are case-sensitive", Str("abc"), Cmp::Equal, Str("ABC"), false, ""},
      {"byte order, not alphabet", Str("a"), Cmp::Less, Str("B"), false, ""},
      {"a prefix sorts first", Str("ab"), Cmp::Less, Str("abc"), true, ""},
      {"bytes are unsigned", Str("\xE9"), Cmp::Greater, Str("z"), true, ""},
      {"wide and byte text", Str("abc"), Cmp::Equal, Wide(u"abc"), true, ""},
      {"text number = number", Str("12"), Cmp::Equal, Int(12), true, ""},
      {"text number < number", Str("9"), Cmp::Less, Dbl(10), true, ""},
      {"False < True", Bool(false), Cmp::Less, Bool(true), true, ""},
      {"True > False", Bool(true), Cmp::Greater, Bool(false), true, ""},
      {"True = -1", Bool(true), Cmp::Equal, Int(-1), true, ""},
      {"'True' = True", Str("true"), Cmp::Equal, Bool(true), true, ""},
      {"text that is no number", Str("abc"), Cmp::Equal, Int(1), false, CastError("String", "Double")},
      {"arrays", OneElementArray(), Cmp::Equal, OneElementArray(), false, kInvalidOp},
      {"object with number", Int(0), Cmp::Equal, Variant::FromInterface(nullptr), false, kInvalidOp},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(c.Label);
    bool r = false;
    std::string err = ErrorOf([&] { r = VarCompare(c.Left, c.Right, c.Op); });
    EXPECT_EQ(err, c.Error);
    if (c.Error.empty()) {
      EXPECT_EQ(r, c.Expected);
    }
  }
}

TEST(VariantOps, EveryComparisonOperatorFollowsTheOrder) {
  // a < b for each pair: all six operators must agree with that, on the fast paths and
  // in the general code alike.
  const std::vector<std::pair<Variant, Variant>> ordered = {
      {Int(-3), Int(2)}, {Dbl(-0.5), Dbl(0.25)}, {Int(1), Dbl(1.5)}, {Str("ab"), Str("b")},
      {Bool(false), Bool(true)}, {Null(), Int(kMinInt)}, {Cur(1), Cur(1.0001)}, {I64(kMinI64), I64(0)},
  };
  for (const auto& [a, b] : ordered) {
    SCOPED_TRACE(Describe(a) + " < " + Describe(b));
    EXPECT_FALSE(VarCompare(a, b, Cmp::Equal));
    EXPECT_TRUE(VarCompare(a, b, Cmp::NotEqual));
    EXPECT_TRUE(VarCompare(a, b, Cmp::Less));
    EXPECT_TRUE(VarCompare(a, b, Cmp::LessEqual));
    EXPECT_FALSE(VarCompare(a, b, Cmp::Greater));
    EXPECT_FALSE(VarCompare(a, b, Cmp::GreaterEqual));
    EXPECT_TRUE(VarCompare(b, a, Cmp::Greater));
    EXPECT_TRUE(VarCompare(a, a, Cmp::Equal));
    EXPECT_TRUE(VarCompare(b, b, Cmp::LessEqual));
    EXPECT_TRUE(VarCompare(b, b, Cmp::GreaterEqual));
  }
}

// Unary operations -------------------------------------------------------------------

struct UnaryCase {
  const char* Label;
  Variant Value;
  Variant Expected;
  std::string Error;
};

void CheckUnary(Variant (*f)(const Variant&), const std::vector<UnaryCase>& cases) {
  for (const UnaryCase& c : cases) {
    SCOPED_TRACE(c.Label);
    Variant r;
    std::string err = ErrorOf([&] { r = f(c.Value); });
    EXPECT_EQ(err, c.Error);
    if (c.Error.empty()) {
      EXPECT_TRUE(r.SameAs(c.Expected)) << "got " << Describe(r) << ", expected " << Describe(c.Expected);
    }
  }
}

TEST(VariantOps, Negation) {
  CheckUnary(VarNegate, {
      {"null stays null", Null(), Null(), ""},
      {"empty gives integer 0", Empty(), Int(0), ""},
      {"integer", Int(5), Int(-5), ""},
      {"no overflow check", Int(kMinInt), Int(kMinInt), ""},
      {"Smallint widens", Variant::FromSmallint(-32768), Int(32768), ""},
      {"Byte widens", Variant::FromByte(200), Int(-200), ""},
      {"LongWord widens", Variant::FromLongWord(4000000000u), I64(-4000000000LL), ""},
      {"Int64", I64(-(1LL << 40)), I64(1LL << 40), ""},
      {"Int64 minimum stays", I64(kMinI64), I64(kMinI64), ""},
      {"Single", Variant::FromSingle(1.5f), Variant::FromSingle(-1.5f), ""},
      {"Double", Dbl(2.5), Dbl(-2.5), ""},
      {"currency", Cur(1.25), Cur(-1.25), ""},
      {"date", Date(3.5), Date(-3.5), ""},
      {"text becomes a double", Str("12"), Dbl(-12), ""},
      {"wide text", Wide(u"-0.5"), Dbl(0.5), ""},
      {"True is -1", Bool(true), Int(1), ""},
      {"text that is no number", Str("abc"), Empty(), CastError("String", "Double")},
      {"object", Variant::FromInterface(nullptr), Empty(), kInvalidOp},
      {"array", OneElementArray(), Empty(), kInvalidOp},
  });
}

TEST(VariantOps, Not) {
  CheckUnary(VarNot, {
      {"not 5", Int(5), Int(-6), ""},
      {"not True", Bool(true), Bool(false), ""},
      {"not False", Bool(false), Bool(true), ""},
      {"null stays null", Null(), Null(), ""},
      {"empty gives -1", Empty(), Int(-1), ""},
      {"Byte complements in its width", Variant::FromByte(5), Variant::FromByte(250), ""},
      {"LongWord", Variant::FromLongWord(0), Variant::FromLongWord(0xFFFFFFFFu), ""},
      {"Int64", I64(0), I64(-1), ""},
      {"2.5 rounds half to even", Dbl(2.5), Int(-3), ""},
      {"3.5 rounds half to even", Dbl(3.5), Int(-5), ""},
      {"-2.5", Dbl(-2.5), Int(1), ""},
      {"Single", Variant::FromSingle(0.75f), Int(-2), ""},
      {"result beyond 32 bits", Dbl(1e10), I64(-10000000001LL), ""},
      {"currency", Cur(2.5), Int(-3), ""},
      {"date", Date(45000.75), Int(-45002), ""},
      {"text read as Boolean", Str("True"), Bool(false), ""},
      {"number text read as Boolean", Str("0"), Bool(true), ""},
      {"text that is no Boolean", Str("abc"), Empty(), CastError("String", "Boolean")},
      {"too large to round", Dbl(1e30), Empty(), OverflowError("Double", "Int64")},
      {"array", OneElementArray(), Empty(), kInvalidOp},
  });
}

TEST(VariantOps, Conditions) {
  struct Case {
    const char* Label;
    Variant Value;
    bool Expected;
    std::string Error;
  };
  const std::vector<Case> cases = {
      {"True", Bool(true), true, ""},
      {"False", Bool(false), false, ""},
      {"1", Int(1), true, ""},
      {"0", Int(0), false, ""},
      {"-0.5", Dbl(-0.5), true, ""},
      {"0.0", Dbl(0), false, ""},
      {"currency 0.0001", Cur(0.0001), true, ""},
      {"Int64 high bits only", I64(1LL << 40), true, ""},
      {"empty", Empty(), false, ""},
      {"'True'", Str("True"), true, ""},
      {"' false '", Str(" false "), false, ""},
      {"'0'", Str("0"), false, ""},
      {"'2.5'", Wide(u"2.5"), true, ""},
      {"null", Null(), false, CastError("Null", "Boolean")},
      {"other text", Str("yes"), false, CastError("String", "Boolean")},
      {"object", Variant::FromInterface(nullptr), false, CastError("Dispatch", "Boolean")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    bool r = false;
    std::string err = ErrorOf([&] { r = VarAsCondition(c.Value); });
    EXPECT_EQ(err, c.Error);
    if (c.Error.empty()) {
      EXPECT_EQ(r, c.Expected);
    }
  }
}

TEST(VariantOps, StringJoinOperator) {
  struct Case {
    const char* Label;
    Variant Left, Right, Expected;
    std::string Error;
  };
  const std::vector<Case> cases = {
      {"text & number", Str("12"), Int(5), Str("125"), ""},
      {"text & double", Str("x"), Dbl(1.5), Str("x1.5"), ""},
      {"text & null", Str("ab"), Null(), Str("ab"), ""},
      {"text & Boolean", Str("is "), Bool(true), Str("is True"), ""},
      {"number left is +", Int(5), Int(2), Int(7), ""},
      {"wide text left is +", Wide(u"12"), Int(5), Dbl(17), ""},
      {"number & text not a number is +", Int(5), Str("ab"), Empty(), CastError("String", "Double")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    Variant r, inPlace = c.Left;
    EXPECT_EQ(ErrorOf([&] { r = VarStrCat(c.Left, c.Right); }), c.Error);
    EXPECT_EQ(ErrorOf([&] { VarStrCatInPlace(inPlace, c.Right); }), c.Error);
    if (c.Error.empty()) {
      EXPECT_TRUE(r.SameAs(c.Expected)) << "got " << Describe(r);
      EXPECT_TRUE(inPlace.SameAs(c.Expected)) << "in place got " << Describe(inPlace);
    }
  }
  Variant shared = Str("ab");
  Variant copy = shared;
  VarStrCatInPlace(copy, copy);
  EXPECT_TRUE(copy.SameAs(Str("abab")));
  EXPECT_TRUE(shared.SameAs(Str("ab")));
}

}  // namespace
