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
    auto editor = OpenEditor();
    editor->SelectCableEntry(2);  // "User-Defined"
    EXPECT_FALSE(editor->LeaveImpedance("100.01", CheckMode::Leaving));
    EXPECT_FALSE(editor->LeaveTotalLength("2001", CheckMode::Leaving));
    EXPECT_FALSE(editor->LeaveFirstLength("2001", CheckMode::Leaving));
    EXPECT_EQ(TakeMessages(),
              (Messages{"Cable impedance must be between 0.00 and 100.00 ohms/km/core!",
                        "Total cable run must be between 0 and 2000 m!",
                        "Cable run to first device must be between 0 and 2000 m!"}));
    // The refused text stays in the field for the user to correct.
    EXPECT_EQ(editor->TotalLengthText(), "2001");
    EXPECT_EQ(Loop().CableTotal(), 0);

    ASSERT_TRUE(editor->LeaveTotalLength("2000", CheckMode::Leaving));
    EXPECT_EQ(Loop().CableTotal(), 20000);
    ASSERT_TRUE(editor->LeaveImpedance("100", CheckMode::Leaving));
    EXPECT_EQ(Loop().CableImpedance(), 10000);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(editor->LengthUnitCaption(), "m");
    EXPECT_EQ(editor->ImpedanceUnitCaption(), "ohms/km/core");
    EXPECT_EQ(editor->CopperNote(), "(copper at 20°C)");
    EXPECT_EQ(editor->PermissibleAlarmCurrentText(), "(max. permissible = 500 mA)");
}

TEST_F(LoopEditorCableTest, ImperialUnitsNameTheirOwnLimits) {
    SetDisplayUnits(kImperialUnits);
    auto editor = OpenEditor();
    EXPECT_FALSE(editor->LeaveImpedance("31", CheckMode::Leaving));
    EXPECT_FALSE(editor->LeaveTotalLength("6600", CheckMode::Leaving));
    EXPECT_EQ(TakeMessages(),
              (Messages{"Cable impedance must be between 0.00 and 30.48 ohms/kft/core!",
                        "Total cable run must be between 0 and 6562 ft!"}));
    EXPECT_EQ(editor->LengthUnitCaption(), "ft");
    EXPECT_EQ(editor->ImpedanceUnitCaption(), "ohms/kft/core");
    EXPECT_EQ(editor->CopperNote(), "(copper at 68°F)");
    SetDisplayUnits(kMetricUnits);
}

TEST_F(LoopEditorCableTest, RefusalsShowAnExclamationBoxTitledWithTheCaption) {
    auto editor = OpenEditor(4);
    EXPECT_FALSE(editor->LeaveTotalLength("-1", CheckMode::Leaving));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages.back().title, "Loop 4");
    EXPECT_EQ(platform.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(platform.messages.back().buttons, MsgButtons::OK);
    platform.messages.clear();
    // Towards Cancel nothing is checked or applied.
    EXPECT_TRUE(editor->LeaveTotalLength("5000", CheckMode::TowardsCancel));
    EXPECT_TRUE(editor->LeaveImpedance("5000", CheckMode::TowardsCancel));
    EXPECT_TRUE(editor->LeaveMaxOutputs("5000", CheckMode::TowardsCancel));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Loop(4).CableTotal(), 0);
}

TEST_F(LoopEditorCableTest, TheTwoRunsPushEachOther) {
    auto editor = OpenEditor();
    ASSERT_TRUE(editor->LeaveTotalLength("500", CheckMode::Leaving));
    ASSERT_TRUE(editor->LeaveFirstLength("200", CheckMode::Leaving));
    EXPECT_EQ(editor->SliderValue(), 40);

    ASSERT_TRUE(editor->LeaveTotalLength("150", CheckMode::Leaving));
    EXPECT_EQ(Loop().CableTotal(), 1500);
    EXPECT_EQ(Loop().CableFirst(), 1500);
    EXPECT_EQ(editor->FirstLengthText(), "150");
    EXPECT_EQ(editor->SliderValue(), 100);

    ASSERT_TRUE(editor->LeaveFirstLength("300", CheckMode::Leaving));
    EXPECT_EQ(Loop().CableFirst(), 3000);
    EXPECT_EQ(Loop().CableTotal(), 3000);
    EXPECT_EQ(editor->TotalLengthText(), "300");

    ASSERT_TRUE(editor->LeaveFirstLength("100", CheckMode::Leaving));
    EXPECT_EQ(Loop().CableTotal(), 3000);
    EXPECT_EQ(editor->SliderValue(), 33);
}

