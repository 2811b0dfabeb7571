#include "rtl/VariantConvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"

using namespace rtl;

namespace {

std::string CastError(const char* from, const char* to) {
  return std::string("Could not convert variant of type (") + from + ") into type (" + to + ")";
}

std::string OverflowError(const char* from, const char* to) {
  return std::string("Overflow while converting variant of type (") + from + ") into type (" + to + ")";
}

Variant Str(const char* s) { return Variant(s); }
Variant Wide(std::u16string_view s) { return Variant(s); }
Variant Int(std::int32_t v) { return Variant(v); }
Variant I64(std::int64_t v) { return Variant(v); }
Variant Dbl(double v) { return Variant(v); }
Variant Cur(double v) { return Variant::FromCurrency(std::llround(v * 10000)); }

Variant OneElementArray() {
  const std::int32_t bounds[] = {0, 0};
  return Variant::AdoptArray(VarArrayCreate(bounds, 1));
}

struct ConvertCase {
  const char* Label;
  Variant Value;
  std::uint16_t Target;
  Variant Expected;     // when Error is empty
  std::string Error;    // the message expected instead
};

void Check(const ConvertCase& c) {
  SCOPED_TRACE(c.Label);
  if (c.Error.empty()) {
    Variant r;
    try {
      r = VarAsType(c.Value, c.Target);
    } catch (const Exception& e) {
      FAIL() << "raised " << e.Message();
    }
    EXPECT_TRUE(r.SameAs(c.Expected)) << "type " << r.VarType() << " text " << VarToStr(r).str();
  } else {
    try {
      VarAsType(c.Value, c.Target);
      ADD_FAILURE() << "no error";
    } catch (const EVariantError& e) {
      EXPECT_EQ(e.Message(), c.Error);
    }
  }
}

}  // namespace

TEST(VariantConvert, KindNames) {
  EXPECT_EQ(VarTypeAsText(varSmallint), "Smallint");
  EXPECT_EQ(VarTypeAsText(varOleStr), "OleStr");
  EXPECT_EQ(VarTypeAsText(varLongWord), "LongWord");
  EXPECT_EQ(VarTypeAsText(varString), "String");
  EXPECT_EQ(VarTypeAsText(varArray | varVariant), "Array Variant");
  EXPECT_EQ(VarTypeAsText(varByRef | varInteger), "ByRef Integer");
  EXPECT_EQ(VarTypeAsText(0x000F), "$000F");
}

