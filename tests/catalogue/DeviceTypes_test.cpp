#include "catalogue/DeviceTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

#include "catalogue/DeviceFixtures.h"
#include "catalogue/FieldParsing.h"
#include "catalogue/InputBits.h"
#include "catalogue/OutputBits.h"
#include "catalogue/Switches.h"
#include "shell/ErrorHandler.h"
#include "shell/Product.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

class DeviceTypesTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ResetDeviceCatalogue();
    }
    std::string Phrase() const { return FilePhrase(StandardDevicesFilePath()); }
    std::string UserPhrase() const { return FilePhrase(CustomDevicesFilePath()); }
    std::string Suffix(int type = 1) const {
        return "for device type " + std::to_string(type) + " in " + Phrase();
    }
    // Loads the catalogue with Device1 replaced by `entry`.
    bool LoadWithDevice1(const DeviceEntry& entry) {
        file.Set("Devices", "Device1", entry.Value()).WriteStandard();
        return LoadDeviceCatalogue();
    }
    // Loads with Device1 using the address range definition `definition` (named X).
    bool LoadWithRange(const std::string& definition) {
        file.Set("Ranges", "RangeX", definition);
        return LoadWithDevice1(DeviceEntry("Ranged").Set(32, "X"));
    }
    const DeviceTypeRecord& Type(int n) const {
        return DeviceTypeTable.at(static_cast<std::size_t>(n));
    }
    const AddressRangeEntry& RangeOf(int type) const {
        return AddressRangeTable.at(static_cast<std::size_t>(Type(type).AddressRange));
    }
    static bool IsSortedPermutation(const std::vector<std::int16_t>& order, std::size_t size,
                                    const std::function<std::string(int)>& key) {
        std::vector<std::int16_t> sorted(order);
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t i = 0; i < size; ++i)
            if (sorted.size() != size || sorted[i] != static_cast<std::int16_t>(i)) return false;
        for (std::size_t i = 1; i < order.size(); ++i)
            if (key(order[i - 1]) > key(order[i])) return false;
        return true;
    }

    DeviceCatalogueFile file;
};

// ---------------------------------------------------------------- a whole load

TEST_F(DeviceTypesTest, LoadsTheMinimalCatalogue) {
    file.WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(DeviceTypeCount, 3);
    ASSERT_EQ(DeviceTypeTable.size(), 4u);
    EXPECT_EQ(FamilyCount, 2);
    EXPECT_EQ(ButtonTable.size(), 2u);
    EXPECT_EQ(Type(1).Name, "Optical Detector");
    EXPECT_EQ(Type(1).Family, 1);
    EXPECT_EQ(Type(1).Button, 1);
    EXPECT_EQ(Type(0).Button, 0);
    EXPECT_EQ(Type(1).Faults[7], "Wrong");
    EXPECT_FALSE(Type(1).IsCustom);
    // Sorted by name: Interface, None, Optical Detector, Sounder.
    EXPECT_EQ(DeviceOrder, (std::vector<std::int16_t>{3, 0, 1, 2}));
    // Sorted by title: Detectors, None, Sounders.
    EXPECT_EQ(FamilyOrder, (std::vector<std::int16_t>{1, 0, 2}));
    EXPECT_EQ(MaxLoopAddress(), 126);
    EXPECT_FALSE(HighAddressesUsed);
}

