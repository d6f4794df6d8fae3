#include "engine/Scaling.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Every test leaves the units as it found them: metric.
class ScalingTest : public ::testing::Test {
protected:
    void TearDown() override { SetDisplayUnits(kMetricUnits); }
};

// Typed texts to internal values (decimetres, hundredths of an ohm per kilometre); -1 refuses.
TEST_F(ScalingTest, TypedLengthsAndImpedances) {
    const std::vector<std::pair<std::string, std::int32_t>> metres = {
        {"2000", 20000},  {"2000.1", -1}, {"-1", -1},  {"-0.04", 0}, {"abc", 0},
        {" 12.5 m", 125}, {"0.25", 2},    {"0.35", 4}, {"1e10", -1}};  // halves to even
    const std::vector<std::pair<std::string, std::int32_t>> ohmsPerKm = {
        {"18.1", 1810}, {"100.01", -1}, {"-0.01", -1}, {"327.67", -1}, {"12.34 ohms", 1234}};
    for (const auto& [text, length] : metres)
        EXPECT_EQ(TextToLength(text), length) << text;
    for (const auto& [text, impedance] : ohmsPerKm)
        EXPECT_EQ(TextToImpedance(text), impedance) << text;
    SetDisplayUnits(kImperialUnits);
    EXPECT_EQ(std::make_tuple(TextToLength("100"), TextToLength("6562"), TextToImpedance("5.52"),
                              TextToImpedance("30.49")),
              std::make_tuple(305, -1, 1811, -1));
}

// Whole metres or feet, halves to even; impedances with two decimals; shown values read back
// exactly in metric and within a unit step in imperial.
TEST_F(ScalingTest, ShownValuesReadBack) {
    EXPECT_EQ(std::make_tuple(LengthToText(15), LengthToText(25), ImpedanceToText(5)),
              std::make_tuple("2", "2", "0.05"));
    for (std::int32_t impedance = 0; impedance <= 10000; ++impedance) {
        ASSERT_EQ(TextToImpedance(ImpedanceToText(impedance)), impedance);
        const std::int32_t length = impedance % 2001 * 10;
        ASSERT_EQ(TextToLength(LengthToText(length)), length);
    }
    SetDisplayUnits(kImperialUnits);
    EXPECT_EQ(std::make_tuple(LengthToText(1000), ImpedanceToText(1810)),
              std::make_tuple("328", "5.52"));
    for (std::int32_t length = 0; length <= 19998; ++length) {
        ASSERT_LE(std::abs(TextToLength(LengthToText(length)) - length), 2) << length;
        ASSERT_LE(std::abs(TextToImpedance(ImpedanceToText(length / 2)) - length / 2), 2);
    }
}
