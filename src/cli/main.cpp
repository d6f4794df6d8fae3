// quelmar-cli: the headless tool. Global options choose the folders; each command is registered
// from its own file (see CliCommands.h).
#include <iostream>
#include <string>

#include "CliCommands.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/Product.h"

namespace {

std::string VersionText() {
    const std::string minor = (kVersionMinor < 10 ? "0" : "") + std::to_string(kVersionMinor);
    return std::string("quelmar-cli (") + kProductName + ") " + std::to_string(kVersionMajor) +
           "." + minor;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{std::string(kProductName) + " command-line tool", "quelmar-cli"};
    app.set_version_flag("--version", VersionText());
    std::string dataDir, userDir, configDir;
    app.add_option("--data-dir", dataDir, "Folder holding the reference data (Tarvex/...)");
    app.add_option("--user-dir", userDir, "Folder for user-defined panels and devices");
    app.add_option("--config-dir", configDir, "Folder of the settings");
    app.require_subcommand(1);
    // The global options may also follow the command.
    app.fallthrough();

    const auto& commands = RegisteredCliCommands();
    std::vector<CLI::App*> subcommands;
    for (const CliCommand& command : commands)
        subcommands.push_back(command.add(app));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : kCliUsageError;
    }

    SetPaths(ResolveAppPaths(dataDir, userDir, configDir));
    ConsolePlatform console;
    ScopedInstall<Platform> installed(console);
    try {
        for (std::size_t i = 0; i < commands.size(); ++i)
            if (subcommands[i]->parsed()) return commands[i].run(console);
    } catch (const std::exception& e) {
        std::cerr << kProgramTitle << ": " << e.what() << std::endl;
        return 1;
    }
    return kCliUsageError;
}
