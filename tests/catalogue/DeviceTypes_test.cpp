// Devices.dat: the device types, their refusals, ranges, user entries, and the bit tables.
#include "catalogue/DeviceTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/InputBits.h"
#include "catalogue/OutputBits.h"
#include "catalogue/Switches.h"
#include "shell/ErrorHandler.h"
#include "support/TestSupport.h"

namespace {

class DeviceTypesTest : public CatalogueFileTest {
protected:
    std::string In() const { return " in " + FilePhrase(StandardDevicesFilePath()); }
    std::string Suffix(int type = 1) const {
        return "for device type " + std::to_string(type) + In();
    }
    bool Load() {
        WriteStandardDevices(file);
        return LoadDeviceCatalogue();
    }
    // Loads with Device1 using the address range definition `definition` (named X).
    bool LoadWithRange(const std::string& definition) {
        file.Set("Ranges", "RangeX", definition)
            .Set("Devices", "Device1", DeviceEntry("Ranged").Set(32, "X").Value());
        return Load();
    }
    // The one message of a refused load of the file.
    std::string Refusal() {
        WriteStandardDevices(file);
        return FailingLoad(LoadDeviceCatalogue);
    }
    const DeviceTypeRecord& Type(int n) const {
        return DeviceTypeTable.at(static_cast<std::size_t>(n));
    }
    const AddressRangeEntry& RangeOf(int type) const {
        return AddressRangeTable.at(static_cast<std::size_t>(Type(type).AddressRange));
    }

