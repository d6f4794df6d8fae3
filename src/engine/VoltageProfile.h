#pragma once
// The voltage along a loop's cable at its last calculation. The loop is fed from one end (an
// open circuit at the worst place): the whole alarm current flows through the panel's driver
// and the run to the first device; beyond it the n loads are spread evenly over n equal steps,
// the current falling by one n-th after each; the devices' series resistance is spread along
// the cable in proportion to length. The drop at the far end is then the loop's volt drop.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class clsCalculator;

struct VoltagePoint {
    double distance = 0;       // along the cable, decimetres
    double shownDistance = 0;  // the same in metres or feet, as the display units say
    double drop = 0;           // volts lost between the panel and this point
    friend bool operator==(const VoltagePoint&, const VoltagePoint&) = default;
};

struct VoltageProfile {
    // The panel, the panel's side of its driver, the first device, then the end of each step;
    // empty for a loop without loads or without cable.
    std::vector<VoltagePoint> points;
    double maxVoltDrop = 0;   // volts the devices may lose
    double driveVoltage = 0;  // volts the panel drives, for the voltage left at a point
    // The first point whose drop, rounded to tenths as the verdict rounds it, exceeds
    // maxVoltDrop.
    std::optional<std::size_t> firstFailingPoint;
    friend bool operator==(const VoltageProfile&, const VoltageProfile&) = default;
};

// Indices of the fixed points of a profile.
inline constexpr std::size_t kPanelPoint = 0;
inline constexpr std::size_t kDriverPoint = 1;
inline constexpr std::size_t kFirstDevicePoint = 2;

VoltageProfile ProfileOfLoop(const clsCalculator& loop);