TEST(VariantConvert, IntegerTargets) {
  const ConvertCase cases[] = {
      {"byte fits", Int(255), varByte, Variant::FromByte(255), ""},
      {"300 to byte", Int(300), varByte, {}, OverflowError("Integer", "Byte")},
      {"-1 to byte", Int(-1), varByte, {}, OverflowError("Integer", "Byte")},
      {"2^31 to integer", I64(std::int64_t{1} << 31), varInteger, {}, OverflowError("Int64", "Integer")},
      {"-2^31 to integer", I64(-(std::int64_t{1} << 31)), varInteger, Int(INT32_MIN), ""},
      {"word to smallint", Variant::FromWord(65535), varSmallint, {}, OverflowError("Word", "Smallint")},
      {"longword to int64", Variant::FromLongWord(4294967295u), varInt64, I64(4294967295LL), ""},
      {"longword to integer", Variant::FromLongWord(4294967295u), varInteger, {}, OverflowError("LongWord", "Integer")},
      {"shortint to byte", Variant::FromShortInt(-5), varByte, {}, OverflowError("ShortInt", "Byte")},
      {"int to shortint", Int(-128), varShortInt, Variant::FromShortInt(-128), ""},
      {"int to longword", Int(-1), varLongWord, {}, OverflowError("Integer", "LongWord")},
      // Floats round half to even.
      {"2.5", Dbl(2.5), varInteger, Int(2), ""},
      {"3.5", Dbl(3.5), varInteger, Int(4), ""},
      {"-2.5", Dbl(-2.5), varInteger, Int(-2), ""},
      {"-3.5", Dbl(-3.5), varInteger, Int(-4), ""},
      {"0.5", Dbl(0.5), varInteger, Int(0), ""},
      {"2.6", Dbl(2.6), varInteger, Int(3), ""},
      {"single 1.5", Variant::FromSingle(1.5f), varSmallint, Variant::FromSmallint(2), ""},
      {"date to int", Variant::FromDate(45000.75), varInteger, Int(45001), ""},
      {"2^63 to int64", Dbl(9223372036854775808.0), varInt64, {}, OverflowError("Double", "Int64")},
      {"-2^63 to int64", Dbl(-9223372036854775808.0), varInt64, I64(INT64_MIN), ""},
      {"2147483647.4", Dbl(2147483647.4), varInteger, Int(INT32_MAX), ""},
      {"2147483647.5", Dbl(2147483647.5), varInteger, {}, OverflowError("Double", "Integer")},
      {"NaN", Dbl(std::nan("")), varInteger, {}, OverflowError("Double", "Integer")},
      {"infinity", Dbl(INFINITY), varInt64, {}, OverflowError("Double", "Int64")},
      {"currency 2.5", Cur(2.5), varInteger, Int(2), ""},
      {"currency 3.5", Cur(3.5), varInteger, Int(4), ""},
      {"currency -3.5", Cur(-3.5), varInteger, Int(-4), ""},
      {"currency -2.5001", Cur(-2.5001), varInteger, Int(-3), ""},
      // True is -1, all bits set in unsigned kinds.
      {"true", Variant(true), varInteger, Int(-1), ""},
      {"true to byte", Variant(true), varByte, Variant::FromByte(255), ""},
      {"false", Variant(false), varInt64, I64(0), ""},
      {"empty", Variant(), varInteger, Int(0), ""},
      {"null", Variant::Null(), varInteger, {}, CastError("Null", "Integer")},
  };
  for (const ConvertCase& c : cases) Check(c);
}

TEST(VariantConvert, TextToNumbers) {
  const ConvertCase cases[] = {
      {"blanks", Str("  42 "), varInteger, Int(42), ""},
      {"sign", Str("+7"), varSmallint, Variant::FromSmallint(7), ""},
      {"negative", Str("-7"), varInteger, Int(-7), ""},
      {"dollar hex", Str("$FF"), varInteger, Int(255), ""},
      {"0x hex", Str("0x1f"), varByte, Variant::FromByte(31), ""},
      {"negative hex", Str("-$10"), varInteger, Int(-16), ""},
      {"hex pattern", Str("$FFFFFFFFFFFFFFFF"), varInt64, I64(-1), ""},
      {"float to int", Str("2.5"), varInteger, Int(2), ""},
      {"exponent to int", Str("1e3"), varInteger, Int(1000), ""},
      {"too big", Str("99999999999"), varInteger, {}, OverflowError("String", "Integer")},
      {"beyond int64", Str("99999999999999999999"), varInt64, {}, OverflowError("String", "Int64")},
      {"not a number", Str("abc"), varInteger, {}, CastError("String", "Integer")},
      {"empty text", Str(""), varInteger, {}, CastError("String", "Integer")},
      {"inner blank", Str("1 2"), varInteger, {}, CastError("String", "Integer")},
      {"true text", Str("True"), varInteger, Int(-1), ""},
      {"false text", Str("fALSE"), varDouble, Dbl(0), ""},
      {"double", Str(" -1.5e3 "), varDouble, Dbl(-1500), ""},
      {"leading point", Str(".25"), varDouble, Dbl(0.25), ""},
      {"hex to double", Str("$10"), varDouble, Dbl(16), ""},
      {"double overflow", Str("1e400"), varDouble, {}, OverflowError("String", "Double")},
      {"double underflow", Str("1e-400"), varDouble, Dbl(0), ""},
      {"wide text", Wide(u"12.25"), varDouble, Dbl(12.25), ""},
      {"wide to single", Wide(u"0.1"), varSingle, Variant::FromSingle(0.1f), ""},
      {"wide junk", Wide(u"1x"), varDouble, {}, CastError("OleStr", "Double")},
      {"single overflow", Str("1e39"), varSingle, {}, OverflowError("String", "Single")},
      {"currency exact", Str("922337203685477.5807"), varCurrency, Variant::FromCurrency(INT64_MAX), ""},
      {"currency min", Str("-922337203685477.5808"), varCurrency, Variant::FromCurrency(INT64_MIN), ""},
      {"currency overflow", Str("922337203685477.5808"), varCurrency, {}, OverflowError("String", "Currency")},
      {"currency half even down", Str("1.00005"), varCurrency, Variant::FromCurrency(10000), ""},
      {"currency half even up", Str("1.00015"), varCurrency, Variant::FromCurrency(10002), ""},
      {"currency above half", Str("1.000051"), varCurrency, Variant::FromCurrency(10001), ""},
      {"currency exponent", Str("1.5e2"), varCurrency, Variant::FromCurrency(1500000), ""},
  };
  for (const ConvertCase& c : cases) Check(c);
}