TEST_F(DeviceTypesTest, ReadsEveryFieldFromItsOwnItem) {
    file.Set("Fields", "Field2", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,ignored,Protocol three");
    DeviceEntry e("Full");
    const std::vector<std::pair<int, std::string>> items = {
        {2, "Second"}, {3, "3"},     {4, "200"},   {5, "2"},   {7, "A"},    {29, "true"},
        {8, "301"},    {9, "-9"},    {10, "10"},   {11, "11"}, {12, "-12"}, {13, "13"},
        {14, "14"},    {16, "16"},   {17, "T"},    {18, "1"},  {19, "2"},   {20, "0"},
        {21, "21"},    {22, "t"},    {23, "23"},   {24, "24"}, {25, "25"},  {26, "2600"},
        {27, "2700"},  {28, "28"},   {30, "3000"}, {31, "31"}, {32, "L"},   {33, "3"},
        {34, "2"},     {35, "1"},    {36, "0"},    {37, "37"}, {38, "38"},  {39, "3900000"},
        {40, "40"},    {41, "41"},   {42, "A"},    {43, "S"},  {44, "1"},   {45, "0"},
        {46, "46"},    {47, "True"}, {48, "1"},    {49, "2"},  {50, "5"},   {51, "51"},
        {52, "0.53"},  {53, "53"},   {54, "54"},   {55, "t"}};
    for (const auto& [item, text] : items)
        e.Set(item, text);
    ASSERT_TRUE(LoadWithDevice1(e)) << platform.AllMessageTexts();
    const DeviceTypeRecord& t = Type(1);
    EXPECT_EQ(t.Name, "Full");
    EXPECT_EQ(t.SecondaryName, "Second");
    EXPECT_EQ(t.Protocol, 3);
    EXPECT_EQ(t.TypeCode, 200);
    EXPECT_EQ(t.Family, 2);
    EXPECT_EQ(t.AnalogueType, 6);
    EXPECT_EQ(t.QuiescentCurrent, 301);
    EXPECT_EQ(t.InputBitCurrent, (std::array<std::int32_t, 3>{-9, 10, 11}));
    EXPECT_EQ(t.OutputBitCurrent, (std::array<std::int32_t, 3>{-12, 13, 14}));
    EXPECT_EQ(t.IconNumber, 16);
    EXPECT_TRUE(t.EntryFlag17);
    EXPECT_EQ(t.InputUse, (std::array<std::int16_t, 3>{1, 2, 0}));
    EXPECT_EQ(t.TestModeFinalRampUp, 21);
    EXPECT_TRUE(t.EntryFlag22);
    EXPECT_EQ(t.TestModeRampDown, 23);
    EXPECT_EQ(t.TestModeRampUp, 24);
    EXPECT_EQ(t.TestModeFinalValue, 25);
    EXPECT_EQ(t.AlarmCurrent, 2600);
    EXPECT_EQ(t.MinimumVoltage, 2700);
    EXPECT_EQ(t.TestModeInitialRampDown, 28);
    EXPECT_EQ(t.AlarmCurrentLedDisabled, 3000);
    EXPECT_TRUE(t.LedDisabledCurrentDiffers);
    EXPECT_DOUBLE_EQ(t.InternalResistance, 31);
    EXPECT_EQ(AddressRangeTable.at(static_cast<std::size_t>(t.AddressRange)).RangeName, "L");
    EXPECT_EQ(t.OutputUse, (std::array<std::int16_t, 3>{3, 2, 1}));
    EXPECT_TRUE(t.UsesOutputGroup3);
    EXPECT_EQ(t.Button, 0);
    EXPECT_EQ(t.BaseType, 37);
    EXPECT_EQ(t.SurgeCurrent, 38);
    EXPECT_EQ(t.MaxSurgeCurrent, 3900000);
    EXPECT_EQ(t.PollingLedIcon, 40);
    EXPECT_EQ(t.IsolatedEquivalent, 41);
    EXPECT_TRUE(t.NoOtherDevices);
    EXPECT_TRUE(t.Item42IsA);
    EXPECT_FALSE(t.IsMaster);
    EXPECT_TRUE(t.IsSlave);
    EXPECT_EQ(t.DilSwitch1, 1);
    EXPECT_EQ(t.DilSwitch2, 0);
    EXPECT_EQ(t.StandaloneSetting, 46);
    EXPECT_TRUE(t.EntryFlag47);
    EXPECT_EQ(t.Faults[0], "Open");
    EXPECT_EQ(t.ProtocolThreeText, "Protocol three");
    EXPECT_EQ(t.OutputDrawOrder, 5);
    EXPECT_EQ(t.WandIcon, 51);
    EXPECT_EQ(t.Value52Hundredths, 53);
    EXPECT_EQ(t.DependsOnDevice, 53);
    EXPECT_EQ(t.MaximumDependents, 54);
    EXPECT_TRUE(t.EntryFlag55);
    EXPECT_FALSE(Type(2).LedDisabledCurrentDiffers);
    EXPECT_EQ(Type(2).ProtocolThreeText, "");
}

TEST_F(DeviceTypesTest, LoadingAgainStartsFromEmptyTables) {
    file.Set("Ranges", "RangeX", "129-254")
        .Set("Devices", "Device1", DeviceEntry("High").Set(32, "X").Value())
        .WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_EQ(MaxLoopAddress(), 252);
    DeviceCatalogueFile plain;
    plain.WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_EQ(MaxLoopAddress(), 126);
    EXPECT_EQ(AddressRangeTable.size(), 2u);  // " full" and "A"
    EXPECT_EQ(Type(1).Name, "Optical Detector");
}

// ---------------------------------------------------------------- file, families, buttons

TEST_F(DeviceTypesTest, MissingStandardFileIsNamedWithItsFullPath) {
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(),
              "Unable to find file containing device types: '" + StandardDevicesFilePath() + "'.");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, kProductName);
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(platform.beeps.size(), 1u);
}

TEST_F(DeviceTypesTest, DataFilesLieUnderTheDataAndUserRoots) {
    EXPECT_EQ(StandardDevicesFilePath(), paths.dataRoot + "/Tarvex/Devices/Devices.dat");
    EXPECT_EQ(CustomDevicesFilePath(), paths.userRoot + "/Tarvex/Devices/CustomDevices.dat");
}

TEST_F(DeviceTypesTest, FamilyWithoutNameOrTitleIsRefused) {
    file.Set("Families", "Family2", "Sounders").WriteStandard();
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid settings for device family 2 in " + Phrase());
    platform.messages.clear();
    file.Set("Families", "Family1", ",Title").WriteStandard();
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid settings for device family 1 in " + Phrase());
}

TEST_F(DeviceTypesTest, FamilyZeroAndOneMustBothExist) {
    file.Remove("Families", "Family1").Remove("Families", "Family2").WriteStandard();
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(), "No device families defined in " + Phrase());
    // Without Family0 the families after it are never read.
    platform.messages.clear();
    DeviceCatalogueFile noZero;
    noZero.Remove("Families", "Family0").WriteStandard();
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(), "No device families defined in " + Phrase());
}

// Family numbers are 16-bit: a file listing more families is refused instead of wrapping them.
TEST_F(DeviceTypesTest, MoreFamiliesThanSixteenBitNumbersIsRefused) {
    std::string families;
    for (int n = 3; n <= 32768; ++n)
        families += "Family" + std::to_string(n) + "=F,F\r\n";
    std::string text = file.Text();
    const std::string last = "Family2=Sounders,Sounders,ALL\r\n";
    text.insert(text.find(last) + last.size(), families);
    WriteRawFile(StandardDevicesFilePath(), text);
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid settings for device family 32768 in " + Phrase());
}

TEST_F(DeviceTypesTest, FamiliesAreShownByDefaultUnlessTheirFourthItemSaysF) {
    file.Set("Families", "Family1", "A,A,x,f")
        .Set("Families", "Family2", "B,B,x,")
        .Set("Families", "Family3", "C,C,x,Yes")
        .WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    EXPECT_FALSE(FamilyTable[0].FamilyShownByDefault);
    EXPECT_FALSE(FamilyTable[1].FamilyShownByDefault);
    EXPECT_TRUE(FamilyTable[2].FamilyShownByDefault);
    EXPECT_TRUE(FamilyTable[3].FamilyShownByDefault);
    EXPECT_EQ(FamilyTable[1].FamilyText3, "x");
}

