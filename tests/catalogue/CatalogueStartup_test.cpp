// The start-up loading sequence: its order, the last panel with its fallback, the stop after
// the first failure with its one message, and the settings that cannot be written.
#include "catalogue/CatalogueStartup.h"

#include <gtest/gtest.h>

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
        devices.Append(
            "[Others]\r\nOther1=Led\r\nOther2=Base\r\n"
            "[Led]\r\nName=Remote LED\r\nImpedance=0\r\nQuiescent=0\r\nAlarm=3000\r\n"
            "FromRemote=T\r\nContext=other\r\n"
            "[Base]\r\nName=Isolating Base\r\nImpedance=3\r\nQuiescent=90\r\nAlarm=90\r\n"
            "FromRemote=F\r\nMaxSurge=50000\r\nContext=standalone\r\n");
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
    EXPECT_EQ(StandardDevice.size(), DeviceTypeTable.size());
    EXPECT_TRUE(IsStandardDevice(1));
    EXPECT_EQ(GetLastCableImpedance(), 1210);
    EXPECT_EQ(DeviceTypeTable[1].StandaloneSetting, 1);
    EXPECT_EQ(OtherDeviceTable[1].OtherName, "Isolating Base");
    EXPECT_EQ(LastSurgeStandaloneOther, 1);
    // No panel remembered: the unknown panel, which is then remembered.
    EXPECT_EQ(PanelTable.at(static_cast<std::size_t>(GetCurrentPanel())).PanelName,
              "Unknown Panel");
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
              "No device families defined in " + Phrase(StandardDevicesFilePath()));
    EXPECT_TRUE(PanelTable.empty());
    EXPECT_TRUE(StandardDevice.empty());
    WriteRawFile(StandardDevicesFilePath(), devices);

    // The cables fail before the impedance, the calculation type and the other devices.
    WriteSettingNumber("LastCalcType", 1);
    WriteCables(MinimalCableFile().Set("C3", "Group", "9"));
    EXPECT_EQ(FailingLoad(LoadCatalogues),
              "Invalid settings for cable 3 in " + Phrase(CableDataFilePath()));
    EXPECT_EQ(GetLastCableImpedance(), 0);
    EXPECT_EQ(GetLastCalcType(), 0);
    EXPECT_EQ(OtherDeviceTable.size(), 1u);
    EXPECT_EQ(DeviceTypeTable[1].StandaloneSetting, 2);  // not mapped
    WriteCables(MinimalCableFile());

    // The other devices fail before the panel choice.
    WriteStandardDevices(
        MinimalDeviceFile().Append("[Others]\r\nOther1=Led\r\n[Led]\r\nName=Remote LED\r\n"));
    EXPECT_EQ(FailingLoad(LoadCatalogues),
              "Invalid settings for Other Device 1 in " + Phrase(StandardDevicesFilePath()));
    EXPECT_EQ(GetLastCableImpedance(), 1210);
    EXPECT_EQ(GetCurrentPanel(), -1);
    EXPECT_FALSE(SettingExists("LastPanel"));
}

}  // namespace
