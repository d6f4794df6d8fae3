#include "catalogue/Switches.h"

#include <gtest/gtest.h>

#include "catalogue/DeviceFixtures.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/FieldParsing.h"
#include "support/TestSupport.h"

namespace {

class SwitchesTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ResetDeviceCatalogue();
    }
    std::string Phrase() const { return FilePhrase(StandardDevicesFilePath()); }
    DeviceCatalogueFile file;
};

TEST_F(SwitchesTest, ReadsEveryField) {
    file.Set("Switches", "MaxSwitches", "3")
        .Set("Switches", "Switch2", "Volume, Loud , 100 , 200 , s , m , 0")
        .WriteStandard();
    ASSERT_TRUE(LoadSwitches(StandardDevicesFilePath()));
    ASSERT_EQ(HighestSwitch(), 3);
    const SwitchEntry& one = SwitchTable[1];
    EXPECT_EQ(one.SwitchName, "Tone");
    EXPECT_EQ(one.SwitchText2, "Tone select");
    EXPECT_EQ(one.AlarmCurrentOff, 5000);
    EXPECT_EQ(one.AlarmCurrentOn, 6000);
    // Item 5 sets position 1, item 6 position 0.
    EXPECT_TRUE(one.SwitchMaster[1]);
    EXPECT_FALSE(one.SwitchSlave[1]);
    EXPECT_TRUE(one.SwitchSlave[0]);
    EXPECT_FALSE(one.SwitchMaster[0]);
    EXPECT_TRUE(one.SwitchDefaultOn);
    const SwitchEntry& two = SwitchTable[2];
    EXPECT_EQ(two.SwitchText2, "Loud");
    EXPECT_TRUE(two.SwitchSlave[1]);
    EXPECT_TRUE(two.SwitchMaster[0]);
    EXPECT_FALSE(two.SwitchDefaultOn);
    const SwitchEntry& missing = SwitchTable[3];
    EXPECT_EQ(missing.SwitchName, "");
    EXPECT_EQ(missing.AlarmCurrentOn, 0);
    EXPECT_FALSE(missing.SwitchMaster[0] || missing.SwitchMaster[1] || missing.SwitchSlave[0] ||
                 missing.SwitchSlave[1] || missing.SwitchDefaultOn);
}

TEST_F(SwitchesTest, PositionLettersOtherThanMOrSClearBothFlags) {
    file.Set("Switches", "Switch1", "Tone,,1,2,Master,x,1").WriteStandard();
    ASSERT_TRUE(LoadSwitches(StandardDevicesFilePath()));
    EXPECT_TRUE(SwitchTable[1].SwitchMaster[1]);
    EXPECT_FALSE(SwitchTable[1].SwitchMaster[0]);
    EXPECT_FALSE(SwitchTable[1].SwitchSlave[0]);
}

TEST_F(SwitchesTest, ZeroMaxSwitchesGivesOnlySwitchZero) {
    file.Set("Switches", "MaxSwitches", "0").WriteStandard();
    ASSERT_TRUE(LoadSwitches(StandardDevicesFilePath()));
    EXPECT_EQ(HighestSwitch(), 0);
}

TEST_F(SwitchesTest, DefaultSettingOfTwoIsRefused) {
    file.Set("Switches", "Switch1", "Tone,,1,2,M,S,2").WriteStandard();
    EXPECT_FALSE(LoadSwitches(StandardDevicesFilePath()));
    EXPECT_EQ(
        platform.AllMessageTexts(),
        "Invalid numeric value for Default setting for 'Switch1' entry in [Switches] section in " +
            Phrase());
}

TEST_F(SwitchesTest, AlarmCurrentsNameTheirPosition) {
    file.Set("Switches", "Switch1", "Tone,,,2,M,S,1").WriteStandard();
    EXPECT_FALSE(LoadSwitches(StandardDevicesFilePath()));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Numeric value expected for Alarm Current for Off-position in 'Switch1' entry in "
              "[Switches] section in " +
                  Phrase());

    platform.messages.clear();
    file.Set("Switches", "Switch1", "Tone,,1,32768,M,S,1").WriteStandard();
    EXPECT_FALSE(LoadSwitches(StandardDevicesFilePath()));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for Alarm Current for On-position in 'Switch1' entry in "
              "[Switches] section in " +
                  Phrase());
}

TEST_F(SwitchesTest, BadMaxSwitchesLeavesOneClearedEntry) {
    file.Set("Switches", "MaxSwitches", "-1").WriteStandard();
    EXPECT_FALSE(LoadSwitches(StandardDevicesFilePath()));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for 'MaxSwitches' entry in [Switches] section in " + Phrase());
    ASSERT_EQ(SwitchTable.size(), 1u);
    EXPECT_EQ(SwitchTable[0].SwitchName, "");
}

}  // namespace