    IniText file = MinimalDeviceFile();
};

TEST_F(DeviceTypesTest, LoadsTheMinimalCatalogue) {
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(std::make_tuple(DeviceTypeCount, DeviceTypeTable.size(), FamilyCount,
                              ButtonTable.size(), AddressRangeTable.size()),  // " full" and "A"
              std::make_tuple(3, 4u, 2, 2u, 2u));
    EXPECT_EQ(std::tie(Type(1).Name, Type(1).Family, Type(1).Button, Type(1).Faults[7],
                       Type(1).IsCustom, Type(0).Button),
              std::make_tuple("Optical Detector", 1, 1, "Wrong", false, 0));
    // Sorted by name: Interface, None, Optical Detector, Sounder; by title: Detectors, None,
    // Sounders.
    EXPECT_EQ(DeviceOrder, (std::vector<std::int16_t>{3, 0, 1, 2}));
    EXPECT_EQ(FamilyOrder, (std::vector<std::int16_t>{1, 0, 2}));
}

TEST_F(DeviceTypesTest, EveryRefusalOfTheFileNamesWhatIsWrong) {
    EXPECT_EQ(FailingLoad(LoadDeviceCatalogue),
              "Unable to find file containing device types: '" + StandardDevicesFilePath() + "'.");

    const std::string maxDevices =
        "Invalid setting for 'MaxDevices' entry in 'Devices' section" + In();
    const std::string fieldType = "for Field Type 1 " + Suffix(0);
    const char* const types = "FieldTypes";
    ExpectRefusals(
        MinimalDeviceFile(), WriteStandardDevices, LoadDeviceCatalogue,
        {
            {"Families", "Family2", "Sounders", "Invalid settings for device family 2" + In()},
            // Without Family0 the families after it are never read.
            {"Families", "Family0", nullptr, "No device families defined" + In()},
            {"Buttons", "Button1", nullptr, "No device buttons defined" + In()},
            {"Devices", "MaxDevices", "0", "Invalid numeric value for " + maxDevices},
            {types, "FieldType1", "L,X,F,F,F,F,F,0,D",
             "Invalid value for default value " + fieldType},
            {types, "FieldType1", "L,256,F,F,F,F,F,0,D",
             "Invalid numeric value for Default value for Field type 1 " + Suffix(0)},
            {types, "FieldType1", "L,0,F,256,F,F,F,0,D",
             "Invalid numeric value for Bit mask for PC read only " + fieldType},
            {types, "FieldType1", "L,0,F,F,F,F,F,0,X", "Invalid default display mode " + fieldType},
            {"Inputs", "MaxInputs", "0",
             "Invalid numeric value for 'MaxInputs' entry in [Inputs] section" + In()},
            {"Inputs", "Input2", "Fault,128,2",
             "Invalid numeric value for Input Use in 'Input2' entry in [Inputs] section" + In()},
            // A negative highest number would make an impossible table; refused like a missing one.
            {"Outputs", "MaxOutputs", "-1",
             "Invalid 'MaxOutputs' entry in [Outputs] section" + In()},
            {"Outputs", "Output2", "Relay,1",
             "Numeric value expected for Output Group in 'Output2' entry in [Outputs] section" +
                 In()},
            {"Switches", "Switch1", "Tone,,1,2,M,S,2",
             "Invalid numeric value for Default setting for 'Switch1' entry in [Switches] section" +
                 In()},
            {"Switches", "MaxSwitches", "-1",
             "Invalid numeric value for 'MaxSwitches' entry in [Switches] section" + In()},
        });
    EXPECT_TRUE(DeviceTypeTable.empty());
}

TEST_F(DeviceTypesTest, EveryRefusalOfAnItemNamesTheItemAndTheType) {
    const std::vector<std::tuple<int, std::string, std::string>> cases = {
        {5, "3", "Invalid numeric value for Device Family " + Suffix()},
        {7, "Th", "Invalid analogue type entry in [Devices] section for device number 1" + In()},
        {8, "32768", "Invalid numeric value for Quiescent Current " + Suffix()},
        {36, "2", "Invalid numeric value for Device button"},
        {48, "2", "Invalid value for Fault Range " + Suffix()},
        // An overlong entry is cut, and what is left of it is refused cleanly.
        {2, std::string(10000, 'y'), "Numeric value expected for Protocol " + Suffix()},
    };
    for (const auto& [item, text, message] : cases) {
        file.Set("Devices", "Device1", DeviceEntry("X").Set(item, text).Value());
        EXPECT_EQ(Refusal(), message) << "item " << item;
    }
    // A figure beyond its type is an unexpected error, reported by the error handler.
    file.Set("Devices", "Device1", DeviceEntry("X").Set(52, "327.68").Value());
    WriteStandardDevices(file);
    platform.messages.clear();
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(),
              UnexpectedErrorText(6, "Overflow", "LoadDeviceCatalogue", ""));
    // Switch numbers are kept in a byte; a longer switch table does not let 300 through.
    file.Set("Switches", "MaxSwitches", "300");
    file.Set("Devices", "Device1", DeviceEntry("X").Set(45, "300").Value());
    EXPECT_EQ(Refusal(), "Invalid numeric value for DIL Switch 2 setting " + Suffix());
    file.Remove("Inputs", "Input1");
    file.Set("Devices", "Device1", DeviceEntry("X").Set(20, "1").Value());
    EXPECT_EQ(Refusal(), "Invalid value for Input Use Number " + Suffix());
}

