#include "CliCommands.h"

namespace {

// Built on first use, so that commands of any file may register during static initialisation.
std::vector<CliCommand>& Commands() {
    static std::vector<CliCommand> commands;
    return commands;
}

}  // namespace

bool RegisterCliCommand(CliCommand command) {
    Commands().push_back(std::move(command));
    return true;
}

const std::vector<CliCommand>& RegisteredCliCommands() {
    return Commands();
}
