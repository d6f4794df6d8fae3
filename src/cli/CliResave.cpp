// quelmar-cli resave IN OUT: opens a configuration file and saves it under a new name, in the
// format this version writes.
#include "CliCommands.h"
#include "CliOpenDesign.h"
#include "document/ConfigWriter.h"

namespace {

std::string inputPath, outputPath;

CLI::App* AddResave(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("resave", "Open a configuration file and save it under a new name");
    command->add_option("IN", inputPath, "Configuration file to open")->required();
    command->add_option("OUT", outputPath, "File to save the design to")->required();
    return command;
}

int RunResave(ConsolePlatform& console) {
    if (!OpenDesignWithoutUser(console, inputPath)) return 1;
    return SaveConfigurationFile(outputPath) ? 0 : 1;
}

const bool registered = RegisterCliCommand({AddResave, RunResave});

}  // namespace
