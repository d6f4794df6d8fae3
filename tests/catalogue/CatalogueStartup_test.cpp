// The start-up sequence (order, last panel, stop at the first failure) and its preferences.
#include "catalogue/CatalogueStartup.h"

#include <gtest/gtest.h>

#include <optional>

#include "catalogue/Cables.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

class CatalogueStartupTest : public CatalogueFileTest {
protected:
    void SetUp() override {
        CatalogueFileTest::SetUp();
        IniText devices = MinimalDeviceFile();
        // Device1 stands alone behind other device 2 (read second, sorted first).
        devices.Set("Devices", "Device1", DeviceEntry("Optical Detector").Set(46, "2").Value());
        devices.Set("Others", {"Other1=Led", "Other2=Base"});
        devices.Set("Led", {"Name=Remote LED", "Impedance=0", "Quiescent=0", "Alarm=3000",
                            "FromRemote=T", "Context=other"});
        devices.Set("Base", {"Name=Isolating Base", "Impedance=3", "Quiescent=90", "Alarm=90",
                             "FromRemote=F", "MaxSurge=50000", "Context=standalone"});
        WriteStandardDevices(devices);
        WriteStandardPanels(MinimalPanelFile());
        WriteCables(MinimalCableFile());
    }

    ScopedLocale british{"en_GB"};
};

TEST_F(CatalogueStartupTest, LoadsEverythingInOrderWithoutAMessage) {
    ASSERT_TRUE(LoadCatalogues()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.IsBusy());
    EXPECT_EQ(CatalogueCountsText(CountCatalogues()),
              "families 3, device types 3, panels 4, cables 4, other devices 2");
    // The standard devices came after the device types, the impedance after the cables, the
    // standalone mapping after the other devices.
    EXPECT_EQ(std::make_tuple(StandardDevice.size(), IsStandardDevice(1), GetLastCableImpedance(),
                              DeviceTypeTable[1].StandaloneSetting, LastSurgeStandaloneOther),
              std::make_tuple(4u, true, 1210, 1, 1));
    // No panel remembered: the unknown panel, which is then remembered.
    EXPECT_EQ(GetCurrentPanel(), UnknownPanelIndex);
    EXPECT_EQ(ReadSettingText("LastPanel"), "Unknown Panel");

    // Running again loads the new data afresh: nothing doubled, mapped once.
    WriteStandardPanels(MinimalPanelFile().Remove("Zeta", "Panel1"));
    ASSERT_TRUE(LoadCatalogues());
    EXPECT_EQ(CatalogueCountsText(CountCatalogues()),
              "families 3, device types 3, panels 3, cables 4, other devices 2");
    EXPECT_EQ(DeviceTypeTable[1].StandaloneSetting, 1);
}

TEST_F(CatalogueStartupTest, EachFailureStopsTheSequenceAfterItsOneMessage) {
    // A broken device file: nothing after it is loaded.
    const std::string devices = ReadWholeFile(StandardDevicesFilePath());
    WriteRawFile(StandardDevicesFilePath(), "[Families]\r\nFamily0=None,None\r\n");
    EXPECT_EQ(FailingLoad(LoadCatalogues),
              "No device families defined in " + FilePhrase(StandardDevicesFilePath()));
    EXPECT_TRUE(PanelTable.empty());
    EXPECT_TRUE(StandardDevice.empty());
    WriteRawFile(StandardDevicesFilePath(), devices);

    // The other devices fail before the panel choice.
    WriteStandardDevices(
        MinimalDeviceFile().Set("Others", "Other1", "Led").Set("Led", "Name", "X"));
    EXPECT_EQ(FailingLoad(LoadCatalogues),
              "Invalid settings for Other Device 1 in " + FilePhrase(StandardDevicesFilePath()));
    EXPECT_EQ(
        std::make_tuple(GetLastCableImpedance(), GetCurrentPanel(), SettingExists("LastPanel")),
        std::make_tuple(1210, -1, false));
}

using OptionsTest = CatalogueFileTest;

// The answers for types -1 and 1 to 6, e.g. "-S-----".
std::string Flags(bool (*rule)(int), char yes = 'S') {
    std::string flags;
    for (int type : {-1, 1, 2, 3, 4, 5, 6})
        flags += rule(type) ? yes : '-';
    return flags;
}

TEST_F(OptionsTest, StandardDevicesStartFromTheFamiliesAndWriteOnlyTrue) {
    // Types: 1 detector (family 1), 2 sounder (family 2), 3 slave detector (family 1), 4 no
    // icon (family 1), 5 icon-only (family 0 with an icon).
    IniText devices = MinimalDeviceFile().Set(
        "Devices", {"MaxDevices=5", "Device3=" + DeviceEntry("Slave Detector").Set(43, "S").Value(),
                    "Device4=" + DeviceEntry("Hidden Unit").Set(16, "0").Set(36, "0").Value(),
                    "Device5=" + DeviceEntry("Icon Only").Set(5, "0").Value()});
    // Families carry the regions US, NONUS, ALL and "EU" in their third item.
    devices.Set("Families",
                {"Family1=Detectors,Detectors,US", "Family2=Sounders,Sounders,nonus",
                 "Family3=Interfaces,Interfaces, All ,F", "Family4=Specials,Specials,EU"});
    WriteStandardDevices(devices);
    WriteSettingFlag("DontShowFamily2", true);  // sounders hidden
    ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    // Eligible: placeable, with an icon, not of the icon-only family, not a slave.
    EXPECT_EQ(Flags(IsEligibleStandardDevice, 'E'), "-EE----");
    LoadStandardDevices();
    EXPECT_FALSE(platform.IsBusy());
    ASSERT_EQ(StandardDevice.size(), 6u);
    // An eligible type of a hidden family starts as not standard, and nothing is written.
    EXPECT_EQ(Flags(IsStandardDevice), "-S-----");
    EXPECT_TRUE(ReadSettingFlag("StandardDevice1"));
    EXPECT_FALSE(SettingExists("StandardDevice2") || SettingExists("StandardDevice3"));

    // Stored values are taken without writing; a slave stays not standard.
    WriteSettingFlag("StandardDevice1", false);
    WriteSettingFlag("StandardDevice2", true);
    WriteSettingFlag("StandardDevice3", true);
    LoadStandardDevices();
    EXPECT_EQ(Flags(IsStandardDevice), "--S----");
    EXPECT_TRUE(ReadSettingFlag("StandardDevice3"));  // left as it was

    // The setter writes on a change only.
    DeleteSetting("StandardDevice2");
    SetStandardDevice(2, true);
    EXPECT_FALSE(SettingExists("StandardDevice2"));
    SetStandardDevice(2, false);
    EXPECT_EQ(Flags(IsStandardDevice), "-------");
    EXPECT_TRUE(SettingExists("StandardDevice2") && !ReadSettingFlag("StandardDevice2"));
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
        EXPECT_EQ(std::make_tuple(GetLastCableImpedance(), ReadSettingNumber("LastCableImpedance")),
                  std::make_tuple(kept, kept));
    }
    DeleteSetting("LastCableImpedance");
    SetLastCableImpedance(10000);  // unchanged: not written
    EXPECT_FALSE(SettingExists("LastCableImpedance"));
    SetLastCableImpedance(740);
    EXPECT_EQ(std::make_tuple(GetLastCableImpedance(), ReadSettingNumber("LastCableImpedance")),
              std::make_tuple(740, 740));
}

}  // namespace
