#include "ui/PrintWindows.h"

#include <sys/stat.h>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <filesystem>

#include "app/PrintTexts.h"
#include "document/DesignDocument.h"
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

// The PDF is written to a temporary file beside the chosen one and takes its place only when it
// is complete: a cancelled or failed job leaves an existing file as it was.
PrintResult PrintWindows::WritePdf(const ReportRun& report, const std::vector<int>& loops,
                                   const std::string& pdfPath) {
    QTemporaryFile temporary(QString::fromStdString(pdfPath) + ".XXXXXX");
    if (!temporary.open()) return {PrintOutcome::Failed, "", 0};
    const std::string temporaryPath = temporary.fileName().toStdString();
    temporary.close();
    PrintResult result = waitPrint::Run(&mainWindow_, QString::fromStdString(pdfPath), [&] {
        QtPdfDevice device(temporaryPath, ConfigurationPrintTitle(CurrentDocument().DocumentPath));
        return report(device, loops);
    });
    if (result.outcome != PrintOutcome::Printed) return result;
    std::error_code error;
    std::filesystem::rename(temporaryPath, pdfPath, error);
    if (error) return {PrintOutcome::Failed, error.message(), result.pages};
    temporary.setAutoRemove(false);
    // A temporary file is private to its owner; the PDF gets the access of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    std::filesystem::permissions(pdfPath, static_cast<std::filesystem::perms>(0666 & ~mask), error);
    return result;
}
