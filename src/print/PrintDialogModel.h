#pragma once
// The print dialog (frmPrintCalc) without its window: the printer it names, the list of the
// panel's loops pre-selected by their devices, and whether the user confirmed the print.
#include <string>
#include <vector>

#include "print/PrintJob.h"

class DesignDocument;

class PrintDialogModel {
public:
    struct LoopEntry {
        std::string text;  // "Loop n"
        bool selected = false;
        friend bool operator==(const LoopEntry&, const LoopEntry&) = default;
    };

    // The loops 1 to panelLoops; a loop is pre-selected when it holds devices.
    PrintDialogModel(DesignDocument& document, int panelLoops, std::string printerDescription);

    // lblPrinterName; refreshed after the printer set-up (btnSetup). Print is offered only while
    // the printer can print: a machine without a printer has none until the set-up names one
    // (or a file to print to).
    const std::string& PrinterName() const { return printerName_; }
    void PrinterChanged(std::string printerDescription, bool canPrint = true) {
        printerName_ = std::move(printerDescription);
        canPrint_ = canPrint;
    }
    bool CanPrint() const { return canPrint_; }

    // lstLoop: one entry per loop of the panel. It and its label lblLoop are shown only with two
    // entries or more; a one-loop panel prints its only loop when that has devices.
    const std::vector<LoopEntry>& LoopEntries() const { return entries_; }
    bool LoopListVisible() const { return entries_.size() >= 2; }
    void SelectLoop(std::size_t index, bool selected);

    // btnPrint confirms, btnCancel does not; "Save as PDF..." confirms with the file to write
    // the report to instead of the printer.
    void Print() {
        confirmed_ = true;
        pdfPath_.clear();
    }
    void SaveAsPdf(std::string path) {
        confirmed_ = true;
        pdfPath_ = std::move(path);
    }
    void Cancel() { confirmed_ = false; }
    bool Confirmed() const { return confirmed_; }
    // The PDF file chosen; empty when the report goes to the printer.
    const std::string& PdfPath() const { return pdfPath_; }

    // chkVoltageCharts: each loop's voltage chart under its volt drop; off until ticked.
    bool VoltageCharts() const { return options_.voltageCharts; }
    void VoltageCharts(bool value) { options_.voltageCharts = value; }
    // chkStandbyPower: the standby power block after the loop blocks; off until ticked.
    bool StandbyPower() const { return options_.standbyPower; }
    void StandbyPower(bool value) { options_.standbyPower = value; }
    const ReportOptions& Options() const { return options_; }

    // The loops whose entries are selected, rising.
    std::vector<int> ChosenLoops() const;

private:
    std::string printerName_;
    std::vector<LoopEntry> entries_;
    std::string pdfPath_;
    bool canPrint_ = true;
    bool confirmed_ = false;
    ReportOptions options_;
};

// A printer's description as the dialog and the progress window show it: "name on port".
std::string PrinterDescriptionText(const std::string& name, const std::string& port);
