#include "print/StandbyPowerBlock.h"

#include <sstream>

#include "print/ReportLines.h"

namespace {

// Where the values of the inputs stand after their labels.
constexpr int kInputValueTab = 30;

// One row of the loads table: its currents in µA, quantity included.
struct LoadRow {
    std::string name;
    std::string quantity;
    Amount quiescent;
    Amount alarm;
    bool marked = false;  // the panel's currents, not entered
};

Amount MicroampsOf(Amount milliamps, std::int64_t quantity = 1) {
    return milliamps * 1000 * quantity;
}

bool PanelCurrentsEntered(const StandbyPowerInputs& inputs) {
    return inputs.panelQuiescentMilliamps != Amount{} || inputs.panelAlarmMilliamps != Amount{};
}

// The loops, the panel and each other load, then their total.
std::vector<LoadRow> LoadRows(const StandbyPowerReport& report) {
    const StandbyPowerInputs& in = report.inputs;
    std::vector<LoadRow> rows{
        {"Loop totals", "", report.loops.quiescentMicroamps, report.loops.alarmMicroamps},
        {"Control panel", "1", MicroampsOf(in.panelQuiescentMilliamps),
         MicroampsOf(in.panelAlarmMilliamps), !PanelCurrentsEntered(in)}};
    for (const OtherLoad& load : in.otherLoads)
        rows.push_back({load.name, FormatGeneral(std::int64_t{load.quantity}),
                        MicroampsOf(load.quiescentMilliamps, load.quantity),
                        MicroampsOf(load.alarmMilliamps, load.quantity)});
    LoadRow total{"Total", "", {}, {}};
    for (const LoadRow& row : rows) {
        total.quiescent += row.quiescent;
        total.alarm += row.alarm;
    }
    rows.push_back(total);
    return rows;
}

// The inputs as labels and values.
std::vector<std::pair<std::string, std::string>> InputLines(const StandbyPowerInputs& in) {
    std::string standard = StandardName(in.standard);
    if (in.standard != BatteryStandard::BS5839 && in.voiceSystem) standard += ", voice system";
    return {{"Standard", standard},
            {"Standby period", FormatGeneral(in.standbyHours) + " h"},
            {"Alarm period", FormatGeneral(in.alarmMinutes) + " min"}};
}

// What follows the loads table: the working, and the battery it leads to (the working's last
// line) or why there is none.
struct Conclusion {
    std::vector<std::string> working;
    std::string battery;  // printed in bold
};

Conclusion Conclude(const StandbyPowerReport& report) {
    if (const auto problem = CheckStandbyInputs(report.inputs))
        return {{*problem}, "No battery recommended."};
    // A list that could not be read offers no size: the required capacity stands alone.
    std::vector<std::string> working =
        CalculateStandbyPower(report.inputs, report.loops,
                              report.batterySizes.value_or(std::vector<Amount>{}))
            .working;
    std::string battery = working.back();
    working.pop_back();
    return {working, battery};
}

// The text broken at blanks into lines no wider than `width` in the device's current font (a
// word wider than that stands on a line of its own).
std::vector<std::string> Wrapped(const PageDevice& device, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && device.TextWidth(longer) > width) {
            lines.push_back(line);
            longer = word;
        }
        line = longer;
    }
    lines.push_back(line);
    return lines;
}

class StandbyBlockPrinter : public ReportLines {
public:
    StandbyBlockPrinter(PrintJobPages& pages, const StandbyPowerReport& report)
        : ReportLines(pages), report_(report), rows_(LoadRows(report)) {
        Conclusion conclusion = Conclude(report);
        battery_ = conclusion.battery;
        // A working line too long for the page goes on under itself, indented.
        const double width = pages.UsableWidth() - (kWrapTab - 1) * device_.CellWidth();
        for (const std::string& line : conclusion.working) {
            const auto pieces = Wrapped(device_, line, width);
            for (std::size_t i = 0; i < pieces.size(); ++i)
                working_.push_back({i == 0 ? kNameTab : kWrapTab, pieces[i]});
        }
    }

    // Title and empty line; the inputs and an empty line; the loads table's heading and rows,
    // the note on the panel's currents and an empty line; the working's heading and lines and an
    // empty line; the battery and a closing empty line.
    int LineCount() const {
        const int loads = static_cast<int>(rows_.size()) + (PanelNote() ? 1 : 0);
        return 2 + static_cast<int>(InputLines(report_.inputs).size()) + 1 + 1 + loads + 1 + 1 +
               static_cast<int>(working_.size()) + 1 + 2;
    }

    void Print() {
        if (LineCount() > pages_.LinesLeftOnPage()) pages_.PageHeader();
        pages_.SetContinuation([this] { Continue(); });
        Bold("Standby Power");
        EmptyLine();
        for (const auto& [label, value] : InputLines(report_.inputs)) {
            Line().PrintAtTab(kNameTab, label);
            device_.PrintAtTab(kInputValueTab, value);
            EndLine();
        }
        EmptyLine();
        PrintLoads();
        EmptyLine();
        heading_ = "Working";
        Bold(heading_);
        for (const auto& [tab, text] : working_) {
            Line().PrintAtTab(tab, text);
            EndLine();
        }
        EmptyLine();
        heading_.clear();
        Bold(battery_);
        EmptyLine();
        pages_.SetContinuation(nullptr);
    }

private:
    static constexpr int kWrapTab = kNameTab + 4;

    bool PanelNote() const { return !PanelCurrentsEntered(report_.inputs); }

    // The top of a page the block runs on to.
    void Continue() {
        Bold("Standby Power (continued)");
        if (heading_ == "Loads")
            PrintTableHeading(heading_, kBlockColumns);
        else if (!heading_.empty())
            Bold(heading_);
    }

    void PrintLoads() {
        heading_ = "Loads";
        PrintTableHeading(heading_, kBlockColumns);
        for (const LoadRow& row : rows_) {
            Line().PrintAtTab(kNameTab, row.name);
            PrintValues(row.quantity, row.quiescent, row.alarm);
            if (row.marked) device_.Print(" *");
            EndLine();
        }
        if (PanelNote()) {
            Line().PrintAtTab(kNameTab,
                              "* - The control panel's own currents have not been entered.");
            EndLine();
        }
    }

    const StandbyPowerReport& report_;
    std::vector<LoadRow> rows_;
    std::vector<std::pair<int, std::string>> working_;  // tab and text
    std::string battery_;
    std::string heading_;  // what repeats under the title on a page the block runs on to
};

}  // namespace

int StandbyBlockLineCount(PrintJobPages& pages, const StandbyPowerReport& report) {
    return StandbyBlockPrinter(pages, report).LineCount();
}

void PrintStandbyPowerBlock(PrintJobPages& pages, const StandbyPowerReport& report) {
    StandbyBlockPrinter(pages, report).Print();
}
