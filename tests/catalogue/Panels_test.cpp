// The control panel catalogue: the standard file choice, every loader message with its real
// path, the panel limits, selection, and the user-defined panels written to CUSTPAN.DAT.
#include "catalogue/Panels.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/CatalogueFiles.h"
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

// Everything a panel record holds but its name.
auto Figures(const ControlPanel& p) {
    return std::make_tuple(p.IsStandardPanel, p.Manufacturer, p.PanelSection, int{p.Loops},
                           p.DriverImpedance, int{p.AlarmLEDs}, int{p.RemoteLEDs}, int{p.Outputs},
                           p.MaxLoopCurrent, p.MaxTotalCurrent, p.MinLoopVoltage,
                           p.MaxDevicesPerLoop);
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
    // Its maker's place after sorting; MaxDevicesPerLoop absent: 126.
    EXPECT_EQ(Figures(Panel("Zeta 2")),
              std::make_tuple(true, 2, "Z1", 2, 1500, 10, 5, 20, 500, 2000, 2000, 126));
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
    const std::string invalid = "Invalid numeric value for ",
                      expected = "Numeric value expected for ";
    struct Case {
        const char* section;
        const char* key;    // nullptr: the section is removed
        const char* value;  // nullptr: the key is removed
        std::string message;
    };
    const std::vector<Case> cases = {
        {"Manufacturers", "Manufacturer1", ", Acme",
         "Invalid settings for panel manufacturer 1" + in},
        {"Bolt", "Name", nullptr, "Invalid settings for panel manufacturer 2" + in},
        {"Manufacturers", nullptr, nullptr, "No manufacturers defined" + in},
        // Makers are walked in sorted order; the numbering names the place in the maker's list.
        {"Zeta", "Panel2", " , Z2",
         "Invalid settings for control panel 2 for manufacturer 'Zeta Fire'" + in},
        {"A1", "Name", nullptr,
         "Invalid name for control panel 1 for manufacturer 'acme Systems'" + in},
        {"A1", "Name", ", second item only",
         "Invalid name for control panel 1 for manufacturer 'acme Systems'" + in},
        {"B1", "Loops", nullptr, "Invalid number of loops" + bolt},
        {"B1", "DriverImpedance", nullptr, "Invalid driver impedance" + bolt},
        {"B1", "AlarmLEDs", nullptr, "Invalid number of Alarm LEDs" + bolt},
        {"B1", "RemoteLEDs", nullptr, "Invalid number of Remote LEDs" + bolt},
        {"B1", "Outputs", nullptr, "Invalid number of Alarm Outputs" + bolt},
        {"B1", "MaxLoopCurrent", nullptr, "Invalid maximum Loop Current" + bolt},
        {"B1", "MaxTotalCurrent", nullptr, "Invalid maximum Total Current" + bolt},
        {"B1", "MinLoopVoltage", nullptr, "Invalid minimum Loop Driver Voltage" + bolt},
        {"B1", "Loops", "0", invalid + "number of loops" + bolt},
        {"B1", "Loops", "9", invalid + "number of loops" + bolt},
        {"B1", "Loops", "two", expected + "number of loops" + bolt},
        {"B1", "DriverImpedance", "32768", invalid + "driver impedance" + bolt},
        {"B1", "MaxDevicesPerLoop", "0",
         invalid + "maximum number of addressable devices per loop" + bolt},
        {"B1", "MaxDevicesPerLoop", "253",
         invalid + "maximum number of addressable devices per loop" + bolt},
        {"B1", "AlarmLEDs", "127", invalid + "number of Alarm LEDs" + bolt},  // above the 126
        {"B1", "RemoteLEDs", "127", invalid + "number of Remote LEDs" + bolt},
        {"B1", "Outputs", ",5", expected + "number of Alarm Outputs" + bolt},
        {"B1", "MaxLoopCurrent", "-1", invalid + "maximum Loop Current" + bolt},
        {"B1", "MaxTotalCurrent", "x", expected + "maximum Total Current" + bolt},
        {"B1", "MinLoopVoltage", "40000", invalid + "minimum Loop Driver Voltage" + bolt},
    };
    for (const Case& c : cases) {
        IniText broken = MinimalPanelFile();
        if (!c.key)
            broken.RemoveSection(c.section);
        else if (c.value)
            broken.Set(c.section, c.key, c.value);
        else
            broken.Remove(c.section, c.key);
        WriteStandardPanels(broken);
        EXPECT_EQ(FailingLoad(), c.message);
    }
    file.Remove("Zeta", "Panel1").Remove("Acme", "Panel1").Remove("Acme", "Panel2");
    WriteStandardPanels(file.Remove("Bolt", "Panel1"));
    EXPECT_EQ(FailingLoad(), "No control panels defined" + in);
}

