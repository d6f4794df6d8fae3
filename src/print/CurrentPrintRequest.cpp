// The request for the design being edited; kept apart from the report's layout, which takes
// everything it prints as given.
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "print/PrintJob.h"

namespace {

// The design's inputs and the main window's loop totals. No battery list is read yet: the block
// gives the required capacity without a size to recommend.
StandbyPowerReport CurrentStandbyPowerReport() {
    return {CurrentDocument().StandbyPower, StandbyLoopTotals(), std::nullopt};
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