TEST(VariantConvert, FloatAndCurrencyTargets) {
  const ConvertCase cases[] = {
      {"1e300 to single", Dbl(1e300), varSingle, {}, OverflowError("Double", "Single")},
      {"-1e300 to single", Dbl(-1e300), varSingle, {}, OverflowError("Double", "Single")},
      {"single fits", Dbl(0.5), varSingle, Variant::FromSingle(0.5f), ""},
      {"int to double", Int(-3), varDouble, Dbl(-3), ""},
      {"currency to double", Cur(1.2345), varDouble, Dbl(1.2345), ""},
      {"true to double", Variant(true), varDouble, Dbl(-1), ""},
      {"double to currency", Dbl(1.23456), varCurrency, Cur(1.2346), ""},
      {"1e20 to currency", Dbl(1e20), varCurrency, {}, OverflowError("Double", "Currency")},
      {"int64 to currency", I64(1000000000000000LL), varCurrency, {}, OverflowError("Int64", "Currency")},
      {"int to currency", Int(-7), varCurrency, Variant::FromCurrency(-70000), ""},
      {"true to currency", Variant(true), varCurrency, Variant::FromCurrency(-10000), ""},
      {"int to date", Int(45000), varDate, Variant::FromDate(45000), ""},
      {"double to date", Dbl(1.25), varDate, Variant::FromDate(1.25), ""},
  };
  for (const ConvertCase& c : cases) Check(c);
}

TEST(VariantConvert, BooleanTargets) {
  const ConvertCase cases[] = {
      {"TRUE", Str("TRUE"), varBoolean, Variant(true), ""},
      {"blanks", Str(" false "), varBoolean, Variant(false), ""},
      {"zero text", Str("0"), varBoolean, Variant(false), ""},
      {"number text", Str("2.5"), varBoolean, Variant(true), ""},
      {"wide", Wide(u"True"), varBoolean, Variant(true), ""},
      {"other text", Str("yes"), varBoolean, {}, CastError("String", "Boolean")},
      {"int", Int(-2), varBoolean, Variant(true), ""},
      {"zero", Dbl(0.0), varBoolean, Variant(false), ""},
      {"currency", Cur(0.0001), varBoolean, Variant(true), ""},
      {"empty", Variant(), varBoolean, Variant(false), ""},
      {"null", Variant::Null(), varBoolean, {}, CastError("Null", "Boolean")},
  };
  for (const ConvertCase& c : cases) Check(c);
}

