// The device type catalogue: every item of an entry in its own field, every refusal with its
// text, the address ranges, the user entries, the sort and damaged files.
#include "catalogue/DeviceTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/FieldParsing.h"
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
    std::string In() const { return " in " + FilePhrase(StandardDevicesFilePath()); }
    std::string Suffix(int type = 1) const {
        return "for device type " + std::to_string(type) + In();
    }
    bool Load() {
        WriteStandardDevices(file);
        return LoadDeviceCatalogue();
    }
    // Loads the catalogue with Device1 replaced by `entry`.
    bool LoadWithDevice1(const DeviceEntry& entry) {
        file.Set("Devices", "Device1", entry.Value());
        return Load();
    }
    // Loads with Device1 using the address range definition `definition` (named X).
    bool LoadWithRange(const std::string& definition) {
        file.Set("Ranges", "RangeX", definition);
        return LoadWithDevice1(DeviceEntry("Ranged").Set(32, "X"));
    }
    // The messages shown so far, which are then forgotten.
    std::string Shown() {
        const std::string texts = platform.AllMessageTexts();
        platform.messages.clear();
        return texts;
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

    IniText file = MinimalDeviceFile();
};

// ---------------------------------------------------------------- whole loads

TEST_F(DeviceTypesTest, LoadsTheMinimalCatalogueAndLoadsAgainFromEmptyTables) {
    file.Set("Ranges", "RangeX", "129-254")
        .Set("Devices", "Device1", DeviceEntry("High").Set(32, "X").Value());
    ASSERT_TRUE(Load());
    EXPECT_EQ(MaxLoopAddress(), 252);

    file = MinimalDeviceFile();
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(DeviceTypeCount, 3);
    ASSERT_EQ(DeviceTypeTable.size(), 4u);
    EXPECT_EQ(FamilyCount, 2);
    EXPECT_EQ(ButtonTable.size(), 2u);
    EXPECT_EQ(AddressRangeTable.size(), 2u);  // " full" and "A"
    EXPECT_EQ(std::tie(Type(1).Name, Type(1).Family, Type(1).Button, Type(1).Faults[7]),
              std::make_tuple("Optical Detector", 1, 1, "Wrong"));
    EXPECT_EQ(Type(0).Button, 0);
    EXPECT_FALSE(Type(1).IsCustom);
    // Sorted by name: Interface, None, Optical Detector, Sounder; by title: Detectors, None,
    // Sounders.
    EXPECT_EQ(DeviceOrder, (std::vector<std::int16_t>{3, 0, 1, 2}));
    EXPECT_EQ(FamilyOrder, (std::vector<std::int16_t>{1, 0, 2}));
    EXPECT_EQ(MaxLoopAddress(), 126);
    EXPECT_FALSE(HighAddressesUsed);
}

