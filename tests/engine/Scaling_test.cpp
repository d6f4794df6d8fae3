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

TEST_F(ScalingTest, Captions) {
    EXPECT_EQ(ImpedanceUnitText(0), "ohms/km/core");
    EXPECT_EQ(ImpedanceUnitText(1), "ohms/kft/core");
    EXPECT_EQ(CopperReferenceText(0),
              "(copper at 20\xC2\xB0"
              "C)");
    EXPECT_EQ(CopperReferenceText(1),
              "(copper at 68\xC2\xB0"
              "F)");
    EXPECT_EQ(LengthUnitText(0, true), "metres (m)");
    EXPECT_EQ(LengthUnitText(0, false), "m");
    EXPECT_EQ(LengthUnitText(1, true), "feet (ft)");
    EXPECT_EQ(LengthUnitText(1, false), "ft");
    for (int other : {2, 7, 255, -1}) {
        EXPECT_EQ(ImpedanceUnitText(other), "?");
        EXPECT_EQ(CopperReferenceText(other), "");
        EXPECT_EQ(LengthUnitText(other, true), "?");
        EXPECT_EQ(LengthUnitText(other, false), "?");
    }
}

TEST_F(ScalingTest, TypedLengthsInMetres) {
    EXPECT_EQ(TextToLength("100"), 1000);
    EXPECT_EQ(TextToLength("2000"), 20000);
    EXPECT_EQ(TextToLength("2000.1"), -1);
    EXPECT_EQ(TextToLength("2000.04"), 20000);  // 20000.4 rounds down into range
    EXPECT_EQ(TextToLength("-1"), -1);
    EXPECT_EQ(TextToLength("-0.04"), 0);
    EXPECT_EQ(TextToLength("0"), 0);
    EXPECT_EQ(TextToLength(""), 0);
    EXPECT_EQ(TextToLength("abc"), 0);
    EXPECT_EQ(TextToLength(" 12.5 m"), 125);
    EXPECT_EQ(TextToLength("0.05"), 0);  // 0.5 rounds to the even 0
    EXPECT_EQ(TextToLength("0.25"), 2);  // 2.5 rounds to the even 2
    EXPECT_EQ(TextToLength("0.35"), 4);  // 3.5 rounds to the even 4
    EXPECT_EQ(TextToLength("1e3"), 10000);
    EXPECT_EQ(TextToLength("1e10"), -1);  // beyond 32 bits
    EXPECT_EQ(TextToLength("1e400"), -1);
}

TEST_F(ScalingTest, TypedLengthsInFeet) {
    SetDisplayUnits(kImperialUnits);
    EXPECT_EQ(TextToLength("100"), 305);  // 304.8
    EXPECT_EQ(TextToLength("6561"), 19998);
    EXPECT_EQ(TextToLength("6561.7"), 20000);
    EXPECT_EQ(TextToLength("6562"), -1);  // 20001
    EXPECT_EQ(TextToLength("-1"), -1);
    EXPECT_EQ(TextToLength(""), 0);
}

TEST_F(ScalingTest, LengthsShownInWholeMetresOrFeet) {
    EXPECT_EQ(LengthToText(1000), "100");
    EXPECT_EQ(LengthToText(0), "0");
    EXPECT_EQ(LengthToText(5), "0");   // 0.5 to the even 0
    EXPECT_EQ(LengthToText(15), "2");  // 1.5 to the even 2
    EXPECT_EQ(LengthToText(25), "2");  // 2.5 to the even 2
    EXPECT_EQ(LengthToText(20000), "2000");
    EXPECT_EQ(LengthToText(-3), "0");
    SetDisplayUnits(kImperialUnits);
    EXPECT_EQ(LengthToText(1000), "328");
    EXPECT_EQ(LengthToText(305), "100");
    EXPECT_EQ(LengthToText(20000), "6562");
}

