#include "engine/Scaling.h"

#include "shell/Numbers.h"

namespace {

constexpr double kDecimetresPerFoot = 3.048;
constexpr double kKilofeetPerKilometre = 3.280839;
constexpr std::int32_t kMaxLength = 20000;     // 2000 m
constexpr std::int32_t kMaxImpedance = 10000;  // 100 ohms/km/core

std::uint8_t gDisplayUnits = kMetricUnits;

bool Imperial() {
    return gDisplayUnits == kImperialUnits;
}

}  // namespace

std::uint8_t DisplayUnits() {
    return gDisplayUnits;
}

void SetDisplayUnits(std::uint8_t units) {
    gDisplayUnits = units;
}

std::string ImpedanceUnitText(int units) {
    switch (units) {
        case kMetricUnits:
            return "ohms/km/core";
        case kImperialUnits:
            return "ohms/kft/core";
        default:
            return "?";
    }
}

std::string CopperReferenceText(int units) {
    switch (units) {
        case kMetricUnits:
            return "(copper at 20°C)";
        case kImperialUnits:
            return "(copper at 68°F)";
        default:
            return "";
    }
}

std::string LengthUnitText(int units, bool longForm) {
    switch (units) {
        case kMetricUnits:
            return longForm ? "metres (m)" : "m";
        case kImperialUnits:
            return longForm ? "feet (ft)" : "ft";
        default:
            return "?";
    }
}

std::int16_t TextToImpedance(const std::string& text) {
    const double value = LeadingNumber(text);
    const auto impedance =
        RoundToInt16(Imperial() ? value * kKilofeetPerKilometre * 100 : value * 100);
    if (!impedance || *impedance < 0 || *impedance > kMaxImpedance) return -1;
    return *impedance;
}

std::string ImpedanceToText(std::int32_t impedance) {
    const Amount hundred = Amount::FromWhole(100);
    if (!Imperial()) return FormatFixed(Amount::FromWhole(impedance) / hundred, 2);
    const Amount perKilofoot = Amount::FromDouble(impedance / kKilofeetPerKilometre + 0.005);
    return FormatFixed(perKilofoot / hundred, 2);
}

std::int32_t TextToLength(const std::string& text) {
    const double factor = Imperial() ? kDecimetresPerFoot : 10;
    const auto length = RoundToInt32(LeadingNumber(text) * factor);
    if (!length || *length < 0 || *length > kMaxLength) return -1;
    return *length;
}

double LengthInDisplayUnits(double decimetres) {
    return Imperial() ? decimetres / kDecimetresPerFoot : decimetres / 10.0;
}

std::string LengthToText(std::int32_t length) {
    return FormatGeneral(static_cast<std::int64_t>(RoundHalfEven(LengthInDisplayUnits(length))));
}
