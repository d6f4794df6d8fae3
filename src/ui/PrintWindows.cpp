#include "ui/PrintWindows.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "app/PrintTexts.h"
#include "document/DesignDocument.h"
#include "qtprint/PdfFile.h"
#include "qtprint/QtPageDevice.h"
#include "qtprint/QtPrintEnvironment.h"
#include "ui/frmPrintCalc.h"
#include "ui/waitPrint.h"

PrintWindows::PrintWindows(QWidget& mainWindow) : mainWindow_(mainWindow) {}

PrintWindows::~PrintWindows() = default;

QPrinter& PrintWindows::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool PrintWindows::PrinterAvailable() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

std::string PrintWindows::PrinterDescription() {
    return ::PrinterDescription(Printer());
}

std::string PrintWindows::LongDate(const DateTime& date) {
    return LongDateText(date);
}

void PrintWindows::ShowPrintDialog(PrintDialogModel& dialog, const ReportRun& report) {
    frmPrintCalc window(dialog, Printer(), report,
                        QString::fromStdString(PdfPathBeside(CurrentDocument().DocumentPath)),
                        &mainWindow_);
    window.exec();
}

PrintResult PrintWindows::RunReport(const ReportRun& report, const std::vector<int>& loops,
                                    const std::string& pdfPath) {
    if (!pdfPath.empty()) return WritePdf(report, loops, pdfPath);
    return waitPrint::Run(&mainWindow_, QString::fromStdString(PrinterDescription()), [&] {
        QtPrinterDevice device(Printer());
        return report(device, loops);
    });
}

// The PDF takes the place of an existing file only when it is complete.
PrintResult PrintWindows::WritePdf(const ReportRun& report, const std::vector<int>& loops,
                                   const std::string& pdfPath) {
    return WritePdfFile(pdfPath, ConfigurationPrintTitle(CurrentDocument().DocumentPath),
                        [&](PageDevice& device) {
                            return waitPrint::Run(&mainWindow_, QString::fromStdString(pdfPath),
                                                  [&] { return report(device, loops); });
                        });
}
