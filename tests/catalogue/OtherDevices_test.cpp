// The other devices catalogue: both files, the defaults of optional keys, every loader message
// with its real path, the sort with OtherNumber kept, the standalone mapping and the rule of
// which other device may hang off which device type.
#include "catalogue/OtherDevices.h"

#include <gtest/gtest.h>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceTypes.h"
#include "support/TestSupport.h"

namespace {

// Three standard other devices, read in the order Remote LED, Deep Base, Alpha Isolator.
IniText StandardOthers() {
    IniText others;
    others.Set("Others", "Other1", "RemLED")
        .Set("Others", "Other2", "DeepBase, ignored")
        .Set("Others", "Other3", "Iso");
    others.Set("RemLED", "Name", "Remote LED")
        .Set("RemLED", "SingleName", "Remote LED, single")
        .Set("RemLED", "Impedance", "0")
        .Set("RemLED", "Quiescent", "0")
        .Set("RemLED", "Alarm", "3000")
        .Set("RemLED", "FromRemote", "T")
        .Set("RemLED", "MaxQty", "4")
        .Set("RemLED", "Family", "2")
        .Set("RemLED", "Icon", "12")
        .Set("RemLED", "AlarmIcon", "30")
        .Set("RemLED", "Button", "1")
        .Set("RemLED", "MinVolts", "1500")
        .Set("RemLED", "Context", "other")
        .Set("RemLED", "ThirdParty", "true");
    others.Set("DeepBase", "Name", "Deep Base")
        .Set("DeepBase", "Impedance", "5")
        .Set("DeepBase", "Quiescent", "100")
        .Set("DeepBase", "Alarm", "200")
        .Set("DeepBase", "FromRemote", "F, T")
        .Set("DeepBase", "Base", "5")
        .Set("DeepBase", "Icon", "12,14")
        .Set("DeepBase", "UseAlternative", "7, Shallow Base")
        .Set("DeepBase", "Context", "BASE");
    others.Set("Iso", "Name", "Alpha Isolator")
        .Set("Iso", "SingleName", "Isolator")
        .Set("Iso", "Impedance", "12")
        .Set("Iso", "Quiescent", "80")
        .Set("Iso", "Alarm", "90")
        .Set("Iso", "Surge", "500")
        .Set("Iso", "MaxSurge", "40000")
        .Set("Iso", "FromRemote", "F")
        .Set("Iso", "UseAlternative", "3")
        .Set("Iso", "Context", "Standalone")
        .Set("Iso", "AddressableDevice", "3");
    return others;
}

class OtherDevicesTest : public CatalogueFileTest {
protected:
    // Writes Devices.dat with the given [Others] text and loads the device types.
    // Device1 may name a standalone other device (item 46) and refuse other devices (item 42).
    void WriteDevices(const IniText& others, const std::string& standalone = "0",
                      const std::string& item42 = "") {
        IniText devices = MinimalDeviceFile();
        devices.Set("Devices", "Device1",
                    DeviceEntry("Optical Detector").Set(46, standalone).Set(42, item42).Value());
        devices.Set("Devices", "Device2",
                    DeviceEntry("Sounder").Set(5, "2").Set(33, "1").Set(37, "5").Value());
        devices.Append(others.Text());
        WriteStandardDevices(devices);
        ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    }

    int Place(const std::string& name) const {
        for (std::size_t i = 0; i < OtherDeviceTable.size(); ++i)
            if (OtherDeviceTable[i].OtherName == name) return static_cast<int>(i);
        return -1;
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
    const std::string in = " in " + Phrase(StandardDevicesFilePath());
    const std::string invalid = "Invalid numeric value for ",
                      expected = "Numeric value expected for ";
    const std::string unreadable =
        "An unexpected error has occurred while reading " + Phrase(StandardDevicesFilePath());
    // Entry 1 is RemLED, 2 DeepBase, 3 Iso.
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {"DeepBase", "Name", nullptr, "Invalid settings for Other Device 2" + in},
        {"Iso", "Context", "standalone device",
         "Invalid 'context' setting for Other Device 3" + in},
        {"RemLED", "MaxQty", "256", invalid + "Maximum quantity for Other Device 1" + in},
        {"RemLED", "Family", "x", expected + "Family for Other Device 1" + in},
        {"RemLED", "Icon", "1, -1", invalid + "Alternative Icon number for Other Device 1" + in},
        {"RemLED", "UseAlternative", "a, b",
         expected + "Alternative Device number for Other Device 1" + in},
        {"RemLED", "AddressableDevice", "4",
         invalid + "Corresponding Addressable Device for Other Device 1" + in},
        // Figures converted as they stand must be numbers that fit.
        {"Iso", "Impedance", "low", unreadable},
    };
    for (const auto& [section, key, value, message] : cases) {
        SCOPED_TRACE(std::string(section) + "." + key + "=" + (value ? value : "(missing)"));
        IniText others = StandardOthers();
        if (value)
            others.Set(section, key, value);
        else
            others.Remove(section, key);
        WriteDevices(others);
        EXPECT_EQ(FailingLoad(LoadOtherDevices), message);
    }

    WriteDevices(StandardOthers());
    IniText custom;
    custom.Set("Others", "Other1", "Mine").Set("Mine", "Name", "Mine");
    EXPECT_EQ(FailingLoad(LoadOtherDevices), "Invalid settings for Other Device 1 in " +
                                                 Phrase(WriteCustomDevices(custom.Text())));
}

TEST_F(OtherDevicesTest, CompatibilityRules) {
    IniText others = StandardOthers();
    others.Set("Others", "Other4", "Plain");
    others.Set("Plain", "Name", "Plain")
        .Set("Plain", "Impedance", "0")
        .Set("Plain", "Quiescent", "0")
        .Set("Plain", "Alarm", "0")
        .Set("Plain", "FromRemote", "F")
        .Set("Plain", "Context", "other");
    WriteDevices(others);
    // Type 3 (Interface) drives output group 3; type 2 (Sounder) sits on base type 5.
    ASSERT_TRUE(LoadOtherDevices());
    const int led = Place("Remote LED"), base = Place("Deep Base"), plain = Place("Plain");

    EXPECT_TRUE(IsCompatible(1, 0));
    EXPECT_TRUE(IsCompatible(1, plain));
    EXPECT_FALSE(IsCompatible(1, led));  // remote-driven, but type 1 has no group-3 output
    EXPECT_TRUE(IsCompatible(3, led));
    EXPECT_FALSE(IsCompatible(1, base));  // base type 5 only
    EXPECT_TRUE(IsCompatible(2, base));

    // A type that accepts no other devices takes none of them, but always "none".
    for (const char* letter : {"T", "A"}) {
        WriteDevices(others, "0", letter);
        ASSERT_TRUE(LoadOtherDevices());
        EXPECT_TRUE(IsCompatible(1, 0));
        EXPECT_FALSE(IsCompatible(1, Place("Plain")));
    }
}

}  // namespace
