// fs_UnitConversion through scripts of all four dialects: temperatures on every scale
// and their floor at absolute zero, a table of factor conversions each with its
// inverse, degrees, minutes and seconds, and percentages.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/FunctionLibrariesTestSupport.h"
#include "runtime/fsSysFunctions.h"
#include "runtime/fsUnitConversion.h"

namespace fs {
namespace {

using UnitConversionTest = test::FunctionLibrariesFixture;

std::string DoubleText(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "double %.15g", v);
  return buffer;
}

TEST_F(UnitConversionTest, TemperaturesOnEveryScale) {
  ExpectAll({
      {"CelsiusToFahrenheit(100)", "double 212"},
      {"CelsiusToKelvin(0)", "double 273.15"},
      {"CelsiusToRankine(0)", "double 491.67"},
      {"CelsiusToRankine(-273.15)", "double 0"},
      {"CelsiusToReaumur(100)", "double 80"},
      {"FahrenheitToCelsius(212)", "double 100"},
      {"FahrenheitToKelvin(32)", "double 273.15"},
      {"FahrenheitToRankine(0)", "double 459.67"},
      {"FahrenheitToReaumur(212)", "double 80"},
      {"KelvinToCelsius(0)", "double -273.15"},
      {"KelvinToFahrenheit(0)", "double -459.67"},
      {"KelvinToRankine(100)", "double 180"},
      {"KelvinToReaumur(373.15)", "double 80"},
      {"RankineToCelsius(491.67)", "double 0"},
      {"RankineToFahrenheit(459.67)", "double 0"},
      {"RankineToKelvin(180)", "double 100"},
      {"RankineToReaumur(671.67)", "double 80"},
      {"ReaumurToCelsius(80)", "double 100"},
      {"ReaumurToFahrenheit(80)", "double 212"},
      {"ReaumurToKelvin(0)", "double 273.15"},
      {"ReaumurToRankine(0)", "double 491.67"},
      // There and back.
      {"FahrenheitToCelsius(CelsiusToFahrenheit(37.5))", "double 37.5"},
      {"RankineToKelvin(KelvinToRankine(5))", "double 5"},
      {"ReaumurToFahrenheit(FahrenheitToReaumur(-40))", "double -40"},
      // Absolute zero itself is allowed; below it is not, on each scale.
      {"KelvinToCelsius(-1)", "error: Temperature can not be below Absolute Zero!"},
      {"CelsiusToFahrenheit(-273.16)", "error: Temperature can not be below Absolute Zero!"},
      {"FahrenheitToCelsius(-459.68)", "error: Temperature can not be below Absolute Zero!"},
      {"RankineToKelvin(-0.1)", "error: Temperature can not be below Absolute Zero!"},
      {"ReaumurToKelvin(-218.53)", "error: Temperature can not be below Absolute Zero!"},
      {"CelsiusToKelvin(Missing)", "null"},
  });
}

TEST_F(UnitConversionTest, TheErrorIsATemperatureConversionError) {
  const std::string out = FHost.Run(R"(
begin
  try
    KelvinToCelsius(-1);
  except
    Show(ExceptionClassName);
  end;
end.)");
  EXPECT_EQ(out, "str 'ETemperatureConversionError'\n");
}

// Each conversion multiplies by the factor; its inverse divides again.
struct FactorPair {
  const char* To;
  const char* Back;
  double Factor;
};

const FactorPair kFactors[] = {
    {"InchToCm", "CmToInch", 2.54},
    {"FeetToMetre", "MetreToFeet", 0.3048},
    {"YardToMetre", "MetreToYard", 0.9144},
    {"NmToKm", "KmToNm", 1.852},
    {"SmToKm", "KmToSm", 1.609344},
    {"GalUsToLitre", "LitreToGalUs", 3.785411784},
    {"GalCanToGalUs", "GalUsToGalCan", 1.2009499255},
    {"GalUkToGalUs", "GalUsToGalUk", 1.20095045385},
    {"GalCanToLitre", "LitreToGalCan", 4.54609},
    {"GalUkToLitre", "LitreToGalUk", 4.54609},
    {"LbToKg", "KgToLb", 0.45359237},
    {"KgToOz", "OzToKg", 35.2739619496},
    {"CwtUsToKg", "KgToCwtUs", 45.35924},
    {"CwtUkToKg", "KgToCwtUk", 50.80235},
    {"KaratToKg", "KgToKarat", 0.0002},
    {"StonToKg", "KgToSton", 907.1847},
    {"LtonToKg", "KgToLton", 1016.047},
    {"QrUsToKg", "KgToQrUs", 11.34},
    {"QrUkToKg", "KgToQrUk", 12.7},
    {"BarToPascal", "PascalToBar", 100000},
    {"AtToPascal", "PascalToAt", 98066.5},
    {"TorrToPascal", "PascalToTorr", 133.3224},
    {"KnotToMs", "MsToKnot", 0.514444444444},
    {"HpElectricToWatt", "WattToHpElectric", 746},
    {"HpMetricToWatt", "WattToHpMetric", 735.4988},
};

TEST_F(UnitConversionTest, FactorConversionsAndTheirInverses) {
  std::vector<std::string> expressions, expected;
  for (const FactorPair& p : kFactors) {
    expressions.push_back(std::string(p.To) + "(2.5)");
    expected.push_back(DoubleText(2.5 * p.Factor));
    expressions.push_back(std::string(p.Back) + "(" + p.To + "(2.5))");
    expected.push_back("double 2.5");
    expressions.push_back(std::string(p.Back) + "(" + DoubleText(p.Factor).substr(7) + ")");
    expected.push_back("double 1");
  }
  for (const char* dialect : test::kDialects) EXPECT_EQ(FHost.Eval(dialect, expressions), expected) << dialect;
}

TEST_F(UnitConversionTest, DegreesMinutesAndSecondsAndPercentages) {
  ExpectAll({
      {"DmsToDeg(12, 30, 0)", "double 12.5"},
      {"DmsToDeg(-12, 30, 36)", "double -12.51"},
      {"DmsToDeg(0, 60, 60)", "double 1.01666666666667"},
      {"DmsToRad(180, 0, 0)", "double 3.14159265358979"},
      {"DmsToDeg(1, 61, 0)", "error: Domain check failure in JclMath"},
      {"DmsToDeg(1, -1, 0)", "error: Domain check failure in JclMath"},
      {"DmsToRad(1, 0, 60.5)", "error: Domain check failure in JclMath"},
      {"DegToDmsStr(-12.5)", "str '-12\xB0 30' 0.000\"'"},
      {"DegToDmsStr(12.5125, 1)", "str '12\xB0 30' 45.0\"'"},
      {"DegToDmsStr(45, 0)", "str '45\xB0 0' 0\"'"},
      // A negative angle under one degree keeps its sign; seconds that round to a
      // whole minute carry over.
      {"DegToDmsStr(-0.5)", "str '-0\xB0 30' 0.000\"'"},
      {"DegToDmsStr(10.99999999)", "str '11\xB0 0' 0.000\"'"},
      {"MakePercentage(1, 8)", "int 12"},
      {"MakePercentage(3, 8)", "int 38"},
      {"MakePercentage(2, 3)", "int 67"},
      {"HowAOneLinerCanBiteYou(5, 10)", "int 50"},
      {"MakePercentage(1, 0)", "error: Assertion failure"},
  });
}

// The module's own angle conversions, hidden by fs_Math's, where nothing hides them.
TEST(UnitConversionAnglesTest, AngleConversionsOfTheModuleItself) {
  test::LocaleScope locale;
  test::DateLibrariesHost host({&NewRTTIModule<TfsSysFunctions>, &NewRTTIModule<TfsUnitConversion>});
  EXPECT_EQ(host.Eval("PascalScript", {"CycleToDeg(1)", "CycleToGrad(0.5)", "CycleToRad(0.5)", "DegToCycle(90)",
                                       "DegToGrad(90)", "DegToRad(180)", "GradToCycle(100)", "GradToDeg(100)",
                                       "GradToRad(200)", "RadToCycle(Pi)", "RadToDeg(Pi)", "RadToGrad(Pi)"}),
            (std::vector<std::string>{"double 360", "double 200", "double 3.14159265358979", "double 0.25",
                                      "double 100", "double 3.14159265358979", "double 0.25", "double 90",
                                      "double 3.14159265358979", "double 0.5", "double 180", "double 200"}));
}

}  // namespace
}  // namespace fs
