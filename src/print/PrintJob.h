#pragma once
// A whole print job of the configuration report, as the print command runs it: the loops the
// print dialog pre-selects, the report's title, and one run from the first page header to the
// end of the document, ended early by the user's Cancel or by a failing output device.
#include <optional>
#include <string>
#include <vector>

#include "print/PageDevice.h"
#include "print/StandbyPowerBlock.h"

class DesignDocument;
struct ControlPanel;

// The loops of the panel (1 to panelLoops) that hold devices: the print dialog's pre-selection.
std::vector<int> PreselectedLoops(DesignDocument& document, int panelLoops);

// The product name and " Configuration Data", then " for: " and the file's name (without its
// folder) when the design has a file.
std::string ConfigurationPrintTitle(const std::string& documentPath);

enum class PrintOutcome { Printed, Cancelled, Failed };

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Printed;
    std::string message;  // the output device's complaint when it failed
    int pages = 0;        // pages printed (or begun, when the job ended early)
};

// The parts of the report that are printed only when the user asks for them.
struct ReportOptions {
    bool voltageCharts = false;  // each loop's voltage chart under its volt drop
    bool standbyPower = false;   // the standby power block after the loop blocks
};

struct PrintRequest {
    std::string title;           // see ConfigurationPrintTitle
    std::string headerDate;      // the design's modification date in the user's long date format
    std::vector<int> loops;      // the chosen loops, rising
    bool voltageCharts = false;  // each loop's voltage chart under its volt drop
    std::optional<StandbyPowerReport> standbyPower = std::nullopt;  // after the loop blocks
};

// The request for the current design with the options chosen; the standby power block's data
// (and the battery list) are read only when it is asked for.
PrintRequest CurrentPrintRequest(std::string headerDate, std::vector<int> loops,
                                 const ReportOptions& options);

// Prints the report of the design for the panel (nullptr when none is chosen) on the device.
// A cancel or a device failure discards the document; nothing of the design changes.
PrintResult PrintConfiguration(PageDevice& device, DesignDocument& document,
                               const ControlPanel* panel, const PrintRequest& request);
