// The report's layout on a recording page device.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "engine/EngineFixtures.h"
#include "print/PrintCalcData.h"
#include "print/PrintDialogModel.h"
#include "print/PrintJob.h"
#include "print/StandbyPowerBlock.h"
#include "print/VoltageChartLayout.h"
#include "support/TestSupport.h"

namespace {

struct PrintedText {
    int page;
    double x, y, width;
    std::string text;
    PageFont font;
};

// An A4 page with exact metrics: a character is half an em wide, a line 1.2 em high.
class RecordingPageDevice : public PageDevice {
public:
    std::vector<PrintedText> printed;
    bool ended = false, discarded = false;
    int failOnPage = 0;  // starting this page fails as a printer would

    double PrintableWidth() const override { return 11906; }
    double PrintableHeight() const override { return 16838; }
    // The lines of a page (all pages: 0) that hold text, their texts joined by blanks.
    std::vector<std::string> Lines(int page = 0) const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < printed.size(); ++i)
            if (page == 0 || printed[i].page == page) {
                if (i > 0 && printed[i].y == printed[i - 1].y)
                    lines.back() += " " + printed[i].text;
                else
                    lines.push_back(printed[i].text);
            }
        return lines;
    }

protected:
    void StartOutput() override {}
    void StartNextPage() override {
        if (PageNumber() + 1 == failOnPage) throw PageDeviceError("The printer is out of paper.");
    }
    void EndOutput() override { ended = true; }
    void DiscardOutput() override { discarded = true; }
    double MeasureWidth(const std::string& text) const override {
        return static_cast<double>(text.size()) * Font().size * 10;  // bytes stand for characters
    }
    double MeasureHeight(const std::string&) const override { return Font().size * 24; }
    void DrawText(double x, double y, const std::string& text) override {
        printed.push_back({PageNumber(), x, y, MeasureWidth(text), text, Font()});
    }

    void DrawChart(double, double, double, double, const VoltageChartLayout&) override {}
};

// At 11 points, the largest body size at which 90 spaces fit the usable width.
constexpr double kLine = 11 * 24;
constexpr double kUsableHeight = 16838 - 2 * kPageMargin;

class ReportTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ManufacturerTable = {{"Acme Fire", "Acme"}};
        panel.PanelName = "Acme 4";
        panel.Loops = 4;
        cat.AddCable("Twin 1.5", 1810, true);
        for (int n = 0; n < 72; ++n)
            AddType("Type " + std::to_string(100 + n), 100, 1000);
        detector = AddType("Detector", 300, 5000);
        for (int loop = 1; loop <= kLoopCount; ++loop) {
            doc.ReplaceLoopModel(loop, NewLoop());
            doc.LoopModel(loop).CableImpedance(1810);
            doc.LoopModel(loop).CableTotal(1000);
        }
    }
    // Adds a device type; DeviceOrder keeps the types sorted by name.
    int AddType(const std::string& name, int quiescent, int alarm, int ledsDisabled = -1) {
        DeviceTypeRecord type = Device(quiescent, alarm);
        type.Name = name;
        if (ledsDisabled >= 0) type.AlarmCurrentLedDisabled = ledsDisabled;
        const int number = cat.AddDevice(type);
        DeviceOrder.push_back(static_cast<std::int16_t>(number));
        std::sort(DeviceOrder.begin(), DeviceOrder.end(),
                  [](int a, int b) { return DeviceTypeTable[a].Name < DeviceTypeTable[b].Name; });
        return number;
    }
    // Puts `count` devices of a type on the next free slots of a loop and recalculates it.
    void Place(int loop, int type, int count) {
        clsCalculator& c = doc.LoopModel(loop);
        for (int slot = 1; count > 0; ++slot)
            if (c.DeviceType(slot) == 0 && count--)
                c.DeviceType(slot, static_cast<std::int16_t>(type));
        Recalculate(c);
    }
    RecordingPageDevice Print(const std::vector<int>& loops, bool charts = false,
                              std::optional<StandbyPowerReport> standby = {}) {
        RecordingPageDevice device;
        result = PrintConfiguration(device, doc, &panel,
                                    {"Report for: X.QMR", "7 May 2026", loops, charts, standby});
        return device;
    }
    std::vector<std::string> BlockLines(const std::vector<int>& loops, std::size_t from, int n) {
        const auto lines = Print(loops).Lines();
        const auto top = std::find(lines.begin(), lines.end(), "Loop " + std::to_string(loops[0]));
        return top == lines.end() ? lines : std::vector<std::string>(top + from, top + from + n);
    }

    EngineCatalogue cat;
    ControlPanel panel;
    DesignDocument doc;
    PrintResult result;
    int detector = 0;
};

