#pragma once
// A main window view that keeps what it was shown and answers the dialogs from a script.
#include <optional>
#include <string>
#include <vector>

#include "app/MainFormView.h"
#include "print/PrintDialogModel.h"

struct RecordingView : MainFormView, IgnoreUnknownPrompt {
    std::string caption;
    int chosenPanel = -1;
    int rowCount = 0;
    SummaryRow totals;
    std::vector<std::string> recent;
    bool welcomeTicked = true;
    bool customPanelEdits = false;
    int welcomes = 0, newVersions = 0, closes = 0, saveDialogs = 0;
    std::optional<OpenChoice> openAnswer;
    std::optional<std::string> saveAnswer;

    void ShowCaption(const std::string& c) override { caption = c; }
    void ShowSiteName(const std::string&) override {}
    void ShowPanelList(const std::vector<PanelGroup>&) override {}
    void ShowChosenPanel(int panel, const std::string&) override { chosenPanel = panel; }
    void ShowLoopRowCount(int count) override { rowCount = count; }
    void ShowLoopRow(int, const SummaryRow&) override {}
    void ShowTotalsRow(const SummaryRow& t) override { totals = t; }
    void ShowAlarmNoteCaption(const std::string&) override {}
    void ShowAlarmNoteVisible(bool) override {}
    void ShowRecentFiles(const std::vector<std::string>& paths) override { recent = paths; }
    void ShowCustomPanelEdits(bool enabled) override { customPanelEdits = enabled; }
    void ShowSplash() override {}
    void CloseSplash() override {}
    bool ShowWelcome() override {
        ++welcomes;
        return welcomeTicked;
    }
    bool ShowNewVersion(const std::string&) override {
        ++newVersions;
        return true;
    }
    std::optional<OpenChoice> ChooseFileToOpen(const std::string&) override { return openAnswer; }
    std::optional<std::string> ChooseFileToSave(const std::string&, const std::string&) override {
        ++saveDialogs;
        return saveAnswer;
    }
    OpenProgressView& ProgressView() override { return progress; }
    IgnoreUnknownPrompt& UnknownPrompt() override { return *this; }
    char UnknownResponse(std::int16_t, std::int16_t, std::int16_t) override { return 'A'; }
    SilentOpenProgress progress;
    PrintView& Printing() override { return printing; }
    void CloseMainWindow() override { ++closes; }

    // No printer: a report is only ever written as a PDF file, which is recorded, not written.
    // The print dialog is answered with Save as PDF when `pdfAnswer` is set, else with Cancel.
    struct RecordingPrint : PrintView {
        std::optional<std::string> pdfAnswer;
        std::string dialogPrinter;
        bool dialogCanPrint = true;
        std::vector<std::string> pdfPaths;
        std::vector<bool> enabledDuringRuns;
        bool enabled = true;
        bool PrinterAvailable() override { return false; }
        std::string PrinterDescription() override { return "PDF on "; }
        std::string LongDate(const DateTime&) override { return "today"; }
        void ShowPrintDialog(PrintDialogModel& dialog, const ReportRun&) override {
            dialogPrinter = dialog.PrinterName();
            dialogCanPrint = dialog.CanPrint();
            if (pdfAnswer) dialog.SaveAsPdf(*pdfAnswer);
        }
        PrintResult RunReport(const ReportRun&, const std::vector<int>&,
                              const std::string& pdfPath) override {
            pdfPaths.push_back(pdfPath);
            enabledDuringRuns.push_back(enabled);
            return {};
        }
        void SetMainWindowEnabled(bool e) override { enabled = e; }
    } printing;
};
