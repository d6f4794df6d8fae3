// The other devices: keys and defaults, messages, sort, and which type takes which.
#include "catalogue/OtherDevices.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceTypes.h"
#include "support/TestSupport.h"

namespace {

// The device file with three standard other devices, read in the order Remote LED, Deep Base,
// Alpha Isolator; type 2 (Sounder) sits on base type 5.
IniText StandardOthers() {
    IniText others = MinimalDeviceFile();
    others.Set("Devices", "Device2",
               DeviceEntry("Sounder").Set(5, "2").Set(33, "1").Set(37, "5").Value());
    others.Set("Others", {"Other1=RemLED", "Other2=DeepBase, ignored", "Other3=Iso"});
    others.Set("RemLED",
               {"Name=Remote LED", "SingleName=Remote LED, single", "Impedance=0", "Quiescent=0",
                "Alarm=3000", "FromRemote=T", "MaxQty=4", "Family=2", "Icon=12", "AlarmIcon=30",
                "Button=1", "MinVolts=1500", "Context=other", "ThirdParty=true"});
    others.Set("DeepBase",
               {"Name=Deep Base", "Impedance=5", "Quiescent=100", "Alarm=200", "FromRemote=F, T",
                "Base=5", "Icon=12,14", "UseAlternative=7, Shallow Base", "Context=BASE"});
    others.Set("Iso", {"Name=Alpha Isolator", "SingleName=Isolator", "Impedance=12", "Quiescent=80",
                       "Alarm=90", "Surge=500", "MaxSurge=40000", "FromRemote=F",
                       "UseAlternative=3", "Context=Standalone", "AddressableDevice=3"});
    return others;
}

class OtherDevicesTest : public CatalogueFileTest {
protected:
    // Writes the file, Device1 with item 42 (which refuses other devices), and loads the types.
    void WriteDevices(IniText devices, const std::string& item42 = "") {
        devices.Set("Devices", "Device1", DeviceEntry("Optical Detector").Set(42, item42).Value());
        WriteStandardDevices(devices);
        ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    }

    // Which of none, Remote LED, Deep Base and Plain types 1 to 3 each take.
    static std::string Takes() {
        std::string text;
        for (int type = 1; type <= 3; ++type) {
            for (const char* name : {"", "Remote LED", "Deep Base", "Plain"}) {
                const auto place = std::find_if(OtherDeviceTable.begin(), OtherDeviceTable.end(),
                                                [&](const auto& o) { return o.OtherName == name; });
                text += IsCompatible(type, static_cast<int>(place - OtherDeviceTable.begin()))
                            ? 'y'
                            : 'n';
            }
            text += ' ';
        }
        return text;
    }
};

// Every field of a record but its name, key and single name.
auto Fields(const OtherDevice& o) {
    return std::make_tuple(o.OtherNumber, o.OtherImpedance, o.OtherQuiescent, o.OtherAlarm,
                           o.OtherSurge, o.OtherMaxSurge, o.FromRemote, o.FromRemoteSecond,
                           int{o.MaxQuantity}, o.OtherFamily, o.OtherIcon, o.AlternativeIcon,
                           o.AlarmIcon, o.OtherButton, o.OtherMinVolts, o.AlternativeDevice,
                           o.AlternativeName, int{o.OtherBase}, o.IsStandaloneContext,
                           o.IsBaseContext, o.ThirdParty, o.OtherIsCustom, o.AddressableDevice);
}

TEST_F(OtherDevicesTest, ReadsEveryKeyTheDefaultsAndSortsByName) {
    WriteDevices(StandardOthers());
    ASSERT_TRUE(LoadOtherDevices()) << platform.AllMessageTexts();
    std::vector<std::string> names;
    for (const OtherDevice& o : OtherDeviceTable)
        names.push_back(o.OtherName + "/" + o.OtherKey + "/" + o.SingleName);
    // The single name is the whole value; a missing one is empty, and "0" for entry 0.
    EXPECT_EQ(names,
              (std::vector<std::string>{"//0", "Alpha Isolator/Iso/Isolator", "Deep Base/DeepBase/",
                                        "Remote LED/RemLED/Remote LED, single"}));
    // A missing surge is the quiescent current; the alternative name is item 2 of
    // UseAlternative, else the single name; the alternative icon item 2 of Icon, else Icon.
    EXPECT_EQ(Fields(OtherDeviceTable[1]),
              std::make_tuple(3, 12, 80, 90, 500, 40000, false, false, 255, 0, 0, 0, 0, 0, 0, 3,
                              "Isolator", 0, true, false, false, false, 3));
    EXPECT_EQ(Fields(OtherDeviceTable[3]),
              std::make_tuple(1, 0, 0, 3000, 0, 0, true, false, 4, 2, 12, 12, 30, 1, 1500, 0,
                              "Remote LED, single", 0, false, false, true, false, 0));
}

TEST_F(OtherDevicesTest, EveryLoaderMessageNamesTheEntryAndTheFile) {
    EXPECT_EQ(FailingLoad(LoadOtherDevices),
              "Unable to find file containing Other Devices data: '" + paths.dataRoot +
                  "/Tarvex/Devices/Devices.dat'.");
    const std::string in = " in " + FilePhrase(StandardDevicesFilePath());
    const std::string invalid = "Invalid numeric value for ",
                      expected = "Numeric value expected for ";
    const std::string unreadable =
        "An unexpected error has occurred while reading " + FilePhrase(StandardDevicesFilePath());
    // Entry 1 is RemLED, 2 DeepBase, 3 Iso.
    const auto write = [this](const IniText& others) { WriteDevices(others); };
    ExpectRefusals(
        StandardOthers(), write, LoadOtherDevices,
        {
            {"DeepBase", "Name", nullptr, "Invalid settings for Other Device 2" + in},
            {"Iso", "Context", "standalone device",
             "Invalid 'context' setting for Other Device 3" + in},
            {"RemLED", "MaxQty", "256", invalid + "Maximum quantity for Other Device 1" + in},
            {"RemLED", "Family", "x", expected + "Family for Other Device 1" + in},
            {"RemLED", "AddressableDevice", "4",
             invalid + "Corresponding Addressable Device for Other Device 1" + in},
            // Figures converted as they stand must be numbers that fit.
            {"Iso", "Impedance", "low", unreadable},
        });

    WriteDevices(StandardOthers());
    IniText custom;
    custom.Set("Others", "Other1", "Mine").Set("Mine", "Name", "Mine");
    EXPECT_EQ(FailingLoad(LoadOtherDevices), "Invalid settings for Other Device 1 in " +
                                                 FilePhrase(WriteCustomDevices(custom.Text())));
}

TEST_F(OtherDevicesTest, CompatibilityRules) {
    IniText others = StandardOthers();
    others.Set("Others", "Other4", "Plain");
    others.Set("Plain", {"Name=Plain", "Impedance=0", "Quiescent=0", "Alarm=0", "FromRemote=F",
                         "Context=other"});
    // Type 3 (Interface) drives output group 3 for the remote-driven LED; type 2 (Sounder) sits
    // on base type 5 for the deep base. With T or A type 1 takes no other device but "none".
    for (const char* item42 : {"", "T", "A"}) {
        WriteDevices(others, item42);
        ASSERT_TRUE(LoadOtherDevices());
        EXPECT_EQ(Takes(), *item42 ? "ynnn ynyy yyny " : "ynny ynyy yyny ") << item42;
    }
}

}  // namespace
