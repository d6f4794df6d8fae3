// The request for the design being edited; kept apart from the report's layout, which takes
// everything it prints as given.
#include "catalogue/Batteries.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "print/PrintJob.h"

namespace {

// The design's inputs and the main window's loop totals, with the battery list (read on its
// first use; a list that cannot be read has shown its problem then).
StandbyPowerReport CurrentStandbyPowerReport() {
    StandbyPowerReport report{CurrentDocument().StandbyPower, StandbyLoopTotals(), std::nullopt};
    if (LoadBatteryCatalogue()) report.batterySizes = BatterySizes();
    return report;
}

}  // namespace

PrintRequest CurrentPrintRequest(std::string headerDate, std::vector<int> loops,
                                 const ReportOptions& options) {
    PrintRequest request{ConfigurationPrintTitle(CurrentDocument().DocumentPath),
                         std::move(headerDate), std::move(loops), options.voltageCharts,
                         std::nullopt};
    if (options.standbyPower) request.standbyPower = CurrentStandbyPowerReport();
    return request;
}