TEST_F(DeviceTypesTest, ReadsEveryItemIntoItsOwnField) {
    file.Set("Fields", "Field2", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,ignored,Protocol three")
        .Set("Buttons", "Button1", "Det\",Second");  // one trailing quote is dropped
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
    EXPECT_EQ(
        std::tie(t.Name, t.SecondaryName, t.Faults[0], t.ProtocolThreeText, RangeOf(1).RangeName),
        std::make_tuple("Full", "Second", "Open", "Protocol three", "L"));
    // The numeric fields, in the order of the items they come from.
    EXPECT_EQ(
        std::make_tuple(
            t.Protocol, t.TypeCode, t.Family, t.AnalogueType, t.QuiescentCurrent, t.InputBitCurrent,
            t.OutputBitCurrent, t.IconNumber, t.EntryFlag17, t.InputUse, t.TestModeFinalRampUp,
            t.EntryFlag22, t.TestModeRampDown, t.TestModeRampUp, t.TestModeFinalValue,
            t.AlarmCurrent, t.MinimumVoltage, t.TestModeInitialRampDown, t.AlarmCurrentLedDisabled,
            t.LedDisabledCurrentDiffers, t.OutputUse, t.UsesOutputGroup3, t.Button, t.BaseType,
            t.SurgeCurrent, t.MaxSurgeCurrent, t.PollingLedIcon, t.IsolatedEquivalent,
            t.NoOtherDevices, t.Item42IsA, t.IsMaster, t.IsSlave, t.DilSwitch1, t.DilSwitch2,
            t.StandaloneSetting, t.EntryFlag47, t.OutputDrawOrder, t.WandIcon, t.Value52Hundredths,
            t.DependsOnDevice, t.MaximumDependents, t.EntryFlag55),
        std::make_tuple(3, 200, 2, 6, 301, std::array<std::int32_t, 3>{-9, 10, 11},
                        std::array<std::int32_t, 3>{-12, 13, 14}, 16, true,
                        std::array<std::int16_t, 3>{1, 2, 0}, 21, true, 23, 24, 25, 2600, 2700, 28,
                        3000, true, std::array<std::int16_t, 3>{3, 2, 1}, true, 0, 37, 38, 3900000,
                        40, 41, true, true, false, true, 1, 0, 46, true, 5, 51, 53, 53, 54, true));
    EXPECT_DOUBLE_EQ(t.InternalResistance, 31);
    EXPECT_FALSE(Type(2).LedDisabledCurrentDiffers);
    EXPECT_EQ(Type(2).ProtocolThreeText, "");
    EXPECT_EQ(std::tie(ButtonTable[1].ButtonText, ButtonTable[1].ButtonText2),
              std::make_tuple("Det", "Second"));
    EXPECT_EQ(ButtonTable[1].ButtonState, 0);
}

// Accepted item texts and the field value each gives.
TEST_F(DeviceTypesTest, ItemTextsAndTheValuesTheyGive) {
    using Field = int (*)(const DeviceTypeRecord&);
    const Field analogue = [](const DeviceTypeRecord& t) { return int{t.AnalogueType}; };
    const Field hundredths = [](const DeviceTypeRecord& t) { return int{t.Value52Hundredths}; };
    const Field drawOrder = [](const DeviceTypeRecord& t) { return int{t.OutputDrawOrder}; };
    const Field dil1 = [](const DeviceTypeRecord& t) { return int{t.DilSwitch1}; };
    struct Case {
        int item;
        std::string text;
        Field field;
        int expected;
    };
    const std::vector<Case> cases = {
        {7, "T", analogue, 0},          {7, "t", analogue, 0},
        {7, "P", analogue, 1},          {7, "f", analogue, 2},
        {7, "L", analogue, 3},          {7, "LF", analogue, 7},
        {7, "lf", analogue, 7},         {7, "A", analogue, 4},
        {7, "M", analogue, 5},          {52, "", hundredths, 0},
        {52, "0.29", hundredths, 29},   {52, "1.5", hundredths, 150},
        {52, "2.999", hundredths, 299}, {52, "-0.295", hundredths, -30},
        {52, "-1", hundredths, -100},   {52, "1.5x", hundredths, 150},
        {52, "abc", hundredths, 0},     {52, "327.67", hundredths, 32767},
        {50, "", drawOrder, 0},         {50, "6", drawOrder, 6},
        {44, "255", dil1, 255},  // a switch number may use the whole byte
    };
    file.Set("Switches", "MaxSwitches", "300");
    for (const Case& c : cases) {
        ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(c.item, c.text)))
            << c.item << " " << Shown();
        EXPECT_EQ(c.field(Type(1)), c.expected) << "item " << c.item << " '" << c.text << "'";
    }
    // Item 29 turns the analogue type A into 6; any other text leaves it.
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(7, "a").Set(29, "t")));
    EXPECT_EQ(Type(1).AnalogueType, 6);
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(7, "A").Set(29, "False")));
    EXPECT_EQ(Type(1).AnalogueType, 4);
    EXPECT_EQ(OutputDrawOrderTable[6], OutputDrawOrderTable[4]);
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(42, "True").Set(43, "m")));
    EXPECT_EQ(std::make_tuple(Type(1).NoOtherDevices, Type(1).Item42IsA, Type(1).IsMaster,
                              Type(1).IsSlave),
              std::make_tuple(true, false, true, false));
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(42, "x").Set(43, "Q")));
    EXPECT_FALSE(Type(1).NoOtherDevices || Type(1).Item42IsA || Type(1).IsMaster ||
                 Type(1).IsSlave);
    // Family 0 with an icon becomes the icon-only family; without one the button is not read.
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(5, "0").Set(16, "12")));
    EXPECT_EQ(std::make_tuple(Type(1).Family, IsIconOnlyFamily(1)), std::make_tuple(255, true));
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(5, "0").Set(16, "0").Set(36, "junk")));
    EXPECT_EQ(
        std::make_tuple(Type(1).Family, Type(1).Button, IsIconOnlyFamily(1), IsIconOnlyFamily(-1)),
        std::make_tuple(0, 0, false, false));
    EXPECT_TRUE(platform.messages.empty());
}

