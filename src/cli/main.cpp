// quelmar-cli: the headless tool. Global options choose the folders; each command is registered
// from its own file (see CliCommands.h).
#include <cstdio>
#include <iostream>
#include <string>

#include "CliCommands.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/RuntimeFault.h"
#include "shell/ScopedInstall.h"
#include "shell/Settings.h"

namespace {

std::string VersionText() {
    return std::string("quelmar-cli (") + kProductName + ") " + RunningVersion();
}

// Whether everything printed reached its destination: a full disk or a closed pipe must not
// pass for success.
bool OutputWritten() {
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
    std::cerr << kProgramTitle << ": Unable to write the output" << std::endl;
    return false;
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
    // Scripts run the tool over many designs: the designer's panel choice, recent files and
    // other settings stay as they are.
    SetSettingsReadOnly(true);
    ConsolePlatform console;
    ScopedInstall<Platform> installed(console);
    int status = kCliUsageError;
    try {
        for (std::size_t i = 0; i < commands.size(); ++i)
            if (subcommands[i]->parsed()) status = commands[i].run(console);
    } catch (const std::exception& e) {
        std::cerr << kProgramTitle << ": " << e.what() << std::endl;
        return 1;
    } catch (const RuntimeFault& fault) {
        std::cerr << kProgramTitle << ": " << fault.description << std::endl;
        return 1;
    }
    return OutputWritten() ? status : 1;
}