TEST_F(ScalingTest, LengthsRoundTripThroughTheirText) {
    for (std::int32_t length = 0; length <= 20000; length += 10)
        EXPECT_EQ(TextToLength(LengthToText(length)), length);
    SetDisplayUnits(kImperialUnits);
    // Whole feet are 3.048 dm apart, so a length comes back within half a foot.
    for (std::int32_t length = 0; length <= 20000; ++length) {
        const std::int32_t back = TextToLength(LengthToText(length));
        if (back == -1) {
            EXPECT_GE(length, 19999);
            continue;
        }
        EXPECT_LE(std::abs(back - length), 2) << length;
    }
}

TEST_F(ScalingTest, TypedImpedancesInOhmsPerKilometre) {
    EXPECT_EQ(TextToImpedance("18.1"), 1810);
    EXPECT_EQ(TextToImpedance("100"), 10000);
    EXPECT_EQ(TextToImpedance("100.01"), -1);
    EXPECT_EQ(TextToImpedance("100.004"), 10000);
    EXPECT_EQ(TextToImpedance("0"), 0);
    EXPECT_EQ(TextToImpedance(""), 0);
    EXPECT_EQ(TextToImpedance("-0.01"), -1);
    EXPECT_EQ(TextToImpedance("327.67"), -1);  // fits 16 bits but is out of range
    EXPECT_EQ(TextToImpedance("400"), -1);     // 40000 does not fit 16 bits
    EXPECT_EQ(TextToImpedance("-400"), -1);
    EXPECT_EQ(TextToImpedance("0.005"), 0);  // 0.5 to the even 0
    EXPECT_EQ(TextToImpedance("12.34 ohms"), 1234);
}

TEST_F(ScalingTest, TypedImpedancesInOhmsPerKilofoot) {
    SetDisplayUnits(kImperialUnits);
    EXPECT_EQ(TextToImpedance("1"), 328);        // 328.0839
    EXPECT_EQ(TextToImpedance("5.52"), 1811);    // 1811.02
    EXPECT_EQ(TextToImpedance("30.48"), 10000);  // 9999.997
    EXPECT_EQ(TextToImpedance("30.49"), -1);
    EXPECT_EQ(TextToImpedance("-1"), -1);
}

TEST_F(ScalingTest, ImpedancesShownWithTwoDecimals) {
    EXPECT_EQ(ImpedanceToText(1810), "18.10");
    EXPECT_EQ(ImpedanceToText(0), "0.00");
    EXPECT_EQ(ImpedanceToText(5), "0.05");
    EXPECT_EQ(ImpedanceToText(10000), "100.00");
    EXPECT_EQ(ImpedanceToText(-250), "-2.50");
    SetDisplayUnits(kImperialUnits);
    EXPECT_EQ(ImpedanceToText(1810), "5.52");    // 551.6882 + 0.005, / 100
    EXPECT_EQ(ImpedanceToText(328), "1.00");     // 99.9744
    EXPECT_EQ(ImpedanceToText(10000), "30.48");  // 3048.0006
    EXPECT_EQ(ImpedanceToText(0), "0.00");
}

TEST_F(ScalingTest, ImpedancesRoundTripThroughTheirText) {
    for (std::int32_t impedance = 0; impedance <= 10000; ++impedance)
        EXPECT_EQ(TextToImpedance(ImpedanceToText(impedance)), impedance);
    SetDisplayUnits(kImperialUnits);
    // Hundredths of an ohm per kilofoot are 3.28 internal steps apart.
    for (std::int32_t impedance = 0; impedance <= 10000; ++impedance) {
        const std::int16_t back = TextToImpedance(ImpedanceToText(impedance));
        EXPECT_LE(std::abs(back - impedance), 2) << impedance;
    }
}

TEST_F(ScalingTest, SetUnitsStoresTheSetting) {
    SetUnits(kImperialUnits);
    EXPECT_EQ(DisplayUnits(), kImperialUnits);
    EXPECT_EQ(ReadSettingNumber("Units"), 1);
    SetUnits(kMetricUnits);
    EXPECT_EQ(DisplayUnits(), kMetricUnits);
    EXPECT_EQ(ReadSettingNumber("Units"), 0);
    EXPECT_TRUE(SettingExists("Units"));
}

TEST_F(ScalingTest, LoadUnitsReadsTheSetting) {
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
