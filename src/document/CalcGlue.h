#pragma once
// The glue between the document's eight loop calculators and the windows: gives each calculator
// the chosen panel's limits and recalculates it, tells the results to every installed loop
// results view (LoopResultsView.h) and the main window's rows to every installed main window
// view (MainWindowView.h), sums the loops for the totals row and the overall verdict, and guards
// a change to a panel with fewer loops, devices or outputs.
#include <cstdint>
#include <optional>
#include <string>

#include "document/LoopResultsView.h"
#include "document/MainWindowView.h"
#include "engine/StandbyPower.h"
#include "shell/Numbers.h"

// Sets the chosen panel's limits on the loop's calculator, calculates it (with the wiring
// checks) and refreshes the loop's displays and the totals.
void CalculateLoop(int loop, std::optional<bool> distribution = std::nullopt,
                   std::optional<std::int16_t> firstRunPercentage = std::nullopt);
// The same for loops 1 to 8 (after a panel change or after a file was opened). With
// `skipWiringChecks` false the wiring checks run as well (the windows always skip them).
void RecalculateAllLoops(bool skipWiringChecks = true);
void RefreshLoopDisplay(int loop);
void RefreshMainTotals();

// What the views are told of a loop, and of all loops.
LoopResults ResultsOfLoop(int loop);
SummaryRow RowOfLoop(int loop);
SummaryRow TotalsRow();
// The summed alarm current of all loops is above the chosen panel's maximum total current.
bool AlarmTotalAbovePanelLimit();

Amount TotalQuiescentAllLoops();
Amount TotalAlarmAllLoops();
std::int16_t TotalDevicesAllLoops();
// The two totals of the main window's totals row, for the standby battery.
LoopCurrentTotals StandbyLoopTotals();
// "Design Satisfactory" or "Design Not Satisfactory".
std::string OverallDesignText();

// Lowers every loop's outputs limit to what the new panel can drive.
void LimitMaxOutputs(std::uint8_t outputs);
// Panel-change guards. Each returns false when the user cancelled (nothing changed).
bool CheckPanelLoopCount(std::uint8_t oldLoops, std::uint8_t newLoops);
bool CheckPanelMaxDevices(std::int16_t oldHighest, std::int16_t newHighest);

// Empties one loop: no name, no devices, the last cable impedance and calculation type, the
// panel's outputs, and no carried values or eavesdrop flags.
void ClearLoop(int loop);
