// The control panel catalogue: the standard file choice, every loader message with its real
// path, the panel limits, selection, and the user-defined panels written to CUSTPAN.DAT.
#include "catalogue/Panels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceFixtures.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"
#include "shell/Text.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> PanelNames() {
    std::vector<std::string> names;
    for (const auto& p : PanelTable)
        names.push_back(p.PanelName);
    return names;
}

int PanelNumber(const std::string& name) {
    for (std::size_t i = 0; i < PanelTable.size(); ++i)
        if (PanelTable[i].PanelName == name) return static_cast<int>(i);
    return -1;
}

const ControlPanel& Panel(const std::string& name) {
    return PanelTable.at(static_cast<std::size_t>(PanelNumber(name)));
}

ControlPanel UserPanel(const std::string& name, int loops = 4) {
    ControlPanel p;
    p.PanelName = name;
    p.Loops = static_cast<std::uint8_t>(loops);
    p.DriverImpedance = 1234;
    p.AlarmLEDs = 20;
    p.RemoteLEDs = 3;
    p.Outputs = 7;
    p.MaxLoopCurrent = 400;
    p.MaxTotalCurrent = 1600;
    p.MinLoopVoltage = 1850;
    p.MaxDevicesPerLoop = 99;
    return p;
}

class PanelsTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ResetPanelCatalogue();
    }
    void TearDown() override {
        ResetPanelCatalogue();
        ScriptedTest::TearDown();
    }

    // Loads and expects a failure with exactly one data-file message, which is returned.
    std::string FailingLoad() {
        platform.messages.clear();
        platform.beeps.clear();
        EXPECT_FALSE(LoadPanelCatalogue());
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.beeps.size(), 1u);
        if (platform.messages.empty()) return "";
        EXPECT_EQ(platform.messages[0].title, "Tarvex Quelmar");
        EXPECT_EQ(platform.messages[0].icon, MsgIcon::Exclamation);
        return platform.messages[0].text;
    }

    IniText file = MinimalPanelFile();
};

TEST_F(PanelsTest, LoadsSortsAndAddsTheUserDefinedManufacturer) {
    WriteStandardPanels(file);
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_TRUE(platform.messages.empty());
    std::vector<std::string> makers;
    for (const auto& m : ManufacturerTable)
        makers.push_back(m.ManufacturerName + "/" + m.ManufacturerSection);
    EXPECT_EQ(makers, (std::vector<std::string>{"acme Systems/Acme", "Bolt/Bolt", "Zeta Fire/Zeta",
                                                "User-Defined Panels/Custom"}));
    EXPECT_EQ(CustomManufacturerIndex, 3);
    EXPECT_EQ(CustomPanelCount, 0);
    EXPECT_EQ(PanelNames(),
              (std::vector<std::string>{"Acme 8", "bolt one", "Unknown Panel", "Zeta 2"}));
    EXPECT_EQ(UnknownPanelIndex, 2);
    EXPECT_EQ(GetCurrentPanel(), -1);

    const ControlPanel& zeta = Panel("Zeta 2");
    EXPECT_TRUE(zeta.IsStandardPanel);
    EXPECT_EQ(zeta.Manufacturer, 2);  // its maker's place after sorting
    EXPECT_EQ(zeta.PanelSection, "Z1");
    EXPECT_EQ(zeta.Loops, 2);
    EXPECT_EQ(zeta.DriverImpedance, 1500);
    EXPECT_EQ(zeta.AlarmLEDs, 10);
    EXPECT_EQ(zeta.RemoteLEDs, 5);
    EXPECT_EQ(zeta.Outputs, 20);
    EXPECT_EQ(zeta.MaxLoopCurrent, 500);
    EXPECT_EQ(zeta.MaxTotalCurrent, 2000);
    EXPECT_EQ(zeta.MinLoopVoltage, 2000);
    EXPECT_EQ(zeta.MaxDevicesPerLoop, 126);  // key absent
}