TEST_F(LoopEditorCableTest, SliderSetsTheFirstRunAsAShareOfTheTotal) {
    auto editor = OpenEditor();
    ASSERT_TRUE(editor->LeaveTotalLength("500", CheckMode::Leaving));
    CurrentDocument().DataChanged = false;
    editor->MoveSlider(33, false);  // moved by the window itself: nothing happens
    EXPECT_EQ(Loop().CableFirst(), 0);
    editor->MoveSlider(33, true);
    EXPECT_EQ(Loop().CableFirst(), 1650);
    EXPECT_EQ(editor->FirstLengthText(), "165");
    EXPECT_TRUE(CurrentDocument().DataChanged);
    // Halves go to the even neighbour: 25 % of 1 m is 2.5 dm.
    ASSERT_TRUE(editor->LeaveTotalLength("1", CheckMode::Leaving));
    editor->MoveSlider(25, true);
    EXPECT_EQ(Loop().CableFirst(), 2);
}

TEST_F(LoopEditorCableTest, SliderFollowsTheLengthsWhenTheEditorOpens) {
    Loop().CableTotal(0);
    Loop().CableFirst(100);
    EXPECT_EQ(OpenEditor()->SliderValue(), 100);
    Loop().CableFirst(0);
    EXPECT_EQ(OpenEditor()->SliderValue(), 0);
    Loop().CableTotal(3000);
    Loop().CableFirst(1000);
    EXPECT_EQ(OpenEditor()->SliderValue(), 33);
    Loop().CableFirst(50);  // 1.666...%
    EXPECT_EQ(OpenEditor()->SliderValue(), 2);
}

TEST_F(LoopEditorCableTest, SliderInCableRunModeLetsTheCalculationPlaceTheFirstRun) {
    Loop().CableImpedance(3620);
    Loop().DeviceType(1, static_cast<std::int16_t>(detector));
    auto editor = OpenEditor();
    editor->ChooseCalcType(kOptCableRun);
    const std::int32_t total = Loop().CableTotal();
    ASSERT_GT(total, 0);
    editor->MoveSlider(50, true);
    EXPECT_EQ(Loop().CableFirst(), Loop().CableTotal() / 2);
    EXPECT_EQ(editor->FirstLengthText(), LengthToText(Loop().CableFirst()));
    EXPECT_EQ(editor->TotalLengthText(), LengthToText(Loop().CableTotal()));
}

TEST_F(LoopEditorCableTest, OutputsLimitDefaultsToThePanelsOutputs) {
    auto editor = OpenEditor();
    EXPECT_EQ(editor->MaxOutputsText(), "10");
    ASSERT_TRUE(editor->LeaveMaxOutputs("3", CheckMode::Leaving));
    EXPECT_EQ(Loop().MaxOutput(), 3);
    ASSERT_TRUE(editor->LeaveMaxOutputs("", CheckMode::Leaving));
    EXPECT_EQ(Loop().MaxOutput(), 10);
    ASSERT_TRUE(editor->LeaveMaxOutputs("0", CheckMode::Leaving));
    EXPECT_EQ(Loop().MaxOutput(), 0);
    EXPECT_FALSE(editor->LeaveMaxOutputs("11", CheckMode::Leaving));
    EXPECT_EQ(TakeMessages(),
              Messages{"Limit on quantity of activated outputs must be between 0 and 10 outputs!"});
    EXPECT_EQ(Loop().MaxOutput(), 0);
}

TEST_F(LoopEditorCableTest, CalculationTypeDecidesWhichFieldsCanBeUsed) {
    auto editor = OpenEditor();
    ASSERT_EQ(editor->SelectedCableEntry(), 2);  // no cable of impedance 0: "User-Defined"
    FieldStates f = editor->Fields();
    EXPECT_TRUE(f.totalLength && f.cableSize && f.impedance);

    editor->ChooseCalcType(kOptCableSize);
    f = editor->Fields();
    EXPECT_TRUE(f.totalLength);
    EXPECT_FALSE(f.cableSize);
    EXPECT_FALSE(f.impedance);

    // The smallest cable calculation has picked a cable from the list meanwhile.
    editor->ChooseCalcType(kOptVoltDrop);
    EXPECT_TRUE(editor->Fields().cableSize);
    EXPECT_FALSE(editor->Fields().impedance);
    editor->SelectCableEntry(2);
    EXPECT_TRUE(editor->Fields().impedance);
    editor->SelectCableEntry(0);
    EXPECT_TRUE(editor->Fields().cableSize);
    EXPECT_FALSE(editor->Fields().impedance);

    editor->ChooseCalcType(kOptCableRun);
    f = editor->Fields();
    EXPECT_FALSE(f.totalLength);
    EXPECT_TRUE(f.cableSize);
    EXPECT_FALSE(f.impedance);
}

TEST_F(LoopEditorCableTest, ChangingTheCalculationTypeMarksTheDesignAndRemembersIt) {
    auto editor = OpenEditor();
    editor->ChooseCalcType(kOptVoltDrop);
    EXPECT_FALSE(CurrentDocument().DataChanged);
    editor->ChooseCalcType(kOptCableSize);
    EXPECT_TRUE(CurrentDocument().DataChanged);
    EXPECT_EQ(Loop().CalcType(), 2);
    EXPECT_EQ(GetLastCalcType(), 2);
    EXPECT_EQ(ReadSettingNumber("LastCalcType"), 2);
}

