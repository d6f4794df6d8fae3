// The loop editor's tables, its results display and its life from activation to OK or Cancel.
#include <gtest/gtest.h>

#include "catalogue/Options.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "document/EditorFixtures.h"
#include "engine/clsCalculator.h"
#include "shell/Settings.h"

namespace {

using Messages = std::vector<std::string>;

// Records what the glue shows of the loops.
class RecordingDisplay : public LoopResultsView {
public:
    void ShowLoopResults(int loop, const LoopResults& results) override {
        editorShows.push_back(loop);
        last = results;
    }
    std::vector<int> editorShows;
    LoopResults last;
};

class LoopEditorTablesTest : public EditorTest {};

TEST_F(LoopEditorTablesTest, RowsHoldStandardTypesAndTypesOnTheLoopInNameOrder) {
    const int zeta = cat->AddType(EditorType("Zeta Detector"), true);
    const int alpha = cat->AddType(EditorType("Alpha Sounder"), true);
    const int placed = cat->AddType(EditorType("Mid Interface"));
    const int unused = cat->AddType(EditorType("Unused Unit"));
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

    std::vector<std::pair<std::string, int>> rows;
    for (const DeviceRow& row : editor->DeviceRows())
        rows.emplace_back(row.name, row.quantity);
    EXPECT_EQ(rows, (std::vector<std::pair<std::string, int>>{{"Alpha Sounder", 0},
                                                              {"Master Unit", 1},
                                                              {"Mid Interface", 2},
                                                              {"Slave Sounder", 1},
                                                              {"Zeta Detector", 1}}));
    EXPECT_EQ(editor->DeviceRows()[0].type, alpha);
    for (const DeviceRow& row : editor->DeviceRows())
        EXPECT_NE(row.type, unused);
    EXPECT_EQ(LoopEditorModel::kDeviceTableNote,
              "To always have this table start with some device types in it,\n"
              "define some to be \"Standard Devices\".\n"
              "This can be done using the \"Standard Devices\" property page\n"
              "of the Options dialogue box, accessed from the File menu.");
}

TEST_F(LoopEditorTablesTest, CurrentColumnsFollowTheQuantityAndTheDinLedRule) {
    DeviceTypeRecord dimmable = EditorType("Dimmable", 300, 6000);
    dimmable.AlarmCurrentLedDisabled = 2000;
    const int type = cat->AddType(dimmable, true);
    auto editor = OpenEditor();
    const DeviceRow& row = editor->DeviceRows()[0];
    EXPECT_EQ(row.quiescent, "0 mA");
    EXPECT_EQ(row.alarm, "0 mA");
    EXPECT_FALSE(editor->DinCheckBoxEnabled());

    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, type), "2", CheckMode::Leaving));
    EXPECT_EQ(editor->DeviceRows()[0].quiescent, "600 µA");
    EXPECT_EQ(editor->DeviceRows()[0].alarm, "12 mA");
    EXPECT_TRUE(editor->DinCheckBoxEnabled());

    editor->SetDinLedsDisabled(true);
    EXPECT_TRUE(Loop().DINLEDsDisabled());
    EXPECT_EQ(editor->DeviceRows()[0].alarm, "4000 µA");
    editor->SetDinLedsDisabled(false);
    EXPECT_EQ(editor->DeviceRows()[0].alarm, "12 mA");

    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, type), "0", CheckMode::Leaving));
    EXPECT_FALSE(editor->DinCheckBoxEnabled());
    // Types whose LED makes no difference leave the box disabled.
    const int plain = cat->AddType(EditorType("Plain"));
    ASSERT_TRUE(editor->ValidateDeviceQuantity(*editor->AddChosenType(std::to_string(plain)), "3",
                                               CheckMode::Leaving));
    EXPECT_FALSE(editor->DinCheckBoxEnabled());
}