TEST_F(PanelsTest, RevisedFileWinsUnlessThePlainFileIsNewer) {
    IniText revised = MinimalPanelFile();
    revised.Set("Z1", "Name", "Zeta 2 revised");
    const std::string plainPath = WriteStandardPanels(file);
    const std::string revisedPath = WriteRevisedStandardPanels(revised);
    const auto now = fs::file_time_type::clock::now();

    fs::last_write_time(plainPath, now - std::chrono::hours(2));
    fs::last_write_time(revisedPath, now - std::chrono::hours(1));
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_GE(PanelNumber("Zeta 2 revised"), 0);
    fs::last_write_time(plainPath, now - std::chrono::hours(1));  // equal: not later
    EXPECT_EQ(ChooseStandardPanelFile(), revisedPath);

    fs::last_write_time(plainPath, now);
    ResetProfileCache();
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_GE(PanelNumber("Zeta 2"), 0);
    fs::remove(plainPath);
    EXPECT_EQ(ChooseStandardPanelFile(), revisedPath);
}

TEST_F(PanelsTest, EveryLoaderMessageNamesTheFileAndThePanel) {
    EXPECT_EQ(FailingLoad(), "Unable to find file containing standard panel data: '" +
                                 paths.dataRoot + "/Tarvex/Panels/stdpan.dat'.");

    const std::string in = " in " + Phrase(StandardPanelFilePath());
    const std::string bolt = " for control panel 'bolt one' for manufacturer 'Bolt'" + in;
    const std::pair<std::function<void(IniText&)>, std::string> cases[] = {
        {[](IniText& f) { f.Set("Manufacturers", "Manufacturer1", ", Acme"); },
         "Invalid settings for panel manufacturer 1" + in},
        {[](IniText& f) { f.Remove("Bolt", "Name"); },
         "Invalid settings for panel manufacturer 2" + in},
        {[](IniText& f) { f.RemoveSection("Manufacturers"); }, "No manufacturers defined" + in},
        // Makers are walked in sorted order; the numbering names the place in the maker's list.
        {[](IniText& f) { f.Set("Zeta", "Panel2", " , Z2"); },
         "Invalid settings for control panel 2 for manufacturer 'Zeta Fire'" + in},
        {[](IniText& f) {
             f.Remove("Zeta", "Panel1")
                 .Remove("Acme", "Panel1")
                 .Remove("Acme", "Panel2")
                 .Remove("Bolt", "Panel1");
         },
         "No control panels defined" + in},
        {[](IniText& f) { f.Remove("A1", "Name"); },
         "Invalid name for control panel 1 for manufacturer 'acme Systems'" + in},
        {[](IniText& f) { f.Set("A1", "Name", ", second item only"); },
         "Invalid name for control panel 1 for manufacturer 'acme Systems'" + in},
        {[](IniText& f) { f.Remove("B1", "Loops"); }, "Invalid number of loops" + bolt},
        {[](IniText& f) { f.Remove("B1", "DriverImpedance"); }, "Invalid driver impedance" + bolt},
        {[](IniText& f) { f.Remove("B1", "AlarmLEDs"); }, "Invalid number of Alarm LEDs" + bolt},
        {[](IniText& f) { f.Remove("B1", "RemoteLEDs"); }, "Invalid number of Remote LEDs" + bolt},
        {[](IniText& f) { f.Remove("B1", "Outputs"); }, "Invalid number of Alarm Outputs" + bolt},
        {[](IniText& f) { f.Remove("B1", "MaxLoopCurrent"); },
         "Invalid maximum Loop Current" + bolt},
        {[](IniText& f) { f.Remove("B1", "MaxTotalCurrent"); },
         "Invalid maximum Total Current" + bolt},
        {[](IniText& f) { f.Remove("B1", "MinLoopVoltage"); },
         "Invalid minimum Loop Driver Voltage" + bolt},
    };
    for (const auto& [mutate, expected] : cases) {
        SCOPED_TRACE(expected);
        IniText broken = MinimalPanelFile();
        mutate(broken);
        WriteStandardPanels(broken);
        EXPECT_EQ(FailingLoad(), expected);
    }
}

