#include "app/StandbyPowerModel.h"

#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "support/TestSupport.h"

namespace {

using F = StandbyField;
using C = LoadColumn;

class StandbyPowerModelTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        NewDocument();
    }
    BatteryListSource source = [this] {
        ++listReads;
        return std::vector<Amount>{Amount::FromWhole(7), Amount::FromWhole(12)};
    };
    int listReads = 0;
};

TEST_F(StandbyPowerModelTest, AWrongValueKeepsTheLastResultAndNamesItsPlace) {
    StandbyPowerModel model(source);
    model.SetText(F::PanelQuiescent, "150");
    model.AddLoad();
    model.AddLoad();
    // Each wrong text with the problem it gives: its field or cell, and its message.
    const std::pair<StandbyProblem, const char*> cases[] = {
        {{"The standby period is not a number.", F::StandbyHours}, "abc"},
        {{"The alarm period is not a number.", F::AlarmMinutes}, ""},
        {{"The standby period must be between 0 and 1000 hours.", F::StandbyHours}, "1000.5"},
        {{"The alarm period must be between 0 and 1440 minutes.", F::AlarmMinutes}, "1e30"},
        {{"The panel's alarm current must be between 0 and 100000 mA.", F::PanelAlarm}, "-1"},
        {{"Other load 2: the quantity is not a whole number.", {}, 1, C::Quantity}, "2.5"},
        {{"Other load 1: the alarm current is not a number.", {}, 0, C::Alarm}, "x"},
    };
    for (const auto& [place, wrong] : cases) {
        SCOPED_TRACE(wrong);
        const auto set = [&](const std::string& text) {
            if (place.field) return model.SetText(*place.field, text);
            model.SetLoadCell(place.row, place.column, text);
        };
        const StandbyPowerResult good = model.Result();
        set(wrong);
        EXPECT_EQ(model.Problem(), place);
        EXPECT_EQ(model.Result(), good);
        EXPECT_FALSE(model.Accept());
        set(place.field ? "1" : "0");
        EXPECT_FALSE(model.Problem());
    }
    EXPECT_EQ(platform.messages.size(), std::size(cases));
    EXPECT_EQ(CurrentDocument().StandbyPower, StandbyPowerInputs{});
}

TEST_F(StandbyPowerModelTest, TheAlarmPeriodFollowsTheStandardUntilTheUserTypesTheirOwn) {
    StandbyPowerModel model(source);
    const auto alarm = [&] { return model.Text(F::AlarmMinutes); };
    model.ChooseStandard(BatteryStandard::NFPA72_2022);
    EXPECT_EQ(alarm(), "5");
    model.SetVoiceSystem(true);
    EXPECT_EQ(alarm(), "15");
    model.ChooseStandard(BatteryStandard::BS5839);
    EXPECT_EQ(alarm(), "30");
    EXPECT_FALSE(model.VoiceSystem());
    model.SetText(F::AlarmMinutes, "20");
    model.ChooseStandard(BatteryStandard::NFPA72_2019);
    EXPECT_EQ(alarm(), "20");
    model.SetText(F::AlarmMinutes, "5.0");  // the default again: following once more
    model.SetVoiceSystem(true);
    EXPECT_EQ(model.Inputs().alarmMinutes, Amount::FromWhole(15));
}

TEST_F(StandbyPowerModelTest, OkStoresAndMarksOnlyAChangeCancelLeavesTheDesign) {
    CurrentDocument().StandbyPower.panelAlarmMilliamps = Amount::FromWhole(90);
    const StandbyPowerInputs held = CurrentDocument().StandbyPower;
    {
        StandbyPowerModel model(source);
        EXPECT_TRUE(model.Accept());
        EXPECT_FALSE(CurrentDocument().DataChanged);
        model.SetText(F::PanelQuiescent, "120");
    }  // closed without OK
    EXPECT_EQ(CurrentDocument().StandbyPower, held);
    EXPECT_FALSE(CurrentDocument().DataChanged);
    EXPECT_EQ(listReads, 1);
    StandbyPowerModel model([] { return std::optional<std::vector<Amount>>(); });
    EXPECT_EQ(model.RecommendationText(), "No battery list to choose from: 0.10 Ah required");
    EXPECT_FALSE(model.PanelCurrentsNoteVisible());
    model.SetText(F::PanelAlarm, "0");
    EXPECT_TRUE(model.PanelCurrentsNoteVisible());
    EXPECT_TRUE(model.Accept());
    EXPECT_EQ(CurrentDocument().StandbyPower, StandbyPowerInputs{});
    EXPECT_TRUE(CurrentDocument().DataChanged);
}

}  // namespace
