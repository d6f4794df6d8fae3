#include "print/PrintCalcData.h"

#include <map>

#include "catalogue/Cables.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "engine/Scaling.h"
#include "engine/clsCalculator.h"
#include "print/ReportLines.h"
#include "print/StandbyPowerBlock.h"
#include "print/VoltageChartLayout.h"

namespace {

// Tab stops of the summary.
constexpr int kLoopTab = 8;
constexpr int kDesignTab = 58;

const char* const kCalcTypeTexts[] = {"Calculate maximum volt drop", "Calculate maximum cable run",
                                      "Calculate smallest cable"};

std::string Count(std::int64_t n) {
    return FormatGeneral(n);
}

Amount Times(std::int64_t quantity, std::int32_t microamps) {
    return Amount::FromWhole(quantity * microamps);
}

const DeviceTypeRecord* TypeRecord(int type) {
    return IsValidDeviceType(type) ? &DeviceTypeTable[static_cast<std::size_t>(type)] : nullptr;
}

class SummaryPrinter : public ReportLines {
public:
    SummaryPrinter(PrintJobPages& pages, DesignDocument& document, const ControlPanel* panel)
        : ReportLines(pages), document_(document), panel_(panel) {}

    void Print() {
        Bold("Summary");
        EmptyLine();
        Line().Print("Site Name:");
        device_.PrintAtTab(kSummaryValueTab, document_.SiteName);
        EndLine();
        PrintPanelLine();
        EmptyLine();
        PrintLoopRows();
        EmptyLine();
        EmptyLine();
        PrintAssumptions();
        EmptyLine();
        EmptyLine();
    }

private:
    int PanelLoops() const { return panel_ ? panel_->Loops : 0; }

    void PrintPanelLine() {
        Line().Print("Control Panel:");
        if (panel_) {
            device_.PrintAtTab(kSummaryValueTab, panel_->PanelName);
            const auto maker = static_cast<std::size_t>(panel_->Manufacturer);
            if (panel_->Manufacturer >= 0 && maker < ManufacturerTable.size()) {
                device_.FontItalic(true);
                device_.Print("  (" + ManufacturerTable[maker].ManufacturerName + ")");
                device_.FontItalic(false);
            }
        }
        EndLine();
    }

    void PrintLoopRows() {
        Line().PrintAtTab(kLoopTab, "Loop");
        PrintColumnHeadings(kSummaryColumns);
        device_.PrintAtTab(kDesignTab, "Design");
        EndLine();

        std::int64_t devices = 0;
        Amount quiescent, alarm;
        for (int loop = 1; loop <= PanelLoops(); ++loop) {
            const clsCalculator& c = Model(loop);
            const std::int64_t count = c.QtyDevices() + c.QtyAddressableSlaveBases();
            PrintRow(Count(loop), count, c.QuiescentCurrentTotal(), c.AlarmCurrentTotal());
            device_.FontBold(PanelLoops() == 1);
            device_.PrintAtTab(kDesignTab, c.LoopDesignShort());
            device_.FontBold(false);
            EndLine();
            devices += count;
            quiescent += c.QuiescentCurrentTotal();
            alarm += c.AlarmCurrentTotal();
        }
        if (PanelLoops() > 1) {
            EmptyLine();
            PrintRow("Total", devices, quiescent, alarm);
            EndLine();
        }
    }

    void PrintRow(const std::string& label, std::int64_t devices, Amount quiescent, Amount alarm) {
        Line().PrintAtTab(kLoopTab, label);
        PrintValues(Count(devices), quiescent, alarm);
    }

    void PrintAssumptions() {
        Line();
        device_.FontBold(true);
        device_.Print("Calculations include the following assumptions:");
        EndLine();
        for (const std::string& text :
             {DistributionAssumption(document_, PanelLoops()),
              std::string("      As many devices are in alarm as possible."),
              std::string("      There is an open circuit on cable at worst position.")}) {
            Line().Print(text);
            EndLine();
        }
        device_.FontBold(false);
    }

    const clsCalculator& Model(int loop) const { return document_.LoopModel(loop); }

    DesignDocument& document_;
    const ControlPanel* panel_;
};

class LoopBlockPrinter : public ReportLines {
public:
    LoopBlockPrinter(PrintJobPages& pages, int loop, const clsCalculator& model, bool chart)
        : ReportLines(pages),
          loop_(loop),
          model_(model),
          chart_(chart),
          devices_(DeviceTableRows(model)),
          others_(OtherDeviceTableRows(model)) {}

