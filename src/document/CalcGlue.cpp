#include "document/CalcGlue.h"

#include <exception>

#include "catalogue/Options.h"
#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "engine/Scaling.h"
#include "engine/clsCalculator.h"
#include "shell/ErrorHandler.h"
#include "shell/Platform.h"

namespace {

// The chosen panel, or an empty record when no panel is chosen.
const ControlPanel& ChosenPanel() {
    static const ControlPanel none{};
    const ControlPanel* chosen = ChosenPanelRecord();
    return chosen ? *chosen : none;
}

void SetPanelLimits(clsCalculator& calc) {
    const ControlPanel& p = ChosenPanel();
    calc.SetPanelData(p.AlarmLEDs, p.RemoteLEDs, p.Outputs, p.MinLoopVoltage, p.MaxLoopCurrent,
                      p.DriverImpedance);
}

std::int32_t DevicesShown(const clsCalculator& calc) {
    return calc.QtyDevices() + calc.QtyAddressableSlaveBases();
}

// Unforeseen failures of a recalculation go to the common error handler: Retry calculates
// again, Ignore leaves the displays as they are.
template <typename Work>
void GuardCalculation(const char* section, Work work) {
    RunRetryingOnFault(section, [&] {
        try {
            work();
        } catch (const RuntimeFault&) {
            throw;
        } catch (const std::exception& e) {
            throw RuntimeFault{5, e.what()};
        }
        return true;
    });
}

// Loops that exist in the design, clipped to 1..8 (a panel record may claim more).
int ClipLoop(int loop) {
    return loop < 0 ? 0 : (loop > kLoopCount ? kLoopCount : loop);
}

}  // namespace

void CalculateLoop(int loop, std::optional<bool> distribution,
                   std::optional<std::int16_t> firstRunPercentage) {
    BusyPointer busy;
    // Without the flag both default; without the percentage it is 0.
    const bool flag = distribution.value_or(false);
    const std::int16_t percentage = distribution ? firstRunPercentage.value_or(0) : 0;
    GuardCalculation("CalculateLoop", [&] {
        clsCalculator& calc = CurrentDocument().LoopModel(loop);
        SetPanelLimits(calc);
        calc.Calculate(flag, percentage, true);
        RefreshLoopDisplay(loop);
        RefreshMainTotals();
    });
}

void RecalculateAllLoops(bool skipWiringChecks) {
    BusyPointer busy;
    GuardCalculation("RecalculateAllLoops", [&] {
        for (int loop = 1; loop <= kLoopCount; ++loop) {
            clsCalculator& calc = CurrentDocument().LoopModel(loop);
            SetPanelLimits(calc);
            calc.Calculate(false, 0, skipWiringChecks);
            RefreshLoopDisplay(loop);
        }
        RefreshMainTotals();
    });
}

// The texts are worked out only for displays that are there: the command-line tool has none.
void RefreshLoopDisplay(int loop) {
    if (LatestInstalled<LoopResultsView>()) {
        const LoopResults results = ResultsOfLoop(loop);
        TellInstalled<LoopResultsView>(
            [&](LoopResultsView& v) { v.ShowLoopResults(loop, results); });
    }
    if (LatestInstalled<MainWindowView>()) {
        const SummaryRow row = RowOfLoop(loop);
        TellInstalled<MainWindowView>([&](MainWindowView& v) { v.ShowLoopRow(loop, row); });
    }
}

void RefreshMainTotals() {
    if (!LatestInstalled<MainWindowView>()) return;
    const bool alarmNote = AlarmTotalAbovePanelLimit();
    const SummaryRow totals = TotalsRow();
    TellInstalled<MainWindowView>([&](MainWindowView& v) {
        v.ShowAlarmNote(alarmNote);
        v.ShowTotalsRow(totals);
    });
}

LoopResults ResultsOfLoop(int loop) {
    const clsCalculator& calc = CurrentDocument().LoopModel(loop);
    LoopResults r;
    r.deviceCount = FormatGeneral(static_cast<std::int64_t>(DevicesShown(calc)));
    r.quiescentDevices = CurrentText(calc.QuiescentCurrentDevices());
    r.alarmDevices = CurrentText(calc.AlarmCurrentDevices());
    r.quiescentTotal = CurrentText(calc.QuiescentCurrentTotal());
    r.alarmTotal = CurrentText(calc.AlarmCurrentTotal());
    const std::string limit = calc.PanelLimitText();
    r.panelLimitNote = "* - " + limit;
    r.panelLimitVisible = !limit.empty();
    r.maxVoltDropNote = "(Max. permissible = " + FormatFixed(calc.MaxVoltDrop(), 1) + " V)";
    r.voltDrop = FormatFixed(calc.VoltDrop(), 1) + " V";
    if (calc.CalcType() == 1) r.totalRun = LengthToText(calc.CableTotal());
    if (calc.CalcType() == 2) r.cableImpedance = calc.CableImpedance();
    r.cableRunAtLimit = calc.CableTotal() >= clsCalculator::kMaxCableLength;
    r.verdictLong = calc.LoopDesignLong();
    r.profile = ProfileOfLoop(calc);
    r.explanation = calc.DesignExplanation();
    return r;
}

