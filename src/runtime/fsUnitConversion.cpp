#include "runtime/fsUnitConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <string>

#include "rtl/Angles.h"
#include "rtl/FormatSettings.h"
#include "rtl/MathRoutines.h"
#include "rtl/NumberText.h"
#include "rtl/Rounding.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

ETemperatureConversionError::ETemperatureConversionError()
    : EUnitConversionError(msg::kBelowAbsoluteZero, "ETemperatureConversionError") {}

namespace {

using rtl::Variant;
using Args = TfsLibraryArgs;

// Temperatures -----------------------------------------------------------------------

enum class Scale { Celsius, Fahrenheit, Kelvin, Rankine, Reaumur };

// Absolute zero of each scale.
double AbsoluteZero(Scale s) {
  switch (s) {
    case Scale::Celsius: return -273.15;
    case Scale::Fahrenheit: return -459.67;
    case Scale::Reaumur: return -218.52;
    default: return 0;
  }
}

double FromCelsius(double c, Scale to) {
  switch (to) {
    case Scale::Celsius: return c;
    case Scale::Fahrenheit: return c * 1.8 + 32;
    case Scale::Kelvin: return c + 273.15;
    // Absolute zero maps to exactly 0, which the sum would miss by a rounding step.
    case Scale::Rankine: return c == -273.15 ? 0 : c * 1.8 + 32 + 459.67;
    case Scale::Reaumur: return c * 0.8;
  }
  return c;
}

double FromFahrenheit(double f, Scale to) {
  switch (to) {
    case Scale::Celsius: return (f - 32) * 5 / 9;
    case Scale::Kelvin: return (f - 32) * 5 / 9 + 273.15;
    case Scale::Rankine: return f + 459.67;
    case Scale::Reaumur: return (f - 32) / 2.25;
    default: return f;
  }
}

double FromKelvin(double k, Scale to) {
  switch (to) {
    case Scale::Celsius: return k - 273.15;
    case Scale::Fahrenheit: return (k - 273.15) * 1.8 + 32;
    case Scale::Rankine: return k * 1.8;
    case Scale::Reaumur: return (k - 273.15) * 0.8;
    default: return k;
  }
}

double FromRankine(double r, Scale to) {
  switch (to) {
    case Scale::Celsius: return (r - 491.67) / 1.8;
    case Scale::Fahrenheit: return r - 459.67;
    case Scale::Kelvin: return r / 1.8;
    case Scale::Reaumur: return (r - 491.67) / 2.25;
    default: return r;
  }
}

double FromReaumur(double r, Scale to) {
  switch (to) {
    case Scale::Celsius: return r * 1.25;
    case Scale::Fahrenheit: return r * 2.25 + 32;
    case Scale::Kelvin: return r * 1.25 + 273.15;
    case Scale::Rankine: return r * 2.25 + 491.67;
    default: return r;
  }
}

template <Scale From, Scale To>
Variant Temperature(Args& a) {
  const double t = a.Float(0);
  if (t < AbsoluteZero(From)) throw ETemperatureConversionError();
  switch (From) {
    case Scale::Celsius: return Variant(FromCelsius(t, To));
    case Scale::Fahrenheit: return Variant(FromFahrenheit(t, To));
    case Scale::Kelvin: return Variant(FromKelvin(t, To));
    case Scale::Rankine: return Variant(FromRankine(t, To));
    case Scale::Reaumur: return Variant(FromReaumur(t, To));
  }
  return Variant(t);
}

// One factor --------------------------------------------------------------------------

template <double (*Factor)()>
Variant Times(Args& a) {
  return Variant(a.Float(0) * Factor());
}

template <double (*Factor)()>
Variant Over(Args& a) {
  return Variant(a.Float(0) / Factor());
}

double CmPerInch() { return 2.54; }
double MetresPerFoot() { return 0.3048; }
double MetresPerYard() { return 0.9144; }
double KmPerNauticalMile() { return 1.852; }
double KmPerStatuteMile() { return 1.609344; }
double LitresPerUsGallon() { return 3.785411784; }
double UsGallonsPerCanGallon() { return 1.2009499255; }
double UsGallonsPerUkGallon() { return 1.20095045385; }
double LitresPerImperialGallon() { return 4.54609; }
double KgPerPound() { return 0.45359237; }
double OuncesPerKg() { return 35.2739619496; }
double KgPerUsQuarter() { return 11.34; }
double KgPerUkQuarter() { return 12.7; }
double KgPerUsHundredweight() { return 45.35924; }
double KgPerUkHundredweight() { return 50.80235; }
double KgPerLongTon() { return 1016.047; }
double KgPerShortTon() { return 907.1847; }
double KgPerCarat() { return 0.0002; }
double PascalsPerBar() { return 100000; }
double PascalsPerAtmosphere() { return 98066.5; }
double PascalsPerTorr() { return 133.3224; }
double MsPerKnot() { return 0.514444444444; }
double WattsPerElectricHp() { return 746; }
double WattsPerMetricHp() { return 735.4988; }

template <double (*Convert)(double)>
Variant Angle(Args& a) {
  return Variant(Convert(a.Float(0)));
}

// Degrees from degrees, minutes and seconds; minutes and seconds must lie in 0 ... 60.
double DmsDegrees(Args& a) {
  const double d = a.Int(0), m = a.Int(1), s = a.Float(2);
  if (m < 0 || m > 60 || !(s >= 0 && s <= 60)) throw rtl::Exception(msg::kDomainCheckFailure, "EMathError");
  const double degrees = std::fabs(d) + m / 60 + s / 3600;
  return d < 0 ? -degrees : degrees;
}

Variant DmsToDeg(Args& a) { return Variant(DmsDegrees(a)); }
Variant DmsToRad(Args& a) { return Variant(rtl::DegToRad(DmsDegrees(a))); }

// Degrees, the degree sign, minutes, "'", seconds with the decimals asked for and '"'.
Variant DegToDmsStr(Args& a) {
  const double value = a.Float(0);
  const int decimals = static_cast<int>(std::min<std::int64_t>(a.Int64(1), 18));
  const double total = std::fabs(value);
  double degrees = std::floor(total);
  double minutes = std::floor((total - degrees) * 60);
  double seconds = ((total - degrees) * 60 - minutes) * 60;
  // Seconds that round up to a whole minute carry into the minutes and degrees.
  const double scale = std::pow(10.0, decimals);
  if (std::round(seconds * scale) / scale >= 60) {
    seconds = 0;
    if (++minutes >= 60) {
      minutes = 0;
      ++degrees;
    }
  }
  const char dec = rtl::CurrentFormatSettings().DecimalSeparator;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, seconds);
  std::string secondsText = buffer;
  for (char& c : secondsText)
    if (c == '.') c = dec;
  // A negative angle under one degree keeps its sign on the 0.
  const std::string sign = value < 0 ? "-" : "";
  const std::string text = sign + rtl::IntToText(static_cast<std::int64_t>(degrees)) + "\xB0 " +
                           rtl::IntToText(static_cast<std::int64_t>(minutes)) + "' " + secondsText + "\"";
  return Variant(rtl::AnsiString(text));
}

