#include "app/MainWindowHooks.h"

#include "app/MainWindowModel.h"
#include "shell/Settings.h"

CoreHooks::CoreHooks(MainWindowModel& model) : model_(model) {}

void CoreHooks::ShowCaption(const std::string& caption) {
    model_.View().ShowCaption(caption);
}

void CoreHooks::ShowSiteName(const std::string& siteName) {
    model_.View().ShowSiteName(siteName);
}

void CoreHooks::ShowPanelChoice() {
    model_.ShowPanelChoice();
}

void CoreHooks::ShowLoopRow(int loop, const SummaryRow& row) {
    model_.View().ShowLoopRow(loop, row);
}

void CoreHooks::ShowTotalsRow(const SummaryRow& row) {
    model_.View().ShowTotalsRow(row);
}

void CoreHooks::ShowAlarmNote(bool visible) {
    model_.View().ShowAlarmNoteVisible(visible);
}

std::optional<std::string> CoreHooks::ChooseSavePath(const std::string& initialPath) {
    return model_.View().ChooseFileToSave(GetLastFolder(), initialPath);
}

void CoreHooks::ShowRecentFiles(const std::vector<std::string>& paths) {
    model_.View().ShowRecentFiles(paths);
}