TEST(VariantConvert, TextTargets) {
  const ConvertCase cases[] = {
      {"0.1", Dbl(0.1), varString, Str("0.1"), ""},
      {"1e20", Dbl(1e20), varString, Str("1E20"), ""},
      {"1.5", Dbl(1.5), varString, Str("1.5"), ""},
      {"100", Dbl(100), varString, Str("100"), ""},
      {"1e15", Dbl(1e15), varString, Str("1E15"), ""},
      {"15 digits", Dbl(123456789012345.0), varString, Str("123456789012345"), ""},
      {"0.0001", Dbl(0.0001), varString, Str("0.0001"), ""},
      {"0.00001", Dbl(0.00001), varString, Str("1E-5"), ""},
      {"-1.5e-7", Dbl(-1.5e-7), varString, Str("-1.5E-7"), ""},
      {"1/3", Dbl(1.0 / 3), varString, Str("0.333333333333333"), ""},
      {"2/3", Dbl(2.0 / 3), varString, Str("0.666666666666667"), ""},
      {"0.1+0.2", Dbl(0.1 + 0.2), varString, Str("0.3"), ""},
      {"1.23456789012345678e17", Dbl(1.23456789012345678e17), varString, Str("1.23456789012346E17"), ""},
      {"zero", Dbl(-0.0), varString, Str("0"), ""},
      {"infinity", Dbl(-INFINITY), varString, Str("-INF"), ""},
      {"single", Variant::FromSingle(0.1f), varString, Str("0.1"), ""},
      {"single big", Variant::FromSingle(16777216.0f), varString, Str("16777216"), ""},
      {"currency", Cur(1.5), varString, Str("1.5"), ""},
      {"currency small", Cur(-0.0001), varString, Str("-0.0001"), ""},
      {"currency whole", Cur(12), varString, Str("12"), ""},
      {"currency min", Variant::FromCurrency(INT64_MIN), varString, Str("-922337203685477.5808"), ""},
      {"int", Int(-42), varString, Str("-42"), ""},
      {"longword", Variant::FromLongWord(4294967295u), varString, Str("4294967295"), ""},
      {"int64", I64(INT64_MIN), varString, Str("-9223372036854775808"), ""},
      {"true", Variant(true), varString, Str("True"), ""},
      {"false", Variant(false), varOleStr, Wide(u"False"), ""},
      {"empty", Variant(), varString, Str(""), ""},
      {"empty wide", Variant(), varOleStr, Wide(u""), ""},
      {"null", Variant::Null(), varString, {}, CastError("Null", "String")},
      {"date", Variant::FromDate(45000), varString, Str("3/15/2023"), ""},
      {"date and time", Variant::FromDate(45000.5), varString, Str("3/15/2023 12:00:00 PM"), ""},
      {"epoch", Variant::FromDate(0), varString, Str("12/30/1899"), ""},
      {"before epoch", Variant::FromDate(-1.25), varString, Str("12/29/1899 6:00:00 AM"), ""},
      {"morning", Variant::FromDate(45351 + (13 * 3600 + 5 * 60 + 9) / 86400.0), varString,
       Str("2/29/2024 1:05:09 PM"), ""},
      {"date out of range", Variant::FromDate(1e10), varString, {}, CastError("Date", "String")},
  };
  for (const ConvertCase& c : cases) Check(c);
}

TEST(VariantConvert, TextToDate) {
  const ConvertCase cases[] = {
      {"date", Str("3/15/2023"), varDate, Variant::FromDate(45000), ""},
      {"date and time", Str(" 3/15/2023 12:00:00 PM "), varDate, Variant::FromDate(45000.5), ""},
      {"24-hour time", Str("2/29/2024 13:05:09"), varDate,
       Variant::FromDate(45351 + (13 * 3600 + 5 * 60 + 9) / 86400.0), ""},
      {"time only", Str("6:00 AM"), varDate, Variant::FromDate(0.25), ""},
      {"midnight", Str("12:00 am"), varDate, Variant::FromDate(0), ""},
      {"before epoch", Str("12/29/1899 6:00:00 AM"), varDate, Variant::FromDate(-1.25), ""},
      {"not a day", Str("2/30/2023"), varDate, {}, CastError("String", "Date")},
      {"hour 13 pm", Str("13:00 PM"), varDate, {}, CastError("String", "Date")},
      {"junk", Str("soon"), varDate, {}, CastError("String", "Date")},
      {"wide", Wide(u"1/1/2000"), varDate, Variant::FromDate(36526), ""},
  };
  for (const ConvertCase& c : cases) Check(c);
  // The text form reads back.
  for (double serial : {45000.0, 45000.5, -1.25, 0.75, 2958465.0, -693593.0}) {
    Variant text = VarAsType(Variant::FromDate(serial), varString);
    EXPECT_DOUBLE_EQ(VarToDate(text), serial) << VarToStr(text).str();
  }
}

