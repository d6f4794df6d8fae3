#pragma once
// Runs the built quelmar-cli as a user would, with the shipped data and folders of its own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/TestSupport.h"

struct CliRun {
    int status = -1;
    std::string out, err;
};

inline std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

inline const std::string kData = QUELMAR_SOURCE_DATA_DIR;
inline const std::string kExamples = kData + "/../examples/";

class CliTest : public ::testing::Test {
protected:
    // Runs the tool with these arguments; its standard output goes to a file of the test's own
    // unless another is named (then it is not read back).
    CliRun Run(const std::string& arguments, const std::string& stdoutTo = "") {
        const std::string out = stdoutTo.empty() ? temp.File("stdout.txt") : stdoutTo;
        const std::string err = temp.File("stderr.txt");
        const std::string command = "LC_ALL=en_GB.UTF-8 " + Quoted(QUELMAR_CLI_PATH) + " " +
                                    arguments + " >" + Quoted(out) + " 2>" + Quoted(err) +
                                    " </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, stdoutTo.empty() ? ReadWholeFile(out) : "",
                ReadWholeFile(err)};
    }
    // The global options: the shipped data (or another data folder) and the test's own user
    // and config folders.
    std::string Folders(const std::string& data = kData) const {
        return "--data-dir " + Quoted(data) + " --user-dir " + Quoted(temp.File("user")) +
               " --config-dir " + Quoted(configDir);
    }
    // Runs a command with the global options.
    CliRun Cli(const std::string& arguments) { return Run(Folders() + " " + arguments); }
    nlohmann::json Json(const std::string& arguments) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        return nlohmann::json::parse(run.out);
    }
    static std::string Example(const std::string& name) { return Quoted(kExamples + name); }

    TempFolder temp;
    std::string configDir = temp.File("config");
};
