#pragma once
// What a chart of the voltage along a loop shows, worked out without a window so that the
// loop editor, the printer and the PDF draw the same: the points in the display units, the
// permissible line, round axis ticks and captions. The chart shows either the drop from the
// panel or the voltage left at each point.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/VoltageProfile.h"

enum class ChartQuantity { Drop, Remaining };

struct ChartPoint {
    double x = 0;  // metres or feet
    double y = 0;  // volts
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

struct ChartTick {
    double value = 0;
    std::string text;
    friend bool operator==(const ChartTick&, const ChartTick&) = default;
};

struct VoltageChartLayout {
    std::vector<ChartPoint> points;  // empty: nothing to draw
    // Points from this index on are the first device and the steps, drawn as markers.
    std::size_t firstMarker = kFirstDevicePoint;
    std::optional<std::size_t> failing;  // the first point over the permissible drop
    double limit = 0;  // the permissible drop, or the lowest voltage the devices work on
    double xMax = 1;   // the axes run from 0 to these
    double yMax = 1;
    std::vector<ChartTick> xTicks;
    std::vector<ChartTick> yTicks;
    std::string xCaption;  // "Distance (m)"
    std::string yCaption;  // "Volt drop (V)" or "Voltage (V)"
    friend bool operator==(const VoltageChartLayout&, const VoltageChartLayout&) = default;
};

VoltageChartLayout LayOutVoltageChart(const VoltageProfile& profile, ChartQuantity quantity);

// Round steps of 1, 2 or 5 times a power of ten from 0 to at least `top`, no more than
// `most` of them after 0.
std::vector<ChartTick> RoundTicks(double top, int most);
