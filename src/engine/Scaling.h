#pragma once
// Display units and the conversions between typed text and the internal units.
//
// Internally lengths are decimetres and cable impedances hundredths of an ohm per kilometre per
// core, whatever the user sees. The display units (0 metric: metres and ohms/km/core; 1 imperial:
// feet and ohms/kft/core) change only how values are typed and shown.
#include <cstdint>
#include <string>

inline constexpr std::uint8_t kMetricUnits = 0;
inline constexpr std::uint8_t kImperialUnits = 1;

// The display units in force (metric until set).
std::uint8_t DisplayUnits();
// Sets the display units without storing them (the stored setting: document/UnitsSetting.h).
void SetDisplayUnits(std::uint8_t units);

// Unit captions for the given units; "?" (or empty for the copper reference) for any other value.
std::string ImpedanceUnitText(int units);
std::string CopperReferenceText(int units);
std::string LengthUnitText(int units, bool longForm);

// A typed impedance in the display units as hundredths of an ohm per km per core: 0 to 10000,
// or -1 when out of range or not representable.
std::int16_t TextToImpedance(const std::string& text);
// An internal impedance in the display units with two decimals ("18.10").
std::string ImpedanceToText(std::int32_t impedance);
// A typed length in the display units as decimetres: 0 to 20000, or -1 when out of range or not
// representable.
std::int32_t TextToLength(const std::string& text);
// A length in decimetres as metres or feet, unrounded.
double LengthInDisplayUnits(double decimetres);
// An internal length in whole metres or feet ("100").
std::string LengthToText(std::int32_t length);
