#pragma once
// What the Print command asks of the windows: the printer and its description, the print dialog,
// and one run of the report on the printer or into a PDF file under the progress window.
#include <functional>
#include <string>
#include <vector>

#include "print/PageDevice.h"
#include "print/PrintJob.h"

class PrintDialogModel;
struct DateTime;

// Prints the current design's report with the chosen loops on a device.
using ReportRun = std::function<PrintResult(PageDevice& device, const std::vector<int>& loops)>;

class PrintView {
public:
    virtual ~PrintView() = default;

    // False on a machine without any printer.
    virtual bool PrinterAvailable() = 0;
    // The printer the report goes to, "name on port".
    virtual std::string PrinterDescription() = 0;
    // A date in the user's long date format, as the page header shows it.
    virtual std::string LongDate(const DateTime& date) = 0;
    // The print dialog, modal; its preview shows `report` with the dialog's current loops.
    virtual void ShowPrintDialog(PrintDialogModel& dialog, const ReportRun& report) = 0;
    // Runs the report on the printer, or into the PDF file `pdfPath` when that is given, while
    // the progress window names where it goes and offers Cancel.
    virtual PrintResult RunReport(const ReportRun& report, const std::vector<int>& loops,
                                  const std::string& pdfPath) = 0;
    // The main window stays disabled while a print job runs.
    virtual void SetMainWindowEnabled(bool enabled) = 0;
};
