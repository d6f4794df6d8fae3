// The report's layout on a recording page device.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "engine/EngineFixtures.h"
#include "engine/Scaling.h"
#include "print/PrintCalcData.h"
#include "print/PrintJob.h"
#include "print/RecordingPageDevice.h"
#include "support/TestSupport.h"

namespace {

class ReportTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ManufacturerTable = {{"Acme Fire", "Acme"}};
        panel.PanelName = "Acme 4";
        panel.Loops = 4;
        cat.AddCable("Twin 1.5", 1810, true);
        detector = AddType("Detector", 300, 5000);
        sounder = AddType("Sounder", 400, 20000);
        for (int loop = 1; loop <= kLoopCount; ++loop) {
            doc.ReplaceLoopModel(loop, NewLoop());
            doc.LoopModel(loop).CableImpedance(1810);
            doc.LoopModel(loop).CableTotal(1000);
        }
    }
    void TearDown() override {
        ManufacturerTable.clear();
        SetDisplayUnits(kMetricUnits);
        ScriptedTest::TearDown();
    }

    std::int16_t AddType(const std::string& name, int quiescent, int alarm) {
        DeviceTypeRecord type = Device(quiescent, alarm);
        type.Name = name;
        const std::int16_t number = cat.AddDevice(type);
        DeviceOrder.assign(DeviceTypeTable.size(), 0);
        for (std::size_t t = 0; t < DeviceOrder.size(); ++t)
            DeviceOrder[t] = static_cast<std::int16_t>(t);
        std::sort(DeviceOrder.begin(), DeviceOrder.end(),
                  [](int a, int b) { return DeviceTypeTable[a].Name < DeviceTypeTable[b].Name; });
        return number;
    }
    // Puts `count` devices of a type on the next free slots of a loop and recalculates it.
    void Place(int loop, int type, int count) {
        clsCalculator& c = doc.LoopModel(loop);
        for (int slot = 1; count > 0; ++slot)
            if (c.DeviceType(slot) == 0) {
                c.DeviceType(slot, static_cast<std::int16_t>(type));
                --count;
            }
        Recalculate(c);
    }
    RecordingPageDevice Print(const std::vector<int>& loops, PrintResult* result = nullptr) {
        RecordingPageDevice device;
        const PrintResult r = PrintConfiguration(device, doc, &panel,
                                                 {"Report for: X.QMR", "7 December 2026", loops});
        if (result) *result = r;
        return device;
    }
    // The first (or last) text printed exactly so, on any page.
    static PrintedText Find(const RecordingPageDevice& device, const std::string& text,
                            bool last = false) {
        const auto match = [&](const PrintedText& t) { return t.text == text; };
        const auto& p = device.printed;
        const auto found = last ? std::find_if(p.rbegin(), p.rend(), match).base() - 1
                                : std::find_if(p.begin(), p.end(), match);
        if (found >= p.begin() && found < p.end() && found->text == text) return *found;
        ADD_FAILURE() << "not printed: " << text;
        return {};
    }

    EngineCatalogue cat;
    ControlPanel panel;
    DesignDocument doc;
    int detector = 0, sounder = 0;
};

TEST_F(ReportTest, HeaderSummaryAssumptionsAndALoopBlockLineForLine) {
    Place(1, detector, 3);
    Place(1, sounder, 2);
    const RecordingPageDevice device = Print({1});
    const std::vector<std::string> expected = {
        "--- page 1",
        "Report for: X.QMR",
        "Last revised on 7 December 2026     Page 1",
        "Summary",
        "Site Name:",
        "Control Panel: Acme 4   (Acme Fire)",
        "Loop Devices Quiescent Alarm Design",
        "1 5 1700 µA 55 mA Loop Satisfactory",
        "2 0 0 mA 0 mA Loop Satisfactory",
        "3 0 0 mA 0 mA Loop Satisfactory",
        "4 0 0 mA 0 mA Loop Satisfactory",
        "Total 5 1700 µA 55 mA",
        "Calculations include the following assumptions:",
        "      Even distribution of devices along cable.",
        "      As many devices are in alarm as possible.",
        "      There is an open circuit on cable at worst position.",
        "Loop 1",
        "Addressable Devices Quantity Quiescent Alarm",
        "Detector 3 900 µA 15 mA",
        "Sounder 2 800 µA 40 mA",
        "Sub-total 5 1700 µA 55 mA",
        "Total 5 1700 µA 55 mA",
        "Calculate maximum volt drop",
        "Cable Twin 1.5 18.10  ohms/km/core",
        "Total cable run 100  metres (m)",
        "Volt Drop " + FormatFixed(doc.LoopModel(1).VoltDrop(), 1) + "  V",
    };
    EXPECT_EQ(device.Lines(), expected);
    EXPECT_TRUE(device.ended);
    // The body size is the largest at which 90 spaces fit the usable width.
    EXPECT_EQ(Find(device, "Detector").font.size, 11);
    EXPECT_TRUE(Find(device, "Summary").font.bold);
    EXPECT_TRUE(Find(device, "  (Acme Fire)").font.italic);
}