// ---------------------------------------------------------------- refusals

TEST_F(DeviceTypesTest, EveryRefusalOfTheFileNamesWhatIsWrong) {
    EXPECT_FALSE(LoadDeviceCatalogue());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, kProductName);
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(platform.beeps.size(), 1u);
    EXPECT_EQ(Shown(),
              "Unable to find file containing device types: '" + StandardDevicesFilePath() + "'.");

    const std::string maxDevices =
        "Invalid setting for 'MaxDevices' entry in 'Devices' section" + In();
    const std::string fieldType = "for Field Type 1 " + Suffix(0);
    struct Case {
        const char* section;
        const char* key;
        const char* value;  // nullptr: the key is removed
        std::string message;
    };
    const char* const types = "FieldTypes";
    const std::vector<Case> cases = {
        {"Families", "Family2", "Sounders", "Invalid settings for device family 2" + In()},
        {"Families", "Family1", ",Title", "Invalid settings for device family 1" + In()},
        // Without Family0 the families after it are never read.
        {"Families", "Family0", nullptr, "No device families defined" + In()},
        {"Buttons", "Button1", nullptr, "No device buttons defined" + In()},
        {"Devices", "MaxDevices", "0", "Invalid numeric value for " + maxDevices},
        {"Devices", "MaxDevices", "128", "Invalid numeric value for " + maxDevices},
        {"Devices", "MaxDevices", nullptr, "Numeric value expected for " + maxDevices},
        {types, "FieldType1", "L,X,F,F,F,F,F,0,D", "Invalid value for default value " + fieldType},
        {types, "FieldType1", "L,,F,F,F,F,F,0,D", "Invalid value for default value " + fieldType},
        {types, "FieldType1", "L,256,F,F,F,F,F,0,D",
         "Invalid numeric value for Default value for Field type 1 " + Suffix(0)},
        {types, "FieldType1", "L,0,F,x,F,F,F,0,D",
         "Numeric value expected for Bit mask for PC read only " + fieldType},
        {types, "FieldType1", "L,0,F,256,F,F,F,0,D",
         "Invalid numeric value for Bit mask for PC read only " + fieldType},
        {types, "FieldType1", "L,0,F,F,F,F,F,0,X", "Invalid default display mode " + fieldType},
        {types, "FieldType1", "L,0,F,F,F,F,F,0,", "Invalid default display mode " + fieldType},
        {"Inputs", "MaxInputs", "0",
         "Invalid numeric value for 'MaxInputs' entry in [Inputs] section" + In()},
    };
    file.Remove("Families", "Family1").Remove("Families", "Family2");
    EXPECT_FALSE(Load());
    EXPECT_EQ(Shown(), "No device families defined" + In());
    for (const Case& c : cases) {
        file = MinimalDeviceFile();
        if (c.value)
            file.Set(c.section, c.key, c.value);
        else
            file.Remove(c.section, c.key);
        EXPECT_FALSE(Load()) << c.message;
        EXPECT_EQ(Shown(), c.message);
    }
    // The last refusal, in the bit tables, left no device types behind.
    EXPECT_TRUE(DeviceTypeTable.empty());
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
    EXPECT_EQ(Shown(), "Invalid settings for device family 32768" + In());
}