TEST_F(DeviceTypesTest, UserEntriesAreAddedAfterTheStandardOnes) {
    WriteCustomDevices("[Devices]\r\nDevice1=" + DeviceEntry("Custom Heat").Value() +
                       "\r\nDevice2=" + DeviceEntry("Sounder").Set(8, "999").Value() +
                       "\r\nDevice3=" + DeviceEntry("None").Value() +
                       "\r\nDevice5=" + DeviceEntry("After the gap").Value() + "\r\n");
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    // A user entry repeating a standard type is skipped: its number keeps an empty record and
    // its place in the order holds 0 (so 0 appears twice and 5 not at all). The name of type 0
    // does not count as a standard type. A gap ends the user entries.
    EXPECT_EQ(std::make_tuple(DeviceTypeCount, Type(4).Name, Type(4).IsCustom, Type(5).Name,
                              Type(2).QuiescentCurrent, FindDeviceTypeByName("Sounder"),
                              Type(6).Name, Type(6).IsCustom, FindDeviceTypeByName("After the gap"),
                              std::count(DeviceOrder.begin(), DeviceOrder.end(), 0),
                              std::count(DeviceOrder.begin(), DeviceOrder.end(), 5)),
              std::make_tuple(6, "Custom Heat", true, "", 300, 2, "None", true, 0, 2, 0));

    WriteCustomDevices("[Devices]\r\nDevice1=" + DeviceEntry("Custom").Set(3, "4").Value() +
                       "\r\n");
    EXPECT_EQ(FailingLoad(LoadDeviceCatalogue),
              "Invalid numeric value for Protocol for device type 4 in " +
                  FilePhrase(CustomDevicesFilePath()));
}

