// quelmar-cli check-data and the global options, run as the built program with its own folders.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

class CheckDataTest : public ::testing::Test {
protected:
    CliResult Run(const std::string& arguments) {
        const std::string out = temp.File("stdout.txt");
        const std::string err = temp.File("stderr.txt");
        const std::string command = std::string("LC_ALL=en_GB ") + Quoted(QUELMAR_CLI_PATH) + " " +
                                    arguments + " >" + Quoted(out) + " 2>" + Quoted(err) +
                                    " </dev/null";
        const int raw = std::system(command.c_str());
        CliResult result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadWholeFile(out);
        result.err = ReadWholeFile(err);
        return result;
    }

    // The global options pointing at the shipped data, or at a data folder of the test's own.
    std::string Folders(const std::string& data = QUELMAR_SOURCE_DATA_DIR) const {
        return "--data-dir " + Quoted(data) + " --user-dir " + Quoted(temp.File("user")) +
               " --config-dir " + Quoted(temp.File("config"));
    }

    // A copy of the shipped data that a test may damage.
    std::string CopyOfShippedData() const {
        const std::string copy = temp.File("data");
        std::filesystem::copy(QUELMAR_SOURCE_DATA_DIR, copy,
                              std::filesystem::copy_options::recursive);
        return copy;
    }

    TempFolder temp;
};

TEST_F(CheckDataTest, ShippedDataLoadsAndTheCountsArePrinted) {
    const CliResult r = Run(Folders() + " check-data");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // One line: the counts of families, device types, panels, cables and other devices.
    ASSERT_FALSE(r.out.empty());
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
    EXPECT_EQ(r.out.rfind("families ", 0), 0u) << r.out;
    for (const char* part : {", device types ", ", panels ", ", cables ", ", other devices "})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
    // The run kept its settings in the folder given.
    EXPECT_TRUE(std::filesystem::exists(temp.File("config/settings.ini")));
    // The global options may follow the command as well.
    const CliResult after = Run("check-data " + Folders());
    EXPECT_EQ(after.status, 0) << after.err;
    EXPECT_EQ(after.out, r.out);
}

TEST_F(CheckDataTest, AMissingFileIsReportedOnStderrWithExitOne) {
    const std::string data = CopyOfShippedData();
    std::filesystem::remove(data + "/Tarvex/Cables/Cables.dat");
    const CliResult r = Run(Folders(data) + " check-data");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Unable to find file containing standard cable data: '" + data +
                         "/Tarvex/Cables/Cables.dat'."),
              std::string::npos)
        << r.err;
}

TEST_F(CheckDataTest, OnlyTheFirstProblemIsReported) {
    const std::string data = CopyOfShippedData();
    std::filesystem::remove(data + "/Tarvex/Panels/stdpan.dat");
    std::filesystem::remove(data + "/Tarvex/Cables/Cables.dat");
    const CliResult r = Run(Folders(data) + " check-data");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("standard panel data"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("cable"), std::string::npos) << r.err;
}

TEST_F(CheckDataTest, TheUserFolderAddsUserDefinedPanels) {
    const CliResult before = Run(Folders() + " check-data");
    ASSERT_EQ(before.status, 0) << before.err;
    const std::string custom =
        "[Options]\r\nMaxCustom=1\r\n[Custom1]\r\nName=\"Mine, too\"\r\nLoops=2\r\n"
        "DriverImpedance=100\r\nAlarmLEDs=1\r\nRemoteLEDs=1\r\nOutputs=1\r\nMaxLoopCurrent=100\r\n"
        "MaxTotalCurrent=200\r\nMinLoopVoltage=1800\r\n";
    temp.Write("user/Tarvex/Panels/CUSTPAN.DAT", custom);
    const CliResult after = Run(Folders() + " check-data");
    ASSERT_EQ(after.status, 0) << after.err;
    auto panels = [](const std::string& line) {
        const auto at = line.find(", panels ") + 9;
        return std::stoi(line.substr(at));
    };
    EXPECT_EQ(panels(after.out), panels(before.out) + 1);
}

TEST_F(CheckDataTest, BadUsageExitsTwo) {
    EXPECT_EQ(Run("").status, 2);
    EXPECT_EQ(Run("no-such-command").status, 2);
    EXPECT_EQ(Run("--no-such-option check-data").status, 2);
    EXPECT_EQ(Run("--data-dir").status, 2);
}

TEST_F(CheckDataTest, HelpAndVersionExitZero) {
    const CliResult help = Run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"--data-dir", "--user-dir", "--config-dir", "check-data"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    const CliResult version = Run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("1.00"), std::string::npos) << version.out;
}

}  // namespace
