#include "document/UnitsSetting.h"

#include <gtest/gtest.h>

#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

class UnitsSettingTest : public ScriptedTest {
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

}  // namespace

TEST_F(UnitsSettingTest, AnUnknownStoredUnitsValueIsReportedAndReplacedByMetric) {
    SetDisplayUnits(kImperialUnits);
    WriteSettingNumber("Units", 7);
    LoadUnits();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "An unknown type of units has been specified!\n\nChanging to Metric.");
    EXPECT_EQ(std::make_tuple(DisplayUnits(), ReadSettingNumber("Units")),
              std::make_tuple(kMetricUnits, 0));
}

TEST_F(UnitsSettingTest, UnitsFromRegionalSettings) {
    const std::vector<std::pair<LocaleEnvironment, std::uint8_t>> cases = {
        {{"en_US.UTF-8", "en_GB.UTF-8", "de_DE"}, kImperialUnits},  // LC_ALL decides both
        {{"", "", "en_CA.UTF-8"}, kMetricUnits},               // North American, metric measure
        {{"", "en_US.UTF-8", "en_CA.UTF-8"}, kImperialUnits},  // Canadian with US measurement
        {{"", "en_US.UTF-8", "en_GB.UTF-8"}, kMetricUnits},    // US measurement, British code
        {{"", "", "es_US.UTF-8"}, kMetricUnits},               // code 540A is not North American
    };
    for (const auto& [env, units] : cases) {
        SetDisplayUnits(units == kImperialUnits ? kMetricUnits : kImperialUnits);
        SetUnitsFromRegionalSettings(env);
        EXPECT_EQ(DisplayUnits(), units)
            << env.lcAll << "|" << env.lcMeasurement << "|" << env.lang;
        EXPECT_EQ(ReadSettingNumber("Units"), units);
    }
}
