#include "rtl/Format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "rtl/Exceptions.h"

using namespace rtl;

namespace {

FormatArg I(std::int32_t v) { return FormatArg::FromInt(v); }
FormatArg L(std::int64_t v) { return FormatArg::FromInt64(v); }
FormatArg F(double v) { return FormatArg::FromFloat(v); }
FormatArg S(const char* v) { return FormatArg::FromShort(v); }

struct Case {
  const char* Fmt;
  std::vector<FormatArg> Args;
  const char* Expected;
};

void ExpectAll(const std::vector<Case>& cases, const FormatSettings& fs = FormatSettings()) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Fmt);
    EXPECT_EQ(Format(c.Fmt, c.Args, fs), c.Expected);
  }
}

std::string ErrorOf(const char* fmt, const std::vector<FormatArg>& args) {
  try {
    Format(fmt, args, FormatSettings());
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "(no error)";
}

Variant ArrayOf(std::vector<Variant> items) {
  const std::int32_t bounds[2] = {0, static_cast<std::int32_t>(items.size()) - 1};
  VarArray* a = VarArrayCreate(bounds, 1);
  for (std::size_t i = 0; i < items.size(); ++i) VarArrayData(a)[i] = std::move(items[i]);
  return Variant::AdoptArray(a);
}

}  // namespace

TEST(Format, MixedSpecifiers) {
  ExpectAll({
      {"%5.2f|%-4d|%s", {F(3.14159), I(7), S("x")}, " 3.14|7   |x"},
      {"100%% of %s", {S("it")}, "100% of it"},
      {"no specifiers", {}, "no specifiers"},
      {"%D %S %F", {I(1), S("a"), F(2)}, "1 a 2.00"},  // type letters in either case
  });
}

TEST(Format, Integers) {
  ExpectAll({
      {"%d", {I(42)}, "42"},
      {"%5d", {I(-42)}, "  -42"},
      {"%.5d", {I(-42)}, "-00042"},
      {"%-5d|", {I(42)}, "42   |"},
      {"%3d", {I(12345)}, "12345"},
      {"%d", {L(std::numeric_limits<std::int64_t>::min())}, "-9223372036854775808"},
      {"%u", {I(-1)}, "4294967295"},
      {"%u", {L(-1)}, "18446744073709551615"},
      {"%x", {I(255)}, "FF"},
      {"%.4x", {I(255)}, "00FF"},
      {"%x", {I(-1)}, "FFFFFFFF"},
      {"%x", {L(-1)}, "FFFFFFFFFFFFFFFF"},
      {"%p", {I(10)}, "0000000A"},
      {"%.25d", {I(5)}, "5"},  // a precision above 18 counts as none
  });
}

TEST(Format, Floats) {
  ExpectAll({
      {"%e", {F(1)}, "1.00000000000000E+000"},
      {"%.3e", {F(12345.678)}, "1.23E+004"},
      {"%.3e", {F(-0.00012345)}, "-1.23E-004"},
      {"%.1e", {F(25)}, "3E+001"},
      {"%e", {F(0)}, "0.00000000000000E+000"},
      {"%f", {F(2)}, "2.00"},
      {"%.0f", {F(2.5)}, "3"},
      {"%.1f", {F(-0.04)}, "0.0"},
      {"%.2f", {F(1.005)}, "1.00"},
      {"%.18f", {F(0.5)}, "0.500000000000000000"},
      {"%.20f", {F(1.5)}, "1.50"},
      {"%f", {F(1e20)}, "1E20"},
      {"%f", {F(std::numeric_limits<double>::infinity())}, "INF"},
      {"%g", {F(0.1)}, "0.1"},
      {"%g", {F(1e20)}, "1E20"},
      {"%.3g", {F(1234.5)}, "1.23E3"},
      {"%n", {F(1234567.891)}, "1,234,567.89"},
      {"%.0n", {F(-1234.5)}, "-1,235"},
      {"%m", {F(1234.5)}, "$1,234.50"},
      {"%m", {F(-1234.5)}, "($1,234.50)"},
      {"%.0m", {F(2.5)}, "$3"},
      {"%8.1f|", {F(-2.25)}, "    -2.3|"},
  });
}

