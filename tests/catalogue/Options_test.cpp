// The catalogue preferences: standard devices with their eligibility and stored values, the
// first-run family offers by region, the last cable impedance and calculation type.
#include "catalogue/Options.h"

#include <gtest/gtest.h>

#include "catalogue/Cables.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceFixtures.h"
#include "catalogue/DeviceTypes.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

class OptionsTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ResetDeviceCatalogue();
        ResetCableCatalogue();
        ResetCataloguePreferences();
    }
    void TearDown() override {
        ResetCataloguePreferences();
        ResetCableCatalogue();
        ResetDeviceCatalogue();
        ScriptedTest::TearDown();
    }

    // Types: 1 detector (family 1), 2 sounder (family 2), 3 slave detector (family 1),
    // 4 no icon (family 1), 5 icon-only (family 0 with an icon). Families carry the regions
    // US, NONUS, ALL and "EU" in their third item.
    void LoadDevices() {
        DeviceCatalogueFile devices;
        devices.Set("Families", "Family1", "Detectors,Detectors,US")
            .Set("Families", "Family2", "Sounders,Sounders,nonus")
            .Set("Families", "Family3", "Interfaces,Interfaces, All ,F")
            .Set("Families", "Family4", "Specials,Specials,EU");
        devices.Set("Devices", "MaxDevices", "5")
            .Set("Devices", "Device3", DeviceEntry("Slave Detector").Set(43, "S").Value())
            .Set("Devices", "Device4", DeviceEntry("Hidden Part").Set(16, "0").Set(36, "0").Value())
            .Set("Devices", "Device5", DeviceEntry("Icon Only").Set(5, "0").Value());
        devices.WriteStandard();
        ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    }
};

TEST_F(OptionsTest, EligibilityFollowsPlacementIconFamilyAndSlaves) {
    LoadDevices();
    EXPECT_TRUE(IsEligibleStandardDevice(1));
    EXPECT_TRUE(IsEligibleStandardDevice(2));
    EXPECT_FALSE(IsEligibleStandardDevice(3));  // slave
    EXPECT_FALSE(IsEligibleStandardDevice(4));  // cannot be placed
    EXPECT_FALSE(IsEligibleStandardDevice(5));  // icon-only family
    EXPECT_FALSE(IsEligibleStandardDevice(6));
    EXPECT_FALSE(IsEligibleStandardDevice(-1));
}

TEST_F(OptionsTest, StandardDevicesStartFromTheFamiliesAndWriteOnlyTrue) {
    WriteSettingFlag("DontShowFamily2", true);  // sounders hidden
    LoadDevices();
    LoadStandardDevices();
    EXPECT_FALSE(platform.IsBusy());
    ASSERT_EQ(StandardDevice.size(), 6u);
    EXPECT_TRUE(IsStandardDevice(1));
    EXPECT_TRUE(ReadSettingFlag("StandardDevice1"));
    // An eligible type of a hidden family starts as not standard, and nothing is written.
    EXPECT_FALSE(IsStandardDevice(2));
    EXPECT_FALSE(SettingExists("StandardDevice2"));
    // A slave is never standard, whatever its family.
    EXPECT_FALSE(IsStandardDevice(3));
    EXPECT_FALSE(SettingExists("StandardDevice3"));
    EXPECT_FALSE(IsStandardDevice(4));
    EXPECT_FALSE(IsStandardDevice(5));
    EXPECT_FALSE(IsStandardDevice(6));
    EXPECT_FALSE(IsStandardDevice(-1));
}

TEST_F(OptionsTest, StoredStandardDeviceValuesAreTakenWithoutWriting) {
    WriteSettingFlag("StandardDevice1", false);
    WriteSettingFlag("StandardDevice2", true);
    WriteSettingFlag("DontShowFamily2", true);
    WriteSettingFlag("StandardDevice3", true);  // a slave: ignored
    LoadDevices();
    LoadStandardDevices();
    EXPECT_FALSE(IsStandardDevice(1));
    EXPECT_TRUE(IsStandardDevice(2));
    EXPECT_FALSE(IsStandardDevice(3));
    EXPECT_TRUE(ReadSettingFlag("StandardDevice3"));  // left as it was
}

