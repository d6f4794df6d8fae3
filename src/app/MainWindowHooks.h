#pragma once
// Attaches the main window's model to the core for the model's lifetime: the main window's rows,
// totals, caption and site name, the panel choice after an open, the Save As chooser and the
// recent-file entries reach the model's view through this one adapter.
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentRules.h"
#include "document/MainWindowView.h"
#include "shell/RecentFiles.h"
#include "shell/ScopedInstall.h"

class MainWindowModel;

class CoreHooks : public MainWindowView, public SaveAsChooser, public RecentFilesView {
public:
    explicit CoreHooks(MainWindowModel& model);

    void ShowCaption(const std::string& caption) override;
    void ShowSiteName(const std::string& siteName) override;
    void ShowPanelChoice() override;
    void ShowLoopRow(int loop, const SummaryRow& row) override;
    void ShowTotalsRow(const SummaryRow& row) override;
    void ShowAlarmNote(bool visible) override;
    std::optional<std::string> ChooseSavePath(const std::string& initialPath) override;
    void ShowRecentFiles(const std::vector<std::string>& paths) override;

private:
    MainWindowModel& model_;
    ScopedInstall<MainWindowView> view_{*this};
    ScopedInstall<SaveAsChooser> chooser_{*this};
    ScopedInstall<RecentFilesView> recent_{*this};
};