TEST(VariantConvert, KindsThatConvertOnlyToThemselves) {
  const ConvertCase cases[] = {
      {"array to int", OneElementArray(), varInteger, {}, CastError("Array Variant", "Integer")},
      {"array to text", OneElementArray(), varOleStr, {}, CastError("Array Variant", "OleStr")},
      {"array to boolean", OneElementArray(), varBoolean, {}, CastError("Array Variant", "Boolean")},
      {"array to itself", OneElementArray(), varArray | varVariant, OneElementArray(), ""},
      {"text to array", Str("1"), varArray | varVariant, {}, CastError("String", "Array Variant")},
      {"error to int", Variant::FromError(5), varInteger, {}, CastError("Error", "Integer")},
      {"int to error", Int(5), varError, {}, CastError("Integer", "Error")},
      {"int to dispatch", Int(5), varDispatch, {}, CastError("Integer", "Dispatch")},
      {"null to null", Variant::Null(), varNull, Variant::Null(), ""},
      {"null to empty", Variant::Null(), varEmpty, Variant(), ""},
      {"anything to empty", Str("x"), varEmpty, Variant(), ""},
      {"int to null", Int(1), varNull, Variant::Null(), ""},
      {"variant is a copy", Str("x"), varVariant, Str("x"), ""},
      {"no such target", Int(1), 0x000E, {}, "Invalid variant type"},
      {"any", Int(1), varAny, {}, "Invalid variant type"},
  };
  for (const ConvertCase& c : cases) Check(c);
}

TEST(VariantConvert, StringKindsConvertThroughTheCodePage) {
  if (ProcessCodePage() != cpWindows1252) GTEST_SKIP();
  Variant wide = VarAsType(Str("caf\xE9"), varOleStr);
  ASSERT_EQ(wide.VarType(), varOleStr);
  EXPECT_EQ(wide.AsOleStrRaw(), u"caf\u00E9");
  EXPECT_EQ(VarToAnsiString(Wide(u"\u20AC5")), "\x80" "5");
  EXPECT_EQ(VarToWideString(Str("\x80")), u"\u20AC");
}

TEST(VariantConvert, DirectHelpers) {
  EXPECT_EQ(VarToInt32(Str("12")), 12);
  EXPECT_EQ(VarToInt64(Str("9223372036854775807")), INT64_MAX);
  EXPECT_DOUBLE_EQ(VarToDouble(Int(3)), 3.0);
  EXPECT_FLOAT_EQ(VarToSingle(Str("2.5")), 2.5f);
  EXPECT_TRUE(VarToBool(Str("true")));
  EXPECT_EQ(VarToCurrency(Str("1.25")), 12500);
  EXPECT_DOUBLE_EQ(VarToDate(Str("1/1/2000")), 36526.0);
  EXPECT_EQ(VarToAnsiString(Dbl(2.5)), "2.5");
  EXPECT_EQ(VarToWideString(Int(7)), u"7");
  EXPECT_EQ(VarToStr(Variant::Null()), "");
  EXPECT_THROW(VarToAnsiString(Variant::Null()), EVariantError);
  try {
    VarToInt32(Dbl(1e10));
    ADD_FAILURE();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), OverflowError("Double", "Integer"));
    EXPECT_EQ(e.ClassName(), "EVariantError");
  }
}