    void Print() {
        const int lines = LoopBlockLineCount(model_, chart_);
        // A block that fits on a page is never split: it starts a new page when it does not fit
        // on this one. One longer than a page also starts on a new page and runs on over the
        // following ones, each repeating the block's title and the table headings.
        if (lines > pages_.LinesLeftOnPage()) pages_.PageHeader();
        pages_.SetContinuation([this] { Continue(); });
        Bold("Loop " + Count(loop_));
        EmptyLine();
        PrintDevices();
        PrintOthers();
        EmptyLine();
        PrintTotal();
        EmptyLine();
        PrintCable();
        EmptyLine();
        pages_.SetContinuation(nullptr);
    }

private:
    // The top of a page the block runs on to.
    void Continue() {
        Bold("Loop " + Count(loop_) + " (continued)");
        if (!heading_.empty()) PrintHeading(heading_);
    }

    void PrintHeading(const std::string& title) {
        heading_ = title;
        PrintTableHeading(title, kBlockColumns);
    }

    void PrintRow(const std::string& name, const std::string& quantity, Amount quiescent,
                  Amount alarm, bool ledsDisabled = false) {
        Line().PrintAtTab(kNameTab, name);
        PrintValues(quantity, quiescent, alarm);
        if (ledsDisabled) {
            device_.Print(" *");
            ledNote_ = true;
        }
        EndLine();
    }

    void PrintDevices() {
        if (devices_.empty()) {
            SetColumnEdges(kBlockColumns);
            Line().PrintAtTab(kNameTab, "No addressable devices");
            EndLine();
            return;
        }
        PrintHeading("Addressable Devices");
        for (const LoopTableRow& row : devices_)
            PrintRow(row.name, Count(row.quantity), row.quiescent, row.alarm, row.ledsDisabled);
        PrintRow("Sub-total", Count(model_.QtyDevices() + model_.QtyAddressableSlaveBases()),
                 model_.QuiescentCurrentDevices(), model_.AlarmCurrentDevices());
    }

    void PrintOthers() {
        if (others_.empty()) return;
        EmptyLine();
        PrintHeading("Other Devices");
        for (const LoopTableRow& row : others_)
            PrintRow(row.name, Count(row.quantity), row.quiescent, row.alarm);
    }

    void PrintTotal() {
        const std::string quantity =
            others_.empty() ? Count(model_.QtyDevices() + model_.QtyAddressableSlaveBases())
                            : "n/a";
        PrintRow("Total", quantity, model_.QuiescentCurrentTotal(), model_.AlarmCurrentTotal());
        if (ledNote_) {
            Line().PrintAtTab(kNameTab, "* - Interface LEDs are disabled.");
            EndLine();
        }
    }

    void PrintCable() {
        const std::int32_t calcType = model_.CalcType();
        Bold(calcType >= 0 && calcType <= 2 ? kCalcTypeTexts[calcType] : "");

        Line().PrintAtTab(kNameTab, "Cable");
        RightAligned(CableNameForImpedance(model_.CableImpedance()), edges_[kQuantityColumn]);
        device_.FontItalic(true);
        RightAligned(ImpedanceToText(model_.CableImpedance()), edges_[kQuiescentColumn]);
        device_.Print(" " + ImpedanceUnitText(DisplayUnits()));
        device_.FontItalic(false);
        EndLine();

        PrintLength("Total cable run", model_.CableTotal());
        if (model_.CableFirst() > 0) PrintLength("Cable run to first device", model_.CableFirst());

        Line().PrintAtTab(kNameTab, "Volt Drop");
        RightAligned(FormatFixed(model_.VoltDrop(), 1), edges_[kQuiescentColumn]);
        device_.Print(" V");
        EndLine();
        if (chart_) PrintChart();
    }

    // The chart under the volt drop: on a new page when the rest of this one cannot hold it.
    void PrintChart() {
        const VoltageProfile profile = ProfileOfLoop(model_);
        if (profile.points.empty()) return;
        EmptyLine();
        if (kVoltageChartLines - 1 > pages_.LinesLeftOnPage()) pages_.PageHeader();
        const double height = (kVoltageChartLines - 1) * pages_.LineHeight();
        device_.DrawChart(0, device_.CurrentY(), pages_.UsableWidth() * 0.6, height,
                          LayOutVoltageChart(profile, ChartQuantity::Drop));
        device_.CurrentY(device_.CurrentY() + height);
    }

