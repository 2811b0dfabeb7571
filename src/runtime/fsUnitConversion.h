// fs_UnitConversion: 87 conversions in the category "Unit conversion": temperatures
// between Celsius, Fahrenheit, Kelvin, Rankine and Réaumur (none below absolute zero),
// angles (hidden by fs_Math's functions of the same names), degrees, minutes and
// seconds, lengths, volumes, masses, pressures, speeds and powers, and percentages of
// a step count.
#pragma once

#include "rtl/Exceptions.h"
#include "runtime/fsRTTIModule.h"

namespace fs {

class EUnitConversionError : public rtl::Exception {
public:
  explicit EUnitConversionError(std::string message, std::string className = "EUnitConversionError")
      : rtl::Exception(std::move(message), std::move(className)) {}
};

// A temperature below absolute zero of its scale.
class ETemperatureConversionError : public EUnitConversionError {
public:
  ETemperatureConversionError();
};

class TfsUnitConversion : public TfsRTTIModule {
public:
  explicit TfsUnitConversion(TfsScript* script);

  static constexpr const char* Category = "Unit conversion";
};

}  // namespace fs