TEST_F(DeviceTypesTest, EveryRefusalOfAnItemNamesTheItemAndTheType) {
    const std::vector<std::tuple<int, std::string, std::string>> cases = {
        {3, "x", "Numeric value expected for Protocol " + Suffix()},
        {4, "256", "Invalid numeric value for Type Code " + Suffix()},
        {5, "3", "Invalid numeric value for Device Family " + Suffix()},
        {7, "Th", "Invalid analogue type entry in [Devices] section for device number 1" + In()},
        {7, "", "Invalid analogue type entry in [Devices] section for device number 1" + In()},
        {7, "X", "Invalid analogue type entry in [Devices] section for device number 1" + In()},
        {7, "FL", "Invalid analogue type entry in [Devices] section for device number 1" + In()},
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
        {48, "2", "Invalid value for Fault Range " + Suffix()},
        {49, "", "Invalid value for Field Range " + Suffix()},
        {50, "7", "Invalid numeric value for Output Bit draw order " + Suffix()},
        {51, "", "Numeric value expected for Wand Detection mode icon"},
        {53, "x", "Numeric value expected for Depends on device"},
        {54, "256", "Invalid numeric value for Maximum dependents"},
        {52, "327.68", UnexpectedErrorText(6, "Overflow", "LoadDeviceCatalogue", "")},
        // An overlong entry is cut, and what is left of it is refused cleanly.
        {2, std::string(10000, 'y'), "Numeric value expected for Protocol " + Suffix()},
    };
    for (const auto& [item, text, message] : cases) {
        EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(item, text))) << item;
        EXPECT_EQ(Shown(), message) << "item " << item;
    }
    // Switch numbers are kept in a byte; a longer switch table does not let 300 through.
    file.Set("Switches", "MaxSwitches", "300");
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(45, "300")));
    EXPECT_EQ(Shown(), "Invalid numeric value for DIL Switch 2 setting " + Suffix());
    file.Remove("Inputs", "Input1");
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(20, "1")));
    EXPECT_EQ(Shown(), "Invalid value for Input Use Number " + Suffix());
}

// A number stored without a range check that does not fit its field is an unforeseen failure:
// it goes to the common error handler instead of wrapping silently.
TEST_F(DeviceTypesTest, UncheckedNumbersThatOverflowReportAnUnexpectedError) {
    file.Set("FieldTypes", "FieldType1", "Level,0,F,F,F,F,F,1e20,D");
    EXPECT_FALSE(Load());
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
        file.Set("FieldTypes", "FieldType1", std::string("Level,0,F,F,F,F,F,0,D,F,,") + sub);
        EXPECT_FALSE(Load()) << sub;
        EXPECT_EQ(platform.messages.size(), 1u);
    }
}

// ---------------------------------------------------------------- families and user entries

TEST_F(DeviceTypesTest, FamiliesShownByDefaultByTheSettingsAndByTheUser) {
    file.Set("Families", "Family1", "A,A,x,f")
        .Set("Families", "Family2", "B,B,x,")
        .Set("Families", "Family3", "C,C,x,Yes");
    WriteSettingFlag("DontShowFamily2", true);   // the user hid a family shown by default
    WriteSettingFlag("DontShowFamily0", false);  // and showed one hidden by default
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    std::vector<std::pair<bool, bool>> defaultAndShown;
    for (const DeviceFamily& f : FamilyTable)
        defaultAndShown.emplace_back(f.FamilyShownByDefault, f.FamilyShown);
    EXPECT_EQ(defaultAndShown, (std::vector<std::pair<bool, bool>>{
                                   {false, true}, {false, false}, {true, false}, {true, true}}));
    EXPECT_EQ(FamilyTable[1].FamilyText3, "x");
    // A family without a stored choice got its default written as the opposite.
    EXPECT_TRUE(ReadSettingFlag("DontShowFamily1"));
    ASSERT_TRUE(SettingExists("DontShowFamily3"));
    EXPECT_FALSE(ReadSettingFlag("DontShowFamily3"));

    SetFamilyShown(2, true);
    EXPECT_TRUE(FamilyTable[2].FamilyShown);
    EXPECT_FALSE(ReadSettingFlag("DontShowFamily2"));
    SetFamilyShown(3, false);
    ResetDeviceCatalogue();
    ASSERT_TRUE(LoadDeviceCatalogue());
    EXPECT_FALSE(FamilyTable[3].FamilyShown);  // the choice survives the next load
    SetFamilyShown(99, true);                  // no such family: nothing happens
    EXPECT_FALSE(SettingExists("DontShowFamily99"));
}

