// quelmar-cli check-data: loads every catalogue in start-up order and prints what it holds.
#include <iostream>

#include "CliCommands.h"
#include "catalogue/CatalogueStartup.h"

namespace {

CLI::App* AddCheckData(CLI::App& app) {
    return app.add_subcommand("check-data",
                              "Load every catalogue in start-up order and print their sizes");
}

int RunCheckData(ConsolePlatform&) {
    if (!LoadCatalogues()) return 1;
    std::cout << CatalogueCountsText(CountCatalogues()) << std::endl;
    return 0;
}

const bool registered = RegisterCliCommand({AddCheckData, RunCheckData});

}  // namespace
