#include "document/CalcGlue.h"

#include "document/DocumentFixtures.h"

namespace {

// Records what the loop editors are told.
class RecordingResults : public LoopResultsView {
public:
    std::map<int, LoopResults> editor;
    void ShowLoopResults(int loop, const LoopResults& r) override { editor[loop] = r; }
};

// The document test's catalogue on a panel of 4 outputs, 500 mA a loop, 1000 mA in all and
// 20 V needed at the far end.
class CalcGlueTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ControlPanel& p = PanelTable[0];
        p.Outputs = 4;
        p.MaxTotalCurrent = 1000;
        p.MinLoopVoltage = 2000;
        loudSounder = cat.AddDevice(Device(400, 200000));  // 200 mA in alarm
        NewDocument();
    }
    void Fill(int loop, int count, std::int16_t type, int firstSlot = 1) {
        for (int i = 0; i < count; ++i)
            Loop(loop).DeviceType(firstSlot + i, type);
    }

    RecordingResults display;
    ScopedInstall<LoopResultsView> displayInstalled{display};
    std::int16_t loudSounder = 0;
};

}  // namespace

TEST_F(CalcGlueTest, CalculateLoopShowsTheLoopsResultsAndTheTotalsRow) {
    Fill(1, 3, detector);
    Loop(1).DeviceOtherType(1, ancillary);
    CalculateLoop(1);
    LoopResults expected;
    expected.deviceCount = "3";
    expected.quiescentDevices = "900 µA";
    expected.alarmDevices = "15 mA";
    expected.quiescentTotal = "1000 µA";  // the ancillary's 100 µA on top
    expected.alarmTotal = "16 mA";
    expected.panelLimitNote = "* - ";
    expected.maxVoltDropNote = "(Max. permissible = 20.0 V)";
    expected.voltDrop = "0.0 V";
    expected.verdictLong = "Loop Design\nSatisfactory";
    expected.explanation = Loop(1).DesignExplanation();
    EXPECT_EQ(display.editor.at(1), expected);
    EXPECT_EQ(window.rows.at(1),
              (SummaryRow{"3", expected.quiescentTotal, "16 mA", "Loop Satisfactory"}));
    EXPECT_EQ(window.totals,
              (SummaryRow{"3", expected.quiescentTotal, "16 mA", "Design Satisfactory"}));
    EXPECT_EQ(window.alarmNote, false);
}

TEST_F(CalcGlueTest, OverallVerdictFailsOnTheSummedAlarmCurrentAlone) {
    // Two loops of 500 mA each: both satisfactory (equal to the loop limit passes), together
    // exactly the panel's 1000 mA: satisfactory.
    Fill(1, 2, loudSounder);
    Fill(2, 2, loudSounder);
    Loop(1).DeviceType(3, cat.AddDevice(Device(0, 100000)));
    Loop(2).DeviceType(3, static_cast<std::int16_t>(DeviceTypeCount));
    RecalculateAllLoops();
    EXPECT_EQ(TotalAlarmAllLoops(), Amount::FromWhole(1000000));
    EXPECT_EQ(OverallDesignText(), "Design Satisfactory");
    EXPECT_EQ(window.alarmNote, false);
    // One µA more anywhere tips the panel over its total.
    Loop(3).DeviceType(1, cat.AddDevice(Device(0, 1)));
    RecalculateAllLoops();
    for (int loop = 1; loop <= 8; ++loop)
        EXPECT_TRUE(Loop(loop).DesignIsSatisfactory()) << loop;
    EXPECT_EQ(OverallDesignText(), "Design Not Satisfactory");
    EXPECT_EQ(window.alarmNote, true);
    EXPECT_EQ(window.totals.deviceCount, "7");
}

TEST_F(CalcGlueTest, OneLoopLessNamesThatLoop) {
    Fill(3, 1, detector);
    RecalculateAllLoops();
    EXPECT_TRUE(CheckPanelLoopCount(3, 2));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Changing to this panel will lose data for loop 3.");
    EXPECT_TRUE(CheckPanelLoopCount(2, 4));  // more loops: nothing to ask
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(CalcGlueTest, FewerAddressesKeepsTheLowestOccupiedSlots) {
    for (int slot = 1; slot <= 120; ++slot)
        Loop(1).DeviceType(slot * 2 > 255 ? slot : slot * 2 - 1, detector);
    Loop(1).DeviceOtherType(239, ancillary);
    RecalculateAllLoops();
    ASSERT_EQ(Loop(1).QtyDevices(), 120);
    platform.answers = {MsgResult::Cancel};
    EXPECT_FALSE(CheckPanelMaxDevices(126, 99));
    EXPECT_EQ(platform.messages.back().text,
              "There are more than 99 addressable devices on a loop. Changing to this panel will "
              "lose data for this loop.");
    platform.answers = {MsgResult::OK};
    EXPECT_TRUE(CheckPanelMaxDevices(126, 99));
    int occupied = 0, highest = 0;
    for (int slot = 0; slot < 256; ++slot)
        if (Loop(1).DeviceType(slot) != 0) ++occupied, highest = slot;
    EXPECT_EQ(occupied, 99);
    EXPECT_EQ(highest, 197);                             // the 99th odd slot
    EXPECT_EQ(Loop(1).DeviceOtherType(239), ancillary);  // attachments stay
}

TEST_F(CalcGlueTest, FewerAddressesOnSeveralLoopsSpeaksOfSomeLoops) {
    Fill(1, 100, detector);
    Fill(2, 100, detector);
    RecalculateAllLoops();
    EXPECT_TRUE(CheckPanelMaxDevices(126, 99));
    EXPECT_EQ(platform.messages.back().text,
              "There are more than 99 addressable devices on some loops. Changing to this panel "
              "will lose data for these loops.");
    EXPECT_TRUE(CheckPanelMaxDevices(99, 99));
}