TEST_F(DeviceTypesTest, GapsInTheStandardNumberingGiveEmptyTypes) {
    file.Set("Devices", "MaxDevices", "5").Remove("Devices", "Device2");
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    EXPECT_EQ(DeviceTypeCount, 5);
    EXPECT_EQ(std::tie(Type(2).Name, Type(2).Button, Type(5).Name), std::make_tuple("", 0, ""));
    EXPECT_FALSE(IsPlaceableDeviceType(2));
    EXPECT_TRUE(IsValidDeviceType(5));
    EXPECT_TRUE(IsSortedPermutation(DeviceOrder, 6, [](int n) { return DeviceTypeTable[n].Name; }));
}

TEST_F(DeviceTypesTest, UserEntriesAreAddedAfterTheStandardOnes) {
    WriteCustomDevices("[Devices]\r\nDevice1=" + DeviceEntry("Custom Heat").Value() +
                       "\r\nDevice2=" + DeviceEntry("Sounder").Set(8, "999").Value() +
                       "\r\nDevice3=" + DeviceEntry("None").Value() +
                       "\r\nDevice5=" + DeviceEntry("After the gap").Value() + "\r\n");
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    EXPECT_EQ(CustomDevicesFilePath(), paths.userRoot + "/Tarvex/Devices/CustomDevices.dat");
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
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(Shown(), "Invalid numeric value for Protocol for device type 4 in " +
                           FilePhrase(CustomDevicesFilePath()));
}

TEST_F(DeviceTypesTest, No127TypesBeyondTheLimit) {
    const std::string refusal =
        "No more than 127 different device types allowed, including those in in " +
        FilePhrase(CustomDevicesFilePath());
    file.Set("Devices", "MaxDevices", "127");
    WriteCustomDevices("[Devices]\r\nDevice1=" + DeviceEntry("One more").Value() + "\r\n");
    EXPECT_FALSE(Load());
    EXPECT_EQ(Shown(), refusal);

    file.Set("Devices", "MaxDevices", "120");
    std::string custom = "[Devices]\r\n";
    for (int k = 1; k <= 7; ++k)
        custom += "Device" + std::to_string(k) + "=" +
                  DeviceEntry("User " + std::to_string(k)).Value() + "\r\n";
    WriteCustomDevices(custom);
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    EXPECT_EQ(DeviceTypeCount, 127);
    EXPECT_EQ(Type(127).Name, "User 7");
    EXPECT_EQ(DeviceOrder.size(), 128u);
    WriteCustomDevices(custom + "Device8=" + DeviceEntry("User 8").Value() + "\r\n");
    EXPECT_FALSE(LoadDeviceCatalogue());
    EXPECT_EQ(platform.messages.back().text, refusal);
}

// ---------------------------------------------------------------- fields and output groups

