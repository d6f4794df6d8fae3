// The panel dialog's rules: acceptance in field order with every message and question, the
// stored values, the key filter and Enter order, the user-defined panel file's round trip, the
// panel in use, and the chooser.
#include "app/PanelEditorModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "app/CustomPanelChooserModel.h"
#include "app/OptionsFixtures.h"
#include "catalogue/DeviceTypes.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "engine/clsCalculator.h"

namespace {

using F = PanelField;
using Texts = std::vector<std::string>;
const MsgResult Yes = MsgResult::Yes;

class PanelEditorTest : public CatalogueTest {
protected:
    // Opens the panel (-1: a new one named `name`), sets the texts and presses OK.
    bool Ok(std::vector<std::pair<F, std::string>> texts, std::vector<MsgResult> answers = {},
            int panel = -1, const std::string& name = "Mine") {
        editor = std::make_unique<PanelEditorModel>(panel);
        EXPECT_TRUE(editor->Open());
        if (panel == -1) editor->SetText(F::Name, name);
        for (auto& [field, text] : texts)
            editor->SetText(field, text);
        platform.answers = std::move(answers);
        return editor->Accept();
    }
    int Find(const std::string& name) {
        for (int n = 0; n < static_cast<int>(PanelTable.size()); ++n)
            if (PanelTable[n].PanelName == name && PanelTable[n].Manufacturer >= 0) return n;
        return -1;
    }
    std::unique_ptr<PanelEditorModel> editor;
};

TEST_F(PanelEditorTest, FieldsAreCheckedInOrderWithTheirMessagesAndQuestions) {
    const std::string unnamed = "A panel name has not been chosen!";
    const std::string led =
        "A maximum Number of LED's in alarm between 1 and 126 (normally not "
        "more than 20) must be chosen!";
    const struct {
        F field;
        std::string text;
        MsgResult answer;
        std::string message;
    } cases[] = {
        {F::Name, "  Choose a unique name ", Yes, unnamed},
        {F::Name, "", Yes, unnamed},
        {F::Name, " zETA 2 ", Yes,
         "Each control panel must have unique name.\n\nThere is already a control panel with "
         "this name!"},
        {F::Loops, "9", Yes, "A Number of Loops between 1 and 8 must be chosen!"},
        {F::Loops, "", Yes, "A Number of Loops between 1 and 8 must be chosen!"},
        {F::Impedance, "320.01", Yes,
         "A Loop Driver Impedance between 0 and 320 ohms must be chosen!"},
        {F::Impedance, "0", MsgResult::No, "Is the Loop Driver Impedance really this low?"},
        {F::Impedance, "0.005", MsgResult::Cancel, "Is the Loop Driver Impedance really this low?"},
        {F::LEDs, "127", Yes, led},
        {F::LEDs, "21", MsgResult::No, "Can this panel really turn on more than 20 LED's?"},
        {F::RemoteLEDs, "0", Yes,
         "A maximum Number of Remote LED's in alarm between 1 and 126 must be chosen!"},
        {F::Outputs, "127", Yes,
         "A maximum Number of Outputs in alarm between 1 and 126 must be chosen!"},
        {F::LoopCurrent, "10001", Yes,
         "A maximum Loop Current between 1 and 10000 mA must be chosen!"},
        {F::TotalCurrent, "0", Yes,
         "A total maximum Loop Current between 1 and 32000 mA must be chosen!"},
        {F::Voltage, "13.99", Yes,
         "A minimum Loop Driver Voltage between 14 and 36 V must be chosen!"},
    };
    for (const auto& c : cases) {
        const bool named = c.field == F::Name;
        EXPECT_FALSE(Ok({{c.field, c.text}, {F::Voltage, named ? "1" : "13.99"}}, {c.answer}, -1,
                        named ? c.text : "Mine"))
            << c.text;
        EXPECT_EQ(TakeMessages().front(), c.message) << c.text;
        EXPECT_EQ(editor->FocusField(), c.field) << c.text;
    }
    EXPECT_EQ(Find("Mine"), -1);
}

TEST_F(PanelEditorTest, PassingFieldsAreStoredInInternalUnits) {
    ASSERT_TRUE(Ok({{F::Impedance, "0"}, {F::LEDs, "20"}, {F::Voltage, "14"}, {F::Loops, "3"}},
                   {Yes}, -1, " My Panel "));
    EXPECT_EQ(TakeMessages(), Texts{"Is the Loop Driver Impedance really this low?"});
    const ControlPanel& p = PanelTable[Find("My Panel")];
    EXPECT_EQ(
        std::tie(p.Loops, p.DriverImpedance, p.AlarmLEDs, p.MinLoopVoltage),
        std::make_tuple(std::uint8_t{3}, std::int16_t{0}, std::uint8_t{20}, std::int16_t{1400}));
    EXPECT_EQ(editor->PanelNum(), Find("My Panel"));
}

TEST_F(PanelEditorTest, MoreThanTwentyLedsAreConfirmedOnceAndTheMaximumFollowsTheRanges) {
    EXPECT_FALSE(Ok({{F::LEDs, "25"}, {F::Voltage, "1"}}, {Yes}));
    EXPECT_EQ(TakeMessages().front(), "Can this panel really turn on more than 20 LED's?");
    editor->SetText(F::LEDs, "30");
    editor->SetText(F::Voltage, "36");
    EXPECT_TRUE(editor->Accept());
    EXPECT_TRUE(TakeMessages().empty());
    HighAddressesUsed = true;
    EXPECT_FALSE(Ok({{F::LEDs, "253"}}, {}, Find("Mine")));
    EXPECT_EQ(TakeMessages().front(),
              "A maximum Number of LED's in alarm between 1 and 252 "
              "(normally not more than 20) must be chosen!");
    EXPECT_TRUE(Ok({{F::LEDs, "252"}, {F::Name, "MINE"}}, {}, Find("Mine")));
    EXPECT_TRUE(TakeMessages().empty());  // keeps its own name; 30 was confirmed
}

TEST_F(PanelEditorTest, KeysAreFilteredWithABeepAndEnterWalksTheFields) {
    const struct {
        F field;
        char32_t key;
        bool accepted;
    } cases[] = {{F::Name, U'x', true},     {F::Loops, U'7', true},
                 {F::Loops, U'.', false},   {F::Impedance, U'.', true},
                 {F::Voltage, U'.', true},  {F::LEDs, kBackspaceKey, true},
                 {F::Outputs, U'-', false}, {F::TotalCurrent, U'\x16', false}};
    PanelEditorModel m(-1);
    for (const auto& c : cases)
        EXPECT_EQ(m.AcceptsKey(c.field, c.key), c.accepted) << static_cast<int>(c.key);
    EXPECT_EQ(platform.beeps.size(), 3u);
    std::vector<F> order{F::Name};
    while (order.back() != F::OK)
        order.push_back(PanelEditorModel::NextField(order.back()));
    EXPECT_EQ(order, (std::vector{F::Name, F::Loops, F::Impedance, F::LEDs, F::RemoteLEDs,
                                  F::Outputs, F::LoopCurrent, F::TotalCurrent, F::Voltage, F::OK}));
}

TEST_F(PanelEditorTest, PanelsRoundTripThroughTheFileReusingFreedSlots) {
    ASSERT_TRUE(Ok({}, {}, -1, "Alpha"));
    ASSERT_TRUE(Ok({{F::Loops, "5"}}, {}, -1, "Beta, two"));
    CustomPanelChooserModel deleting(true);
    ASSERT_FALSE(deleting.DeleteAt(0));  // Alpha; Beta remains
    ASSERT_TRUE(Ok({{F::Voltage, "24.5"}}, {}, -1, "Gamma"));
    ASSERT_TRUE(Ok({{F::Name, "Beta 2"}, {F::Impedance, "1.25"}}, {}, Find("Beta, two")));
    ASSERT_TRUE(Ok({}, {}, -1, "Alpha"));
    EXPECT_EQ(PanelTable[Find("Gamma")].PanelSection, "Custom1");
    EXPECT_EQ(PanelTable[Find("Alpha")].PanelSection, "Custom3");
    Reload();
    Texts names;
    const CustomPanelChooserModel editing(false);
    for (const auto& item : editing.Panels())
        names.push_back(item.name);
    EXPECT_EQ(names, (Texts{"Alpha", "Beta 2", "Gamma"}));
    const ControlPanel& beta = PanelTable[Find("Beta 2")];
    EXPECT_EQ(beta.Loops * 10000 + beta.DriverImpedance, 50125);
    EXPECT_EQ(PanelTable[Find("Gamma")].MinLoopVoltage, 2450);
}

TEST_F(PanelEditorTest, AnUnwritableUserFolderChangesNothing) {
    std::filesystem::remove_all(paths.userRoot);
    temp.Write("user", "not a folder");
    const auto before = PanelTable.size();
    EXPECT_FALSE(Ok({}));
    EXPECT_EQ(TakeMessages(), Texts{"Unable to save user-defined control panel data in '" +
                                    CustomPanelFilePath() + "'."});
    EXPECT_EQ(PanelTable.size(), before);
}

TEST_F(PanelEditorTest, EditingThePanelInUseAsksBeforeLoopsAreLostAndCancelChangesNothing) {
    ASSERT_TRUE(Ok({{F::Loops, "4"}}));
    SetCurrentPanel(Find("Mine"));
    CurrentDocument().LoopModel(4).DeviceType(5, 1);
    RecalculateAllLoops();
    EXPECT_FALSE(Ok({{F::Loops, "2"}}, {MsgResult::Cancel}, Find("Mine")));
    EXPECT_EQ(TakeMessages(), Texts{"Changing to this panel will lose data for loops 3 to 4."});
    EXPECT_EQ(editor->FocusField(), F::Loops);
    EXPECT_EQ(CurrentDocument().LoopModel(4).DeviceType(5), 1);
    EXPECT_EQ(PanelTable[Find("Mine")].Loops, 4);
    EXPECT_TRUE(Ok({{F::Loops, "2"}}, {MsgResult::OK}, Find("Mine")));
    EXPECT_EQ(CurrentDocument().LoopModel(4).DeviceType(5), 0);
    EXPECT_EQ(PanelTable[GetCurrentPanel()].Loops, 2);
    EXPECT_TRUE(CurrentDocument().DataChanged);
}

TEST_F(PanelEditorTest, TheChooserRefusesThePanelInUseAndClosesWhenNoneRemains) {
    ASSERT_TRUE(Ok({}, {}, -1, "One"));
    ASSERT_TRUE(Ok({}, {}, -1, "Two"));
    SetCurrentPanel(Find("One"));
    CustomPanelChooserModel chooser(true);
    EXPECT_FALSE(chooser.DeleteAt(0));
    EXPECT_EQ(TakeMessages(),
              Texts{"The current Loop Calculation is using this panel, it cannot be deleted!"});
    EXPECT_FALSE(chooser.DeleteAt(1));
    EXPECT_EQ(chooser.Panels(), (std::vector<CustomPanelItem>{{"One", Find("One")}}));
    SetCurrentPanel(Find("Acme 8"));
    EXPECT_TRUE(chooser.DeleteAt(0));
}

TEST_F(PanelEditorTest, StandardPanelsAreShownLockedAndABadNumberIsAnInternalError) {
    PanelEditorModel standard(Find("Zeta 2"));
    ASSERT_TRUE(standard.Open());
    EXPECT_FALSE(standard.IsEditable());
    EXPECT_EQ(standard.Text(F::Impedance) + " " + standard.Text(F::Voltage), "15.00 20.00");
    EXPECT_FALSE(PanelEditorModel(static_cast<int>(PanelTable.size())).Open());
    EXPECT_EQ(TakeMessages(), Texts{"Internal error: invalid control panel"});
}

}  // namespace
