// The loop editor's tables, its results display and its life from activation to OK or Cancel.
#include <gtest/gtest.h>

#include "catalogue/Options.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "document/EditorFixtures.h"
#include "engine/clsCalculator.h"
#include "shell/Settings.h"

namespace {

// The device rows as "name quantity quiescent alarm".
std::vector<std::string> Rows(const LoopEditorModel& editor) {
    std::vector<std::string> rows;
    for (const DeviceRow& row : editor.DeviceRows())
        rows.push_back(row.name + " " + std::to_string(row.quantity) + " " + row.quiescent + " " +
                       row.alarm);
    return rows;
}

// Records what the glue shows of the loops.
class RecordingDisplay : public LoopResultsView {
public:
    void ShowLoopResults(int loop, const LoopResults&) override { editorShows.push_back(loop); }
    std::vector<int> editorShows;
};

using LoopEditorTest = EditorTest;

TEST_F(LoopEditorTest, RowsHoldStandardTypesAndTypesOnTheLoopInNameOrder) {
    const int zeta = cat->AddType(EditorType("Zeta Detector"), true);
    const int alpha = cat->AddType(EditorType("Alpha Sounder"), true);
    const int placed = cat->AddType(EditorType("Mid Interface"));
    cat->AddType(EditorType("Unused Unit"));
    // A gap in the catalogue (a type without a name) is never listed, standard or not.
    const int gap = cat->AddType(EditorType("Gap"), true);
    DeviceTypeTable[static_cast<std::size_t>(gap)].Name.clear();
    const int slave = cat->AddType(BaseMountedSlave("Slave Sounder", 0));
    const int master = cat->AddType(BaseMountedMaster("Master Unit"));
    Loop().DeviceType(4, static_cast<std::int16_t>(placed));
    Loop().DeviceType(5, static_cast<std::int16_t>(placed));
    Loop().DeviceType(6, static_cast<std::int16_t>(master));
    Loop().DeviceType(7, static_cast<std::int16_t>(zeta));
    Loop().DeviceBaseAddr(7, 6);
    Loop().DeviceBaseType(7, static_cast<std::int16_t>(slave));
    auto editor = OpenEditor();
    EXPECT_EQ(Rows(*editor), (std::vector<std::string>{
                                 "Alpha Sounder 0 0 mA 0 mA", "Master Unit 1 100 µA 1000 µA",
                                 "Mid Interface 2 200 µA 2000 µA", "Slave Sounder 1 50 µA 500 µA",
                                 "Zeta Detector 1 100 µA 1000 µA"}));
    EXPECT_EQ(editor->DeviceRows()[0].type, alpha);
}

TEST_F(LoopEditorTest, ActivationRecalculatesOnceAndEveryAcceptedChangeMarksTheDesign) {
    const int detector = cat->AddType(EditorType("Detector", 250, 4000), true);
    Loop().DeviceType(1, static_cast<std::int16_t>(detector));
    RecordingDisplay display;
    ScopedInstall<LoopResultsView> installed(display);
    LoopEditorModel editor(1);
    editor.Activate();
    editor.Activate();
    EXPECT_EQ(display.editorShows, std::vector<int>{1});
    const ResultsView& r = editor.Results();
    EXPECT_EQ(std::tie(r.shown.deviceCount, r.shown.quiescentDevices, r.outOfDate, r.passFailBold,
                       r.passFailPointSize),
              std::make_tuple("1", "250 µA", false, true, 12));
    EXPECT_FALSE(CurrentDocument().DataChanged);
    ASSERT_TRUE(editor.ValidateDeviceQuantity(RowOf(editor, detector), "4", CheckMode::Leaving));
    EXPECT_TRUE(CurrentDocument().DataChanged);
    EXPECT_EQ(editor.Results().shown.deviceCount, "4");
}

TEST_F(LoopEditorTest, OkAsksOnlyWhenDevicesHaveNoTotalCableRun) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    auto editor = OpenEditor();
    EXPECT_EQ(editor->PressOk(), OkOutcome::Close);
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, detector), "1", CheckMode::Leaving));
    platform.answers = {MsgResult::No, MsgResult::Yes};
    EXPECT_EQ(editor->PressOk(), OkOutcome::StayOnTotalLength);
    EXPECT_EQ(editor->PressOk(), OkOutcome::Close);
    ASSERT_EQ(platform.messages.size(), 2u);
    const RecordedMessage& q = platform.messages[0];
    EXPECT_EQ(std::make_tuple(q.text, q.title, q.icon, q.buttons, q.defaultButton),
              std::make_tuple("You have not specified a Total Cable Run.  Is this correct?",
                              "Loop 1", MsgIcon::Question, MsgButtons::YesNo, 1));  // No
}

// The devices' own restoration is checked by the random quantity changes.
TEST_F(LoopEditorTest, CancelRestoresTheLoopButTheDesignStaysChanged) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    cat->AddCable("Thin", 3600, true);
    cat->AddCable("Thick", 1200, true);
    Loop().DeviceType(70, static_cast<std::int16_t>(detector));
    Loop().CableImpedance(3600);
    Loop().CableTotal(5000);
    Loop().CableFirst(100);
    auto editor = OpenEditor();
    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, detector), "3", CheckMode::Leaving));
    editor->SelectCableEntry(1);
    editor->ChooseCalcType(kOptCableSize);
    ASSERT_TRUE(editor->LeaveTotalLength("100", CheckMode::Leaving));

    editor->Cancel();
    EXPECT_EQ(Layout(), "70:Detector");
    EXPECT_EQ(std::make_tuple(Loop().CableImpedance(), Loop().CableTotal(), Loop().CableFirst(),
                              Loop().CalcType()),
              std::make_tuple(3600, 5000, 100, 0));
    EXPECT_EQ(std::make_tuple(GetLastCableImpedance(), ReadSettingNumber("LastCableImpedance"),
                              ReadSettingNumber("LastCalcType")),
              std::make_tuple(3600, 3600, 0));
    EXPECT_TRUE(CurrentDocument().DataChanged);
}

}  // namespace
