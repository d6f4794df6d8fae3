#include "document/DocumentRules.h"

#include "document/CalcGlue.h"
#include "document/ConfigWriter.h"
#include "document/DesignDocument.h"
#include "document/MainWindowView.h"
#include "shell/ErrorHandler.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/RecentFiles.h"
#include "shell/Settings.h"

namespace {

constexpr const char* kReadOnlyNotice = "The configuration data was Opened as 'Read Only'.";

// A read-only design is never written: says so and gives true.
bool RefuseReadOnlySave() {
    if (!CurrentDocument().OpenedReadOnly) return false;
    ShowMessage(std::string(kReadOnlyNotice) + "\n\nIt cannot be saved.", kProgramTitle,
                MsgIcon::Exclamation);
    return true;
}

}  // namespace

std::string CaptionText(const DesignDocument& doc) {
    if (doc.DocumentPath.empty()) return kProgramTitle;
    std::string name = FileNameOf(doc.DocumentPath);
    name = name.substr(0, name.find('.'));
    return std::string(kProgramTitle) + " - " + name;
}

void NewDocument() {
    DesignDocument& doc = CurrentDocument();
    doc.DataChanged = false;
    doc.OpenedReadOnly = false;
    doc.DocumentPath.clear();
    doc.SiteName.clear();
    doc.StandbyPower = StandbyPowerInputs{};
    TellInstalled<MainWindowView>([&](MainWindowView& v) { v.ShowSiteName(doc.SiteName); });
    doc.CreatedDate = CurrentDateTime();
    doc.ModifiedDate = doc.CreatedDate;
    for (int loop = 1; loop <= kLoopCount; ++loop)
        ClearLoop(loop);
    RefreshCaption();
    doc.DataChanged = false;
}

void MarkModified() {
    DesignDocument& doc = CurrentDocument();
    doc.DataChanged = true;
    doc.ModifiedDate = CurrentDateTime();
}

void RefreshCaption() {
    const std::string caption = CaptionText(CurrentDocument());
    TellInstalled<MainWindowView>([&](MainWindowView& v) { v.ShowCaption(caption); });
}

bool SavePrompt() {
    const DesignDocument& doc = CurrentDocument();
    if (!doc.DataChanged || doc.OpenedReadOnly) return true;
    switch (ShowMessage("Configuration data has not been saved.\n\nDo you want to save now?",
                        kProgramTitle, MsgIcon::Exclamation, MsgButtons::YesNoCancel)) {
        case MsgResult::Yes:
            return DoMenuSave();
        case MsgResult::No:
            return true;
        default:
            return false;
    }
}

bool DoMenuSave() {
    const DesignDocument& doc = CurrentDocument();
    if (RefuseReadOnlySave()) return false;
    if (!doc.DocumentPath.empty()) return SaveConfigurationFile(doc.DocumentPath);
    return DoMenuSaveAs();
}

bool DoMenuSaveAs() {
    SaveAsChooser* chooser = LatestInstalled<SaveAsChooser>();
    if (RefuseReadOnlySave() || chooser == nullptr) return false;
    // A failed write has reported itself; the dialog comes back until a save works or the
    // user cancels.
    while (true) {
        std::optional<std::string> path = chooser->ChooseSavePath(CurrentDocument().DocumentPath);
        if (!path) return false;
        if (SaveDesignAs(*path)) return true;
    }
}

bool SaveDesignAs(const std::string& path) {
    if (!SaveConfigurationFile(path)) return false;
    // The design now belongs to the new file even if the settings below cannot be stored.
    CurrentDocument().DocumentPath = path;
    RefreshCaption();
    RunRetryingOnFault("", [&] {
        SetLastFolder(path);
        AddRecentFile(path);
        return true;
    });
    return true;
}

bool MayPrint() {
    const DesignDocument& doc = CurrentDocument();
    if (doc.OpenedReadOnly && doc.DataChanged) {
        ShowMessage(
            std::string(kReadOnlyNotice) + "\n\nIt cannot be printed after it has been changed.",
            kProgramTitle, MsgIcon::Exclamation);
        return false;
    }
    return true;
}
