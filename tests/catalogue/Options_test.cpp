// The catalogue preferences: standard devices with their eligibility and stored values, the
// first-run family offers by region, the last cable impedance and calculation type.
#include "catalogue/Options.h"

#include <gtest/gtest.h>

#include <optional>

#include "catalogue/Cables.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceTypes.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

class OptionsTest : public CatalogueFileTest {
protected:
    // Types: 1 detector (family 1), 2 sounder (family 2), 3 slave detector (family 1),
    // 4 no icon (family 1), 5 icon-only (family 0 with an icon). Families carry the regions
    // US, NONUS, ALL and "EU" in their third item.
    void LoadDevices() {
        IniText devices = MinimalDeviceFile();
        devices.Set("Families", "Family1", "Detectors,Detectors,US")
            .Set("Families", "Family2", "Sounders,Sounders,nonus")
            .Set("Families", "Family3", "Interfaces,Interfaces, All ,F")
            .Set("Families", "Family4", "Specials,Specials,EU");
        devices.Set("Devices", "MaxDevices", "5")
            .Set("Devices", "Device3", DeviceEntry("Slave Detector").Set(43, "S").Value())
            .Set("Devices", "Device4", DeviceEntry("Hidden Part").Set(16, "0").Set(36, "0").Value())
            .Set("Devices", "Device5", DeviceEntry("Icon Only").Set(5, "0").Value());
        WriteStandardDevices(devices);
        ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    }
};

std::string Standard() {
    std::string flags;
    for (int type : {-1, 1, 2, 3, 4, 5, 6})
        flags += IsStandardDevice(type) ? 'S' : '-';
    return flags;
}

TEST_F(OptionsTest, StandardDevicesStartFromTheFamiliesAndWriteOnlyTrue) {
    WriteSettingFlag("DontShowFamily2", true);  // sounders hidden
    LoadDevices();
    // Eligible: placeable, with an icon, not of the icon-only family, not a slave.
    std::string eligible;
    for (int type : {-1, 1, 2, 3, 4, 5, 6})
        eligible += IsEligibleStandardDevice(type) ? 'E' : '-';
    EXPECT_EQ(eligible, "-EE----");
    LoadStandardDevices();
    EXPECT_FALSE(platform.IsBusy());
    ASSERT_EQ(StandardDevice.size(), 6u);
    // An eligible type of a hidden family starts as not standard, and nothing is written.
    EXPECT_EQ(Standard(), "-S-----");
    EXPECT_TRUE(ReadSettingFlag("StandardDevice1"));
    EXPECT_FALSE(SettingExists("StandardDevice2") || SettingExists("StandardDevice3"));

    // Stored values are taken without writing; a slave stays not standard.
    WriteSettingFlag("StandardDevice1", false);
    WriteSettingFlag("StandardDevice2", true);
    WriteSettingFlag("StandardDevice3", true);
    LoadStandardDevices();
    EXPECT_EQ(Standard(), "--S----");
    EXPECT_TRUE(ReadSettingFlag("StandardDevice3"));  // left as it was

    // The setter writes on a change only.
    DeleteSetting("StandardDevice2");
    SetStandardDevice(2, true);
    EXPECT_FALSE(SettingExists("StandardDevice2"));
    SetStandardDevice(2, false);
    EXPECT_EQ(Standard(), "-------");
    EXPECT_FALSE(ReadSettingFlag("StandardDevice2"));
    ASSERT_TRUE(SettingExists("StandardDevice2"));
}

TEST_F(OptionsTest, LastCableImpedanceIsKeptFromZeroToTenThousand) {
    WriteCables(MinimalCableFile());
    const ScopedLocale british("en_GB");
    ASSERT_TRUE(LoadCableCatalogue());
    ASSERT_EQ(FirstVisibleCableImpedance(), 1210);
    // Missing or out of range: the first visible cable, written back.
    for (const auto& [stored, kept] : std::vector<std::pair<std::optional<std::int32_t>, int>>{
             {std::nullopt, 1210}, {10001, 1210}, {-1, 1210}, {0, 0}, {10000, 10000}}) {
        ResetCataloguePreferences();
        if (stored) WriteSettingNumber("LastCableImpedance", *stored);
        LoadLastCableImpedance();
        EXPECT_EQ(GetLastCableImpedance(), kept);
        EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), kept);
    }
    DeleteSetting("LastCableImpedance");
    SetLastCableImpedance(10000);  // unchanged: not written
    EXPECT_FALSE(SettingExists("LastCableImpedance"));
    SetLastCableImpedance(740);
    EXPECT_EQ(GetLastCableImpedance(), 740);
    EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), 740);
}

}  // namespace
