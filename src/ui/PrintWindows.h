#pragma once
// The Print command's windows on Qt: the system's default printer (kept, as its set-up leaves it,
// from one job to the next), the print dialog, and each job under the progress window.
#include <QWidget>
#include <memory>

#include "app/PrintView.h"

class QPrinter;

class PrintWindows : public PrintView {
public:
    explicit PrintWindows(QWidget& mainWindow);
    ~PrintWindows() override;

    bool PrinterAvailable() override;
    std::string PrinterDescription() override;
    std::string LongDate(const DateTime& date) override;
    void ShowPrintDialog(PrintDialogModel& dialog, const ReportRun& report) override;
    PrintResult RunReport(const ReportRun& report, const std::vector<int>& loops,
                          const std::string& pdfPath) override;
    void SetMainWindowEnabled(bool enabled) override { mainWindow_.setEnabled(enabled); }

private:
    QPrinter& Printer();
    PrintResult WritePdf(const ReportRun& report, const std::vector<int>& loops,
                         const std::string& pdfPath);

    QWidget& mainWindow_;
    // Made at the first print: asking the print system for it takes time the start-up has not.
    std::unique_ptr<QPrinter> printer_;
};
