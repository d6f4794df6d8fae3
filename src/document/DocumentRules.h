#pragma once
// The rules that guard the design: a new design, a change marked, the save question, saving,
// the read-only rules, the caption.
#include <optional>
#include <string>

#include "shell/ScopedInstall.h"

class DesignDocument;

// Resets the design to an empty, unchanged design dated now: no path, not read-only, empty site
// name, every loop cleared; the site field and caption are refreshed.
void NewDocument();
// Records an accepted change: sets DataChanged and stamps ModifiedDate with the current time.
void MarkModified();

// The main window's caption: the program's name, then " - " and the file name of DocumentPath
// without its folder and without anything from its first dot on; the name alone while
// DocumentPath is empty.
std::string CaptionText(const DesignDocument& doc);
// Shows the caption of the current design in the main window.
void RefreshCaption();

// Asks whether a changed design is to be saved first; true when the caller may go on.
bool SavePrompt();
// The Save command: refused for a read-only design, else saves under DocumentPath, or runs Save As
// when the design has no file yet.
bool DoMenuSave();
// The Save As command: refused for a read-only design; otherwise asks for a file name (through the
// latest installed Save As chooser) until a save succeeds or the user cancels; false without one.
bool DoMenuSaveAs();
// Writes the design under a new name; on success the name becomes DocumentPath, its folder the
// last folder, the name tops the recent files and the caption follows. A setting that cannot be
// stored throws RuntimeFault (see shell/Settings.h) after the design took its new name.
bool SaveDesignAs(const std::string& path);
// The Print command's guard: a read-only design that was changed cannot be printed.
bool MayPrint();

// The Save As file dialog ("Save Configuration Data", starting in the last folder, overwrite
// prompt on). The main window implements it and installs it with ScopedInstall<SaveAsChooser>.
class SaveAsChooser {
public:
    virtual ~SaveAsChooser() = default;
    // The chosen path, or nothing when the user cancels. initialPath is the design's DocumentPath.
    virtual std::optional<std::string> ChooseSavePath(const std::string& initialPath) = 0;
};