TEST_F(DeviceTypesTest, ShownFamiliesComeFromTheSettingsAndDefaultsAreStored) {
    WriteSettingFlag("DontShowFamily1", true);   // the user hid a family shown by default
    WriteSettingFlag("DontShowFamily0", false);  // and showed one hidden by default
    file.WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_TRUE(FamilyTable[0].FamilyShown);
    EXPECT_FALSE(FamilyTable[1].FamilyShown);
    EXPECT_TRUE(FamilyTable[2].FamilyShown);
    // The family without a stored choice got its default written as the opposite.
    ASSERT_TRUE(SettingExists("DontShowFamily2"));
    EXPECT_FALSE(ReadSettingFlag("DontShowFamily2"));
    EXPECT_FALSE(SettingExists("DontShowFamily3"));
}

TEST_F(DeviceTypesTest, SetFamilyShownWritesTheOppositeSetting) {
    file.WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    SetFamilyShown(2, false);
    EXPECT_FALSE(FamilyTable[2].FamilyShown);
    EXPECT_TRUE(ReadSettingFlag("DontShowFamily2"));
    SetFamilyShown(2, true);
    EXPECT_TRUE(FamilyTable[2].FamilyShown);
    EXPECT_FALSE(ReadSettingFlag("DontShowFamily2"));
    // The choice survives the next load.
    SetFamilyShown(1, false);
    ResetDeviceCatalogue();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_FALSE(FamilyTable[1].FamilyShown);
    SetFamilyShown(99, true);  // no such family: nothing happens
    EXPECT_FALSE(SettingExists("DontShowFamily99"));
}

TEST_F(DeviceTypesTest, ButtonsNeedButtonOneAndLoseOneTrailingQuote) {
    file.Set("Buttons", "Button1", "Det\",Second").WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_EQ(ButtonTable[1].ButtonText, "Det");
    EXPECT_EQ(ButtonTable[1].ButtonText2, "Second");
    EXPECT_EQ(ButtonTable[1].ButtonState, 0);

    platform.messages.clear();
    file.Remove("Buttons", "Button1").WriteStandard();
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(), "No device buttons defined in " + Phrase());
}

TEST_F(DeviceTypesTest, BitAndSwitchFailuresFailTheLoad) {
    file.Set("Inputs", "MaxInputs", "0").WriteStandard();
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for 'MaxInputs' entry in [Inputs] section in " + Phrase());
    EXPECT_TRUE(DeviceTypeTable.empty());
}

// ---------------------------------------------------------------- MaxDevices and user entries

TEST_F(DeviceTypesTest, MaxDevicesMustBeFromOneTo127) {
    const std::string description =
        "Invalid setting for 'MaxDevices' entry in 'Devices' section in " + Phrase();
    for (const char* value : {"0", "128"}) {
        platform.messages.clear();
        file.Set("Devices", "MaxDevices", value).WriteStandard();
        EXPECT_FALSE(LoadDeviceCatalogue());
        EXPECT_EQ(platform.AllMessageTexts(), "Invalid numeric value for " + description);
    }
    platform.messages.clear();
    file.Remove("Devices", "MaxDevices").WriteStandard();
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(), "Numeric value expected for " + description);
}

TEST_F(DeviceTypesTest, GapsInTheStandardNumberingGiveEmptyTypes) {
    file.Set("Devices", "MaxDevices", "5").Remove("Devices", "Device2").WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    EXPECT_EQ(DeviceTypeCount, 5);
    EXPECT_EQ(Type(2).Name, "");
    EXPECT_EQ(Type(2).Button, 0);
    EXPECT_EQ(Type(5).Name, "");
    EXPECT_FALSE(IsPlaceableDeviceType(2));
    EXPECT_TRUE(IsValidDeviceType(5));
    EXPECT_TRUE(IsSortedPermutation(DeviceOrder, 6, [](int n) { return DeviceTypeTable[n].Name; }));
}

TEST_F(DeviceTypesTest, UserEntriesAreAddedAfterTheStandardOnes) {
    file.WriteStandard();
    WriteCustomDevicesFile("[Devices]\r\nDevice1=" + DeviceEntry("Custom Heat").Value() +
                           "\r\nDevice2=" + DeviceEntry("Sounder").Set(8, "999").Value() +
                           "\r\nDevice3=" + DeviceEntry("None").Value() +
                           "\r\nDevice5=" + DeviceEntry("After the gap").Value() + "\r\n");
    ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    EXPECT_EQ(DeviceTypeCount, 6);
    EXPECT_EQ(Type(4).Name, "Custom Heat");
    EXPECT_TRUE(Type(4).IsCustom);
    // A user entry repeating a standard type is skipped: its number keeps an empty record.
    EXPECT_EQ(Type(5).Name, "");
    EXPECT_EQ(Type(2).QuiescentCurrent, 300);
    EXPECT_EQ(FindDeviceTypeByName("Sounder"), 2);
    // The name of type 0 does not count as a standard type.
    EXPECT_EQ(Type(6).Name, "None");
    EXPECT_TRUE(Type(6).IsCustom);
    // A gap ends the user entries.
    EXPECT_EQ(FindDeviceTypeByName("After the gap"), 0);
    // The skipped entry's place in the order holds 0, so 0 appears twice and 5 not at all.
    EXPECT_EQ(std::count(DeviceOrder.begin(), DeviceOrder.end(), 0), 2);
    EXPECT_EQ(std::count(DeviceOrder.begin(), DeviceOrder.end(), 5), 0);
}