TEST(Format, LocaleMoneyAndSeparators) {
  FormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  fs.CurrencyString = "EUR";
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  fs.CurrencyDecimals = 1;
  ExpectAll({
                {"%m", {F(1234.56)}, "1.234,6 EUR"},
                {"%m", {F(-1234.56)}, "-1.234,6 EUR"},
                {"%.2n|%f|%e", {F(1234.5), F(0.5), F(1)}, "1.234,50|0,50|1,00000000000000E+000"},
            },
            fs);
  fs.NegCurrFormat = 1;
  fs.CurrencyString = "$";
  fs.CurrencyFormat = 0;
  EXPECT_EQ(Format("%m", {F(-1)}, fs), "-$1,0");
}

TEST(Format, Strings) {
  ExpectAll({
      {"%s", {S("abc")}, "abc"},
      {"%.2s", {S("abc")}, "ab"},
      {"%5s", {S("ab")}, "   ab"},
      {"%-5s|", {S("ab")}, "ab   |"},
      {"%s", {FormatArg::FromWide(u"wide")}, "wide"},
      {"%s", {FormatArg::FromVariant(Variant(std::int32_t{12}))}, "12"},
      {"%.18s", {S("twenty characters ok")}, "twenty characters "},
      {"%.19s", {S("twenty characters ok")}, "twenty characters ok"},  // above 18: no precision
  });
}

TEST(Format, IndexAndStar) {
  ExpectAll({
      {"%1:s %0:s", {S("a"), S("b")}, "b a"},
      {"%1:s %s", {S("a"), S("b"), S("c")}, "b c"},  // the position goes on after an index
      {"%0:s%0:s", {S("ab")}, "abab"},
      {"%*d", {I(5), I(42)}, "   42"},
      {"%-*d|", {I(4), I(7)}, "7   |"},
      {"%.*f", {I(3), F(3.14159)}, "3.142"},
      {"%*.*f", {I(7), I(1), F(2.25)}, "    2.3"},
      {"%*:s", {I(1), S("a")}, "a"},
      {"%*d|", {I(-3), I(7)}, "7|"},  // a negative width pads nothing
      {"%1:-3d|", {I(0), I(5)}, "5  |"},
  });
}

TEST(Format, VariantArgumentsConvertToTheType) {
  const FormatArg text = FormatArg::FromVariant(Variant("12"));
  ExpectAll({
      {"%d|%x|%f|%s", {text, text, text, text}, "12|C|12.00|12"},
  });
  EXPECT_EQ(ErrorOf("%d", {FormatArg::FromVariant(Variant("abc"))}),
            "Format '%d' invalid or incompatible with argument");
}

