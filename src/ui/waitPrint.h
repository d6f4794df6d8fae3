#pragma once
// The progress window of a print job: where the report goes, the page counter and Cancel, which
// ends the job at its next page header.
#include <functional>

#include "print/PrintJob.h"
#include "ui/ProgressDialog.h"

class QLabel;

class waitPrint : public ProgressDialog {
    Q_OBJECT
public:
    waitPrint(const QString& printerDescription, QWidget* parent);

    // Shows the window over `parent` while `job` runs; the page counter the job reports and the
    // Cancel button are bound to the installed platform for that time.
    static PrintResult Run(QWidget* parent, const QString& printerDescription,
                           const std::function<PrintResult()>& job);

    void ShowPageCounter(const QString& text);

private:
    QLabel* lblPrinterName_;
    QLabel* lblPage_;
};
