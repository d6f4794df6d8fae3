#include "CliOpenDesign.h"

#include "catalogue/CatalogueStartup.h"
#include "document/ConfigReader.h"

namespace {

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

bool OpenDesignWithoutUser(ConsolePlatform& console, const std::string& path) {
    console.fixedAnswers = {MsgResult::OK};
    if (!LoadCatalogues()) return false;
    SilentOpenProgress progress;
    YesToAllPrompt unknown;
    return OpenConfigurationFile(path, false, progress, unknown).outcome == OpenOutcome::Opened;
}