TEST_F(DeviceTypesTest, UserEntryMessagesNameTheUserFile) {
    file.WriteStandard();
    WriteCustomDevicesFile("[Devices]\r\nDevice1=" + DeviceEntry("Custom").Set(3, "4").Value() +
                           "\r\n");
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for Protocol for device type 4 in " + UserPhrase());
}

TEST_F(DeviceTypesTest, No127TypesBeyondTheLimit) {
    file.Set("Devices", "MaxDevices", "127").WriteStandard();
    WriteCustomDevicesFile("[Devices]\r\nDevice1=" + DeviceEntry("One more").Value() + "\r\n");
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(
        platform.AllMessageTexts(),
        "No more than 127 different device types allowed, including those in in " + UserPhrase());
}

TEST_F(DeviceTypesTest, SevenUserEntriesFitBehind120) {
    file.Set("Devices", "MaxDevices", "120").WriteStandard();
    std::string custom = "[Devices]\r\n";
    for (int k = 1; k <= 7; ++k)
        custom += "Device" + std::to_string(k) + "=" +
                  DeviceEntry("User " + std::to_string(k)).Value() + "\r\n";
    WriteCustomDevicesFile(custom);
    ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    EXPECT_EQ(DeviceTypeCount, 127);
    EXPECT_EQ(Type(127).Name, "User 7");
    EXPECT_EQ(DeviceOrder.size(), 128u);

    custom += "Device8=" + DeviceEntry("User 8").Value() + "\r\n";
    WriteCustomDevicesFile(custom);
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(
        platform.messages.back().text,
        "No more than 127 different device types allowed, including those in in " + UserPhrase());
}

// ---------------------------------------------------------------- device entry items

TEST_F(DeviceTypesTest, AnalogueTypeLetters) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"T", 0}, {"t", 0}, {"P", 1}, {"f", 2}, {"L", 3}, {"LF", 7}, {"lf", 7}, {"A", 4}, {"M", 5}};
    for (const auto& [letters, code] : cases) {
        ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(7, letters))) << letters;
        EXPECT_EQ(Type(1).AnalogueType, code) << letters;
    }
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(7, "a").Set(29, "t")));
    EXPECT_EQ(Type(1).AnalogueType, 6);
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(7, "A").Set(29, "False")));
    EXPECT_EQ(Type(1).AnalogueType, 4);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DeviceTypesTest, AnalogueTypeOfTwoLettersOtherThanLFIsRefused) {
    for (const char* letters : {"Th", "", "X", "FL"}) {
        platform.messages.clear();
        EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(7, letters))) << letters;
        EXPECT_EQ(
            platform.AllMessageTexts(),
            "Invalid analogue type entry in [Devices] section for device number 1 in " + Phrase())
            << letters;
    }
}

TEST_F(DeviceTypesTest, FamilyZeroWithAnIconBecomesTheIconOnlyFamily) {
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(5, "0").Set(16, "12")));
    EXPECT_EQ(Type(1).Family, 255);
    EXPECT_TRUE(IsIconOnlyFamily(1));
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(5, "0").Set(16, "0").Set(36, "junk")));
    EXPECT_EQ(Type(1).Family, 0);
    EXPECT_FALSE(IsIconOnlyFamily(1));
    // Without an icon the type is not placeable and its button item is not read.
    EXPECT_EQ(Type(1).Button, 0);
    EXPECT_FALSE(IsIconOnlyFamily(-1));
}

TEST_F(DeviceTypesTest, FamilyBeyondTheTableIsRefused) {
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(5, "3")));
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid numeric value for Device Family " + Suffix());
}

TEST_F(DeviceTypesTest, DescriptionsAndTheirSuffixes) {
    struct Case {
        int item;
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {3, "x", "Numeric value expected for Protocol " + Suffix()},
        {4, "256", "Invalid numeric value for Type Code " + Suffix()},
        {8, "32768", "Invalid numeric value for Quiescent Current " + Suffix()},
        {26, "", "Numeric value expected for Alarm Current " + Suffix()},
        {30, "", "Numeric value expected for Alarm Current (with LED disabled)" + Suffix()},
        {27, "-1", "Invalid numeric value for Minimum Voltage " + Suffix()},
        {11, "", "Numeric value expected for Current for Input Bit 2 "},
        {12, "-32769", "Invalid numeric value for Current for Output Bit 0 "},
        {31, "x", "Numeric value expected for Internal Resistance " + Suffix()},
        {16, "32768", "Invalid numeric value for Icon Number " + Suffix()},
        {34, "4", "Invalid numeric value for Output Use Number " + Suffix()},
        {19, "3", "Invalid numeric value for Input Use Number " + Suffix()},
        {21, "127", "Invalid numeric value for Test Mode Final Ramp Up " + Suffix()},
        {23, "", "Numeric value expected for Test Mode Ramp Down " + Suffix()},
        {24, "-1", "Invalid numeric value for Test Mode Ramp Up " + Suffix()},
        {25, "x", "Numeric value expected for Test Mode Final Value " + Suffix()},
        {28, "200", "Invalid numeric value for Test Mode Initial Ramp Down " + Suffix()},
        {36, "2", "Invalid numeric value for Device button"},
        {37, "256", "Invalid numeric value for Base type " + Suffix()},
        {38, "40000", "Invalid numeric value for Surge Current " + Suffix()},
        {39, "-1", "Invalid numeric value for Max Surge Current " + Suffix()},
        {40, "", "Numeric value expected for Icon for Polling LED " + Suffix()},
        {41, "x", "Numeric value expected for Isolated equivalent device " + Suffix()},
        {44, "2", "Invalid numeric value for DIL Switch 1 setting " + Suffix()},
        {45, "", "Numeric value expected for DIL Switch 2 setting " + Suffix()},
        {46, "256", "Invalid numeric value for Standalone device setting " + Suffix()},
        {50, "7", "Invalid numeric value for Output Bit draw order " + Suffix()},
        {51, "", "Numeric value expected for Wand Detection mode icon"},
        {53, "x", "Numeric value expected for Depends on device"},
        {54, "256", "Invalid numeric value for Maximum dependents"},
    };
    for (const Case& c : cases) {
        platform.messages.clear();
        EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(c.item, c.text))) << c.item;
        EXPECT_EQ(platform.AllMessageTexts(), c.message) << "item " << c.item;
    }
}

