#include "CliOpenDesign.h"

#include "catalogue/CatalogueStartup.h"
#include "document/ConfigReader.h"

bool OpenDesignWithoutUser(ConsolePlatform& console, const std::string& path) {
    // The installed unknown-device question reports itself and answers "Yes to All".
    console.fixedAnswers = {MsgResult::OK};
    if (!LoadCatalogues()) return false;
    return OpenConfigurationFile(path, false).outcome == OpenOutcome::Opened;
}