// A one-loop panel: no loop list, the verdict in bold, no "Total" row in the summary.
TEST_F(ReportTest, HeaderSummaryAssumptionsAndALoopBlockLineForLine) {
    panel.Loops = 1;
    Place(1, detector, 12);
    Place(1, AddType("Aa", 9999, 10499), 1);  // below 10 mA in µA, else in whole mA
    const RecordingPageDevice device = Print(PreselectedLoops(doc, 1));
    EXPECT_EQ(device.Lines(),
              (std::vector<std::string>{
                  "Report for: X.QMR",
                  "Last revised on 7 May 2026     Page 1",
                  "Summary",
                  "Site Name:",
                  "Control Panel: Acme 4   (Acme Fire)",
                  "Loop Devices Quiescent Alarm Design",
                  "1 13 14 mA 70 mA Loop Satisfactory",
                  "Calculations include the following assumptions:",
                  "      Even distribution of devices along cable.",
                  "      As many devices are in alarm as possible.",
                  "      There is an open circuit on cable at worst position.",
                  "Loop 1",
                  "Addressable Devices Quantity Quiescent Alarm",
                  "Aa 1 9999 µA 10 mA",
                  "Detector 12 3600 µA 60 mA",
                  "Sub-total 13 14 mA 70 mA",
                  "Total 13 14 mA 70 mA",
                  "Calculate maximum volt drop",
                  "Cable Twin 1.5 18.10  ohms/km/core",
                  "Total cable run 100  metres (m)",
                  "Volt Drop " + FormatFixed(doc.LoopModel(1).VoltDrop(), 1) + "  V"}));
    EXPECT_TRUE(result.outcome == PrintOutcome::Printed && device.ended);
    // Numbers end where their headings end; "Page n" at the usable area's right edge.
    std::map<std::string, double> ends;  // of the last text printed so
    for (const PrintedText& t : device.printed)
        ends[t.text] = t.x + t.width;
    EXPECT_EQ(ends["    Page 1"], 11906 - 2 * kPageMargin);
    EXPECT_TRUE(ends["12"] == ends["Quantity"] && ends["3600 µA"] == ends["Quiescent"]);
    EXPECT_TRUE(device.printed[3].font.bold && device.printed[7].font.italic);
    EXPECT_TRUE(device.printed[17].text == "Loop Satisfactory" && device.printed[17].font.bold);
}

TEST_F(ReportTest, OnlyOtherDevicesNoteTheMissingDevicesAndHaveNoTotalQuantity) {
    const int ancillary = cat.AddOther(Other(100, 1000));
    OtherDeviceTable[static_cast<std::size_t>(ancillary)].OtherName = "Ancillary";
    for (const int slot : {5, 6})
        doc.LoopModel(2).DeviceOtherType(slot, static_cast<std::int16_t>(ancillary));
    Recalculate(doc.LoopModel(2));
    EXPECT_EQ(BlockLines({2}, 0, 5),
              (std::vector<std::string>{"Loop 2", "No addressable devices",
                                        "Other Devices Quantity Quiescent Alarm",
                                        "Ancillary 2 200 µA 2000 µA", "Total n/a 200 µA 2000 µA"}));
}

TEST_F(ReportTest, DisabledInterfaceLedsAreMarkedAndNoted) {
    doc.LoopModel(1).DINLEDsDisabled(true);
    Place(1, AddType("Interface", 500, 8000, 6000), 2);
    EXPECT_EQ(
        BlockLines({1}, 2, 4),
        (std::vector<std::string>{"Interface 2 1000 µA 12 mA  *", "Sub-total 2 1000 µA 12 mA",
                                  "Total 2 1000 µA 12 mA", "* - Interface LEDs are disabled."}));
}

