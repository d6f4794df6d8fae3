#include "engine/Scaling.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

class ScalingTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        SetDisplayUnits(kMetricUnits);
    }
    void TearDown() override {
        SetDisplayUnits(kMetricUnits);
        ScriptedTest::TearDown();
    }
};

const char* const kUnknownUnitsMessage =
    "An unknown type of units has been specified!\n\nChanging to Metric.";

}  // namespace

// Typed texts to internal values (decimetres, hundredths of an ohm per kilometre); -1 refuses.
TEST_F(ScalingTest, TypedLengthsAndImpedances) {
    const std::vector<std::pair<std::string, std::int32_t>> metres = {
        {"100", 1000}, {"2000", 20000}, {"2000.1", -1}, {"2000.04", 20000}, {"-1", -1},
        {"-0.04", 0},  {"0", 0},        {"", 0},        {"abc", 0},         {" 12.5 m", 125},
        {"0.05", 0},   {"0.25", 2},     {"0.35", 4},    {"1e3", 10000},     {"1e10", -1},
        {"1e400", -1}};  // halves to even; beyond 32 bits refused
    const std::vector<std::pair<std::string, std::int32_t>> feet = {
        {"100", 305}, {"6561", 19998}, {"6561.7", 20000}, {"6562", -1}, {"-1", -1}, {"", 0}};
    // 327.67 fits sixteen bits but is out of range; 400 does not fit.
    const std::vector<std::pair<std::string, std::int32_t>> ohmsPerKm = {
        {"18.1", 1810}, {"100", 10000}, {"100.01", -1}, {"100.004", 10000},
        {"0", 0},       {"", 0},        {"-0.01", -1},  {"327.67", -1},
        {"400", -1},    {"-400", -1},   {"0.005", 0},   {"12.34 ohms", 1234}};
    const std::vector<std::pair<std::string, std::int32_t>> ohmsPerKft = {
        {"1", 328}, {"5.52", 1811}, {"30.48", 10000}, {"30.49", -1}, {"-1", -1}};
    for (const auto& [text, length] : metres)
        EXPECT_EQ(TextToLength(text), length) << text;
    for (const auto& [text, impedance] : ohmsPerKm)
        EXPECT_EQ(TextToImpedance(text), impedance) << text;
    SetDisplayUnits(kImperialUnits);
    for (const auto& [text, length] : feet)
        EXPECT_EQ(TextToLength(text), length) << text << " ft";
    for (const auto& [text, impedance] : ohmsPerKft)
        EXPECT_EQ(TextToImpedance(text), impedance) << text << " ohms/kft";
}

TEST_F(ScalingTest, ShownValuesAndTheirRoundTrips) {
    // Whole metres or feet, halves to even; impedances with two decimals.
    const std::vector<std::pair<std::int32_t, std::string>> shown = {
        {1000, "100"}, {0, "0"}, {5, "0"}, {15, "2"}, {25, "2"}, {20000, "2000"}, {-3, "0"}};
    for (const auto& [length, text] : shown)
        EXPECT_EQ(LengthToText(length), text) << length;
    EXPECT_EQ(std::make_tuple(ImpedanceToText(1810), ImpedanceToText(0), ImpedanceToText(5),
                              ImpedanceToText(10000), ImpedanceToText(-250)),
              std::make_tuple("18.10", "0.00", "0.05", "100.00", "-2.50"));
    for (std::int32_t length = 0; length <= 20000; length += 10)
        EXPECT_EQ(TextToLength(LengthToText(length)), length);
    for (std::int32_t impedance = 0; impedance <= 10000; ++impedance)
        EXPECT_EQ(TextToImpedance(ImpedanceToText(impedance)), impedance);

    SetDisplayUnits(kImperialUnits);
    EXPECT_EQ(std::make_tuple(LengthToText(1000), LengthToText(305), LengthToText(20000)),
              std::make_tuple("328", "100", "6562"));
    // 551.6882 + 0.005, / 100; 99.9744; 3048.0006.
    EXPECT_EQ(std::make_tuple(ImpedanceToText(1810), ImpedanceToText(328), ImpedanceToText(10000),
                              ImpedanceToText(0)),
              std::make_tuple("5.52", "1.00", "30.48", "0.00"));
    // Whole feet are 3.048 dm apart, so a length comes back within half a foot; hundredths of
    // an ohm per kilofoot are 3.28 internal steps apart.
    for (std::int32_t length = 0; length <= 20000; ++length) {
        const std::int32_t back = TextToLength(LengthToText(length));
        if (back == -1)
            EXPECT_GE(length, 19999);
        else
            EXPECT_LE(std::abs(back - length), 2) << length;
    }
    for (std::int32_t impedance = 0; impedance <= 10000; ++impedance)
        EXPECT_LE(std::abs(TextToImpedance(ImpedanceToText(impedance)) - impedance), 2)
            << impedance;
    // The unit captions.
    EXPECT_EQ(std::make_tuple(ImpedanceUnitText(0), CopperReferenceText(0), LengthUnitText(0, true),
                              LengthUnitText(0, false)),
              std::make_tuple("ohms/km/core",
                              "(copper at 20\xC2\xB0"
                              "C)",
                              "metres (m)", "m"));
    EXPECT_EQ(std::make_tuple(ImpedanceUnitText(1), CopperReferenceText(1), LengthUnitText(1, true),
                              LengthUnitText(1, false), ImpedanceUnitText(2),
                              CopperReferenceText(-1), LengthUnitText(255, true)),
              std::make_tuple("ohms/kft/core",
                              "(copper at 68\xC2\xB0"
                              "F)",
                              "feet (ft)", "ft", "?", "", "?"));
}