SummaryRow RowOfLoop(int loop) {
    const clsCalculator& calc = CurrentDocument().LoopModel(loop);
    return {FormatGeneral(static_cast<std::int64_t>(DevicesShown(calc))),
            CurrentText(calc.QuiescentCurrentTotal()), CurrentText(calc.AlarmCurrentTotal()),
            calc.LoopDesignShort()};
}

SummaryRow TotalsRow() {
    return {FormatGeneral(static_cast<std::int64_t>(TotalDevicesAllLoops())),
            CurrentText(TotalQuiescentAllLoops()), CurrentText(TotalAlarmAllLoops()),
            OverallDesignText()};
}

// The summed alarm current (µA) against the panel's maximum total current (mA, not rounded).
bool AlarmTotalAbovePanelLimit() {
    return TotalAlarmAllLoops() > Amount::FromWhole(ChosenPanel().MaxTotalCurrent) * 1000;
}

Amount TotalQuiescentAllLoops() {
    Amount sum;
    for (int loop = 1; loop <= kLoopCount; ++loop)
        sum += CurrentDocument().LoopModel(loop).QuiescentCurrentTotal();
    return sum;
}

Amount TotalAlarmAllLoops() {
    Amount sum;
    for (int loop = 1; loop <= kLoopCount; ++loop)
        sum += CurrentDocument().LoopModel(loop).AlarmCurrentTotal();
    return sum;
}

LoopCurrentTotals StandbyLoopTotals() {
    return {TotalQuiescentAllLoops(), TotalAlarmAllLoops()};
}

std::int16_t TotalDevicesAllLoops() {
    std::int32_t sum = 0;  // at most 8 x 512, well inside 16 bits
    for (int loop = 1; loop <= kLoopCount; ++loop)
        sum += DevicesShown(CurrentDocument().LoopModel(loop));
    return static_cast<std::int16_t>(sum);
}

std::string OverallDesignText() {
    bool satisfactory = !AlarmTotalAbovePanelLimit();
    for (int loop = 1; loop <= kLoopCount && satisfactory; ++loop)
        satisfactory = CurrentDocument().LoopModel(loop).DesignIsSatisfactory();
    return satisfactory ? "Design Satisfactory" : "Design Not Satisfactory";
}

void LimitMaxOutputs(std::uint8_t outputs) {
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        clsCalculator& calc = CurrentDocument().LoopModel(loop);
        if (calc.MaxOutput() > outputs) calc.MaxOutput(outputs);
    }
}

bool CheckPanelLoopCount(std::uint8_t oldLoops, std::uint8_t newLoops) {
    if (oldLoops <= newLoops) return true;
    const int first = ClipLoop(newLoops + 1), last = ClipLoop(oldLoops);
    bool losesDevices = false;
    for (int loop = first; loop <= last && loop >= 1; ++loop)
        losesDevices = losesDevices || CurrentDocument().LoopModel(loop).QtyDevices() > 0;
    if (losesDevices) {
        const std::string which =
            oldLoops == newLoops + 1
                ? " " + FormatGeneral(static_cast<std::int64_t>(oldLoops)) + "."
                : "s " + FormatGeneral(static_cast<std::int64_t>(newLoops + 1)) + " to " +
                      FormatGeneral(static_cast<std::int64_t>(oldLoops)) + ".";
        if (ShowMessage("Changing to this panel will lose data for loop" + which,
                        "Control Panel change", MsgIcon::Information,
                        MsgButtons::OKCancel) == MsgResult::Cancel)
            return false;
    }
    for (int loop = first; loop <= last && loop >= 1; ++loop)
        ClearLoop(loop);
    return true;
}

bool CheckPanelMaxDevices(std::int16_t oldHighest, std::int16_t newHighest) {
    if (oldHighest <= newHighest) return true;
    int affected = 0;
    for (int loop = 1; loop <= kLoopCount; ++loop)
        if (CurrentDocument().LoopModel(loop).QtyDevices() > newHighest) ++affected;
    if (affected == 0) return true;
    const std::string text =
        "There are more than " + FormatGeneral(static_cast<std::int64_t>(newHighest)) +
        " addressable devices on " +
        (affected == 1 ? "a loop. Changing to this panel will lose data for this loop."
                       : "some loops. Changing to this panel will lose data for these loops.");
    if (ShowMessage(text, "Control Panel change", MsgIcon::Information, MsgButtons::OKCancel) ==
        MsgResult::Cancel)
        return false;
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        clsCalculator& calc = CurrentDocument().LoopModel(loop);
        if (calc.QtyDevices() <= newHighest) continue;
        // Keep the devices of the lowest occupied slots; other devices, bases and standalone
        // devices stay where they are.
        int kept = 0;
        for (int slot = 0; slot < clsCalculator::kSlotCount; ++slot) {
            if (calc.DeviceType(slot) == 0) continue;
            if (kept < newHighest)
                ++kept;
            else
                calc.DeviceType(slot, 0);
        }
    }
    return true;
}

void ClearLoop(int loop) {
    DesignDocument& doc = CurrentDocument();
    doc.LoopName(loop).clear();
    clsCalculator& calc = doc.LoopModel(loop);
    calc.ClearData();
    calc.CableImpedance(GetLastCableImpedance());
    calc.MaxOutput(GetCurrentPanel() < 0 ? 0 : ChosenPanel().Outputs);
    calc.CalcType(GetLastCalcType());
    doc.ClearCarriedData(loop);
}