TEST_F(LoopEditorTablesTest, OtherRowsListOtherDevicesOfShownFamilies) {
    const int hidden = cat->AddFamily("Hidden Family", false);
    const int shown = cat->AddFamily("Shown Family", true);
    OtherDevice a = Ancillary("Beacon");
    const int beacon = cat->AddOther(a);
    OtherDevice b = Ancillary("Hidden Relay");
    b.OtherFamily = static_cast<std::int16_t>(hidden);
    cat->AddOther(b);
    OtherDevice c = Ancillary("Shown Relay");
    c.OtherFamily = static_cast<std::int16_t>(shown);
    const int relay = cat->AddOther(c);
    const int detector = cat->AddType(EditorType("Detector"), true);
    Loop().DeviceType(3, static_cast<std::int16_t>(detector));
    Loop().DeviceOtherType(3, static_cast<std::int16_t>(beacon));
    auto editor = OpenEditor();

    ASSERT_TRUE(editor->OtherTableVisible());
    ASSERT_EQ(editor->OtherRows().size(), 2u);
    FamilyTable[static_cast<std::size_t>(shown)].FamilyShown = false;
    OtherDeviceTable[static_cast<std::size_t>(beacon)].OtherFamily =
        static_cast<std::int16_t>(hidden);
    EXPECT_FALSE(OpenEditor(2)->OtherTableVisible());
    const OtherRow& first = editor->OtherRows()[0];
    EXPECT_EQ(first.other, beacon);
    EXPECT_EQ(first.name, "Beacon");
    EXPECT_EQ(first.quantity, 1);
    EXPECT_EQ(first.quiescent, "200 µA");
    EXPECT_EQ(first.alarm, "2000 µA");
    EXPECT_EQ(editor->OtherRows()[1].other, relay);
}

TEST_F(LoopEditorTablesTest, ChooserResultSelectsOrAppendsARow) {
    const int standard = cat->AddType(EditorType("Standard"), true);
    const int extra = cat->AddType(EditorType("Extra"));
    auto editor = OpenEditor();
    ASSERT_EQ(editor->DeviceRows().size(), 1u);
    EXPECT_EQ(editor->AddChosenType("Cancel"), std::nullopt);
    EXPECT_EQ(editor->AddChosenType(std::to_string(standard)), 0);
    EXPECT_EQ(editor->AddChosenType(std::to_string(extra)), 1);
    EXPECT_EQ(editor->AddChosenType(std::to_string(extra)), 1);
    ASSERT_EQ(editor->DeviceRows().size(), 2u);
    EXPECT_EQ(editor->DeviceRows()[1].name, "Extra");
    EXPECT_EQ(editor->DeviceRows()[1].quantity, 0);
    EXPECT_EQ(editor->DeviceRows()[1].quiescent, "0 mA");
    EXPECT_EQ(editor->AddChosenType("999"), std::nullopt);
    // Rows are never taken away, also when their quantity drops to 0.
    ASSERT_TRUE(editor->ValidateDeviceQuantity(1, "2", CheckMode::Leaving));
    ASSERT_TRUE(editor->ValidateDeviceQuantity(1, "0", CheckMode::Leaving));
    EXPECT_EQ(editor->DeviceRows().size(), 2u);
}

TEST_F(LoopEditorTablesTest, TheEditBoxTakesDigitsBackspaceAndPointOnly) {
    auto editor = OpenEditor();
    for (char key : std::string("0123456789.\b"))
        EXPECT_TRUE(editor->QuantityKey(key)) << key;
    EXPECT_TRUE(platform.beeps.empty());
    for (char key : std::string("-a ,"))
        EXPECT_FALSE(editor->QuantityKey(key)) << key;
    EXPECT_EQ(platform.beeps.size(), 4u);
}

class LoopEditorLifeTest : public EditorTest {};

TEST_F(LoopEditorLifeTest, ActivationRecalculatesOnceAndChangesNothing) {
    const int detector = cat->AddType(EditorType("Detector", 250, 4000), true);
    Loop().DeviceType(1, static_cast<std::int16_t>(detector));
    RecordingDisplay display;
    ScopedInstall<LoopResultsView> installed(display);
    {
        LoopEditorModel editor(1);
        EXPECT_EQ(editor.Caption(), "Loop 1");
        editor.Activate();
        editor.Activate();
        EXPECT_EQ(display.editorShows, std::vector<int>{1});
        EXPECT_EQ(display.last.deviceCount, "1");
        EXPECT_EQ(editor.Results().shown.deviceCount, "1");
        EXPECT_EQ(editor.Results().shown.quiescentDevices, "250 µA");
        EXPECT_FALSE(editor.Results().outOfDate);
        EXPECT_TRUE(editor.Results().passFailBold);
        EXPECT_EQ(editor.Results().passFailPointSize, 12);
    }
    // The editor stopped listening when it closed.
    EXPECT_EQ(InstalledList<LoopResultsView>(), std::vector<LoopResultsView*>{&display});
    EXPECT_FALSE(CurrentDocument().DataChanged);
    EXPECT_EQ(Loop().QtyDevices(), 1);
}