TEST(Format, Errors) {
  const std::string invalid = "' invalid or incompatible with argument";
  struct {
    const char* Fmt;
    std::vector<FormatArg> Args;
    std::string Message;
  } const cases[] = {
      {"%d", {F(1.5)}, "Format '%d" + invalid},
      {"%f", {I(5)}, "Format '%f" + invalid},
      {"%s", {I(5)}, "Format '%s" + invalid},
      {"x %s y", {FormatArg::FromBool(true)}, "Format 'x %s y" + invalid},  // a Boolean fits no type
      {"%k", {I(1)}, "Format '%k" + invalid},
      {"abc%", {}, "Format 'abc%" + invalid},
      {"%5", {I(1)}, "Format '%5" + invalid},
      {"%*d", {S("x"), I(5)}, "Format '%*d" + invalid},
      {"%p", {F(1)}, "Format '%p" + invalid},
      {"%99999999d", {I(1)}, "Format '%99999999d" + invalid},
      {"%d", {}, "No argument for format '%d'"},
      {"%d %d", {I(1)}, "No argument for format '%d %d'"},
      {"%3:d", {I(1)}, "No argument for format '%3:d'"},
      {"%*d", {I(1)}, "No argument for format '%*d'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Fmt);
    EXPECT_EQ(ErrorOf(c.Fmt, c.Args), c.Message);
  }
}

TEST(FormatArgs, ElementsBecomeTypedArguments) {
  const std::string longText(300, 'y');
  const Variant args = ArrayOf({
      Variant::FromSmallint(-2), Variant(std::int32_t{3}), Variant::FromShortInt(-4), Variant::FromByte(200),
      Variant::FromWord(60000), Variant::FromLongWord(4000000000u), Variant::FromSingle(1.5f), Variant(2.25),
      Variant::FromCurrency(125000), Variant::FromDate(45365.5), Variant(u"wide"), Variant(true),
      Variant(std::int64_t{1} << 40), Variant(longText.c_str()), Variant::Null(), Variant(),
      Variant::FromError(5),
  });
  const std::vector<FormatArg> a = FormatArgsFromVariant(args);
  ASSERT_EQ(a.size(), 17u);
  const std::int32_t ints[] = {-2, 3, -4, 200, 60000, static_cast<std::int32_t>(4000000000u)};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(a[i].Kind, FormatArgKind::Integer) << i;
    EXPECT_EQ(a[i].Int, ints[i]) << i;
  }
  const double floats[] = {1.5, 2.25, 12.5, 45365.5};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(a[6 + i].Kind, FormatArgKind::Float) << i;
    EXPECT_EQ(a[6 + i].Float, floats[i]) << i;
  }
  EXPECT_EQ(a[10].Kind, FormatArgKind::WideString);
  EXPECT_EQ(a[10].Wide, u"wide");
  EXPECT_EQ(a[11].Kind, FormatArgKind::Boolean);
  EXPECT_TRUE(a[11].Bool);
  EXPECT_EQ(a[12].Kind, FormatArgKind::Int64);
  EXPECT_EQ(a[12].Int64, std::int64_t{1} << 40);
  EXPECT_EQ(a[13].Kind, FormatArgKind::ShortString);
  EXPECT_EQ(a[13].Short, std::string(255, 'y'));  // cut to 255
  for (int i = 14; i < 17; ++i) {
    EXPECT_EQ(a[i].Kind, FormatArgKind::Integer) << i;
    EXPECT_EQ(a[i].Int, 0) << i;
  }
  // The cut shows in the result; a wide string is not cut.
  EXPECT_EQ(Format("%s", FormatArgsFromVariant(ArrayOf({Variant(longText.c_str())}))).size(), 255u);
  const std::u16string longWide(300, u'w');
  EXPECT_EQ(Format("%s", FormatArgsFromVariant(ArrayOf({Variant(std::u16string_view(longWide))}))).size(), 300u);
}

TEST(FormatArgs, ReferencesAndSingleValues) {
  std::int32_t target = 9;
  Variant inner("v");
  const std::vector<FormatArg> a = FormatArgsFromVariant(ArrayOf({
      Variant::FromByRef(varInteger, &target),
      Variant::FromByRef(varVariant, &inner),
  }));
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].Kind, FormatArgKind::Integer);
  EXPECT_EQ(a[0].Int, 9);
  EXPECT_EQ(a[1].Kind, FormatArgKind::Variant);
  EXPECT_TRUE(a[1].Var.SameAs(inner));
  EXPECT_TRUE(FormatArgsFromVariant(Variant()).empty());
  EXPECT_TRUE(FormatArgsFromVariant(Variant::Null()).empty());
  ASSERT_EQ(FormatArgsFromVariant(Variant(2.5)).size(), 1u);
  EXPECT_EQ(Format("%s|%d", FormatArgsFromVariant(ArrayOf({Variant("a"), Variant(std::int32_t{1})}))), "a|1");
}
