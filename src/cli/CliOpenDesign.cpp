#include "CliOpenDesign.h"

#include "catalogue/CatalogueStartup.h"
#include "document/ConfigReader.h"

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

// Installs a platform for its lifetime.
class PlatformScope {
public:
    explicit PlatformScope(Platform& platform) : previous_(SetPlatform(&platform)) {}
    ~PlatformScope() { SetPlatform(previous_); }
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

private:
    Platform* previous_;
};

}  // namespace

bool OpenDesignWithoutUser(ConsolePlatform& console, const std::string& path,
                           std::vector<std::string>* shown) {
    std::vector<std::string> unused;
    RecordingConsole recorder(shown ? *shown : unused);
    // The installed unknown-device question reports itself and answers "Yes to All".
    recorder.fixedAnswers = {MsgResult::OK};
    recorder.quiet = console.quiet;
    PlatformScope scope(recorder);
    if (!LoadCatalogues()) return false;
    return OpenConfigurationFile(path, false).outcome == OpenOutcome::Opened;
}