TEST_F(LoopEditorLifeTest, EveryAcceptedQuantityChangeMarksTheDesignAndRecalculates) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    const int beacon = cat->AddOther(Ancillary("Beacon"));
    auto editor = OpenEditor();
    ASSERT_FALSE(CurrentDocument().DataChanged);
    CurrentDocument().ModifiedDate = DateTime{2001, 1, 1, 0, 0, 0};

    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, detector), "4", CheckMode::Leaving));
    EXPECT_TRUE(CurrentDocument().DataChanged);
    EXPECT_NE(CurrentDocument().ModifiedDate, (DateTime{2001, 1, 1, 0, 0, 0}));
    EXPECT_EQ(Loop().QtyDevices(), 4);
    EXPECT_EQ(editor->Results().shown.deviceCount, "4");

    CurrentDocument().DataChanged = false;
    ASSERT_TRUE(
        editor->ValidateOtherQuantity(OtherRowOf(*editor, beacon), "2", CheckMode::Leaving));
    EXPECT_TRUE(CurrentDocument().DataChanged);
    EXPECT_EQ(editor->Results().shown.quiescentTotal, "800 µA");

    // An unchanged quantity is no change.
    CurrentDocument().DataChanged = false;
    EXPECT_TRUE(
        editor->ValidateDeviceQuantity(RowOf(*editor, detector), "4.4", CheckMode::Leaving));
    EXPECT_TRUE(
        editor->ValidateOtherQuantity(OtherRowOf(*editor, beacon), "2", CheckMode::Leaving));
    EXPECT_FALSE(CurrentDocument().DataChanged);
}

TEST_F(LoopEditorLifeTest, TypingMakesTheResultsOutOfDateUntilTheNextRecalculation) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    auto editor = OpenEditor();
    const ResultsView fresh = editor->Results();
    ASSERT_FALSE(fresh.shown.voltDrop.empty());

    ASSERT_TRUE(editor->QuantityKey('3'));
    ResultsView stale = editor->Results();
    EXPECT_TRUE(stale.outOfDate);
    EXPECT_EQ(stale.shown.verdictLong, "Press <Enter> key\nor Click here\nto Re-calculate");
    EXPECT_FALSE(stale.passFailBold);
    EXPECT_EQ(stale.passFailPointSize, 8);
    EXPECT_EQ(stale.shown.voltDrop, "");
    EXPECT_EQ(stale.shown.maxVoltDropNote, "");
    EXPECT_EQ(stale.shown.explanation, "");
    EXPECT_EQ(stale.shown.deviceCount, fresh.shown.deviceCount);

    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, detector), "3", CheckMode::Leaving));
    EXPECT_FALSE(editor->Results().outOfDate);
    EXPECT_EQ(editor->Results().shown.verdictLong, Loop().LoopDesignLong());

    // A value typed again unchanged brings the results back without a change.
    ASSERT_TRUE(editor->QuantityKey('3'));
    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, detector), "3", CheckMode::Leaving));
    EXPECT_FALSE(editor->Results().outOfDate);
    EXPECT_FALSE(editor->Results().shown.voltDrop.empty());

    // A refused value leaves them out of date.
    ASSERT_TRUE(editor->QuantityKey('9'));
    EXPECT_FALSE(
        editor->ValidateDeviceQuantity(RowOf(*editor, detector), "999", CheckMode::Leaving));
    EXPECT_TRUE(editor->Results().outOfDate);
}