TEST_F(DeviceTypesTest, InputUseMustNameADefinedInputBit) {
    file.Remove("Inputs", "Input1");
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(20, "1")));
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid value for Input Use Number " + Suffix());
}

TEST_F(DeviceTypesTest, UsesOutputGroup3MatchesTheLiveTest) {
    file.Set("Devices", "MaxDevices", "6")
        .Set("Devices", "Device4", DeviceEntry("G3 last").Set(35, "3").Value())
        .Set("Devices", "Device5", DeviceEntry("G1 only").Set(33, "1").Set(34, "2").Value())
        .WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    for (int type = 0; type <= DeviceTypeCount; ++type)
        EXPECT_EQ(Type(type).UsesOutputGroup3, TypeUsesOutputGroup3(type)) << type;
    EXPECT_TRUE(TypeUsesOutputGroup3(3));
    EXPECT_TRUE(TypeUsesOutputGroup3(4));
    EXPECT_FALSE(TypeUsesOutputGroup3(5));
    EXPECT_FALSE(TypeUsesOutputGroup3(7));
}

TEST_F(DeviceTypesTest, OtherDeviceAndMasterLetters) {
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(42, "True").Set(43, "m")));
    EXPECT_TRUE(Type(1).NoOtherDevices);
    EXPECT_FALSE(Type(1).Item42IsA);
    EXPECT_TRUE(Type(1).IsMaster);
    EXPECT_FALSE(Type(1).IsSlave);
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(42, "x").Set(43, "Q")));
    EXPECT_FALSE(Type(1).NoOtherDevices || Type(1).Item42IsA || Type(1).IsMaster ||
                 Type(1).IsSlave);
}

// Switch numbers are kept in a byte; a longer switch table does not let 300 through.
TEST_F(DeviceTypesTest, DilSwitchNumbersAboveAByteAreRefused) {
    file.Set("Switches", "MaxSwitches", "300");
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(44, "255")));
    EXPECT_EQ(Type(1).DilSwitch1, 255);
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(45, "300")));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for DIL Switch 2 setting " + Suffix());
}

TEST_F(DeviceTypesTest, FaultAndFieldRangesMustExist) {
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(48, "2")));
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid value for Fault Range " + Suffix());
    platform.messages.clear();
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(49, "")));
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid value for Field Range " + Suffix());
    // An empty range item names range 0.
    platform.messages.clear();
    file.Set("Faults", "Fault0", "Zero");
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(48, ""))) << platform.AllMessageTexts();
    EXPECT_EQ(Type(1).Faults[0], "Zero");
    EXPECT_EQ(Type(1).Faults[1], "");
}

TEST_F(DeviceTypesTest, MissingFieldTypeIsReportedAndLoadingGoesOn) {
    file.Set("Fields", "Field2", "1,1,1,9,1,1,1,1,1,1,1,1,1,1,1");
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(49, "2")));
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid value for Field Type for field  3 " + Suffix());
    EXPECT_EQ(Type(1).FieldTypes[3], 9);
    EXPECT_EQ(Type(2).Name, "Sounder");
}

TEST_F(DeviceTypesTest, FieldRangeItemsAreBoundedFieldTypeNumbers) {
    file.Set("Fields", "Field2", "1,1,1,1,1,1,1,1,1,1,1,1,1,1");  // fourteen fields only
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(49, "2")));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Numeric value expected for Field type for field 14 " + Suffix());
}

TEST_F(DeviceTypesTest, FieldTypesAreReadOnceWithEveryItem) {
    file.Set("FieldTypes", "FieldType2",
             "Marker,T,T,7,t,F,True,-5,h,T,Text,1;2;3;-4;Sub text;T,T,T,T,T")
        .Set("FieldTypes", "FieldType3", "Other,a,F,t,F,F,F,0,B,F,,,F,F,F,T")
        .Set("Fields", "Field2", "2,1,2,3,1,1,1,1,1,1,1,1,1,1,1");
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(49, "2"))) << platform.AllMessageTexts();
    ASSERT_GE(FieldTypeTable.size(), 4u);
    const FieldTypeEntry& f = FieldTypeTable[2];
    EXPECT_EQ(f.FieldTypeName, "Marker");
    EXPECT_EQ(f.FieldTypeDefault, -1);
    EXPECT_TRUE(f.FieldTypeFlag3);
    EXPECT_EQ(f.FieldTypePcReadOnlyMask, 7);
    EXPECT_TRUE(f.FieldTypeFlag5);
    EXPECT_FALSE(f.FieldTypeFlag6);
    EXPECT_FALSE(f.FieldTypeFlag7);  // a whole-item flag: "True" is not "T"
    EXPECT_EQ(f.FieldTypeNumber8, -5);
    EXPECT_EQ(f.FieldTypeDisplayMode, 2);
    EXPECT_TRUE(f.FieldTypeFlag10);
    EXPECT_EQ(f.FieldTypeText11, "Text");
    EXPECT_EQ(f.FieldTypeSub1, 1);
    EXPECT_EQ(f.FieldTypeSub2, 2);
    EXPECT_EQ(f.FieldTypeSub3, 3);
    EXPECT_EQ(f.FieldTypeSub4, -4);
    EXPECT_EQ(f.FieldTypeSubText5, "Sub text");
    EXPECT_TRUE(f.FieldTypeSubFlag6);
    EXPECT_TRUE(f.FieldTypeFlag13);
    EXPECT_TRUE(f.FieldTypeFlag14);
    EXPECT_EQ(f.FieldTypeMarker15, 5);
    EXPECT_EQ(f.FieldTypeMarker16, 6);
    const FieldTypeEntry& g = FieldTypeTable[3];
    EXPECT_EQ(g.FieldTypeDefault, -3);
    EXPECT_EQ(g.FieldTypePcReadOnlyMask, 255);
    EXPECT_EQ(g.FieldTypeDisplayMode, 1);
    EXPECT_EQ(g.FieldTypeMarker15, -1);
    EXPECT_EQ(g.FieldTypeMarker16, 6);
    EXPECT_EQ(FieldTypeTable[1].FieldTypeMarker15, -1);
    // The last position whose type has the flag or marker.
    EXPECT_EQ(Type(1).FieldIndexFlag10, 2);
    EXPECT_EQ(Type(1).FieldIndexMarker15, 2);
    EXPECT_EQ(Type(1).FieldIndexMarker16, 3);
    EXPECT_EQ(Type(2).FieldIndexFlag10, -1);
    EXPECT_EQ(Type(2).FieldIndexMarker16, -1);
}