TEST_F(PanelsTest, BadValuesGetTheNumericReadersMessagesAtTheirBounds) {
    const std::string bolt = " for control panel 'bolt one' for manufacturer 'Bolt' in " +
                             Phrase(StandardPanelFilePath());
    const std::string invalid = "Invalid numeric value for ",
                      expected = "Numeric value expected for ";
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"Loops", "0", invalid + "number of loops"},
        {"Loops", "9", invalid + "number of loops"},
        {"Loops", "two", expected + "number of loops"},
        {"DriverImpedance", "32768", invalid + "driver impedance"},
        {"MaxDevicesPerLoop", "0", invalid + "maximum number of addressable devices per loop"},
        {"MaxDevicesPerLoop", "253", invalid + "maximum number of addressable devices per loop"},
        {"AlarmLEDs", "127", invalid + "number of Alarm LEDs"},  // above the default 126
        {"RemoteLEDs", "127", invalid + "number of Remote LEDs"},
        {"Outputs", ",5", expected + "number of Alarm Outputs"},
        {"MaxLoopCurrent", "-1", invalid + "maximum Loop Current"},
        {"MaxTotalCurrent", "x", expected + "maximum Total Current"},
        {"MinLoopVoltage", "40000", invalid + "minimum Loop Driver Voltage"},
    };
    for (const auto& [key, value, message] : cases) {
        SCOPED_TRACE(std::string(key) + "=" + value);
        IniText broken = MinimalPanelFile();
        broken.Set("B1", key, value);
        WriteStandardPanels(broken);
        EXPECT_EQ(FailingLoad(), message + bolt);
    }
}

TEST_F(PanelsTest, AddressLimitBoundsTheLedAndOutputCounts) {
    file.Set("B1", "MaxDevicesPerLoop", "252")
        .Set("B1", "AlarmLEDs", "252")
        .Set("B1", "RemoteLEDs", "252")
        .Set("B1", "Outputs", "252")
        .Set("B1", "Loops", "8");
    file.Set("A1", "MaxDevicesPerLoop", "1")
        .Set("A1", "AlarmLEDs", "1")
        .Set("A1", "RemoteLEDs", "0")
        .Set("A1", "Outputs", "1")
        .Set("A1", "Loops", "1");
    WriteStandardPanels(file);
    ASSERT_TRUE(LoadPanelCatalogue()) << platform.AllMessageTexts();
    EXPECT_EQ(Panel("bolt one").MaxDevicesPerLoop, 252);
    EXPECT_EQ(Panel("bolt one").AlarmLEDs, 252);
    EXPECT_EQ(Panel("Acme 8").MaxDevicesPerLoop, 1);

    file.Set("A1", "AlarmLEDs", "2");  // a valid byte, but above this panel's own limit
    WriteStandardPanels(file);
    EXPECT_EQ(FailingLoad(),
              "Invalid numeric value for number of Alarm LEDs for control panel "
              "'Acme 8' for manufacturer 'acme Systems' in " +
                  Phrase(StandardPanelFilePath()));
}