TEST_F(ReportTest, NumbersEndAtTheRightEdgeOfTheirHeadings) {
    Place(1, detector, 12);
    const RecordingPageDevice device = Print({1});
    const auto endOf = [](const PrintedText& t) { return t.x + t.width; };
    const PrintedText quantity = Find(device, "Quantity"), alarm = Find(device, "Alarm");
    EXPECT_DOUBLE_EQ(endOf(Find(device, "12", true)), endOf(quantity));
    EXPECT_DOUBLE_EQ(endOf(Find(device, "60 mA")), endOf(alarm));
    EXPECT_DOUBLE_EQ(endOf(Find(device, "3600 µA")), endOf(Find(device, "Quiescent")));
    // "Page n" ends at the usable area's right edge.
    EXPECT_DOUBLE_EQ(endOf(Find(device, "    Page 1")), 11906 - 2 * kPageMargin);
}

TEST_F(ReportTest, CurrentsBelowTenMilliampsInMicroampsAboveInWholeMilliamps) {
    const int small = AddType("Small", 9999, 10000);
    const int half = AddType("Half", 0, 10499);
    Place(1, small, 1);
    Place(1, half, 1);
    const auto lines = Print({1}).Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Small 1 9999 µA 10 mA"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Half 1 0 mA 10 mA"), lines.end());
}

TEST_F(ReportTest, AOneLoopPanelHasNoTotalRowAndABoldVerdict) {
    panel.Loops = 1;
    EXPECT_TRUE(PreselectedLoops(doc, 1).empty());
    Place(1, detector, 2);
    EXPECT_EQ(PreselectedLoops(doc, 1), std::vector<int>{1});
    const RecordingPageDevice device = Print(PreselectedLoops(doc, 1));
    const auto lines = device.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Total 2 600 µA 10 mA"), 1);  // the loop's
    EXPECT_TRUE(Find(device, "Loop Satisfactory").font.bold);
}

TEST_F(ReportTest, OnlyOtherDevicesNoteTheMissingDevicesAndHaveNoTotalQuantity) {
    const int ancillary = cat.AddOther(Other(100, 1000));
    OtherDeviceTable[static_cast<std::size_t>(ancillary)].OtherName = "Ancillary";
    doc.LoopModel(2).DeviceOtherType(5, static_cast<std::int16_t>(ancillary));
    doc.LoopModel(2).DeviceOtherType(6, static_cast<std::int16_t>(ancillary));
    Recalculate(doc.LoopModel(2));
    const auto lines = Print({2}).Lines();
    const auto block = std::find(lines.begin(), lines.end(), "Loop 2");
    ASSERT_NE(block, lines.end());
    EXPECT_EQ(std::vector<std::string>(block, block + 5),
              (std::vector<std::string>{"Loop 2", "No addressable devices",
                                        "Other Devices Quantity Quiescent Alarm",
                                        "Ancillary 2 200 µA 2000 µA", "Total n/a 200 µA 2000 µA"}));
}

TEST_F(ReportTest, DisabledInterfaceLedsAreMarkedAndNoted) {
    DeviceTypeRecord type = Device(500, 8000);
    type.Name = "Interface";
    type.AlarmCurrentLedDisabled = 6000;
    const int interface = cat.AddDevice(type);
    DeviceOrder = {0, static_cast<std::int16_t>(interface), 1, 2};
    doc.LoopModel(1).DINLEDsDisabled(true);
    Place(1, interface, 2);
    Place(1, detector, 1);
    const auto lines = Print({1}).Lines();
    for (const char* line : {"Interface 2 1000 µA 12 mA  *", "Detector 1 300 µA 5000 µA",
                             "* - Interface LEDs are disabled."})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

TEST_F(ReportTest, TheDistributionAssumptionIsChosenOverAllLoops) {
    struct Case {
        std::vector<std::pair<int, int>> firstAndTotal;  // loops 1, 2, ...
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{{0, 1000}, {0, 500}}, "      Even distribution of devices along cable."},
        {{{1000, 1000}, {0, 500}, {300, 300}}, "      All devices at end of cable."},
        {{{1000, 1000}, {200, 500}},
         "      Even distribution of devices along cable beyond 1st "
         "device."},
    };
    for (const Case& c : cases) {
        for (int loop = 1; loop <= 4; ++loop)
            doc.LoopModel(loop).CableFirst(0);
        for (std::size_t i = 0; i < c.firstAndTotal.size(); ++i) {
            doc.LoopModel(static_cast<int>(i) + 1).CableFirst(c.firstAndTotal[i].first);
            doc.LoopModel(static_cast<int>(i) + 1).CableTotal(c.firstAndTotal[i].second);
        }
        EXPECT_EQ(DistributionAssumption(doc, 4), c.expected);
    }
}

