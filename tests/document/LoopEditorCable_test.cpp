// The loop editor's cable and calculation inputs.
#include <gtest/gtest.h>

#include "catalogue/Options.h"
#include "document/DesignDocument.h"
#include "document/EditorFixtures.h"
#include "engine/Scaling.h"
#include "engine/clsCalculator.h"
#include "shell/Settings.h"

namespace {

using Messages = std::vector<std::string>;

class LoopEditorCableTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        cat->AddCable("1.0 mm", 3620, true);
        cat->AddCable("Hidden", 2400, false);
        cat->AddCable("1.5 mm", 2410, true);
        detector = cat->AddType(EditorType("Detector"), true);
    }
    int detector = 0;
};

TEST_F(LoopEditorCableTest, TypedValuesOutOfRangeAreRefusedWithTheirLimits) {
    auto editor = OpenEditor(4);
    editor->SelectCableEntry(2);  // "User-Defined"
    EXPECT_FALSE(editor->LeaveImpedance("100.01", CheckMode::Leaving));
    EXPECT_FALSE(editor->LeaveTotalLength("2001", CheckMode::Leaving));
    EXPECT_FALSE(editor->LeaveFirstLength("2001", CheckMode::Leaving));
    const RecordedMessage& m = platform.messages.back();
    EXPECT_EQ(std::make_tuple(m.title, m.icon, m.buttons),
              std::make_tuple("Loop 4", MsgIcon::Exclamation, MsgButtons::OK));
    EXPECT_EQ(TakeMessages(),
              (Messages{"Cable impedance must be between 0.00 and 100.00 ohms/km/core!",
                        "Total cable run must be between 0 and 2000 m!",
                        "Cable run to first device must be between 0 and 2000 m!"}));
    // The refused text stays in the field for the user to correct.
    EXPECT_EQ(editor->TotalLengthText(), "2001");
    EXPECT_EQ(Loop(4).CableTotal(), 0);
    // Towards Cancel nothing is checked or applied.
    EXPECT_TRUE(editor->LeaveTotalLength("5000", CheckMode::TowardsCancel));
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_TRUE(editor->LeaveTotalLength("2000", CheckMode::Leaving));
    ASSERT_TRUE(editor->LeaveImpedance("100", CheckMode::Leaving));
    EXPECT_EQ(std::make_tuple(Loop(4).CableTotal(), Loop(4).CableImpedance()),
              std::make_tuple(20000, 10000));

    // Imperial units name their own limits.
    SetDisplayUnits(kImperialUnits);
    auto imperial = OpenEditor();
    EXPECT_FALSE(imperial->LeaveImpedance("31", CheckMode::Leaving));
    EXPECT_FALSE(imperial->LeaveTotalLength("6600", CheckMode::Leaving));
    EXPECT_EQ(TakeMessages(),
              (Messages{"Cable impedance must be between 0.00 and 30.48 ohms/kft/core!",
                        "Total cable run must be between 0 and 6562 ft!"}));
    SetDisplayUnits(kMetricUnits);
}

TEST_F(LoopEditorCableTest, TheTwoRunsAndTheSliderFollowEachOther) {
    // The slider follows the lengths when the editor opens (1.666...% rounds to 2).
    for (const auto& [total, first, slider] : std::vector<std::tuple<int, int, int>>{
             {0, 100, 100}, {0, 0, 0}, {3000, 1000, 33}, {3000, 50, 2}}) {
        Loop().CableTotal(total);
        Loop().CableFirst(first);
        EXPECT_EQ(OpenEditor()->SliderValue(), slider) << total << " " << first;
    }
    auto editor = OpenEditor();
    ASSERT_TRUE(editor->LeaveTotalLength("500", CheckMode::Leaving));
    ASSERT_TRUE(editor->LeaveFirstLength("200", CheckMode::Leaving));
    EXPECT_EQ(editor->SliderValue(), 40);
    // The two runs push each other.
    ASSERT_TRUE(editor->LeaveTotalLength("150", CheckMode::Leaving));
    EXPECT_EQ(std::make_tuple(Loop().CableTotal(), Loop().CableFirst(), editor->FirstLengthText(),
                              editor->SliderValue()),
              std::make_tuple(1500, 1500, "150", 100));
    ASSERT_TRUE(editor->LeaveFirstLength("300", CheckMode::Leaving));
    EXPECT_EQ(std::make_tuple(Loop().CableTotal(), Loop().CableFirst(), editor->TotalLengthText()),
              std::make_tuple(3000, 3000, "300"));
    // The slider sets the first run as a share of the total; moved by the window itself it does
    // nothing. Halves go to the even neighbour: 25 % of 1 m is 2.5 dm.
    ASSERT_TRUE(editor->LeaveTotalLength("500", CheckMode::Leaving));
    CurrentDocument().DataChanged = false;
    editor->MoveSlider(33, false);
    EXPECT_EQ(Loop().CableFirst(), 3000);
    EXPECT_FALSE(CurrentDocument().DataChanged);
    editor->MoveSlider(33, true);
    EXPECT_EQ(std::make_tuple(Loop().CableFirst(), editor->FirstLengthText()),
              std::make_tuple(1650, "165"));
    ASSERT_TRUE(editor->LeaveTotalLength("1", CheckMode::Leaving));
    editor->MoveSlider(25, true);
    EXPECT_EQ(Loop().CableFirst(), 2);
}

