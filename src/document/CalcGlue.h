#pragma once
// The glue between the document's eight loop calculators and the windows: gives each calculator
// the chosen panel's limits and recalculates it, writes the results into the loop editor and the
// main window through a display interface, sums the loops for the totals row and the overall
// verdict, and guards a change to a panel with fewer loops, devices or outputs.
#include <cstdint>
#include <optional>
#include <string>

#include "shell/Numbers.h"

// What a loop editor shows of its loop's last calculation.
struct LoopEditorResults {
    std::string lblQty;               // devices + addressable slave bases
    std::string lblQuiescentDevices;  // lblQuiescent(99)
    std::string lblAlarmDevices;      // lblAlarm(99)
    std::string lblQuiescentTotal;    // lblQuiescent(100)
    std::string lblAlarmTotal;        // lblAlarm(100)
    std::string lblPanelLimit;        // "* - " + PanelLimitText
    bool panelLimitVisible = false;   // lblOutLimit, lblPanelLimitStar and lblPanelLimit
    std::string lblMaxVoltDrop;       // "(Max. permissible = 12.3 V)"
    std::string txtVoltDrop;          // "1.2 V"
    // Calculation type 1: the total run in display units for txtTotalLength.
    std::optional<std::string> txtTotalLength;
    // Calculation type 2: the cable list selects the cable of this impedance.
    std::optional<std::int16_t> selectCableImpedance;
    bool lblLimitCableRunVisible = false;  // the total run is at its 2000 m limit
    std::string lblPassFail;               // LoopDesignLong, bold size 12
    std::string lblExplanation;            // DesignExplanation
};

// One row of the main window: a loop (1 to 8) or the totals row (99).
struct MainWindowRow {
    std::string lblDevice;
    std::string lblQuiescent;
    std::string lblAlarm;
    std::string lblPassFail;
};

inline constexpr int kTotalsRow = 99;

// The windows implement this; the default shows nothing.
class CalcDisplay {
public:
    virtual ~CalcDisplay() = default;
    // Every open loop editor whose LoopNum is `loop` shows these results.
    virtual void ShowLoopEditorResults(int /*loop*/, const LoopEditorResults& /*results*/) {}
    // The main window (when it exists) shows a loop's row or the totals row.
    virtual void ShowMainWindowRow(int /*row*/, const MainWindowRow& /*values*/) {}
    // lblAlarmNotes: the summed alarm current is above the panel's maximum total current.
    virtual void ShowAlarmNotes(bool /*visible*/) {}
};
CalcDisplay& CurrentCalcDisplay();
// Installs a display; returns the previous one. The caller keeps ownership; nullptr restores
// the default.
CalcDisplay* SetCalcDisplay(CalcDisplay* display);

// Sets the chosen panel's limits on the loop's calculator, calculates it (with the wiring
// checks) and refreshes the loop's displays and the totals.
void CalculateLoop(int loop, std::optional<bool> distribution = std::nullopt,
                   std::optional<std::int16_t> firstRunPercentage = std::nullopt);
// The same for loops 1 to 8 (after a panel change or after a file was opened). With
// `skipWiringChecks` false the wiring checks run as well (the windows always skip them).
void RecalculateAllLoops(bool skipWiringChecks = true);
void RefreshLoopDisplay(int loop);
void RefreshMainTotals();

Amount TotalQuiescentAllLoops();
Amount TotalAlarmAllLoops();
std::int16_t TotalDevicesAllLoops();
// "Design Satisfactory" or "Design Not Satisfactory".
std::string OverallDesignText();

// Panel-change guards. Each returns false when the user cancelled (nothing changed).
bool LimitMaxOutputs(std::uint8_t outputs);
bool CheckPanelLoopCount(std::uint8_t oldLoops, std::uint8_t newLoops);
bool CheckPanelMaxDevices(std::int16_t oldHighest, std::int16_t newHighest);

// Empties one loop: no name, no devices, the last cable impedance and calculation type, the
// panel's outputs, and no carried values or eavesdrop flags.
void ClearLoop(int loop);
