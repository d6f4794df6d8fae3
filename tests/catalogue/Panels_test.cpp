// The control panels: sort, messages, and the user-defined panels written to CUSTPAN.DAT.
#include "catalogue/Panels.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/CatalogueFiles.h"
#include "shell/ProfileFile.h"
#include "support/TestSupport.h"

namespace {

// The makers with their sections, then the panels, in their order.
std::string Order() {
    std::string text;
    for (const auto& m : ManufacturerTable)
        text += m.ManufacturerName + "/" + m.ManufacturerSection + ", ";
    for (const auto& p : PanelTable)
        text += "; " + p.PanelName;
    return text;
}

const ControlPanel& Panel(const std::string& name) {
    return *std::find_if(PanelTable.begin(), PanelTable.end(),
                         [&](const ControlPanel& p) { return p.PanelName == name; });
}

// Everything a panel record holds but its name.
auto Figures(const ControlPanel& p) {
    return std::make_tuple(p.IsStandardPanel, p.Manufacturer, p.PanelSection, int{p.Loops},
                           p.DriverImpedance, int{p.AlarmLEDs}, int{p.RemoteLEDs}, int{p.Outputs},
                           p.MaxLoopCurrent, p.MaxTotalCurrent, p.MinLoopVoltage,
                           p.MaxDevicesPerLoop);
}

// Loops 4, driver impedance 1234, LEDs 20, remote LEDs 3, outputs 7, loop current 400, total
// current 1600, loop voltage 1850, devices per loop 99.
ControlPanel UserPanel(const std::string& name) {
    return {false, 0, name, "", 4, 1234, 20, 3, 7, 400, 1600, 1850, 99};
}

class PanelsTest : public CatalogueFileTest {
protected:
    IniText file = MinimalPanelFile();
};

TEST_F(PanelsTest, LoadsSortsAndAddsTheUserDefinedManufacturer) {
    WriteStandardPanels(file);
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Order(),
              "acme Systems/Acme, Bolt/Bolt, Zeta Fire/Zeta, User-Defined Panels/Custom, ; Acme 8; "
              "bolt one; Unknown Panel; Zeta 2");
    EXPECT_EQ(std::make_tuple(CustomManufacturerIndex, CustomPanelCount, UnknownPanelIndex,
                              GetCurrentPanel()),
              std::make_tuple(3, 0, 2, -1));
    // Its maker's place after sorting; MaxDevicesPerLoop absent: 126.
    EXPECT_EQ(Figures(Panel("Zeta 2")),
              std::make_tuple(true, 2, "Z1", 2, 1500, 10, 5, 20, 500, 2000, 2000, 126));
}

TEST_F(PanelsTest, EveryLoaderMessageNamesTheFileAndThePanel) {
    EXPECT_EQ(FailingLoad(LoadPanelCatalogue),
              "Unable to find file containing standard panel data: '" + paths.dataRoot +
                  "/Tarvex/Panels/stdpan.dat'.");

    const std::string in = " in " + FilePhrase(StandardPanelFilePath());
    const std::string bolt = " for control panel 'bolt one' for manufacturer 'Bolt'" + in;
    const std::string invalid = "Invalid numeric value for ";
    ExpectRefusals(
        MinimalPanelFile(), WriteStandardPanels, LoadPanelCatalogue,
        {
            {"Manufacturers", "Manufacturer1", ", Acme",
             "Invalid settings for panel manufacturer 1" + in},
            {"Bolt", "Name", nullptr, "Invalid settings for panel manufacturer 2" + in},
            {"Manufacturers", nullptr, nullptr, "No manufacturers defined" + in},
            // Makers are walked in sorted order; the numbering names the place in the maker's list.
            {"Zeta", "Panel2", " , Z2",
             "Invalid settings for control panel 2 for manufacturer 'Zeta Fire'" + in},
            {"A1", "Name", nullptr,
             "Invalid name for control panel 1 for manufacturer 'acme Systems'" + in},
            {"B1", "Loops", nullptr, "Invalid number of loops" + bolt},
            {"B1", "Loops", "9", invalid + "number of loops" + bolt},
            {"B1", "AlarmLEDs", "127", invalid + "number of Alarm LEDs" + bolt},  // above the 126
        });
    file.Remove("Zeta", "Panel1").Remove("Acme", "Panel1").Remove("Acme", "Panel2");
    WriteStandardPanels(file.Remove("Bolt", "Panel1"));
    EXPECT_EQ(FailingLoad(LoadPanelCatalogue), "No control panels defined" + in);
}

TEST_F(PanelsTest, AddWritesTheFileAndReadsBackTheSame) {
    WriteStandardPanels(file);
    ASSERT_TRUE(LoadPanelCatalogue());
    const int added = AddCustomPanel(UserPanel("Smith, Jones \"4\""));
    ASSERT_GE(added, 0);
    EXPECT_TRUE(platform.messages.empty());
    const ControlPanel expected = PanelTable[static_cast<std::size_t>(added)];
    // MaxDevicesPerLoop is never stored, so this run agrees with the next.
    EXPECT_EQ(Figures(expected), std::make_tuple(false, CustomManufacturerIndex, "Custom1", 4, 1234,
                                                 20, 3, 7, 400, 1600, 1850, 126));
    EXPECT_EQ(CustomPanelCount, 1);
    const std::string text = ReadWholeFile(CustomPanelFilePath());
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

TEST_F(PanelsTest, NamesThatWouldCorruptTheFileAreStoredSafely) {
    WriteStandardPanels(file);
    ASSERT_TRUE(LoadPanelCatalogue());
    // An empty name reads back as a free slot; this run must still not put a second panel there.
    ASSERT_GE(AddCustomPanel(UserPanel("")), 0);
    ASSERT_GE(AddCustomPanel(UserPanel("Named")), 0);
    EXPECT_EQ(Panel("").PanelSection + Panel("Named").PanelSection, "Custom1Custom2");
    // A line break would start a key line of its own.
    ASSERT_GE(AddCustomPanel(UserPanel("Evil\r\nLoops=9")), 0);
    ResetProfileCache();
    ASSERT_TRUE(LoadPanelCatalogue());
    EXPECT_EQ(Panel("Evil  Loops=9").Loops, 4);
}

}  // namespace
