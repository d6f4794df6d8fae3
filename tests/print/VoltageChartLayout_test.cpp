// The chart of the voltage along a loop, laid out without a window.
#include <gtest/gtest.h>

#include "print/VoltageChartLayout.h"

namespace {

TEST(VoltageChartLayoutTest, TicksAreRoundStepsReachingTheTop) {
    const std::pair<double, std::string> cases[] = {{500, "0 100 200 300 400 500 "},
                                                    {501, "0 200 400 600 "},

                                                    {0.462, "0.0 0.1 0.2 0.3 0.4 0.5 "},
                                                    {0, "0.0 0.2 0.4 0.6 0.8 1.0 "}};
    for (const auto& [top, expected] : cases) {
        std::string texts;
        for (const ChartTick& t : RoundTicks(top, 5))
            texts += t.text + " ";
        EXPECT_EQ(texts, expected) << top;
    }
}

}  // namespace