TEST_F(ReportTest, ABlockThatDoesNotFitStartsANewPageAndIsNeverSplit) {
    for (int n = 0; n < 20; ++n)
        AddType("Type " + std::to_string(100 + n), 100, 1000);
    for (int loop = 1; loop <= 4; ++loop)
        for (int n = 0; n < 5 + 3 * loop; ++n)
            Place(loop, 3 + n, 1);
    doc.LoopModel(3).CableFirst(100);
    const RecordingPageDevice device = Print({1, 2, 3, 4});
    const double lineHeight = 11 * 24, usable = 16838 - 2 * kPageMargin;
    for (const PrintedText& t : device.printed)
        EXPECT_LE(t.y + lineHeight, usable) << t.text;
    for (int loop = 1; loop <= 4; ++loop) {
        const PrintedText top = Find(device, "Loop " + std::to_string(loop));
        // The block's last line lies on the page it started on, as many lines down as counted.
        const std::string dropText = FormatFixed(doc.LoopModel(loop).VoltDrop(), 1);
        std::vector<PrintedText> drops;
        for (const PrintedText& t : device.printed)
            if (t.text == "Volt Drop") drops.push_back(t);
        const PrintedText& last = drops[static_cast<std::size_t>(loop - 1)];
        EXPECT_EQ(last.page, top.page) << loop;
        EXPECT_EQ((last.y - top.y) / lineHeight + 2, LoopBlockLineCount(doc.LoopModel(loop)));
    }
    EXPECT_EQ(device.PageNumber(), 3);
    for (int page = 1; page <= 3; ++page) {
        const auto texts = device.OnPage(page);
        EXPECT_EQ(texts[0].text, "Report for: X.QMR");
        EXPECT_EQ(texts[2].text, "    Page " + std::to_string(page));
    }
}

TEST_F(ReportTest, ABlockLongerThanAPageRunsOnWithItsHeadingsRepeated) {
    for (int n = 0; n < 70; ++n)
        AddType("Type " + std::to_string(100 + n), 100, 1000);
    for (int n = 0; n < 70; ++n)
        Place(1, 3 + n, 1);
    const RecordingPageDevice device = Print({1});
    const auto lines = device.Lines();
    const auto page3 = std::find(lines.begin(), lines.end(), "--- page 3");
    ASSERT_NE(page3, lines.end());
    EXPECT_EQ(*(page3 + 3), "Loop 1 (continued)");
    EXPECT_EQ(*(page3 + 4), "Addressable Devices Quantity Quiescent Alarm");
    // Loop 1 starts on page 2, after the summary; every row is printed once.
    EXPECT_EQ(Find(device, "Loop 1").page, 2);
    for (int n = 0; n < 70; ++n)
        EXPECT_EQ(std::count_if(device.printed.begin(), device.printed.end(),
                                [&](const PrintedText& t) {
                                    return t.text == "Type " + std::to_string(100 + n);
                                }),
                  1);
    for (const PrintedText& t : device.printed)
        EXPECT_LE(t.y + 11 * 24, 16838 - 2 * kPageMargin) << t.text;
}

TEST_F(ReportTest, CancelOrAFailingPrinterDiscardsTheJob) {
    for (int loop = 1; loop <= 4; ++loop)
        Place(loop, detector, 10 + loop);
    PrintResult result;
    platform.cancelAfterEvents = 2;
    RecordingPageDevice cancelled = Print({1, 2, 3, 4}, &result);
    EXPECT_EQ(result.outcome, PrintOutcome::Cancelled);
    EXPECT_TRUE(cancelled.discarded);
    EXPECT_FALSE(cancelled.ended);
    // The cancel is seen at the next page's header.
    EXPECT_EQ(platform.statusLines, std::vector<std::string>{"Printing page 1..."});
    EXPECT_EQ(result.pages, 1);

    platform.cancelAfterEvents = -1;
    RecordingPageDevice failing;
    failing.failOnPage = 2;
    const PrintResult failed = PrintConfiguration(failing, doc, &panel, {"T", "D", {1, 2, 3, 4}});
    EXPECT_EQ(failed.outcome, PrintOutcome::Failed);
    EXPECT_EQ(failed.message, "The printer is out of paper.");
    EXPECT_TRUE(failing.discarded);
}

}  // namespace