TEST_F(DeviceTypesTest, FieldTypesAreReadOnceWithEveryItem) {
    file.Set("FieldTypes", "FieldType2",
             "Marker,T,T,7,t,F,True,-5,h,T,Text,1;2;3;-4;Sub text;T,T,T,T,T")
        .Set("FieldTypes", "FieldType3", "Other,a,F,t,F,F,F,0,B,F,,,F,F,F,T")
        .Set("Fields", "Field2", "2,1,2,3,1,1,1,1,1,1,1,1,1,1,1");
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(49, "2"))) << platform.AllMessageTexts();
    ASSERT_GE(FieldTypeTable.size(), 4u);
    const FieldTypeEntry& f = FieldTypeTable[2];
    EXPECT_EQ(std::tie(f.FieldTypeName, f.FieldTypeText11, f.FieldTypeSubText5),
              std::make_tuple("Marker", "Text", "Sub text"));
    // Flag 7 is a whole-item flag: "True" is not "T".
    const std::vector<std::int64_t> numbers = {
        f.FieldTypeDefault,  f.FieldTypeFlag3,    f.FieldTypePcReadOnlyMask, f.FieldTypeFlag5,
        f.FieldTypeFlag6,    f.FieldTypeFlag7,    f.FieldTypeNumber8,        f.FieldTypeDisplayMode,
        f.FieldTypeFlag10,   f.FieldTypeSub1,     f.FieldTypeSub2,           f.FieldTypeSub3,
        f.FieldTypeSub4,     f.FieldTypeSubFlag6, f.FieldTypeFlag13,         f.FieldTypeFlag14,
        f.FieldTypeMarker15, f.FieldTypeMarker16};
    EXPECT_EQ(numbers,
              (std::vector<std::int64_t>{-1, 1, 7, 1, 0, 0, -5, 2, 1, 1, 2, 3, -4, 1, 1, 1, 5, 6}));
    const FieldTypeEntry& g = FieldTypeTable[3];
    EXPECT_EQ(std::make_tuple(g.FieldTypeDefault, g.FieldTypePcReadOnlyMask, g.FieldTypeDisplayMode,
                              g.FieldTypeMarker15, g.FieldTypeMarker16),
              std::make_tuple(-3, 255, 1, -1, 6));
    EXPECT_EQ(FieldTypeTable[1].FieldTypeMarker15, -1);
    // The last position whose type has the flag or marker.
    EXPECT_EQ(std::make_tuple(Type(1).FieldIndexFlag10, Type(1).FieldIndexMarker15,
                              Type(1).FieldIndexMarker16, Type(2).FieldIndexFlag10,
                              Type(2).FieldIndexMarker16),
              std::make_tuple(2, 2, 3, -1, -1));
}

TEST_F(DeviceTypesTest, FieldAndFaultRangeItems) {
    file.Set("Faults", "Fault0", "Zero");
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(48, ""))) << platform.AllMessageTexts();
    EXPECT_EQ(std::tie(Type(1).Faults[0], Type(1).Faults[1]), std::make_tuple("Zero", ""));

    file.Set("Fields", "Field2", "1,1,1,1,1,1,1,1,1,1,1,1,1,1");  // fourteen fields only
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(49, "2")));
    EXPECT_EQ(Shown(), "Numeric value expected for Field type for field 14 " + Suffix());
    // A missing field type is reported and loading goes on.
    file.Set("Fields", "Field2", "1,1,1,9,1,1,1,1,1,1,1,1,1,1,1");
    ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(49, "2")));
    EXPECT_EQ(Shown(), "Invalid value for Field Type for field  3 " + Suffix());
    EXPECT_EQ(Type(1).FieldTypes[3], 9);
    EXPECT_EQ(Type(2).Name, "Sounder");
}

TEST_F(DeviceTypesTest, UsesOutputGroup3MatchesTheLiveTest) {
    file.Set("Devices", "MaxDevices", "6")
        .Set("Devices", "Device4", DeviceEntry("G3 last").Set(35, "3").Value())
        .Set("Devices", "Device5", DeviceEntry("G1 only").Set(33, "1").Set(34, "2").Value());
    ASSERT_TRUE(Load());
    for (int type = 0; type <= DeviceTypeCount; ++type)
        EXPECT_EQ(Type(type).UsesOutputGroup3, TypeUsesOutputGroup3(type)) << type;
    EXPECT_TRUE(TypeUsesOutputGroup3(3) && TypeUsesOutputGroup3(4));
    EXPECT_FALSE(TypeUsesOutputGroup3(5) || TypeUsesOutputGroup3(7) || TypeUsesOutputGroup3(-1));
}

// ---------------------------------------------------------------- address ranges