// A changed value is saved in the file, so each change marks the design: unmarked, it would be
// lost on exit without a save question.
TEST_F(LoopEditorCableTest, OutputsLimitAndRunsAreChangesToKeep) {
    auto editor = OpenEditor();
    EXPECT_EQ(editor->MaxOutputsText(), "10");  // the panel's outputs
    // Each accepted value, and whether it marked the design.
    const auto apply = [&](bool (LoopEditorModel::*leave)(const std::string&, CheckMode),
                           const std::string& text) {
        CurrentDocument().DataChanged = false;
        EXPECT_TRUE(((*editor).*leave)(text, CheckMode::Leaving)) << text;
        return CurrentDocument().DataChanged;
    };
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveMaxOutputs, "3"));
    EXPECT_EQ(Loop().MaxOutput(), 3);
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveMaxOutputs, ""));
    EXPECT_EQ(Loop().MaxOutput(), 10);
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveMaxOutputs, "0"));
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveTotalLength, "400"));
    EXPECT_FALSE(apply(&LoopEditorModel::LeaveTotalLength, "400"));
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveFirstLength, "10"));
    EXPECT_FALSE(editor->LeaveMaxOutputs("11", CheckMode::Leaving));
    EXPECT_EQ(TakeMessages(),
              Messages{"Limit on quantity of activated outputs must be between 0 and 10 outputs!"});
    EXPECT_EQ(Loop().MaxOutput(), 0);
    // Text fields take digits, the impedance a point too.
    EXPECT_FALSE(editor->FieldKey(EditorControl::TotalLength, '.'));
    EXPECT_TRUE(editor->FieldKey(EditorControl::Impedance, '.'));
}

TEST_F(LoopEditorCableTest, CalculationTypeDecidesTheFieldsAndIsRemembered) {
    const auto fields = [](const LoopEditorModel& e) {
        const FieldStates f = e.Fields();
        return std::string(f.totalLength ? "T" : "-") + (f.cableSize ? "C" : "-") +
               (f.impedance ? "I" : "-");
    };
    auto editor = OpenEditor();
    ASSERT_EQ(editor->SelectedCableEntry(), 2);  // no cable of impedance 0: "User-Defined"
    EXPECT_EQ(fields(*editor), "TCI");
    editor->ChooseCalcType(kOptVoltDrop);
    EXPECT_FALSE(CurrentDocument().DataChanged);
    editor->ChooseCalcType(kOptCableSize);
    EXPECT_EQ(fields(*editor), "T--");
    EXPECT_TRUE(CurrentDocument().DataChanged);
    EXPECT_EQ(
        std::make_tuple(Loop().CalcType(), GetLastCalcType(), ReadSettingNumber("LastCalcType")),
        std::make_tuple(2, 2, 2));
    // The smallest cable calculation has picked a cable from the list meanwhile.
    editor->ChooseCalcType(kOptVoltDrop);
    EXPECT_EQ(fields(*editor), "TC-");
    editor->ChooseCalcType(kOptCableRun);
    EXPECT_EQ(fields(*editor), "-C-");

    // A stored calculation type selects its option; an unknown one becomes the volt drop
    // calculation, which is a change.
    CurrentDocument().DataChanged = false;
    Loop().CalcType(1);
    EXPECT_EQ(OpenEditor()->SelectedCalcOption(), kOptCableRun);
    EXPECT_FALSE(CurrentDocument().DataChanged);
    Loop().CalcType(7);
    EXPECT_EQ(OpenEditor()->SelectedCalcOption(), kOptVoltDrop);
    EXPECT_EQ(Loop().CalcType(), 0);
    EXPECT_TRUE(CurrentDocument().DataChanged);
}