TEST_F(ScalingTest, UnitsAreStoredAndLoaded) {
    SetUnits(kImperialUnits);
    EXPECT_EQ(DisplayUnits(), kImperialUnits);
    EXPECT_EQ(ReadSettingNumber("Units"), 1);
    SetUnits(kMetricUnits);
    EXPECT_EQ(ReadSettingNumber("Units"), 0);
    WriteSettingNumber("Units", 1);
    LoadUnits();
    EXPECT_EQ(DisplayUnits(), kImperialUnits);
    DeleteSetting("Units");
    LoadUnits();
    EXPECT_EQ(DisplayUnits(), kMetricUnits);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(SettingExists("Units"));  // a missing value is metric without a message
}

TEST_F(ScalingTest, AnUnknownStoredUnitsValueIsReportedAndReplacedByMetric) {
    for (std::int32_t stored : {7, -1, 256}) {
        SetDisplayUnits(kImperialUnits);
        WriteSettingNumber("Units", stored);
        platform.messages.clear();
        LoadUnits();
        ASSERT_EQ(platform.messages.size(), 1u) << stored;
        EXPECT_EQ(platform.messages[0].text, kUnknownUnitsMessage);
        EXPECT_EQ(platform.messages[0].title, "Quelmar");
        EXPECT_EQ(platform.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(platform.messages[0].buttons, MsgButtons::OK);
        EXPECT_EQ(DisplayUnits(), kMetricUnits);
        EXPECT_EQ(ReadSettingNumber("Units"), 0);
    }
}

TEST_F(ScalingTest, UnitsFromRegionalSettings) {
    struct Case {
        LocaleEnvironment env;
        std::uint8_t units;
    };
    const Case cases[] = {
        {{"", "", "en_US.UTF-8"}, kImperialUnits},
        {{"en_US.UTF-8", "en_GB.UTF-8", "de_DE"}, kImperialUnits},  // LC_ALL decides both
        {{"", "", "en_CA.UTF-8"}, kMetricUnits},               // North American, metric measure
        {{"", "en_US.UTF-8", "en_CA.UTF-8"}, kImperialUnits},  // Canadian with US measurement
        {{"", "en_US.UTF-8", "en_GB.UTF-8"}, kMetricUnits},    // US measurement, British code
        {{"", "", "es_US.UTF-8"}, kMetricUnits},               // code 540A is not North American
        {{"", "en_GB.UTF-8", "en_US.UTF-8"}, kMetricUnits},
        {{"", "", "en_GB.UTF-8"}, kMetricUnits},
        {{"", "", "C.UTF-8"}, kMetricUnits},
    };
    for (const Case& c : cases) {
        SetDisplayUnits(c.units == kImperialUnits ? kMetricUnits : kImperialUnits);
        SetUnitsFromRegionalSettings(c.env);
        EXPECT_EQ(DisplayUnits(), c.units)
            << c.env.lcAll << "|" << c.env.lcMeasurement << "|" << c.env.lang;
        EXPECT_EQ(ReadSettingNumber("Units"), c.units);
    }
}

TEST_F(ScalingTest, WithoutAMeasurementLocaleTheSystemIniFileDecides) {
    const LocaleEnvironment usCodeNoMeasure{"", "C", "en_US.UTF-8"};
    SetUnitsFromRegionalSettings(usCodeNoMeasure);
    EXPECT_EQ(DisplayUnits(), kMetricUnits);  // no file: no measurement value
    temp.Write("config/WIN.INI", "[intl]\r\niMeasure=1\r\n");
    SetUnitsFromRegionalSettings(usCodeNoMeasure);
    EXPECT_EQ(DisplayUnits(), kImperialUnits);
    temp.Write("config/WIN.INI", "[intl]\r\niMeasure=0\r\n");
    SetUnitsFromRegionalSettings(usCodeNoMeasure);
    EXPECT_EQ(DisplayUnits(), kMetricUnits);
    temp.Write("config/WIN.INI", "[intl]\r\niMeasure=2\r\n");
    SetUnitsFromRegionalSettings(usCodeNoMeasure);
    EXPECT_EQ(DisplayUnits(), kMetricUnits);
    // A locale that is not North American stays metric whatever the file says.
    temp.Write("config/WIN.INI", "[intl]\r\niMeasure=1\r\n");
    SetUnitsFromRegionalSettings({"", "", "C"});
    EXPECT_EQ(DisplayUnits(), kMetricUnits);
}
