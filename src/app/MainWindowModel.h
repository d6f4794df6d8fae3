#pragma once
// The rules of the main window, without a window: start-up, the first activation with the first
// run and the command line, the panel list and the panel change, the File commands with the save
// question, the site name, the loop rows and the alarm note. The window shows what the model
// sends to its MainFormView and forwards the user's actions here.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainFormView.h"
#include "document/ConfigReader.h"

class CoreHooks;

class MainWindowModel {
public:
    explicit MainWindowModel(MainFormView& view);
    ~MainWindowModel();
    MainWindowModel(const MainWindowModel&) = delete;
    MainWindowModel& operator=(const MainWindowModel&) = delete;

    // Loads the settings, the recent files and every catalogue, selects the last panel and starts
    // a new design. False when a catalogue failed: it has reported itself and the program ends.
    bool Start();
    // The first activation (later calls do nothing): closes the splash, runs the first-run
    // choices and the welcome window, or the new-version window, then the command line.
    void Activate(const std::string& commandLine);

    void NewCommand();
    void OpenCommand();
    bool SaveCommand();
    bool SaveAsCommand();
    // The Print command: a changed read-only design is refused; otherwise the print dialog
    // chooses the loops and the report is printed (or saved as a PDF file).
    void RunPrintCommand();
    // Prints the report with the loops on the printer, or into `pdfPath` when given, with the
    // main window disabled until the job has ended, printed, cancelled or failed. A failing
    // output device is reported in a message. The optional parts are printed when asked for.
    PrintResult PrintReport(const std::vector<int>& loops, const std::string& pdfPath = "",
                            const ReportOptions& options = {});
    // A recent-file entry of the File menu (0 = the newest).
    void OpenRecentCommand(std::size_t index);
    // Exit, Close or the window's close box: false keeps the window open.
    bool QueryClose();
    bool Closing() const { return closing_; }

    void SiteNameEdited(const std::string& text);
    // A panel picked in the list; a refused change selects the previous panel again.
    void PanelChosen(int panel);

    // The panel list: every maker with panels, user-defined panels last; deleted panels left out.
    static std::vector<PanelGroup> BuildPanelGroups();
    // "(max. permissible = " + the panel's maximum total current + " mA)".
    static std::string AlarmNoteCaption(int panel);
    // Rows shown for the panel: its number of loops, at most 8.
    static int LoopRowCount(int panel);

    // The main window's place from the last run; nothing when none was stored.
    static std::optional<WindowPlacement> SavedPlacement();
    void StorePlacement(const WindowPlacement& placement);

    // Enables the user-defined panels' Edit and Delete entries only while such a panel exists.
    void CheckCustomPanelMenu();
    // After the options dialog stored new units, families or cables: the rows and totals are
    // shown again in the units now chosen.
    void OptionsChanged();

    // Called by the core's hooks.
    void ShowPanelChoice();
    MainFormView& View() { return view_; }
    // Runs work that may meet an unforeseen fault: the error box is shown, Retry runs it again,
    // Ignore skips it and Abort ends the program (through the platform). True when the work ran
    // to its end.
    template <typename Work>
    bool Guarded(const char* area, Work work);

private:
    void ChangePanel();
    OpenResult Open(const std::string& path, bool readOnly);
    void RunCommandLine(const std::string& commandLine);
    void RunFirstRun();
    // /p on a machine without a printer: the report goes to a PDF file beside the design.
    void PrintToPdfBesideDesign();
    // The report of the current design; `options` answers, when it runs, which optional parts
    // are printed.
    ReportRun CurrentReport(std::function<ReportOptions()> options);

    MainFormView& view_;
    std::unique_ptr<CoreHooks> hooks_;
    bool firstActivationPending_ = false;
    bool closing_ = false;
};
