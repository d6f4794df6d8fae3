// The chart of the voltage along a loop, laid out without a window.
#include <gtest/gtest.h>

#include "engine/Scaling.h"
#include "print/VoltageChartLayout.h"

namespace {

std::vector<std::string> Texts(const std::vector<ChartTick>& ticks) {
    std::vector<std::string> texts;
    for (const ChartTick& t : ticks)
        texts.push_back(t.text);
    return texts;
}

TEST(VoltageChartLayoutTest, TicksAreRoundStepsReachingTheTop) {
    const struct {
        double top;
        std::vector<std::string> texts;
    } cases[] = {
        {500, {"0", "100", "200", "300", "400", "500"}},
        {501, {"0", "200", "400", "600"}},
        {7.2, {"0", "2", "4", "6", "8"}},
        {0.462, {"0.0", "0.1", "0.2", "0.3", "0.4", "0.5"}},
        {0, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},  // nothing to show: 0 to 1
    };
    for (const auto& c : cases)
        EXPECT_EQ(Texts(RoundTicks(c.top, 5)), c.texts) << c.top;
}

TEST(VoltageChartLayoutTest, DropOrVoltageLeftAgainstTheDistanceShown) {
    SetDisplayUnits(kMetricUnits);
    VoltageProfile profile;
    profile.points = {{0, 0, 0}, {0, 0, 0.1}, {1000, 100, 0.5}, {5000, 500, 7.5}};
    profile.maxVoltDrop = 7;
    profile.driveVoltage = 24;
    profile.firstFailingPoint = 3;
    const VoltageChartLayout drop = LayOutVoltageChart(profile, ChartQuantity::Drop);
    EXPECT_EQ(drop.points[3], (ChartPoint{500, 7.5}));
    EXPECT_EQ(std::make_tuple(drop.limit, drop.xMax, drop.yMax, drop.failing, drop.xCaption,
                              drop.yCaption),
              std::make_tuple(7.0, 500.0, 8.0, std::optional<std::size_t>{3},
                              std::string("Distance (m)"), std::string("Volt drop (V)")));
    const VoltageChartLayout left = LayOutVoltageChart(profile, ChartQuantity::Remaining);
    EXPECT_EQ(left.points[3], (ChartPoint{500, 16.5}));
    EXPECT_EQ(std::make_tuple(left.limit, left.yMax, left.yCaption),
              std::make_tuple(17.0, 25.0, std::string("Voltage (V)")));
}

}  // namespace