TEST_F(ReportTest, TheDistributionAssumptionIsChosenOverAllLoops) {
    doc.LoopModel(2).CableTotal(500);
    for (const auto& [first1, first2, expected] : std::vector<std::tuple<int, int, std::string>>{
             {0, 0, "      Even distribution of devices along cable."},
             {1000, 0, "      All devices at end of cable."},
             {1000, 200, "      Even distribution of devices along cable beyond 1st device."}}) {
        doc.LoopModel(1).CableFirst(first1);
        doc.LoopModel(2).CableFirst(first2);
        EXPECT_EQ(DistributionAssumption(doc, 4), expected);
    }
}

TEST_F(ReportTest, BlocksThatDoNotFitStartANewPageAndLongOnesRunOnWithTheirHeadings) {
    doc.LoopModel(3).CableFirst(100);
    for (int loop = 1; loop <= 4; ++loop)
        for (int n = 0; n < (loop == 4 ? 70 : 4 + 2 * loop); ++n)
            Place(loop, 1 + n, 1);
    const RecordingPageDevice device = Print({1, 2, 3, 4});
    std::vector<PrintedText> tops, drops;
    for (const PrintedText& t : device.printed) {
        EXPECT_LE(t.y + kLine, kUsableHeight) << t.text;
        if (t.text.starts_with("Loop ") && t.text.size() == 6) tops.push_back(t);
        if (t.text == "Volt Drop") drops.push_back(t);
    }
    // A block that fits is never split, and prints the lines it was counted to need.
    for (int loop = 1; loop <= 3; ++loop) {
        const PrintedText &top = tops[loop - 1], &drop = drops[loop - 1];
        EXPECT_EQ(std::make_pair(top.page, (drop.y - top.y) / kLine + 2),
                  std::make_pair(drop.page, 1.0 * LoopBlockLineCount(doc.LoopModel(loop))));
    }
    EXPECT_EQ(std::vector<int>({tops[0].page, tops[1].page, tops[2].page, tops[3].page}),
              std::vector<int>({1, 2, 2, 3}));
    // The long block starts on a new page and runs on to the next.
    EXPECT_EQ(device.Lines(4)[2] + "; " + device.Lines(4)[3],
              "Loop 4 (continued); Addressable Devices Quantity Quiescent Alarm");
}

// After the loop blocks: the inputs, the loads and their total, the working (long lines broken to
// fit the page) and last, the battery chosen.
TEST_F(ReportTest, TheStandbyBlockShowsWhatTheBatteryIsWorkedOutFrom) {
    StandbyPowerReport standby{{}, {Amount::FromWhole(3600), Amount::FromWhole(60000)}, {}};
    standby.inputs.otherLoads = {{"Door holder", 4, Amount::FromWhole(25), Amount{}}};
    standby.batterySizes = std::vector{Amount::FromWhole(7)};
    const RecordingPageDevice device = Print({1}, false, standby);
    const auto lines = device.Lines();
    std::string block;
    for (auto line = std::find(lines.begin(), lines.end(), "Standby Power");
         line != lines.end() && *line != "Working"; ++line)
        block += *line + " ";
    EXPECT_EQ(block,
              "Standby Power Standard BS 5839-1 Standby period 24 h Alarm period 30 min Loads "
              "Quantity Quiescent Alarm Loop totals 3600 µA 60 mA Control panel 1 0 mA 0 mA  * "
              "Door holder 4 100 mA 0 mA Total 104 mA 60 mA * - The control panel's own "
              "currents have not been entered. ");
    EXPECT_EQ(lines.back(), "Recommended battery: 7 Ah (20-hour rate 0.35 A, D = 1)");
    for (const PrintedText& t : device.printed)
        EXPECT_LE(t.x + t.width, 11906 - 2 * kPageMargin) << t.text;
}

TEST_F(ReportTest, CancelOrAFailingPrinterDiscardsTheJob) {
    Place(1, 1, 80);
    platform.cancelAfterEvents = 2;
    RecordingPageDevice cancelled = Print({1, 2, 3, 4});
    EXPECT_TRUE(result.outcome == PrintOutcome::Cancelled && cancelled.discarded);
    EXPECT_EQ(platform.statusLines, std::vector<std::string>{"Printing page 1..."});

    platform.cancelAfterEvents = -1;
    RecordingPageDevice failing;
    failing.failOnPage = 2;
    result = PrintConfiguration(failing, doc, &panel, {"T", "D", {1, 2, 3, 4}});
    EXPECT_EQ(result.message, "The printer is out of paper.");
    EXPECT_TRUE(result.outcome == PrintOutcome::Failed && failing.discarded && !failing.ended);
}

}  // namespace