TEST_F(DeviceTypesTest, BadFieldTypesFailTheFirstDeviceThatUsesThem) {
    struct Case {
        std::string value;
        std::string message;
    };
    const std::string suffix = "1 " + Suffix(0);
    const std::vector<Case> cases = {
        {"L,X,F,F,F,F,F,0,D", "Invalid value for default value for Field Type " + suffix},
        {"L,,F,F,F,F,F,0,D", "Invalid value for default value for Field Type " + suffix},
        {"L,256,F,F,F,F,F,0,D", "Invalid numeric value for Default value for Field type " + suffix},
        {"L,0,F,x,F,F,F,0,D",
         "Numeric value expected for Bit mask for PC read only for Field Type " + suffix},
        {"L,0,F,256,F,F,F,0,D",
         "Invalid numeric value for Bit mask for PC read only for Field Type " + suffix},
        {"L,0,F,F,F,F,F,0,X", "Invalid default display mode for Field Type " + suffix},
        {"L,0,F,F,F,F,F,0,", "Invalid default display mode for Field Type " + suffix},
    };
    for (const Case& c : cases) {
        platform.messages.clear();
        file.Set("FieldTypes", "FieldType1", c.value).WriteStandard();
        EXPECT_FALSE(LoadDeviceCatalogue()) << c.value;
        EXPECT_EQ(platform.AllMessageTexts(), c.message) << c.value;
    }
}

// A number stored without a range check that does not fit its field is an unforeseen failure:
// it goes to the common error handler instead of wrapping silently.
TEST_F(DeviceTypesTest, UncheckedNumbersThatOverflowReportAnUnexpectedError) {
    file.Set("FieldTypes", "FieldType1", "Level,0,F,F,F,F,F,1e20,D").WriteStandard();
    EXPECT_FALSE(LoadDeviceCatalogue());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              UnexpectedErrorText(6, "Overflow", "LoadDeviceCatalogue", ""));
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_EQ(platform.messages[0].title, kProgramTitle);

    // Retry loads again; the same failure asks again.
    platform.messages.clear();
    platform.answers = {MsgResult::Retry, MsgResult::Ignore};
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.messages.size(), 2u);

    for (const char* sub : {"40000;0;0;0", "0;0;0;-1e9"}) {
        platform.messages.clear();
        file.Set("FieldTypes", "FieldType1", std::string("Level,0,F,F,F,F,F,0,D,F,,") + sub)
            .WriteStandard();
        EXPECT_FALSE(LoadDeviceCatalogue()) << sub;
        EXPECT_EQ(platform.messages.size(), 1u);
    }
    platform.messages.clear();
    file.Set("FieldTypes", "FieldType1", "Level,0,F,F,F,F,F,0,D");
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(52, "327.68")));
    EXPECT_EQ(platform.messages.size(), 1u);
    platform.messages.clear();
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(52, "327.67")));
    EXPECT_EQ(Type(1).Value52Hundredths, 32767);
}

TEST_F(DeviceTypesTest, Item52IsHundredthsRoundedDown) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"", 0},         {"0.29", 29}, {"1.5", 150},  {"2.999", 299},
        {"-0.295", -30}, {"-1", -100}, {"1.5x", 150}, {"abc", 0}};
    for (const auto& [text, expected] : cases) {
        ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(52, text))) << text;
        EXPECT_EQ(Type(1).Value52Hundredths, expected) << text;
    }
}

TEST_F(DeviceTypesTest, OutputDrawOrderIsZeroWhenItem50IsEmpty) {
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(50, "")));
    EXPECT_EQ(Type(1).OutputDrawOrder, 0);
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(50, "6")));
    EXPECT_EQ(Type(1).OutputDrawOrder, 6);
    EXPECT_EQ(OutputDrawOrderTable[6], OutputDrawOrderTable[4]);
}

// ---------------------------------------------------------------- address ranges

