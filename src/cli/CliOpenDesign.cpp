#include "CliOpenDesign.h"

#include <iostream>

#include "catalogue/CatalogueStartup.h"
#include "catalogue/Panels.h"
#include "document/ConfigReader.h"
#include "document/DesignDocument.h"
#include "shell/ScopedInstall.h"

namespace {

// The console, keeping the text of every message it shows.
class RecordingConsole : public ConsolePlatform {
public:
    explicit RecordingConsole(std::vector<std::string>& shown) : shown_(shown) {}
    MsgResult ShowMessage(const std::string& text, const std::string& title, MsgIcon icon,
                          MsgButtons buttons, int defaultButton) override {
        shown_.push_back(text);
        return ConsolePlatform::ShowMessage(text, title, icon, buttons, defaultButton);
    }

private:
    std::vector<std::string>& shown_;
};

// The command-line tool's answer to an unknown device type: the question goes to stderr with
// the other messages and is answered "Yes to All", so that the rest of the design opens.
class YesToAllPrompt : public IgnoreUnknownPrompt {
public:
    char UnknownResponse(std::int16_t l, std::int16_t s, std::int16_t T) override {
        ShowMessage(UnknownDeviceText(l, s, T), "Unknown Device Type", MsgIcon::Question);
        return 'A';
    }
};

}  // namespace

bool OpenDesignWithoutUser(ConsolePlatform& console, const std::string& path,
                           std::vector<std::string>* shown) {
    std::vector<std::string> unused;
    RecordingConsole recorder(shown ? *shown : unused);
    // The installed unknown-device question reports itself and answers "Yes to All".
    recorder.fixedAnswers = {MsgResult::OK};
    recorder.quiet = console.quiet;
    ScopedInstall<Platform> installed(recorder);
    if (!LoadCatalogues()) return false;
    SilentOpenProgress progress;
    YesToAllPrompt unknown;
    return OpenConfigurationFile(path, false, progress, unknown).outcome == OpenOutcome::Opened;
}

void PrintDesignHeading(const std::string& path) {
    const ControlPanel* panel = ChosenPanelRecord();
    const int panelLoops = panel ? panel->Loops : 0;
    std::cout << "File:  " << path << "\n"
              << "Site:  " << CurrentDocument().SiteName << "\n"
              << "Panel: " << (panel ? panel->PanelName : std::string()) << " (" << panelLoops
              << (panelLoops == 1 ? " loop" : " loops") << ")\n\n";
}
