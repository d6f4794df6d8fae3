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
    }
};

TEST_F(LoopEditorCableTest, TypedValuesOutOfRangeAreRefusedWithTheirLimits) {
    auto editor = OpenEditor(4);
    editor->SelectCableEntry(2);  // "User-Defined"
    EXPECT_FALSE(editor->LeaveImpedance("100.01", CheckMode::Leaving));
    EXPECT_FALSE(editor->LeaveTotalLength("2001", CheckMode::Leaving));
    EXPECT_FALSE(editor->LeaveFirstLength("2001", CheckMode::Leaving));
    EXPECT_EQ(TakeMessages(),
              (Messages{"Cable impedance must be between 0.00 and 100.00 ohms/km/core!",
                        "Total cable run must be between 0 and 2000 m!",
                        "Cable run to first device must be between 0 and 2000 m!"}));
    ASSERT_TRUE(editor->LeaveTotalLength("2000", CheckMode::Leaving));
    EXPECT_EQ(Loop(4).CableTotal(), 20000);

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
    // The slider sets the first run as a share of the total. Halves go to the even neighbour: 25 %
    // of 1 m is 2.5 dm.
    ASSERT_TRUE(editor->LeaveTotalLength("500", CheckMode::Leaving));
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
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveMaxOutputs, "0"));
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveMaxOutputs, ""));
    EXPECT_EQ(Loop().MaxOutput(), 10);
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveTotalLength, "400"));
    EXPECT_FALSE(apply(&LoopEditorModel::LeaveTotalLength, "400"));
    EXPECT_TRUE(apply(&LoopEditorModel::LeaveFirstLength, "10"));
    EXPECT_FALSE(editor->LeaveMaxOutputs("11", CheckMode::Leaving));
    EXPECT_EQ(TakeMessages(),
              Messages{"Limit on quantity of activated outputs must be between 0 and 10 outputs!"});
    EXPECT_EQ(Loop().MaxOutput(), 10);
}

}  // namespace
