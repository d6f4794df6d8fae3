#include "print/VoltageChartLayout.h"

#include <algorithm>
#include <cmath>

#include "engine/Scaling.h"
#include "shell/Numbers.h"

std::vector<ChartTick> RoundTicks(double top, int most) {
    if (!(top > 0) || !std::isfinite(top)) top = 1;
    most = std::max(most, 1);
    const double raw = top / most;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power * 10;
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw * (1 - 1e-12)) {
            step = m * power;
            break;
        }
    }
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    const int count = static_cast<int>(std::ceil(top / step - 1e-9));
    std::vector<ChartTick> ticks;
    for (int i = 0; i <= count; ++i) {
        const double value = i * step;
        ticks.push_back({value, FormatFixed(value, decimals)});
    }
    return ticks;
}

VoltageChartLayout LayOutVoltageChart(const VoltageProfile& profile, ChartQuantity quantity) {
    VoltageChartLayout chart;
    const bool remaining = quantity == ChartQuantity::Remaining;
    chart.xCaption = "Distance (" + LengthUnitText(DisplayUnits(), false) + ")";
    chart.yCaption = remaining ? "Voltage (V)" : "Volt drop (V)";
    chart.failing = profile.firstFailingPoint;
    chart.limit = remaining ? profile.driveVoltage - profile.maxVoltDrop : profile.maxVoltDrop;
    double xTop = 0;
    double yTop = remaining ? profile.driveVoltage : std::max(profile.maxVoltDrop, 0.0);
    for (const VoltagePoint& p : profile.points) {
        const double y = remaining ? profile.driveVoltage - p.drop : p.drop;
        chart.points.push_back({p.shownDistance, y});
        xTop = std::max(xTop, p.shownDistance);
        yTop = std::max(yTop, y);
    }
    chart.xTicks = RoundTicks(xTop, 5);
    chart.yTicks = RoundTicks(yTop, 5);
    chart.xMax = chart.xTicks.back().value;
    chart.yMax = chart.yTicks.back().value;
    return chart;
}
