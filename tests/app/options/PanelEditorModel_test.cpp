// The panel dialog's and the chooser's rules, from the checks of OK to the panel file.
#include "app/PanelEditorModel.h"

#include <filesystem>
#include <tuple>

#include "app/CustomPanelChooserModel.h"
#include "app/options/OptionsFixtures.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "engine/clsCalculator.h"

namespace {

using F = PanelField;
const MsgResult Yes = MsgResult::Yes;

class PanelEditorTest : public CatalogueTest {
protected:
    // Opens the panel (-1: a new one named "Mine"), sets the texts and presses OK.
    bool Ok(int panel, std::vector<std::pair<F, std::string>> texts,
            std::vector<MsgResult> answers = {}) {
        editor = std::make_unique<PanelEditorModel>(panel);
        EXPECT_TRUE(editor->Open());
        if (panel == -1) editor->SetText(F::Name, "Mine");
        for (auto& [field, text] : texts)
            editor->SetText(field, text);
        platform.answers = std::move(answers);
        return editor->Accept();
    }
    static int Find(const std::string& name) {
        for (int n = 0; n < static_cast<int>(PanelTable.size()); ++n)
            if (PanelTable[n].PanelName == name && PanelTable[n].Manufacturer >= 0) return n;
        return -1;
    }
    std::unique_ptr<PanelEditorModel> editor;
};

TEST_F(PanelEditorTest, FieldsAreCheckedInOrderWithTheirMessagesAndQuestions) {
    const std::tuple<F, std::string, MsgResult, std::string> cases[] = {
        {F::Name, "  Choose a unique name ", Yes, "A panel name has not been chosen!"},
        {F::Name, " zETA 2 ", Yes,
         "Each control panel must have unique name.\n\nThere is already a control panel with "
         "this name!"},
        {F::Loops, "9", Yes, "A Number of Loops between 1 and 8 must be chosen!"},
        {F::Impedance, "320.01", Yes,
         "A Loop Driver Impedance between 0 and 320 ohms must be chosen!"},
        {F::Impedance, "0", MsgResult::No, "Is the Loop Driver Impedance really this low?"},
        {F::LEDs, "127", Yes,
         "A maximum Number of LED's in alarm between 1 and 126 (normally not more than 20) must "
         "be chosen!"},
        {F::LEDs, "21", MsgResult::No, "Can this panel really turn on more than 20 LED's?"},
        {F::RemoteLEDs, "0", Yes,
         "A maximum Number of Remote LED's in alarm between 1 and 126 must be chosen!"},
        {F::Outputs, "", Yes,
         "A maximum Number of Outputs in alarm between 1 and 126 must be chosen!"},
        {F::LoopCurrent, "10001", Yes,
         "A maximum Loop Current between 1 and 10000 mA must be chosen!"},
        {F::TotalCurrent, "0", Yes,
         "A total maximum Loop Current between 1 and 32000 mA must be chosen!"},
        {F::Voltage, "13.99", Yes,
         "A minimum Loop Driver Voltage between 14 and 36 V must be chosen!"},
    };
    for (const auto& [field, text, answer, message] : cases) {
        EXPECT_FALSE(
            Ok(-1, {{field, text}, {F::Voltage, field == F::Name ? "1" : "13.99"}}, {answer}));
        EXPECT_EQ(TakeMessages(), message);
        EXPECT_EQ(editor->FocusField(), field) << text;
    }
}

TEST_F(PanelEditorTest, PanelsRoundTripThroughTheFileReusingFreedSlots) {
    for (const char* name : {"Alpha", "Beta, two"})
        ASSERT_TRUE(Ok(-1, {{F::Name, name}}));
    ASSERT_FALSE(CustomPanelChooserModel(true).DeleteAt(0));  // Alpha; Beta remains
    ASSERT_TRUE(Ok(-1, {{F::Name, "Gamma"}, {F::Voltage, "14"}}));
    ASSERT_TRUE(Ok(Find("Beta, two"), {{F::Name, "Beta 2"}, {F::Impedance, "1.25"}}));
    ASSERT_TRUE(Ok(-1, {{F::Name, "Alpha"}}));
    Reload();
    const ControlPanel &gamma = PanelTable[Find("Gamma")], &beta = PanelTable[Find("Beta 2")];
    EXPECT_EQ(std::make_tuple(gamma.PanelSection, gamma.MinLoopVoltage, beta.DriverImpedance),
              std::make_tuple("Custom1", 1400, 125));  // Gamma in Alpha's freed slot
    std::filesystem::remove_all(paths.userRoot);
    temp.Write("user", "not a folder");
    EXPECT_FALSE(Ok(-1, {}));
    EXPECT_EQ(TakeMessages(),
              "Unable to save user-defined control panel data in '" + CustomPanelFilePath() + "'.");
    EXPECT_EQ(CustomPanelCount, 3);
}

TEST_F(PanelEditorTest, EditingThePanelInUseAsksBeforeLoopsAreLostAndCancelChangesNothing) {
    ASSERT_TRUE(Ok(-1, {{F::Loops, "4"}}));
    SetCurrentPanel(Find("Mine"));
    CurrentDocument().LoopModel(4).DeviceType(5, 1);
    RecalculateAllLoops();
    EXPECT_FALSE(Ok(Find("Mine"), {{F::Loops, "2"}}, {MsgResult::Cancel}));
    EXPECT_EQ(TakeMessages(), "Changing to this panel will lose data for loops 3 to 4.");
    EXPECT_EQ(editor->FocusField(), F::Loops);
    EXPECT_EQ(CurrentDocument().LoopModel(4).DeviceType(5), 1);
    EXPECT_TRUE(Ok(Find("Mine"), {{F::Loops, "2"}}, {MsgResult::OK}));
    TakeMessages();
    EXPECT_EQ(CurrentDocument().LoopModel(4).DeviceType(5), 0);
    EXPECT_TRUE(CurrentDocument().DataChanged);
    EXPECT_FALSE(CustomPanelChooserModel(true).DeleteAt(0));
    EXPECT_EQ(TakeMessages(),
              "The current Loop Calculation is using this panel, it cannot be deleted!");
}

}  // namespace