TEST_F(DeviceTypesTest, RangeDefinitionsAllowTheirAddresses) {
    // Runs are not tested against the reserved addresses; an address above 255 allows nothing
    // and a huge run of digits is just a large number.
    struct Case {
        std::string definition;
        int count;
        bool high;  // addresses above 126 raise the loop's address limit
        std::vector<int> allowed, refused;
    };
    const std::vector<Case> cases = {
        {"1-63,70,100-110", 75, false, {1, 63, 70, 100, 110}, {-1, 0, 64, 69, 71, 99, 111, 256}},
        {"1-255", 255, true, {127, 128, 255}, {0}},
        {"300,99999999999999999999999", 0, false, {}, {44}},
        {"129-254", 126, true, {129, 254}, {128, 255}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(LoadWithRange(c.definition)) << c.definition;
        EXPECT_EQ(RangeOf(1).RangeCount, c.count) << c.definition;
        for (int a : c.allowed)
            EXPECT_TRUE(IsAddressAllowed(1, a)) << c.definition << " " << a;
        for (int a : c.refused)
            EXPECT_FALSE(IsAddressAllowed(1, a)) << c.definition << " " << a;
        EXPECT_EQ(std::make_tuple(RangeOf(1).RangeHasHigh, HighAddressesUsed, MaxLoopAddress()),
                  std::make_tuple(c.high, c.high, c.high ? 252 : 126))
            << c.definition;
    }
    EXPECT_EQ(RangeOf(1).RangeName, "X");
    EXPECT_FALSE(IsAddressAllowed(99, 5));
}

// Any single damaged item of a valid file either loads or fails with one message (a missing field
// type adds its own notices), and never crashes.
TEST_F(DeviceTypesTest, PropertyDamagedFilesFailCleanly) {
    std::mt19937 rng(99);
    const std::vector<std::string> junk = {
        "",        "-1",  "99999999999", "1e300", "x",
        "\"",      ",,,", "0",           "255",   "32768",
        "-32769",  "T",   "LF",          "0-",    std::string(1100, '9'),
        "\xFF\xFE"};
    for (int round = 0; round < 300; ++round) {
        IniText damaged = MinimalDeviceFile();
        const int item = 1 + static_cast<int>(rng() % 55);
        const std::string text = junk[rng() % junk.size()];
        const int type = static_cast<int>(rng() % 4);
        DeviceEntry entry(type == 0 ? "None" : "Damaged");
        if (type == 0) entry.Set(16, "0");
        damaged.Set("Devices", "Device" + std::to_string(type), entry.Set(item, text).Value());
        if (rng() % 3 == 0) damaged.Set("Ranges", "RangeA", text);
        if (rng() % 4 == 0) damaged.Set("Outputs", "MaxOutputs", text);
        WriteStandardDevices(damaged);
        platform.messages.clear();
        const bool ok = LoadDeviceCatalogue();
        std::size_t notices = 0;
        for (const auto& m : platform.messages)
            if (m.text.rfind("Invalid value for Field Type for field  ", 0) == 0) ++notices;
        EXPECT_EQ(platform.messages.size(), notices + (ok ? 0 : 1)) << item << " '" << text << "'";
    }
}

std::string Flag(bool b) {
    return b ? "y" : "n";
}

std::string InputTable() {
    std::string text;
    for (int n = 0; n <= HighestInputBit(); ++n) {
        const InputBit& b = InputBitTable[static_cast<std::size_t>(n)];
        text += b.InputName + "," + std::to_string(b.InputUseCode) + "," +
                std::to_string(b.InputPicture) + "," + Flag(IsDefinedInputBit(n)) + "\n";
    }
    return text + Flag(IsDefinedInputBit(-1) || IsDefinedInputBit(HighestInputBit() + 1));
}

std::string OutputTable() {
    std::string text;
    for (int n = 0; n <= HighestOutputBit(); ++n) {
        const OutputBit& b = OutputBitTable[static_cast<std::size_t>(n)];
        text += b.OutputName + "," + std::to_string(b.OutputUseCode) + "," +
                std::to_string(b.OutputGroup) + "," + Flag(IsOutputGroup3(n)) + "\n";
    }
    return text + Flag(IsOutputGroup3(-1) || IsOutputGroup3(HighestOutputBit() + 1));
}

std::string SwitchTableText() {
    std::string text;
    for (const SwitchEntry& s : SwitchTable)
        text += s.SwitchName + "," + s.SwitchText2 + "," + std::to_string(s.AlarmCurrentOff) + "," +
                std::to_string(s.AlarmCurrentOn) + ",M" + Flag(s.SwitchMaster[0]) +
                Flag(s.SwitchMaster[1]) + ",S" + Flag(s.SwitchSlave[0]) + Flag(s.SwitchSlave[1]) +
                "," + Flag(s.SwitchDefaultOn) + "\n";
    return text + std::to_string(HighestSwitch());
}

// The three small tables read before the device types, an entry a line, each ending with the
// answer for numbers beyond the table.
TEST_F(DeviceTypesTest, BitTablesAndSwitchesReadEveryEntry) {
    const std::tuple<const char*, std::vector<const char*>, std::string (*)(), std::string>
        cases[] = {
            {"Inputs", {}, InputTable, "None,0,0,y\nAlarm,1,1,y\nFault,2,2,y\nn"},
            // An entry missing between defined ones is undefined.
            {"Inputs", {"Input1", nullptr}, InputTable, "None,0,0,y\n?,-1,0,n\nFault,2,2,y\nn"},
            // A fractional highest number is rounded; the missing entries are empty.
            {"Outputs",
             {"MaxOutputs", "3.6"},
             OutputTable,
             "None,0,0,n\nLED,1,1,n\nRelay,2,2,n\nRemote output,3,3,y\n,0,0,n\nn"},
            // Item 5 sets position 1, item 6 position 0; letters other than M or S set neither.
            {"Switches",
             {"MaxSwitches", "3", "Switch2", "Volume, Loud , 100 , 200 , s , m , 0"},
             SwitchTableText,
             "None,,0,0,Mnn,Snn,n\nTone,Tone "
             "select,5000,6000,Mny,Syn,y\nVolume,Loud,100,200,Myn,Sny,n\n"
             ",,0,0,Mnn,Snn,n\n3"},
            {"Switches",
             {"Switch1", "Tone,,1,2,Master,x,1"},
             SwitchTableText,
             "None,,0,0,Mnn,Snn,n\nTone,,1,2,Mny,Snn,y\n1"},
        };
    for (const auto& [section, edits, table, expected] : cases) {
        file = MinimalDeviceFile();
        for (std::size_t i = 0; i < edits.size(); i += 2)
            file.Edit(section, edits[i], edits[i + 1]);
        ASSERT_TRUE(Load()) << platform.AllMessageTexts();
        EXPECT_EQ(table(), expected) << section;
    }
}

}  // namespace
