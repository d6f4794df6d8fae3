#pragma once
// What the main window shows of the design. The main window implements MainWindowView and
// installs it for its lifetime with ScopedInstall<MainWindowView>; every installed view is told.
// Nothing is shown while none is installed (the command-line tool reads the results directly).
#include <string>

#include "shell/ScopedInstall.h"

// One summary row of the main window, as texts ready to show: a loop's row, or the totals row
// under them.
struct SummaryRow {
    std::string deviceCount;     // devices + addressable slave bases, general number format
    std::string quiescentTotal;  // current text ("0 mA", "850 µA", "12 mA")
    std::string alarmTotal;
    // A loop's short verdict ("Satisfactory", ...); on the totals row the overall verdict
    // ("Design Satisfactory" or "Design Not Satisfactory").
    std::string verdict;
    friend bool operator==(const SummaryRow&, const SummaryRow&) = default;
};

class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    // The window caption (CaptionText in DocumentRules.h).
    virtual void ShowCaption(const std::string& caption) = 0;
    // The site name field.
    virtual void ShowSiteName(const std::string& siteName) = 0;
    // After an open: refill the panel list and apply the chosen panel (rows shown, maker label,
    // the alarm note's caption).
    virtual void ShowPanelChoice() = 0;
    // The row of loop 1 to 8 after it was calculated.
    virtual void ShowLoopRow(int loop, const SummaryRow& row) = 0;
    // The totals row after any loop was calculated.
    virtual void ShowTotalsRow(const SummaryRow& row) = 0;
    // The alarm note: shown exactly when the summed alarm current of all loops is above the
    // panel's maximum total current.
    virtual void ShowAlarmNote(bool visible) = 0;
};