TEST_F(LoopEditorCableTest, CableListOffersVisibleCablesThenUserDefined) {
    Loop().CableImpedance(2410);
    auto editor = OpenEditor();
    std::vector<std::string> texts;
    for (const auto& entry : editor->CableEntries())
        texts.push_back(entry.Text);
    EXPECT_EQ(texts, (Messages{"1.0 mm", "1.5 mm", "User-Defined"}));
    EXPECT_EQ(std::make_tuple(editor->SelectedCableEntry(), editor->ImpedanceText()),
              std::make_tuple(1, "24.10"));
    EXPECT_FALSE(CurrentDocument().DataChanged);

    editor->SelectCableEntry(0);
    EXPECT_EQ(
        std::make_tuple(Loop().CableImpedance(), editor->ImpedanceText(), GetLastCableImpedance()),
        std::make_tuple(3620, "36.20", 3620));
    EXPECT_TRUE(CurrentDocument().DataChanged);

    // "User-Defined" only opens the impedance field.
    CurrentDocument().DataChanged = false;
    editor->SelectCableEntry(2);
    EXPECT_EQ(Loop().CableImpedance(), 3620);
    EXPECT_FALSE(CurrentDocument().DataChanged);
    ASSERT_TRUE(editor->LeaveImpedance("18.1", CheckMode::Leaving));
    EXPECT_EQ(GetLastCableImpedance(), 1810);
}

TEST_F(LoopEditorCableTest, SmallestCableFoundIsShownInTheList) {
    Loop().DeviceType(1, static_cast<std::int16_t>(detector));
    Loop().CableTotal(1000);
    Loop().CableImpedance(2410);
    Loop().CalcType(2);
    auto editor = OpenEditor();
    // The first offered cable already keeps the drop within bounds.
    EXPECT_EQ(std::make_tuple(Loop().CableImpedance(), editor->SelectedCableEntry()),
              std::make_tuple(3620, 0));
    // Showing a result is no change by the user.
    EXPECT_FALSE(CurrentDocument().DataChanged);
    EXPECT_EQ(GetLastCableImpedance(), 2410);
}

TEST_F(LoopEditorCableTest, DinLedBoxAlwaysMarksTheDesignEvenWhileLoading) {
    Loop().DINLEDsDisabled(true);
    auto editor = OpenEditor();
    EXPECT_TRUE(editor->DinLedsTicked());
    EXPECT_TRUE(CurrentDocument().DataChanged);
    CurrentDocument().DataChanged = false;
    editor->SetDinLedsDisabled(false);
    EXPECT_FALSE(Loop().DINLEDsDisabled());
    EXPECT_TRUE(CurrentDocument().DataChanged);
}

TEST_F(LoopEditorCableTest, TypingInAFieldMakesTheResultsOutOfDate) {
    Loop().DeviceType(1, static_cast<std::int16_t>(detector));
    Loop().CableImpedance(3620);
    auto editor = OpenEditor();
    editor->ChooseCalcType(kOptCableRun);
    ASSERT_FALSE(editor->TotalLengthText().empty());
    editor->FieldTextChanged(EditorControl::FirstLength, "12", false);  // set by the window
    EXPECT_FALSE(editor->Results().outOfDate);
    editor->FieldTextChanged(EditorControl::FirstLength, "123", true);
    EXPECT_TRUE(editor->Results().outOfDate);
    // In cable run mode the total run holds a result, which is out of date too.
    EXPECT_EQ(editor->TotalLengthText(), "");
    EXPECT_EQ(editor->Results().shown.totalRun, std::optional<std::string>(""));
    ASSERT_TRUE(editor->LeaveFirstLength("123", CheckMode::Leaving));
    EXPECT_FALSE(editor->Results().outOfDate);
    EXPECT_EQ(editor->TotalLengthText(), LengthToText(Loop().CableTotal()));
}

}  // namespace