TEST_F(PanelsTest, AddressLimitBoundsTheLedAndOutputCounts) {
    for (const char* key : {"MaxDevicesPerLoop", "AlarmLEDs", "RemoteLEDs", "Outputs"})
        file.Set("B1", key, "252").Set("A1", key, "1");
    file.Set("B1", "Loops", "8").Set("A1", "Loops", "1").Set("A1", "RemoteLEDs", "0");
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

    WriteStandardPanels(file.Remove("Acme", "Panel2"));
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_EQ(UnknownPanelIndex, -1);
    EXPECT_TRUE(SelectPanelOrUnknown("bolt ONE"));
    EXPECT_FALSE(SelectPanelOrUnknown("No Such Panel"));
    EXPECT_EQ(platform.AllMessageTexts(),
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
    std::string Stored(const std::string& section, const std::string& key) const {
        return ReadProfileString(Custom(), section, key);
    }
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
    EXPECT_EQ(Figures(Panel("Mine, with comma")),
              std::make_tuple(false, CustomManufacturerIndex, "Custom1", 3, 1500, 10, 5, 20, 500,
                              2000, 2000, 126));
    EXPECT_EQ(PanelNumber("Beyond"), -1);

    // A damaged MaxCustom neither hangs the loader nor hides the panels below its cap.
    WriteCustomPanels(custom.Set("Options", "MaxCustom", "1e15"));
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_EQ(CustomPanelCount, 3);

    WriteCustomPanels(custom.Remove("Custom3", "Loops"));
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
    // MaxDevicesPerLoop is never stored, so this run agrees with the next.
    EXPECT_EQ(Figures(expected), std::make_tuple(false, CustomManufacturerIndex, "Custom1", 4, 1234,
                                                 20, 3, 7, 400, 1600, 1850, 126));
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
    EXPECT_EQ(Figures(Panel("Smith, Jones \"4\"")), Figures(expected));
}

TEST_F(CustomPanelsTest, DeleteAndAddReuseTheLowestFreeSlot) {
    ASSERT_TRUE(LoadPanelCatalogue());
    for (const char* name : {"First", "Second", "Third"})
        ASSERT_GE(AddCustomPanel(UserPanel(name)), 0);
    EXPECT_EQ(Stored("Options", "MaxCustom"), "3");
    EXPECT_EQ(Panel("Second").PanelSection, "Custom2");

    const std::size_t tableSize = PanelTable.size();
    ASSERT_TRUE(DeleteCustomPanel(PanelNumber("Second")));
    EXPECT_EQ(CustomPanelCount, 2);
    EXPECT_EQ(PanelTable.size(), tableSize);  // the record stays, marked deleted
    EXPECT_EQ(Panel("Second").Manufacturer, -1);
    EXPECT_EQ(Stored("Custom2", "Loops"), "");               // the whole section went
    EXPECT_FALSE(DeleteCustomPanel(PanelNumber("Second")));  // not twice

    const auto sectionOfNew = [](const char* name) {
        return PanelTable[static_cast<std::size_t>(AddCustomPanel(UserPanel(name)))].PanelSection;
    };
    EXPECT_EQ(sectionOfNew("Fourth"), "Custom2");
    EXPECT_EQ(Stored("Options", "MaxCustom"), "3");
    EXPECT_EQ(sectionOfNew("Fifth"), "Custom4");
    EXPECT_EQ(Stored("Options", "MaxCustom"), "4");

    ResetProfileCache();
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_EQ(CustomPanelCount, 4);
    EXPECT_EQ(PanelNumber("Second"), -1);
}

TEST_F(CustomPanelsTest, OnlyLiveUserPanelsNotInUseCanBeDeletedOrUpdated) {
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
    // Standard panels are not the user's; numbers outside the table are nobody's.
    EXPECT_FALSE(DeleteCustomPanel(PanelNumber("Zeta 2")));
    EXPECT_FALSE(DeleteCustomPanel(-1));
    EXPECT_FALSE(DeleteCustomPanel(static_cast<int>(PanelTable.size())));
    EXPECT_EQ(platform.messages.size(), 1u);

    // An update keeps the catalogue's own maker, section and kind, and re-sorts on a rename.
    ControlPanel changed = UserPanel("AAA first", 6);
    changed.Manufacturer = 0;
    changed.PanelSection = "Custom9";
    changed.IsStandardPanel = true;
    ASSERT_TRUE(UpdateCustomPanel(GetCurrentPanel(), changed));
    EXPECT_EQ(GetCurrentPanel(), 0);  // re-sorted to the top; the current panel followed
    EXPECT_EQ(PanelTable[0].PanelName, "AAA first");
    EXPECT_EQ(Figures(PanelTable[0]), std::make_tuple(false, CustomManufacturerIndex, "Custom1", 6,
                                                      1234, 20, 3, 7, 400, 1600, 1850, 126));
    EXPECT_EQ(Stored("Custom1", "Name"), "AAA first");
    EXPECT_EQ(Stored("Custom1", "Loops"), "6");
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
