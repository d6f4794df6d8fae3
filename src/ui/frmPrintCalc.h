#pragma once
// The print dialog: the printer the report goes to, the loops to detail, the report's optional
// parts (voltage charts, standby power), the printer set-up, a preview of the report, saving it
// as a PDF file, Print and Cancel. It binds PrintDialogModel.
#include <QDialog>

#include "app/PrintView.h"

class PrintDialogModel;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;

class frmPrintCalc : public QDialog {
    Q_OBJECT
public:
    // `report` draws the report with the chosen loops for the preview; `pdfSuggestion` is the
    // file name the PDF choice offers first.
    frmPrintCalc(PrintDialogModel& model, QPrinter& printer, ReportRun report,
                 QString pdfSuggestion, QWidget* parent);

    void reject() override;

private:
    void ShowPrinterName();
    void Setup();
    void Preview();
    void SaveAsPdf();

    PrintDialogModel& model_;
    QPrinter& printer_;
    ReportRun report_;
    QString pdfSuggestion_;
    QLabel* lblPrinterName_;
    QListWidget* lstLoop_;
    QPushButton* btnPrint_ = nullptr;
};