TEST_F(DeviceTypesTest, RangeDefinitionsAllowTheirAddresses) {
    ASSERT_TRUE(LoadWithRange("1-63,70,100-110")) << platform.AllMessageTexts();
    EXPECT_EQ(RangeOf(1).RangeName, "X");
    EXPECT_EQ(RangeOf(1).RangeCount, 63 + 1 + 11);
    for (int a = 0; a <= 255; ++a) {
        const bool expected = (a >= 1 && a <= 63) || a == 70 || (a >= 100 && a <= 110);
        EXPECT_EQ(IsAddressAllowed(1, a), expected) << a;
    }
    EXPECT_FALSE(IsAddressAllowed(1, -1) || IsAddressAllowed(1, 256) || IsAddressAllowed(99, 5));

    // Runs are not tested against the reserved addresses; an address above 255 allows nothing
    // and a huge run of digits is just a large number.
    struct Case {
        std::string definition;
        int count;
        bool high;  // addresses above 126 raise the loop's address limit
        std::vector<int> allowed, refused;
    };
    const std::vector<Case> cases = {
        {"1-255", 255, true, {127, 128, 255}, {0}},
        {"1-126", 126, false, {1, 126}, {127}},
        {"1-999", 255, true, {255}, {0}},
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
        EXPECT_EQ(RangeOf(1).RangeHasHigh, c.high) << c.definition;
        EXPECT_EQ(HighAddressesUsed, c.high) << c.definition;
        EXPECT_EQ(MaxLoopAddress(), c.high ? 252 : 126) << c.definition;
    }
    // The built-in ranges, named case-sensitively.
    const std::vector<std::pair<std::string, int>> builtIn = {{"L", 63}, {"H", 63}, {"A", 126}};
    for (const auto& [name, count] : builtIn) {
        ASSERT_TRUE(LoadWithDevice1(DeviceEntry("X").Set(32, name)));
        EXPECT_EQ(RangeOf(1).RangeCount, count) << name;
    }
    EXPECT_TRUE(IsAddressAllowed(1, 1) && IsAddressAllowed(1, 126));
}

TEST_F(DeviceTypesTest, ReservedAddressesAndUnknownRangesAreRefused) {
    const std::string in = " in '" + StandardDevicesFilePath() + "'.";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"0", "0"},     {"127", "127"}, {"128", "128"}, {"255", "255"}, {"5,0127", "127"},
        {"1-63,", "0"}, {"5-", "0"},    {"5-x", "0"},   {"5-0", "0"}};
    for (const auto& [definition, address] : cases) {
        EXPECT_FALSE(LoadWithRange(definition)) << definition;
        EXPECT_EQ(Shown(), "Address " + address + " is not a valid address for RangeX" + in)
            << definition;
    }
    EXPECT_FALSE(LoadWithDevice1(DeviceEntry("X").Set(32, "l")));
    EXPECT_EQ(Shown(), "Invalid Address Range 'l'" + in);
}

TEST_F(DeviceTypesTest, RangesAreSharedByNameAndTheStandardFileWins) {
    WriteCustomDevices("[Ranges]\r\nRangeU=1-10\r\nRangeS=1-5\r\n");
    file.Set("Ranges", "RangeS", "20-30")
        .Set("Devices", "Device0", DeviceEntry("None").Set(16, "0").Set(32, "L").Value())
        .Set("Devices", "Device1", DeviceEntry("U").Set(32, "U").Value())
        .Set("Devices", "Device2", DeviceEntry("S").Set(32, "S").Value())
        .Set("Devices", "Device3", DeviceEntry("S too").Set(32, "S").Value());
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    // The user file's range is used only when the standard file has none by that name.
    EXPECT_EQ(RangeOf(1).RangeCount, 10);
    EXPECT_EQ(RangeOf(2).RangeCount, 11);
    EXPECT_TRUE(IsAddressAllowed(2, 20));
    EXPECT_EQ(Type(2).AddressRange, Type(3).AddressRange);
    // Type 0 always gets the full range, though its own item is read.
    EXPECT_EQ(Type(0).AddressRange, 0);
    EXPECT_EQ(AddressRangeTable[0].RangeName, " full");
    EXPECT_EQ(AddressRangeTable[0].RangeCount, 256);
    EXPECT_TRUE(IsAddressAllowed(0, 0) && IsAddressAllowed(0, 255));
    EXPECT_EQ(AddressRangeTable.size(), 4u);  // " full", "L" (read for type 0), "U", "S"
}

