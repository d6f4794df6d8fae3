#pragma once
// The commands of quelmar-cli. Each command lives in its own file and registers itself with one
// line at namespace scope:
//
//     static const bool registered = RegisterCliCommand({AddMyCommand, RunMyCommand});
//
// `add` adds the command's subcommand (with its own options and arguments, bound to variables of
// the command's file) to the application. `run` is called when that subcommand was given, after
// the global options have set the program's paths and a console platform has been installed
// (the command may set its fixed answers); it returns the exit status: 0 success, 1 failure
// (the problem has been printed to stderr).
#include <CLI/CLI.hpp>

#include <functional>
#include <vector>

#include "shell/Platform.h"

struct CliCommand {
    std::function<CLI::App*(CLI::App& app)> add;
    std::function<int(ConsolePlatform& console)> run;
};

bool RegisterCliCommand(CliCommand command);
const std::vector<CliCommand>& RegisteredCliCommands();

// Exit status for bad usage (unknown command or option, missing argument).
inline constexpr int kCliUsageError = 2;