TEST_F(LoopEditorLifeTest, OkAsksOnlyWhenDevicesHaveNoTotalCableRun) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    auto editor = OpenEditor();
    EXPECT_EQ(editor->PressOk(), OkOutcome::Close);
    EXPECT_TRUE(platform.messages.empty());

    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, detector), "1", CheckMode::Leaving));
    platform.answers = {MsgResult::No, MsgResult::Yes};
    EXPECT_EQ(editor->PressOk(), OkOutcome::StayOnTotalLength);
    EXPECT_EQ(editor->PressOk(), OkOutcome::Close);
    ASSERT_EQ(platform.messages.size(), 2u);
    const RecordedMessage& question = platform.messages[0];
    EXPECT_EQ(question.text, "You have not specified a Total Cable Run.  Is this correct?");
    EXPECT_EQ(question.title, "Loop 1");
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.defaultButton, 1);  // No

    platform.messages.clear();
    ASSERT_TRUE(editor->LeaveTotalLength("100", CheckMode::Leaving));
    EXPECT_EQ(editor->PressOk(), OkOutcome::Close);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoopEditorLifeTest, CancelRestoresTheLoopButTheDesignStaysChanged) {
    DeviceTypeRecord low = EditorType("Low");
    low.AddressRange = cat->AddRange("L", 1, 63);
    const int lowType = cat->AddType(low, true);
    DeviceTypeRecord any = EditorType("Any");
    any.AddressRange = cat->AddRange("A", 1, 126);
    const int anyType = cat->AddType(any, true);
    const int beacon = cat->AddOther(Ancillary("Beacon"));
    cat->AddCable("Thin", 3600, true);
    cat->AddCable("Thick", 1200, true);
    for (int slot = 1; slot <= 63; ++slot)
        Loop().DeviceType(slot, static_cast<std::int16_t>(anyType));
    Loop().DeviceOtherType(1, static_cast<std::int16_t>(beacon));
    Loop().AddressOrder(40, 2);
    Loop().CableImpedance(3600);
    Loop().CableTotal(5000);
    Loop().CableFirst(100);
    Loop().CalcType(0);
    CurrentDocument().DeviceCarriedValue(1, 1) = 42;
    CurrentDocument().DeviceEavesdropFlag(1, 1) = true;
    const auto before = Loop().Copy();
    auto editor = OpenEditor();

    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, lowType), "3", CheckMode::Leaving));
    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, anyType), "40", CheckMode::Leaving));
    ASSERT_TRUE(
        editor->ValidateOtherQuantity(OtherRowOf(*editor, beacon), "5", CheckMode::Leaving));
    editor->SelectCableEntry(1);
    editor->ChooseCalcType(kOptCableSize);
    ASSERT_TRUE(editor->LeaveTotalLength("100", CheckMode::Leaving));
    ASSERT_EQ(CurrentDocument().DeviceCarriedValue(1, 64), 42);
    ASSERT_EQ(ReadSettingNumber("LastCalcType"), 2);

    editor->Cancel();
    const clsCalculator& after = Loop();
    for (int slot = 0; slot < clsCalculator::kSlotCount; ++slot) {
        EXPECT_EQ(after.DeviceType(slot), before->DeviceType(slot)) << slot;
        EXPECT_EQ(after.DeviceOtherType(slot), before->DeviceOtherType(slot)) << slot;
        EXPECT_EQ(after.DeviceBaseAddr(slot), before->DeviceBaseAddr(slot)) << slot;
        EXPECT_EQ(after.AddressOrder(slot), before->AddressOrder(slot)) << slot;
    }
    EXPECT_EQ(after.CableImpedance(), 3600);
    EXPECT_EQ(after.CableTotal(), 5000);
    EXPECT_EQ(after.CableFirst(), 100);
    EXPECT_EQ(after.CalcType(), 0);
    EXPECT_EQ(after.QtyDevices(), 63);
    EXPECT_EQ(after.QuiescentCurrentDevices(), before->QuiescentCurrentDevices());
    EXPECT_EQ(CurrentDocument().DeviceCarriedValue(1, 1), 42);
    EXPECT_TRUE(CurrentDocument().DeviceEavesdropFlag(1, 1));
    EXPECT_EQ(CurrentDocument().DeviceCarriedValue(1, 64), 0);
    EXPECT_EQ(GetLastCableImpedance(), 3600);
    EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), 3600);
    EXPECT_EQ(ReadSettingNumber("LastCalcType"), 0);
    EXPECT_TRUE(CurrentDocument().DataChanged);
}

TEST_F(LoopEditorLifeTest, CancelBeforeActivationLeavesTheLoopAlone) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    Loop().DeviceType(3, static_cast<std::int16_t>(detector));
    LoopEditorModel editor(1);
    editor.Cancel();
    EXPECT_EQ(Loop().DeviceType(3), detector);
}

TEST_F(LoopEditorLifeTest, EachLoopHasItsOwnEditor) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    auto editor = OpenEditor(5);
    EXPECT_EQ(editor->Caption(), "Loop 5");
    ASSERT_TRUE(editor->ValidateDeviceQuantity(RowOf(*editor, detector), "2", CheckMode::Leaving));
    EXPECT_EQ(SlotsOf(detector, 5).size(), 2u);
    EXPECT_TRUE(SlotsOf(detector, 1).empty());
    EXPECT_THROW(LoopEditorModel(9), std::out_of_range);
}

}  // namespace

namespace {

TEST_F(LoopEditorTablesTest, WindowSizeIsRememberedWithItsState) {
    EXPECT_EQ(RememberedEditorSize(), EditorWindowSize{});
    RememberEditorSize({640, 480, true});
    EXPECT_EQ(RememberedEditorSize(), (EditorWindowSize{640, 480, true}));
    EXPECT_EQ(ReadSettingText("Form State"), "Maximized");
    // A window never laid out keeps the size remembered before.
    RememberEditorSize({0, 0, false});
    EXPECT_EQ(RememberedEditorSize(), (EditorWindowSize{640, 480, false}));
    EXPECT_EQ(ReadSettingText("Form State"), "Normal");
}

}  // namespace