TEST_F(DeviceTypesTest, RangeDefinitionAllowsListedAddressesAndRuns) {
    ASSERT_TRUE(LoadWithRange("1-63,70,100-110")) << platform.AllMessageTexts();
    const AddressRangeEntry& r = RangeOf(1);
    EXPECT_EQ(r.RangeName, "X");
    EXPECT_EQ(r.RangeCount, 63 + 1 + 11);
    for (int a = 0; a <= 255; ++a) {
        const bool expected = (a >= 1 && a <= 63) || a == 70 || (a >= 100 && a <= 110);
        EXPECT_EQ(IsAddressAllowed(1, a), expected) << a;
    }
    EXPECT_FALSE(r.RangeHasHigh);
    EXPECT_EQ(MaxLoopAddress(), 126);
    EXPECT_FALSE(IsAddressAllowed(1, -1));
    EXPECT_FALSE(IsAddressAllowed(1, 256));
    EXPECT_FALSE(IsAddressAllowed(99, 5));
}

TEST_F(DeviceTypesTest, UpperHalfRangeRaisesTheLoopAddressLimit) {
    ASSERT_TRUE(LoadWithRange("129-254"));
    EXPECT_EQ(RangeOf(1).RangeCount, 126);
    EXPECT_TRUE(RangeOf(1).RangeHasHigh);
    EXPECT_TRUE(HighAddressesUsed);
    EXPECT_EQ(MaxLoopAddress(), 252);
    EXPECT_FALSE(IsAddressAllowed(1, 128));
    EXPECT_TRUE(IsAddressAllowed(1, 129));
    EXPECT_TRUE(IsAddressAllowed(1, 254));
    EXPECT_FALSE(IsAddressAllowed(1, 255));
}

TEST_F(DeviceTypesTest, RunsAreNotTestedAgainstReservedAddresses) {
    ASSERT_TRUE(LoadWithRange("1-255"));
    EXPECT_EQ(RangeOf(1).RangeCount, 255);
    EXPECT_TRUE(IsAddressAllowed(1, 127));
    EXPECT_TRUE(IsAddressAllowed(1, 128));
    EXPECT_TRUE(IsAddressAllowed(1, 255));
    ASSERT_TRUE(LoadWithRange("1-126"));
    EXPECT_EQ(RangeOf(1).RangeCount, 126);
    EXPECT_FALSE(RangeOf(1).RangeHasHigh);
    ASSERT_TRUE(LoadWithRange("1-999"));
    EXPECT_EQ(RangeOf(1).RangeCount, 255);
    // An address above 255 allows nothing; a huge run of digits is just a large number.
    ASSERT_TRUE(LoadWithRange("300,99999999999999999999999"));
    EXPECT_EQ(RangeOf(1).RangeCount, 0);
    EXPECT_FALSE(HighAddressesUsed);
}

TEST_F(DeviceTypesTest, ReservedAddressesCannotBeNamed) {
    for (const char* definition : {"0", "127", "128", "255", "5,0127", "1-63,"}) {
        platform.messages.clear();
        EXPECT_FALSE(LoadWithRange(definition)) << definition;
        std::string address = definition;
        if (address == "5,0127") address = "127";
        if (address == "1-63,") address = "0";
        EXPECT_EQ(platform.AllMessageTexts(), "Address " + address +
                                                  " is not a valid address for RangeX in '" +
                                                  StandardDevicesFilePath() + "'.")
            << definition;
    }
}

TEST_F(DeviceTypesTest, RunWithoutAnEndIsRefused) {
    for (const char* definition : {"5-", "5-x", "5-0"}) {
        platform.messages.clear();
        EXPECT_FALSE(LoadWithRange(definition)) << definition;
        EXPECT_EQ(platform.AllMessageTexts(), "Address 0 is not a valid address for RangeX in '" +
                                                  StandardDevicesFilePath() + "'.");
    }
}

TEST_F(DeviceTypesTest, BuiltInRangesAndUnknownRangeNames) {
    const std::vector<std::pair<std::string, int>> builtIn = {{"L", 63}, {"H", 63}, {"A", 126}};
    for (const auto& [name, count] : builtIn) {
        ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(32, name)));
        EXPECT_EQ(RangeOf(1).RangeCount, count) << name;
    }
    EXPECT_TRUE(IsAddressAllowed(1, 1));
    EXPECT_TRUE(IsAddressAllowed(1, 126));
    // Built-in names are case-sensitive.
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(32, "l")));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid Address Range 'l' in '" + StandardDevicesFilePath() + "'.");
}

TEST_F(DeviceTypesTest, RangesAreSharedByNameAndTypeZeroAlwaysGetsTheFullRange) {
    file.Set("Devices", "Device0", DeviceEntry("None").Set(16, "0").Set(32, "L").Value())
        .Set("Devices", "Device2", DeviceEntry("Sounder").Set(32, "L").Value())
        .Set("Devices", "Device3", DeviceEntry("Interface").Set(32, "L").Value())
        .WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_EQ(Type(0).AddressRange, 0);
    EXPECT_EQ(AddressRangeTable[0].RangeName, " full");
    EXPECT_EQ(AddressRangeTable[0].RangeCount, 256);
    EXPECT_TRUE(IsAddressAllowed(0, 0));
    EXPECT_TRUE(IsAddressAllowed(0, 255));
    EXPECT_EQ(Type(2).AddressRange, Type(3).AddressRange);
    EXPECT_EQ(AddressRangeTable.size(), 3u);  // " full", "L" (read for type 0), "A"
}

TEST_F(DeviceTypesTest, UserFileRangeIsUsedOnlyWhenTheStandardFileHasNone) {
    WriteCustomDevicesFile("[Ranges]\r\nRangeU=1-10\r\nRangeS=1-5\r\n");
    file.Set("Ranges", "RangeS", "20-30")
        .Set("Devices", "Device1", DeviceEntry("U").Set(32, "U").Value())
        .Set("Devices", "Device2", DeviceEntry("S").Set(32, "S").Value())
        .WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    EXPECT_EQ(RangeOf(1).RangeCount, 10);
    EXPECT_EQ(RangeOf(2).RangeCount, 11);
    EXPECT_TRUE(IsAddressAllowed(2, 20));
}

