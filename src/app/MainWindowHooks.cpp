#include "app/MainWindowHooks.h"

#include "app/MainWindowModel.h"
#include "shell/RecentFiles.h"
#include "shell/Settings.h"

CoreHooks::CoreHooks(MainWindowModel& model)
    : model_(model),
      previousDisplay_(SetCalcDisplay(this)),
      previousView_(SetDocumentView(this)),
      previousChooser_(SetSaveAsChooser(this)),
      previousPrompt_(SetIgnoreUnknownPrompt(this)) {
    SetRecentFilesChangedHandler([this] { model_.ShowRecentFiles(); });
}

CoreHooks::~CoreHooks() {
    SetRecentFilesChangedHandler(nullptr);
    SetIgnoreUnknownPrompt(previousPrompt_);
    SetSaveAsChooser(previousChooser_);
    SetDocumentView(previousView_);
    SetCalcDisplay(previousDisplay_);
}

void CoreHooks::ShowMainWindowRow(int row, const MainWindowRow& values) {
    const LoopRowText text{values.lblDevice, values.lblQuiescent, values.lblAlarm,
                           values.lblPassFail};
    if (row == kTotalsRow)
        model_.View().ShowTotals(text);
    else
        model_.View().ShowLoopRow(row, text);
}

void CoreHooks::ShowAlarmNotes(bool visible) {
    model_.View().ShowAlarmNoteVisible(visible);
}

void CoreHooks::ShowSiteName(const std::string& siteName) {
    model_.View().ShowSiteName(siteName);
}

void CoreHooks::ShowCaption(const std::string& caption) {
    model_.View().ShowCaption(caption);
}

void CoreHooks::ShowPanelChoice() {
    model_.ShowPanelChoice();
}

std::optional<std::string> CoreHooks::ChooseSavePath(const std::string& initialPath) {
    return model_.View().ChooseFileToSave(GetLastFolder(), initialPath);
}

char CoreHooks::UnknownResponse(std::int16_t l, std::int16_t s, std::int16_t T) {
    return model_.View().UnknownResponse(l, s, T);
}
