#include "engine/VoltageProfile.h"

#include <algorithm>
#include <cmath>

#include "engine/Scaling.h"
#include "engine/clsCalculator.h"

namespace {

// The verdict's test: the drop (limited to what the panel drives) in whole tenths of a volt
// exceeds the permissible drop.
bool Exceeds(double drop, const clsCalculator& loop) {
    const double tenths = std::min(drop * 10, loop.MinDriveVoltage() / 10.0);
    const auto rounded = RoundToInt16(tenths);
    return rounded && std::int64_t{*rounded} * 1000 > loop.MaxVoltDrop().Scaled();
}

}  // namespace

VoltageProfile ProfileOfLoop(const clsCalculator& loop) {
    VoltageProfile profile;
    const std::int32_t n = loop.LoadCount();
    const double total = loop.CableTotal();
    if (n < 1 || loop.CableTotal() <= 0 || loop.CalcType() < clsCalculator::MinCalcType() ||
        loop.CalcType() > clsCalculator::MaxCalcType())
        return profile;
    profile.maxVoltDrop = loop.MaxVoltDrop().ToDouble();
    profile.driveVoltage = loop.MinDriveVoltage() / 100.0;

    // Amps times hundredths of an ohm, to volts.
    const double amps = loop.AlarmCurrentTotal().ToDouble() / 1e6;
    const double toVolts = amps / 100;
    // Both cores of the cable and the series resistance, per decimetre.
    const double perDecimetre =
        (total * (loop.CableImpedance() / 1000.0) / 5 + loop.SeriesResistance()) / total;
    const double first = loop.CableFirst();
    const double step = (total - first) / n;
    const double atDriver = loop.DriverImpedance() * toVolts;
    const double atFirst = atDriver + perDecimetre * first * toVolts;

    profile.points.reserve(static_cast<std::size_t>(n) + 3);
    auto add = [&](double distance, double drop) {
        if (!profile.firstFailingPoint && Exceeds(drop, loop))
            profile.firstFailingPoint = profile.points.size();
        profile.points.push_back({distance, LengthInDisplayUnits(distance), drop});
    };
    add(0, 0);
    add(0, atDriver);
    add(first, atFirst);
    for (std::int32_t k = 1; k <= n; ++k) {
        // Step j carries (n - j + 1) / n of the current; the first k steps together carry
        // k (2n - k + 1) / 2n step lengths of the whole current.
        const double carried = static_cast<double>(k) * (2.0 * n - k + 1) / (2.0 * n);
        add(first + step * k, atFirst + perDecimetre * step * carried * toVolts);
    }
    return profile;
}