// Step × 100 / Max to the nearest integer, halves to even.
Variant MakePercentage(Args& a) {
  const std::int64_t max = a.Int(1);
  if (max == 0) throw rtl::Exception(msg::kAssertionFailure, "EAssertionFailed");
  return Variant(rtl::RoundToInt32(static_cast<double>(a.Int(0)) * 100.0 / static_cast<double>(max)));
}

const TfsLibraryEntry kUnitConversion[] = {
    {"function HowAOneLinerCanBiteYou(const Step, Max: Longint): Longint", &MakePercentage},
    {"function MakePercentage(const Step, Max: Longint): Longint", &MakePercentage},
    {"function CelsiusToFahrenheit(const Temperature: Extended): Extended", &Temperature<Scale::Celsius, Scale::Fahrenheit>},
    {"function CelsiusToKelvin(const Temperature: Extended): Extended", &Temperature<Scale::Celsius, Scale::Kelvin>},
    {"function CelsiusToRankine(const Temperature: Extended): Extended", &Temperature<Scale::Celsius, Scale::Rankine>},
    {"function CelsiusToReaumur(const Temperature: Extended): Extended", &Temperature<Scale::Celsius, Scale::Reaumur>},
    {"function FahrenheitToCelsius(const Temperature: Extended): Extended", &Temperature<Scale::Fahrenheit, Scale::Celsius>},
    {"function FahrenheitToKelvin(const Temperature: Extended): Extended", &Temperature<Scale::Fahrenheit, Scale::Kelvin>},
    {"function FahrenheitToRankine(const Temperature: Extended): Extended", &Temperature<Scale::Fahrenheit, Scale::Rankine>},
    {"function FahrenheitToReaumur(const Temperature: Extended): Extended", &Temperature<Scale::Fahrenheit, Scale::Reaumur>},
    {"function KelvinToCelsius(const Temperature: Extended): Extended", &Temperature<Scale::Kelvin, Scale::Celsius>},
    {"function KelvinToFahrenheit(const Temperature: Extended): Extended", &Temperature<Scale::Kelvin, Scale::Fahrenheit>},
    {"function KelvinToRankine(const Temperature: Extended): Extended", &Temperature<Scale::Kelvin, Scale::Rankine>},
    {"function KelvinToReaumur(const Temperature: Extended): Extended", &Temperature<Scale::Kelvin, Scale::Reaumur>},
    {"function RankineToCelsius(const Temperature: Extended): Extended", &Temperature<Scale::Rankine, Scale::Celsius>},
    {"function RankineToFahrenheit(const Temperature: Extended): Extended", &Temperature<Scale::Rankine, Scale::Fahrenheit>},
    {"function RankineToKelvin(const Temperature: Extended): Extended", &Temperature<Scale::Rankine, Scale::Kelvin>},
    {"function RankineToReaumur(const Temperature: Extended): Extended", &Temperature<Scale::Rankine, Scale::Reaumur>},
    {"function ReaumurToCelsius(const Temperature: Extended): Extended", &Temperature<Scale::Reaumur, Scale::Celsius>},
    {"function ReaumurToFahrenheit(const Temperature: Extended): Extended", &Temperature<Scale::Reaumur, Scale::Fahrenheit>},
    {"function ReaumurToKelvin(const Temperature: Extended): Extended", &Temperature<Scale::Reaumur, Scale::Kelvin>},
    {"function ReaumurToRankine(const Temperature: Extended): Extended", &Temperature<Scale::Reaumur, Scale::Rankine>},
    {"function CycleToDeg(const Cycles: Extended): Extended", &Angle<rtl::CycleToDeg>},
    {"function CycleToGrad(const Cycles: Extended): Extended", &Angle<rtl::CycleToGrad>},
    {"function CycleToRad(const Cycles: Extended): Extended", &Angle<rtl::CycleToRad>},
    {"function DegToCycle(const Degrees: Extended): Extended", &Angle<rtl::DegToCycle>},
    {"function DegToGrad(const Degrees: Extended): Extended", &Angle<rtl::DegToGrad>},
    {"function DegToRad(const Degrees: Extended): Extended", &Angle<rtl::DegToRad>},
    {"function GradToCycle(const Grads: Extended): Extended", &Angle<rtl::GradToCycle>},
    {"function GradToDeg(const Grads: Extended): Extended", &Angle<rtl::GradToDeg>},
    {"function GradToRad(const Grads: Extended): Extended", &Angle<rtl::GradToRad>},
    {"function RadToCycle(const Radians: Extended): Extended", &Angle<rtl::RadToCycle>},
    {"function RadToDeg(const Radians: Extended): Extended", &Angle<rtl::RadToDeg>},
    {"function RadToGrad(const Radians: Extended): Extended", &Angle<rtl::RadToGrad>},
    {"function DmsToDeg(const D, M: Integer; const S: Extended): Extended", &DmsToDeg},
    {"function DmsToRad(const D, M: Integer; const S: Extended): Extended", &DmsToRad},
    {"function DegToDmsStr(const Degrees: Extended; const SecondPrecision: Cardinal = 3): string", &DegToDmsStr},
    {"function CmToInch(const Value: Extended): Extended", &Over<CmPerInch>},
    {"function InchToCm(const Value: Extended): Extended", &Times<CmPerInch>},
    {"function FeetToMetre(const Value: Extended): Extended", &Times<MetresPerFoot>},
    {"function MetreToFeet(const Value: Extended): Extended", &Over<MetresPerFoot>},
    {"function YardToMetre(const Value: Extended): Extended", &Times<MetresPerYard>},
    {"function MetreToYard(const Value: Extended): Extended", &Over<MetresPerYard>},
    {"function NmToKm(const Value: Extended): Extended", &Times<KmPerNauticalMile>},
    {"function KmToNm(const Value: Extended): Extended", &Over<KmPerNauticalMile>},
    {"function KmToSm(const Value: Extended): Extended", &Over<KmPerStatuteMile>},
    {"function SmToKm(const Value: Extended): Extended", &Times<KmPerStatuteMile>},
    {"function LitreToGalUs(const Value: Extended): Extended", &Over<LitresPerUsGallon>},
    {"function GalUsToLitre(const Value: Extended): Extended", &Times<LitresPerUsGallon>},
    {"function GalUsToGalCan(const Value: Extended): Extended", &Over<UsGallonsPerCanGallon>},
    {"function GalCanToGalUs(const Value: Extended): Extended", &Times<UsGallonsPerCanGallon>},
    {"function GalUsToGalUk(const Value: Extended): Extended", &Over<UsGallonsPerUkGallon>},
    {"function GalUkToGalUs(const Value: Extended): Extended", &Times<UsGallonsPerUkGallon>},
    {"function LitreToGalCan(const Value: Extended): Extended", &Over<LitresPerImperialGallon>},
    {"function GalCanToLitre(const Value: Extended): Extended", &Times<LitresPerImperialGallon>},
    {"function LitreToGalUk(const Value: Extended): Extended", &Over<LitresPerImperialGallon>},
    {"function GalUkToLitre(const Value: Extended): Extended", &Times<LitresPerImperialGallon>},
    {"function KgToLb(const Value: Extended): Extended", &Over<KgPerPound>},
    {"function LbToKg(const Value: Extended): Extended", &Times<KgPerPound>},
    {"function KgToOz(const Value: Extended): Extended", &Times<OuncesPerKg>},
    {"function OzToKg(const Value: Extended): Extended", &Over<OuncesPerKg>},
    {"function CwtUsToKg(const Value: Extended): Extended", &Times<KgPerUsHundredweight>},
    {"function CwtUkToKg(const Value: Extended): Extended", &Times<KgPerUkHundredweight>},
    {"function KaratToKg(const Value: Extended): Extended", &Times<KgPerCarat>},
    {"function KgToCwtUs(const Value: Extended): Extended", &Over<KgPerUsHundredweight>},
    {"function KgToCwtUk(const Value: Extended): Extended", &Over<KgPerUkHundredweight>},
    {"function KgToKarat(const Value: Extended): Extended", &Over<KgPerCarat>},
    {"function KgToSton(const Value: Extended): Extended", &Over<KgPerShortTon>},
    {"function KgToLton(const Value: Extended): Extended", &Over<KgPerLongTon>},
    {"function StonToKg(const Value: Extended): Extended", &Times<KgPerShortTon>},
    {"function LtonToKg(const Value: Extended): Extended", &Times<KgPerLongTon>},
    {"function QrUsToKg(const Value: Extended): Extended", &Times<KgPerUsQuarter>},
    {"function QrUkToKg(const Value: Extended): Extended", &Times<KgPerUkQuarter>},
    {"function KgToQrUs(const Value: Extended): Extended", &Over<KgPerUsQuarter>},
    {"function KgToQrUk(const Value: Extended): Extended", &Over<KgPerUkQuarter>},
    {"function PascalToBar(const Value: Extended): Extended", &Over<PascalsPerBar>},
    {"function PascalToAt(const Value: Extended): Extended", &Over<PascalsPerAtmosphere>},
    {"function PascalToTorr(const Value: Extended): Extended", &Over<PascalsPerTorr>},
    {"function BarToPascal(const Value: Extended): Extended", &Times<PascalsPerBar>},
    {"function AtToPascal(const Value: Extended): Extended", &Times<PascalsPerAtmosphere>},
    {"function TorrToPascal(const Value: Extended): Extended", &Times<PascalsPerTorr>},
    {"function KnotToMs(const Value: Extended): Extended", &Times<MsPerKnot>},
    {"function HpElectricToWatt(const Value: Extended): Extended", &Times<WattsPerElectricHp>},
    {"function HpMetricToWatt(const Value: Extended): Extended", &Times<WattsPerMetricHp>},
    {"function MsToKnot(const Value: Extended): Extended", &Over<MsPerKnot>},
    {"function WattToHpElectric(const Value: Extended): Extended", &Over<WattsPerElectricHp>},
    {"function WattToHpMetric(const Value: Extended): Extended", &Over<WattsPerMetricHp>},
};

const TfsRTTIModuleClass kUnitConversionClass{"fs_UnitConversion", moUnitConversion,
                                              &NewRTTIModule<TfsUnitConversion>};
TfsRuntimeModuleRegistration gUnitConversionRegistration(kUnitConversionClass);

}  // namespace

TfsUnitConversion::TfsUnitConversion(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  RegisterLibrary(registry, Category, kUnitConversion);
}

}  // namespace fs
