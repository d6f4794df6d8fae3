#include "print/PrintJob.h"

#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "print/PrintCalcData.h"
#include "print/PrintDialogModel.h"
#include "print/Printing.h"
#include "shell/Product.h"

std::vector<int> PreselectedLoops(DesignDocument& document, int panelLoops) {
    return PrintDialogModel(document, panelLoops, "").ChosenLoops();
}

std::string ConfigurationPrintTitle(const std::string& documentPath) {
    std::string title = std::string(kProductName) + " Configuration Data";
    const std::size_t slash = documentPath.find_last_of('/');
    const std::string fileName =
        slash == std::string::npos ? documentPath : documentPath.substr(slash + 1);
    if (!fileName.empty()) title += " for: " + fileName;
    return title;
}

namespace {

void DiscardQuietly(PageDevice& device) {
    try {
        device.DiscardDocument();
    } catch (const PageDeviceError&) {
        // The job has already failed; what is left of it goes with it.
    }
}

}  // namespace

PrintResult PrintConfiguration(PageDevice& device, DesignDocument& document,
                               const ControlPanel* panel, const PrintRequest& request) {
    PrintJobPages pages(device, {request.title, true, request.headerDate});
    PrintResult result;
    try {
        pages.Start();
        PrintConfigurationData(pages, document, panel, request.loops, request.voltageCharts,
                               request.standbyPower ? &*request.standbyPower : nullptr);
    } catch (const PrintCancelled&) {
        DiscardQuietly(device);
        result.outcome = PrintOutcome::Cancelled;
    } catch (const PageDeviceError& error) {
        DiscardQuietly(device);
        result.outcome = PrintOutcome::Failed;
        result.message = error.what();
    }
    result.pages = device.PageNumber();
    return result;
}