    void PrintLength(const std::string& label, std::int32_t length) {
        Line().PrintAtTab(kNameTab, label);
        RightAligned(LengthToText(length), edges_[kQuantityColumn]);
        device_.Print(" " + LengthUnitText(DisplayUnits(), true));
        EndLine();
    }

    int loop_;
    const clsCalculator& model_;
    bool chart_;
    std::vector<LoopTableRow> devices_;
    std::vector<LoopTableRow> others_;
    std::string heading_;  // the title of the table being printed
    bool ledNote_ = false;
};

}  // namespace

std::vector<LoopTableRow> DeviceTableRows(const clsCalculator& loop) {
    std::map<int, std::int64_t> quantities;
    for (int slot = 0; slot < clsCalculator::kSlotCount; ++slot) {
        const int type = loop.DeviceType(slot);
        if (TypeRecord(type)) ++quantities[type];
        const int base = loop.DeviceBaseType(slot);
        const DeviceTypeRecord* baseRecord = TypeRecord(base);
        if (baseRecord && baseRecord->NoOtherDevices && baseRecord->IsSlave) ++quantities[base];
    }
    std::vector<LoopTableRow> rows;
    for (const std::int16_t type : DeviceOrder) {
        const auto found = quantities.find(type);
        if (found == quantities.end()) continue;
        const DeviceTypeRecord& record = *TypeRecord(type);
        const std::int64_t n = found->second;
        LoopTableRow row{record.Name, n, Times(n, record.QuiescentCurrent),
                         Times(n, record.AlarmCurrent)};
        if (loop.DINLEDsDisabled() && record.LedDisabledCurrentDiffers) {
            row.alarm = Times(n, record.AlarmCurrentLedDisabled);
            row.ledsDisabled = true;
        }
        rows.push_back(row);
        quantities.erase(found);
    }
    return rows;
}

std::vector<LoopTableRow> OtherDeviceTableRows(const clsCalculator& loop) {
    std::vector<LoopTableRow> rows;
    for (std::size_t type = 1; type < OtherDeviceTable.size(); ++type) {
        const std::int64_t n = loop.QtyOthers(static_cast<std::int32_t>(type));
        if (n <= 0) continue;
        const OtherDevice& other = OtherDeviceTable[type];
        rows.push_back(
            {other.OtherName, n, Times(n, other.OtherQuiescent), Times(n, other.OtherAlarm)});
    }
    return rows;
}

int LoopBlockLineCount(const clsCalculator& loop, bool voltageChart) {
    const auto devices = DeviceTableRows(loop);
    const auto others = OtherDeviceTableRows(loop);
    bool ledNote = false;
    for (const LoopTableRow& row : devices)
        ledNote = ledNote || row.ledsDisabled;
    // Title and empty line; the device table (heading, rows, sub-total) or its one-line note;
    // the other devices after an empty line; an empty line, the total and the LED note; an empty
    // line, the calculation type, cable, runs and volt drop, and a closing empty line.
    int lines = 2;
    lines += devices.empty() ? 1 : static_cast<int>(devices.size()) + 2;
    if (!others.empty()) lines += static_cast<int>(others.size()) + 2;
    lines += 2 + (ledNote ? 1 : 0);
    lines += 1 + 4 + (loop.CableFirst() > 0 ? 1 : 0) + 1;
    if (voltageChart && !ProfileOfLoop(loop).points.empty()) lines += kVoltageChartLines;
    return lines;
}

std::string DistributionAssumption(DesignDocument& document, int panelLoops) {
    bool anyFirstRun = false;
    bool allAtEnd = true;
    for (int loop = 1; loop <= panelLoops; ++loop) {
        const clsCalculator& c = document.LoopModel(loop);
        if (c.CableFirst() <= 0) continue;
        anyFirstRun = true;
        allAtEnd = allAtEnd && c.CableFirst() == c.CableTotal();
    }
    if (!anyFirstRun) return "      Even distribution of devices along cable.";
    if (allAtEnd) return "      All devices at end of cable.";
    return "      Even distribution of devices along cable beyond 1st device.";
}

void PrintConfigurationData(PrintJobPages& pages, DesignDocument& document,
                            const ControlPanel* panel, const std::vector<int>& loops,
                            bool voltageCharts, const StandbyPowerReport* standby) {
    pages.PageHeader();
    SummaryPrinter(pages, document, panel).Print();
    for (const int loop : loops)
        LoopBlockPrinter(pages, loop, document.LoopModel(loop), voltageCharts).Print();
    if (standby) PrintStandbyPowerBlock(pages, *standby);
    pages.End();
}