TEST_F(OptionsTest, SetStandardDeviceWritesOnChangeOnly) {
    LoadDevices();
    LoadStandardDevices();
    DeleteSetting("StandardDevice1");
    SetStandardDevice(1, true);  // unchanged
    EXPECT_FALSE(SettingExists("StandardDevice1"));
    SetStandardDevice(1, false);
    EXPECT_FALSE(IsStandardDevice(1));
    EXPECT_TRUE(SettingExists("StandardDevice1"));
    EXPECT_FALSE(ReadSettingFlag("StandardDevice1"));
    SetStandardDevice(42, true);  // outside the table: nothing
    EXPECT_FALSE(SettingExists("StandardDevice42"));
}

TEST_F(OptionsTest, FirstRunOffersFamiliesByRegion) {
    LoadDevices();
    // Family 0 has no region: offered to no one.
    ApplyFirstRunFamilyOffers(true);
    EXPECT_FALSE(FamilyTable[0].FamilyShown);
    EXPECT_TRUE(FamilyTable[1].FamilyShown);   // US
    EXPECT_FALSE(FamilyTable[2].FamilyShown);  // NONUS, either case
    EXPECT_TRUE(FamilyTable[3].FamilyShown);   // ALL, blanks around it
    EXPECT_FALSE(FamilyTable[4].FamilyShown);  // unknown region
    EXPECT_TRUE(ReadSettingFlag("DontShowFamily2"));
    EXPECT_FALSE(ReadSettingFlag("DontShowFamily1"));

    ApplyFirstRunFamilyOffers(false);
    EXPECT_FALSE(FamilyTable[1].FamilyShown);
    EXPECT_TRUE(FamilyTable[2].FamilyShown);
    EXPECT_TRUE(FamilyTable[3].FamilyShown);
    EXPECT_FALSE(FamilyTable[4].FamilyShown);
    EXPECT_TRUE(ReadSettingFlag("DontShowFamily1"));
    EXPECT_FALSE(ReadSettingFlag("DontShowFamily2"));
}

class LastCableImpedanceTest : public OptionsTest {
protected:
    void SetUp() override {
        OptionsTest::SetUp();
        WriteCables(MinimalCableFile());
        ScopedLocale british("en_GB");
        ASSERT_TRUE(LoadCableCatalogue());
        ASSERT_EQ(FirstVisibleCableImpedance(), 1210);
    }
};

TEST_F(LastCableImpedanceTest, OutOfRangeValuesGiveTheFirstVisibleCable) {
    for (const std::int32_t stored : {10001, -1, 70000}) {
        SCOPED_TRACE(stored);
        ResetCataloguePreferences();
        WriteSettingNumber("LastCableImpedance", stored);
        LoadLastCableImpedance();
        EXPECT_EQ(GetLastCableImpedance(), 1210);
        EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), 1210);  // and written
    }
}

TEST_F(LastCableImpedanceTest, ValuesFromZeroToTenThousandAreKept) {
    for (const std::int32_t stored : {0, 1, 10000}) {
        SCOPED_TRACE(stored);
        ResetCataloguePreferences();
        WriteSettingNumber("LastCableImpedance", stored);
        LoadLastCableImpedance();
        EXPECT_EQ(GetLastCableImpedance(), stored);
        EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), stored);
    }
}

TEST_F(LastCableImpedanceTest, MissingValueGivesTheFirstVisibleCable) {
    LoadLastCableImpedance();
    EXPECT_EQ(GetLastCableImpedance(), 1210);
    EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), 1210);
}

TEST_F(LastCableImpedanceTest, SetterWritesOnChangeOnly) {
    LoadLastCableImpedance();
    DeleteSetting("LastCableImpedance");
    SetLastCableImpedance(1210);
    EXPECT_FALSE(SettingExists("LastCableImpedance"));
    SetLastCableImpedance(740);
    EXPECT_EQ(GetLastCableImpedance(), 740);
    EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), 740);
}

TEST_F(OptionsTest, LastCalcTypeIsStoredUnchecked) {
    LoadLastCalcType();
    EXPECT_EQ(GetLastCalcType(), 0);
    WriteSettingNumber("LastCalcType", 7);
    LoadLastCalcType();
    EXPECT_EQ(GetLastCalcType(), 7);
    SetLastCalcType(2);
    EXPECT_EQ(ReadSettingNumber("LastCalcType"), 2);
    DeleteSetting("LastCalcType");
    SetLastCalcType(2);  // unchanged: not written again
    EXPECT_FALSE(SettingExists("LastCalcType"));
}

}  // namespace
