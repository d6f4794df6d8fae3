#pragma once
// What the main window shows and asks, as its model drives it. The windowed program implements it
// with widgets; the model's tests implement it with a recorder.
#include <optional>
#include <string>
#include <vector>

#include "app/PrintView.h"
#include "document/MainWindowView.h"
#include "document/OpenPrompts.h"

// The panels of one maker, in the order the list shows them (panel numbers of the catalogue).
struct PanelGroup {
    std::string maker;
    std::vector<int> panels;
    friend bool operator==(const PanelGroup&, const PanelGroup&) = default;
};

// The Open dialog's answer.
struct OpenChoice {
    std::string path;
    bool readOnly = false;
};

// The file dialogs' titles and filters.
inline constexpr const char* kOpenDialogTitle = "Open Configuration Data";
inline constexpr const char* kSaveDialogTitle = "Save Configuration Data";
inline constexpr const char* kDesignFilesFilter = "Quelmar Files";
inline constexpr const char* kDesignFilesPattern = "*.QMR";
inline constexpr const char* kAllFilesFilter = "All Files";

// Where the main window was and how large, as the settings keep it between runs.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

class MainFormView {
public:
    virtual ~MainFormView() = default;

    virtual void ShowCaption(const std::string& caption) = 0;
    virtual void ShowSiteName(const std::string& siteName) = 0;
    virtual void ShowPanelList(const std::vector<PanelGroup>& groups) = 0;
    // Selects the panel in the list and shows its maker (lblManufacturer).
    virtual void ShowChosenPanel(int panel, const std::string& maker) = 0;
    // Loop rows 1 to count are shown, the others hidden.
    virtual void ShowLoopRowCount(int count) = 0;
    virtual void ShowLoopRow(int loop, const SummaryRow& row) = 0;
    virtual void ShowTotalsRow(const SummaryRow& totals) = 0;
    virtual void ShowAlarmNoteCaption(const std::string& caption) = 0;
    virtual void ShowAlarmNoteVisible(bool visible) = 0;
    // The File menu's recent-file entries: full paths, newest first.
    virtual void ShowRecentFiles(const std::vector<std::string>& paths) = 0;
    // "&Edit..." and "&Delete..." of the user-defined panel menu.
    virtual void ShowCustomPanelEdits(bool enabled) = 0;

    virtual void ShowSplash() = 0;
    virtual void CloseSplash() = 0;
    // The welcome window; true when it was closed with its box ticked.
    virtual bool ShowWelcome() = 0;
    // The new-version window; true when it was closed with its box ticked.
    virtual bool ShowNewVersion(const std::string& text) = 0;

    // The Open dialog (title, filter, starting folder, read-only box); nothing on Cancel.
    virtual std::optional<OpenChoice> ChooseFileToOpen(const std::string& folder) = 0;
    // The Save As dialog; nothing on Cancel.
    virtual std::optional<std::string> ChooseFileToSave(const std::string& folder,
                                                        const std::string& initialPath) = 0;
    // The open-progress window and the unknown-device dialog an open talks to.
    virtual OpenProgressView& ProgressView() = 0;
    virtual IgnoreUnknownPrompt& UnknownPrompt() = 0;

    // The print dialog, the progress window and the printer.
    virtual PrintView& Printing() = 0;

    // Closes the main window as the user would (the save question included).
    virtual void CloseMainWindow() = 0;
};
