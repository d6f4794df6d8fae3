#pragma once
// The configuration report: a summary of the whole panel with the calculation assumptions,
// followed by one detail block per chosen loop, printed through a job's pages.
#include <cstdint>
#include <string>
#include <vector>

#include "print/Printing.h"
#include "shell/Numbers.h"

class clsCalculator;
struct StandbyPowerReport;
class DesignDocument;
struct ControlPanel;

// One row of a loop's device or other-device table.
struct LoopTableRow {
    std::string name;
    std::int64_t quantity = 0;
    Amount quiescent;
    Amount alarm;
    bool ledsDisabled = false;  // the alarm current is the one with the interface LEDs disabled
    friend bool operator==(const LoopTableRow&, const LoopTableRow&) = default;
};

// The device types on a loop (a slave base that takes no other devices counts as its own type),
// in name order, with their quantities and currents.
std::vector<LoopTableRow> DeviceTableRows(const clsCalculator& loop);
// The other devices on a loop, in type-number order.
std::vector<LoopTableRow> OtherDeviceTableRows(const clsCalculator& loop);
// The lines a loop's voltage chart takes, its empty line above included.
inline constexpr int kVoltageChartLines = 13;
// The number of lines a loop's detail block prints, with its voltage chart when asked for and
// the loop has one.
int LoopBlockLineCount(const clsCalculator& loop, bool voltageChart = false);

// The assumption on how devices are spread along the cable, chosen over the panel's loops.
std::string DistributionAssumption(DesignDocument& document, int panelLoops);

// Prints the first page header, the summary, the assumptions and the block of every loop in
// `loops` (rising loop numbers), each with its voltage chart when `voltageCharts` is set, and
// then the standby power block when `standby` is given. `panel` is the chosen panel (nullptr
// when none is chosen).
void PrintConfigurationData(PrintJobPages& pages, DesignDocument& document,
                            const ControlPanel* panel, const std::vector<int>& loops,
                            bool voltageCharts = false,
                            const StandbyPowerReport* standby = nullptr);