TEST_F(LoopEditorCableTest, AStoredCalculationTypeSelectsItsOption) {
    Loop().CalcType(1);
    EXPECT_EQ(OpenEditor()->SelectedCalcOption(), kOptCableRun);
    EXPECT_FALSE(CurrentDocument().DataChanged);
    // An unknown type becomes the volt drop calculation, which is a change.
    Loop().CalcType(7);
    EXPECT_EQ(OpenEditor()->SelectedCalcOption(), kOptVoltDrop);
    EXPECT_EQ(Loop().CalcType(), 0);
    EXPECT_TRUE(CurrentDocument().DataChanged);
}

TEST_F(LoopEditorCableTest, CableListOffersVisibleCablesThenUserDefined) {
    Loop().CableImpedance(2410);
    auto editor = OpenEditor();
    const auto& entries = editor->CableEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Text, "1.0 mm");
    EXPECT_EQ(entries[1].Text, "1.5 mm");
    EXPECT_EQ(entries[2].Text, "User-Defined");
    EXPECT_EQ(entries[2].ItemData, -1);
    EXPECT_EQ(editor->SelectedCableEntry(), 1);
    EXPECT_EQ(editor->ImpedanceText(), "24.10");
    EXPECT_FALSE(CurrentDocument().DataChanged);
    EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), 2410);

    editor->SelectCableEntry(0);
    EXPECT_EQ(Loop().CableImpedance(), 3620);
    EXPECT_EQ(editor->ImpedanceText(), "36.20");
    EXPECT_EQ(GetLastCableImpedance(), 3620);
    EXPECT_TRUE(CurrentDocument().DataChanged);

    // "User-Defined" only opens the impedance field.
    CurrentDocument().DataChanged = false;
    editor->SelectCableEntry(2);
    EXPECT_EQ(Loop().CableImpedance(), 3620);
    EXPECT_FALSE(CurrentDocument().DataChanged);
    ASSERT_TRUE(editor->LeaveImpedance("18.1", CheckMode::Leaving));
    EXPECT_EQ(Loop().CableImpedance(), 1810);
    EXPECT_EQ(GetLastCableImpedance(), 1810);
    EXPECT_TRUE(CurrentDocument().DataChanged);
}

TEST_F(LoopEditorCableTest, SmallestCableFoundIsShownInTheList) {
    Loop().DeviceType(1, static_cast<std::int16_t>(detector));
    Loop().CableTotal(1000);
    Loop().CableImpedance(2410);
    Loop().CalcType(2);
    auto editor = OpenEditor();
    // The first offered cable already keeps the drop within bounds.
    EXPECT_EQ(Loop().CableImpedance(), 3620);
    EXPECT_EQ(editor->SelectedCableEntry(), 0);
    EXPECT_EQ(editor->ImpedanceText(), "36.20");
    // Showing a result is no change by the user.
    EXPECT_FALSE(CurrentDocument().DataChanged);
    EXPECT_EQ(GetLastCableImpedance(), 2410);
}

TEST_F(LoopEditorCableTest, CableRunsAndOutputsLimitAreChangesToKeep) {
    auto editor = OpenEditor();
    ASSERT_TRUE(editor->LeaveTotalLength("400", CheckMode::Leaving));
    EXPECT_TRUE(CurrentDocument().DataChanged);
    CurrentDocument().DataChanged = false;
    ASSERT_TRUE(editor->LeaveFirstLength("10", CheckMode::Leaving));
    EXPECT_TRUE(CurrentDocument().DataChanged);
    CurrentDocument().DataChanged = false;
    ASSERT_TRUE(editor->LeaveMaxOutputs("4", CheckMode::Leaving));
    EXPECT_TRUE(CurrentDocument().DataChanged);
    CurrentDocument().DataChanged = false;
    ASSERT_TRUE(editor->LeaveTotalLength("400", CheckMode::Leaving));
    ASSERT_TRUE(editor->LeaveMaxOutputs("4", CheckMode::Leaving));
    EXPECT_FALSE(CurrentDocument().DataChanged);
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

TEST_F(LoopEditorCableTest, TextFieldsTakeDigitsAndTheImpedanceAPoint) {
    auto editor = OpenEditor();
    EXPECT_TRUE(editor->FieldKey(EditorControl::TotalLength, '7'));
    EXPECT_TRUE(editor->FieldKey(EditorControl::TotalLength, '\b'));
    EXPECT_FALSE(editor->FieldKey(EditorControl::TotalLength, '.'));
    EXPECT_TRUE(editor->FieldKey(EditorControl::Impedance, '.'));
    EXPECT_FALSE(editor->FieldKey(EditorControl::MaxOutputs, '-'));
    EXPECT_EQ(platform.beeps.size(), 2u);
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