TEST_F(PanelsTest, SelectionIgnoresCaseRemembersThePanelAndFallsBack) {
    WriteStandardPanels(file);
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_TRUE(SelectPanelByName("ZETA 2"));
    EXPECT_EQ(GetCurrentPanel(), PanelNumber("Zeta 2"));
    EXPECT_EQ(ReadSettingText("LastPanel"), "Zeta 2");
    EXPECT_FALSE(SelectPanelByName("Zeta"));
    EXPECT_EQ(GetCurrentPanel(), PanelNumber("Zeta 2"));

    WriteSettingText("LastPanel", "something else");
    SetCurrentPanel(PanelNumber("Zeta 2"));  // already chosen: nothing written
    EXPECT_EQ(ReadSettingText("LastPanel"), "something else");

    EXPECT_TRUE(SelectPanelOrUnknown("No Such Panel"));
    EXPECT_EQ(GetCurrentPanel(), UnknownPanelIndex);
    EXPECT_EQ(ReadSettingText("LastPanel"), "Unknown Panel");
    EXPECT_TRUE(platform.messages.empty());

    file.Remove("Acme", "Panel2");
    WriteStandardPanels(file);
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_EQ(UnknownPanelIndex, -1);
    EXPECT_TRUE(SelectPanelOrUnknown("bolt ONE"));
    EXPECT_FALSE(SelectPanelOrUnknown("No Such Panel"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Unable to find default control panel data 'Unknown Panel'");
}

TEST_F(PanelsTest, EqualNamesIgnoringCaseEndUpTogetherAndIndexesFollowTheirRecords) {
    IniText many;
    many.Set("Manufacturers", "Manufacturer0", "M").Set("M", "Name", "Maker");
    const char* names[] = {"beta",  "ALPHA", "Unknown Panel", "Beta",
                           "gamma", "alpha", "BETA",          "Alpha"};
    for (int i = 0; i < 8; ++i) {
        const std::string section = "P" + std::to_string(i);
        many.Set("M", "Panel" + std::to_string(i + 1), section);
        SetPanelKeys(many, section, names[i], i + 1);
    }
    WriteStandardPanels(many);
    ASSERT_TRUE(LoadPanelCatalogue());
    std::vector<std::string> upper;
    for (const auto& p : PanelTable) {
        upper.push_back(UCase(p.PanelName));
        // Records move whole: each keeps the figures of its own section.
        const auto at =
            std::find(std::begin(names), std::end(names), p.PanelName) - std::begin(names);
        EXPECT_EQ(p.PanelSection, "P" + std::to_string(at));
        EXPECT_EQ(p.Loops, at + 1);
    }
    EXPECT_EQ(upper, (std::vector<std::string>{"ALPHA", "ALPHA", "ALPHA", "BETA", "BETA", "BETA",
                                               "GAMMA", "UNKNOWN PANEL"}));
    // Re-sorting after an added panel carries the current and the unknown panel with them.
    ASSERT_TRUE(SelectPanelByName("gamma"));
    ASSERT_GE(AddCustomPanel(UserPanel("Aardvark")), 0);
    EXPECT_EQ(PanelTable[static_cast<std::size_t>(GetCurrentPanel())].PanelName, "gamma");
    EXPECT_EQ(PanelTable[static_cast<std::size_t>(UnknownPanelIndex)].PanelName, "Unknown Panel");
}

class CustomPanelsTest : public PanelsTest {
protected:
    void SetUp() override {
        PanelsTest::SetUp();
        WriteStandardPanels(file);
    }
    std::string Custom() const { return CustomPanelFilePath(); }
};

TEST_F(CustomPanelsTest, ReadsTheUsedSectionsUpToMaxCustom) {
    ASSERT_TRUE(LoadPanelCatalogue());  // no user file at all
    EXPECT_EQ(CustomPanelCount, 0);

    IniText custom;
    custom.Set("Options", "MaxCustom", "3");
    SetPanelKeys(custom, "Custom1", "\"Mine, with comma\"", 3);
    custom.Set("Custom2", "Loops", "4");  // a free slot: no Name
    SetPanelKeys(custom, "Custom3", "\"Other\"", 1);
    SetPanelKeys(custom, "Custom4", "\"Beyond\"", 1);
    WriteCustomPanels(custom);
    ASSERT_TRUE(LoadPanelCatalogue()) << platform.AllMessageTexts();
    EXPECT_EQ(CustomPanelCount, 2);
    const ControlPanel& mine = Panel("Mine, with comma");
    EXPECT_FALSE(mine.IsStandardPanel);
    EXPECT_EQ(mine.Manufacturer, CustomManufacturerIndex);
    EXPECT_EQ(mine.PanelSection, "Custom1");
    EXPECT_EQ(mine.Loops, 3);
    EXPECT_EQ(mine.MaxDevicesPerLoop, 126);
    EXPECT_EQ(PanelNumber("Beyond"), -1);

    // A damaged MaxCustom neither hangs the loader nor hides the panels below its cap.
    custom.Set("Options", "MaxCustom", "1e15");
    WriteCustomPanels(custom);
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_EQ(CustomPanelCount, 3);

    custom.Remove("Custom3", "Loops");
    WriteCustomPanels(custom);
    EXPECT_EQ(FailingLoad(),
              "Invalid number of loops for control panel 'Other' for manufacturer "
              "'User-Defined Panels' in " +
                  Phrase(Custom()));
}

TEST_F(CustomPanelsTest, AddWritesTheFileAndReadsBackTheSame) {
    ASSERT_TRUE(LoadPanelCatalogue());
    const int added = AddCustomPanel(UserPanel("Smith, Jones \"4\""));
    ASSERT_GE(added, 0);
    EXPECT_TRUE(platform.messages.empty());
    const ControlPanel expected = PanelTable[static_cast<std::size_t>(added)];
    EXPECT_EQ(expected.PanelName, "Smith, Jones \"4\"");
    EXPECT_EQ(expected.PanelSection, "Custom1");
    EXPECT_EQ(expected.Manufacturer, CustomManufacturerIndex);
    EXPECT_EQ(expected.MaxDevicesPerLoop, 126);  // never stored, so this run agrees with the next
    EXPECT_EQ(CustomPanelCount, 1);

    const std::string text = ReadWholeFile(Custom());
    EXPECT_NE(
        text.find("[Custom1]\r\nName=\"Smith, Jones \"4\"\"\r\nLoops=4\r\nDriverImpedance=1234\r\n"
                  "AlarmLEDs=20\r\nRemoteLEDs=3\r\nOutputs=7\r\nMaxLoopCurrent=400\r\n"
                  "MaxTotalCurrent=1600\r\nMinLoopVoltage=1850\r\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("MaxCustom=1\r\n"), std::string::npos);

    ResetProfileCache();
    ASSERT_TRUE(LoadPanelCatalogue());
    const ControlPanel& read = Panel("Smith, Jones \"4\"");
    EXPECT_EQ(read.PanelSection, expected.PanelSection);
    EXPECT_EQ(std::tie(read.Loops, read.AlarmLEDs, read.RemoteLEDs, read.Outputs),
              std::tie(expected.Loops, expected.AlarmLEDs, expected.RemoteLEDs, expected.Outputs));
    EXPECT_EQ(std::tie(read.DriverImpedance, read.MaxLoopCurrent, read.MaxTotalCurrent,
                       read.MinLoopVoltage, read.MaxDevicesPerLoop),
              std::tie(expected.DriverImpedance, expected.MaxLoopCurrent, expected.MaxTotalCurrent,
                       expected.MinLoopVoltage, expected.MaxDevicesPerLoop));
}

TEST_F(CustomPanelsTest, DeleteAndAddReuseTheLowestFreeSlot) {
    ASSERT_TRUE(LoadPanelCatalogue());
    for (const char* name : {"First", "Second", "Third"})
        ASSERT_GE(AddCustomPanel(UserPanel(name)), 0);
    EXPECT_EQ(ReadProfileString(Custom(), "Options", "MaxCustom"), "3");
    EXPECT_EQ(Panel("Second").PanelSection, "Custom2");

    const std::size_t tableSize = PanelTable.size();
    ASSERT_TRUE(DeleteCustomPanel(PanelNumber("Second")));
    EXPECT_EQ(CustomPanelCount, 2);
    EXPECT_EQ(PanelTable.size(), tableSize);  // the record stays, marked deleted
    EXPECT_EQ(Panel("Second").Manufacturer, -1);
    EXPECT_EQ(ReadProfileString(Custom(), "Custom2", "Loops"), "");  // the whole section went
    EXPECT_FALSE(DeleteCustomPanel(PanelNumber("Second")));          // not twice

    EXPECT_EQ(
        PanelTable[static_cast<std::size_t>(AddCustomPanel(UserPanel("Fourth")))].PanelSection,
        "Custom2");
    EXPECT_EQ(ReadProfileString(Custom(), "Options", "MaxCustom"), "3");
    EXPECT_EQ(PanelTable[static_cast<std::size_t>(AddCustomPanel(UserPanel("Fifth")))].PanelSection,
              "Custom4");
    EXPECT_EQ(ReadProfileString(Custom(), "Options", "MaxCustom"), "4");

    ResetProfileCache();
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_EQ(CustomPanelCount, 4);
    EXPECT_EQ(PanelNumber("Second"), -1);
}

TEST_F(CustomPanelsTest, OnlyLiveUserPanelsNotInUseCanBeDeleted) {
    ASSERT_TRUE(LoadPanelCatalogue());
    ASSERT_GE(AddCustomPanel(UserPanel("Busy")), 0);
    ASSERT_TRUE(SelectPanelByName("Busy"));
    const std::string before = ReadWholeFile(Custom());
    EXPECT_FALSE(DeleteCustomPanel(GetCurrentPanel()));
    ASSERT_EQ(platform.messages.size(), 1u);
    const RecordedMessage& m = platform.messages[0];
    EXPECT_EQ(m.text, "The current Loop Calculation is using this panel, it cannot be deleted!");
    EXPECT_EQ(m.title, "Delete Custom Panel");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.buttons, MsgButtons::OK);
    EXPECT_EQ(ReadWholeFile(Custom()), before);
    EXPECT_EQ(CustomPanelCount, 1);

    EXPECT_FALSE(DeleteCustomPanel(PanelNumber("Zeta 2")));  // standard panels are not the user's
    EXPECT_FALSE(DeleteCustomPanel(-1));
    EXPECT_FALSE(DeleteCustomPanel(static_cast<int>(PanelTable.size())));
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(CustomPanelsTest, UpdateRewritesTheSectionAndResortsOnRename) {
    ASSERT_TRUE(LoadPanelCatalogue());
    ASSERT_GE(AddCustomPanel(UserPanel("Mine")), 0);
    ASSERT_TRUE(SelectPanelByName("Mine"));
    ControlPanel changed = UserPanel("AAA first", 6);
    changed.Manufacturer = 0;  // the catalogue keeps its own maker, section and kind
    changed.PanelSection = "Custom9";
    changed.IsStandardPanel = true;
    ASSERT_TRUE(UpdateCustomPanel(GetCurrentPanel(), changed));
    EXPECT_EQ(GetCurrentPanel(), 0);  // re-sorted to the top; the current panel followed
    const ControlPanel& p = PanelTable[0];
    EXPECT_EQ(p.PanelName, "AAA first");
    EXPECT_EQ(p.PanelSection, "Custom1");
    EXPECT_FALSE(p.IsStandardPanel);
    EXPECT_EQ(p.Manufacturer, CustomManufacturerIndex);
    EXPECT_EQ(ReadProfileString(Custom(), "Custom1", "Name"), "AAA first");
    EXPECT_EQ(ReadProfileString(Custom(), "Custom1", "Loops"), "6");

    EXPECT_FALSE(UpdateCustomPanel(PanelNumber("Zeta 2"), changed));
    EXPECT_EQ(Panel("Zeta 2").Loops, 2);
}

TEST_F(CustomPanelsTest, FilesThatCannotBeWrittenChangeNothingInMemory) {
    ASSERT_TRUE(LoadPanelCatalogue());
    ASSERT_GE(AddCustomPanel(UserPanel("Kept")), 0);
    const auto before = PanelNames();

    // A folder where the file should be: the new file cannot be renamed over it.
    const std::string saved = ReadWholeFile(Custom());
    fs::remove(Custom());
    fs::create_directories(Custom() + "/blocker");
    ResetProfileCache();
    EXPECT_EQ(AddCustomPanel(UserPanel("Lost")), -1);
    fs::remove_all(Custom());
    WriteRawFile(Custom(), saved);

    // A user root that is a plain file: no folder can be made below it.
    AppPaths blocked = paths;
    blocked.userRoot = temp.Write("not-a-folder", "x");
    SetPaths(blocked);
    EXPECT_EQ(AddCustomPanel(UserPanel("Lost")), -1);
    EXPECT_FALSE(UpdateCustomPanel(PanelNumber("Kept"), UserPanel("Renamed")));

    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].text, "Unable to save user-defined control panel data in '" +
                                             paths.userRoot + "/Tarvex/Panels/CUSTPAN.DAT'.");
    EXPECT_EQ(platform.messages[2].text,
              "Unable to save user-defined control panel data in '" + CustomPanelFilePath() + "'.");
    EXPECT_EQ(PanelNames(), before);
    EXPECT_EQ(CustomPanelCount, 1);
    EXPECT_FALSE(platform.IsBusy());
}

TEST_F(CustomPanelsTest, NamesThatWouldCorruptTheFileAreStoredSafely) {
    ASSERT_TRUE(LoadPanelCatalogue());
    // An empty name reads back as a free slot; this run must still not put a second panel there.
    ASSERT_GE(AddCustomPanel(UserPanel("")), 0);
    ASSERT_GE(AddCustomPanel(UserPanel("Named")), 0);
    EXPECT_EQ(Panel("").PanelSection, "Custom1");
    EXPECT_EQ(Panel("Named").PanelSection, "Custom2");

    // A line break would start a key line of its own.
    ASSERT_GE(AddCustomPanel(UserPanel("Evil\r\nLoops=9")), 0);
    ResetProfileCache();
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_EQ(Panel("Evil  Loops=9").Loops, 4);
}

}  // namespace