// ---------------------------------------------------------------- look-ups and order

TEST_F(DeviceTypesTest, LookUpsHonourTheTableBounds) {
    file.Set("Devices", "MaxDevices", "4")
        .Set("Devices", "Device4", DeviceEntry("Sounder").Value())
        .Set("Devices", "Device3", DeviceEntry("Interface").Set(16, "0").Value())
        .WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_EQ(FindDeviceTypeByName("Sounder"), 2);  // the lowest number wins
    EXPECT_EQ(FindDeviceTypeByName("sounder"), 0);  // case-sensitive
    EXPECT_EQ(FindDeviceTypeByName("Sounder "), 0);
    EXPECT_EQ(FindDeviceTypeByName("Nothing"), 0);
    EXPECT_FALSE(IsValidDeviceType(0));
    EXPECT_TRUE(IsValidDeviceType(4));
    EXPECT_FALSE(IsValidDeviceType(5));
    EXPECT_FALSE(IsValidDeviceType(-1));
    EXPECT_TRUE(IsPlaceableDeviceType(0));
    EXPECT_TRUE(IsPlaceableDeviceType(1));
    EXPECT_FALSE(IsPlaceableDeviceType(3));
    EXPECT_FALSE(IsPlaceableDeviceType(5));
    EXPECT_FALSE(IsPlaceableDeviceType(-1));
    EXPECT_FALSE(TypeUsesOutputGroup3(-1));
}

TEST_F(DeviceTypesTest, ExchangeSortWithEqualKeysKeepsEveryNumber) {
    file.Set("Devices", "MaxDevices", "8");
    for (int d = 4; d <= 8; ++d)
        file.Set("Devices", "Device" + std::to_string(d),
                 DeviceEntry(d % 2 ? "Same" : "Alarm").Value());
    file.Set("Families", "Family3", "C,Detectors").Set("Families", "Family4", "D,Detectors");
    file.WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_TRUE(IsSortedPermutation(DeviceOrder, 9, [](int n) { return DeviceTypeTable[n].Name; }));
    EXPECT_TRUE(
        IsSortedPermutation(FamilyOrder, 5, [](int n) { return FamilyTable[n].FamilyTitle; }));
    // The three "Alarm" types come first, in some order.
    EXPECT_EQ(std::set<int>(DeviceOrder.begin(), DeviceOrder.begin() + 3),
              (std::set<int>{4, 6, 8}));
}

// Names compare by their code in the files' single-byte code page, upper case before lower.
TEST_F(DeviceTypesTest, SortOrderFollowsSingleByteCharacterCodes) {
    file.Set("Devices", "MaxDevices", "6")
        .Set("Devices", "Device4",
             DeviceEntry("\xE9"
                         "clair")
                 .Value())                                          // é
        .Set("Devices", "Device5", DeviceEntry("\x80uro").Value())  // €
        .Set("Devices", "Device6", DeviceEntry("alpha").Value())
        .WriteStandard();
    ASSERT_TRUE(LoadDeviceCatalogue()) << platform.AllMessageTexts();
    EXPECT_EQ(Type(4).Name,
              "\xC3\xA9"
              "clair");
    EXPECT_EQ(DeviceOrder, (std::vector<std::int16_t>{3, 0, 1, 2, 6, 5, 4}));
}

// ---------------------------------------------------------------- damaged files

TEST_F(DeviceTypesTest, OverlongEntryIsCutAndRefusedCleanly) {
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(2, std::string(10000, 'y'))));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind("Numeric value expected for ", 0), 0u)
        << platform.messages[0].text;
}

TEST_F(DeviceTypesTest, BinaryJunkGivesOneMessage) {
    std::mt19937 rng(4);
    for (int round = 0; round < 20; ++round) {
        std::string junk;
        for (int i = 0; i < 3000; ++i)
            junk += static_cast<char>(rng() % 256);
        WriteRawFile(StandardDevicesFilePath(), junk);
        platform.messages.clear();
        EXPECT_FALSE(LoadDeviceCatalogue());
        EXPECT_EQ(platform.messages.size(), 1u);
    }
}

// Any single damaged item of a valid file either loads or fails with one message (a missing
// field type adds its own notices), and never crashes.
TEST_F(DeviceTypesTest, PropertyDamagedItemsFailCleanly) {
    std::mt19937 rng(99);
    const std::vector<std::string> junk = {
        "",        "-1",  "99999999999", "1e300", "x",
        "\"",      ",,,", "0",           "255",   "32768",
        "-32769",  "T",   "LF",          "0-",    std::string(1100, '9'),
        "\xFF\xFE"};
    for (int round = 0; round < 300; ++round) {
        DeviceCatalogueFile damaged;
        const int item = 1 + static_cast<int>(rng() % 55);
        const std::string text = junk[rng() % junk.size()];
        const int type = static_cast<int>(rng() % 4);
        DeviceEntry entry(type == 0 ? "None" : "Damaged");
        if (type == 0) entry.Set(16, "0");
        damaged.Set("Devices", "Device" + std::to_string(type), entry.Set(item, text).Value());
        if (rng() % 3 == 0) damaged.Set("Ranges", "RangeA", text);
        if (rng() % 4 == 0) damaged.Set("Outputs", "MaxOutputs", text);
        damaged.WriteStandard();
        platform.messages.clear();
        const bool ok = LoadDeviceCatalogue();
        std::size_t notices = 0;
        for (const auto& m : platform.messages)
            if (m.text.rfind("Invalid value for Field Type for field  ", 0) == 0) ++notices;
        if (ok)
            EXPECT_EQ(platform.messages.size(), notices);
        else
            EXPECT_EQ(platform.messages.size(), notices + 1) << item << " '" << text << "'";
    }
}

}  // namespace