// ---------------------------------------------------------------- look-ups and order

TEST_F(DeviceTypesTest, LookUpsHonourTheTableBounds) {
    file.Set("Devices", "MaxDevices", "4")
        .Set("Devices", "Device4", DeviceEntry("Sounder").Value())
        .Set("Devices", "Device3", DeviceEntry("Interface").Set(16, "0").Value());
    ASSERT_TRUE(Load());
    EXPECT_EQ(FindDeviceTypeByName("Sounder"), 2);               // the lowest number wins
    for (const char* name : {"sounder", "Sounder ", "Nothing"})  // case-sensitive, exact
        EXPECT_EQ(FindDeviceTypeByName(name), 0) << name;
    EXPECT_TRUE(IsValidDeviceType(4));
    EXPECT_FALSE(IsValidDeviceType(0) || IsValidDeviceType(5) || IsValidDeviceType(-1));
    EXPECT_TRUE(IsPlaceableDeviceType(0) && IsPlaceableDeviceType(1));
    EXPECT_FALSE(IsPlaceableDeviceType(3) || IsPlaceableDeviceType(5) || IsPlaceableDeviceType(-1));
}

TEST_F(DeviceTypesTest, SortKeepsEveryNumberAndFollowsSingleByteCodes) {
    file.Set("Devices", "MaxDevices", "8");
    for (int d = 4; d <= 8; ++d)
        file.Set("Devices", "Device" + std::to_string(d),
                 DeviceEntry(d % 2 ? "Same" : "Alarm").Value());
    file.Set("Families", "Family3", "C,Detectors").Set("Families", "Family4", "D,Detectors");
    ASSERT_TRUE(Load());
    EXPECT_TRUE(IsSortedPermutation(DeviceOrder, 9, [](int n) { return DeviceTypeTable[n].Name; }));
    EXPECT_TRUE(
        IsSortedPermutation(FamilyOrder, 5, [](int n) { return FamilyTable[n].FamilyTitle; }));
    // The three "Alarm" types come first, in some order.
    EXPECT_EQ(std::set<int>(DeviceOrder.begin(), DeviceOrder.begin() + 3),
              (std::set<int>{4, 6, 8}));

    // Names compare by their code in the files' code page (é, €), upper case before lower.
    file = MinimalDeviceFile();
    file.Set("Devices", "MaxDevices", "6")
        .Set("Devices", "Device4",
             DeviceEntry("\xE9"
                         "clair")
                 .Value())
        .Set("Devices", "Device5", DeviceEntry("\x80uro").Value())
        .Set("Devices", "Device6", DeviceEntry("alpha").Value());
    ASSERT_TRUE(Load()) << platform.AllMessageTexts();
    EXPECT_EQ(Type(4).Name,
              "\xC3\xA9"
              "clair");
    EXPECT_EQ(DeviceOrder, (std::vector<std::int16_t>{3, 0, 1, 2, 6, 5, 4}));
}

// ---------------------------------------------------------------- damaged files

// Binary junk, or any single damaged item of a valid file, either loads or fails with one
// message (a missing field type adds its own notices), and never crashes.
TEST_F(DeviceTypesTest, PropertyDamagedFilesFailCleanly) {
    std::mt19937 rng(99);
    for (int round = 0; round < 20; ++round) {
        std::string junk;
        for (int i = 0; i < 3000; ++i)
            junk += static_cast<char>(rng() % 256);
        WriteRawFile(StandardDevicesFilePath(), junk);
        platform.messages.clear();
        EXPECT_FALSE(LoadDeviceCatalogue());
        EXPECT_EQ(platform.messages.size(), 1u);
    }
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

}  // namespace