TEST(VariantConvert, LocaleDecimalSeparator) {
  FormatSettings saved = CurrentFormatSettings();
  FormatSettings comma = saved;
  comma.DecimalSeparator = ',';
  SetCurrentFormatSettings(comma);
  EXPECT_DOUBLE_EQ(VarToDouble(Str("1,5")), 1.5);
  EXPECT_EQ(VarToCurrency(Str("-0,25")), -2500);
  EXPECT_EQ(VarToAnsiString(Dbl(1.5)), "1,5");
  EXPECT_EQ(VarToAnsiString(Cur(0.5)), "0,5");
  EXPECT_EQ(VarToAnsiString(Dbl(1.5e-7)), "1,5E-7");
  bool raised = false;
  try {
    VarToDouble(Str("1.5"));
  } catch (const EVariantError&) {
    raised = true;
  }
  SetCurrentFormatSettings(saved);
  EXPECT_TRUE(raised);
  EXPECT_DOUBLE_EQ(VarToDouble(Str("1.5")), 1.5);
}

TEST(VariantConvert, ByReferenceValues) {
  std::int32_t i = 300;
  Variant ri = Variant::FromByRef(varInteger, &i);
  EXPECT_EQ(VarToInt32(ri), 300);
  EXPECT_EQ(VarToAnsiString(ri), "300");
  try {
    VarAsType(ri, varByte);
    ADD_FAILURE();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), OverflowError("Integer", "Byte"));
  }
  Variant inner("referenced");
  Variant rv = Variant::FromByRef(varVariant, &inner);
  Variant copy = VarDereference(rv);
  EXPECT_TRUE(copy.SameAs(inner));
  // A reference to itself has no value; it must not loop.
  Variant self;
  self = Variant::FromByRef(varVariant, &self);
  EXPECT_THROW(VarToInt32(self), EVariantError);
  Variant nowhere = Variant::FromByRef(varInteger, nullptr);
  EXPECT_THROW(VarToInt32(nowhere), EVariantError);
}

TEST(VariantConvert, StoringNormalisesTheValue) {
  Variant dest;
  VarStoreNormalised(dest, Str("text"));
  EXPECT_EQ(dest.VarType(), varOleStr);
  EXPECT_EQ(dest.AsOleStrRaw(), u"text");

  // A host may hand over a Boolean that is neither 0 nor -1, or a small integer with
  // stray bytes after its data: both are rewritten in their own type.
  Variant raw;
  const std::uint16_t boolType = varBoolean;
  const std::int16_t one = 1;
  std::memcpy(reinterpret_cast<char*>(&raw), &boolType, 2);
  std::memcpy(reinterpret_cast<char*>(&raw) + 8, &one, 2);
  VarStoreNormalised(dest, raw);
  EXPECT_TRUE(dest.SameAs(Variant(true)));

  Variant stray;
  const std::uint16_t smallType = varSmallint;
  const unsigned char bytes[8] = {5, 0, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  std::memcpy(reinterpret_cast<char*>(&stray), &smallType, 2);
  std::memcpy(reinterpret_cast<char*>(&stray) + 8, bytes, 8);
  VarStoreNormalised(dest, stray);
  unsigned char stored[8];
  std::memcpy(stored, reinterpret_cast<const char*>(&dest) + 8, 8);
  EXPECT_EQ(dest.VarType(), varSmallint);
  EXPECT_EQ(stored[0], 5);
  for (int k = 2; k < 8; ++k) EXPECT_EQ(stored[k], 0) << k;

  // Other kinds are kept as they are.
  for (const Variant& v : {Variant::FromDate(1.5), Variant::Null(), Variant(), Wide(u"w"), OneElementArray(),
                           Variant::FromCurrency(5), I64(-9)}) {
    VarStoreNormalised(dest, v);
    EXPECT_TRUE(dest.SameAs(v)) << v.VarType();
  }

  // A reference is stored as the value it points at.
  AnsiString referenced("by ref");
  void* rawString = referenced.Raw();
  VarStoreNormalised(dest, Variant::FromByRef(varString, &rawString));
  EXPECT_EQ(dest.VarType(), varOleStr);
  EXPECT_EQ(dest.AsOleStrRaw(), u"by ref");

  // Storing a value into itself.
  Variant same("self");
  VarStoreNormalised(same, same);
  EXPECT_EQ(same.AsOleStrRaw(), u"self");
}
