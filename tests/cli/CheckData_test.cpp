// quelmar-cli check-data, the global options, and the settings the tool reads but never writes.
#include <sys/stat.h>

#include <map>
#include <regex>
#include <utility>

#include "cli/CliFixtures.h"

namespace fs = std::filesystem;

namespace {

class CheckDataTest : public CliTest {
protected:
    // A copy of the shipped data that a test may damage.
    std::string CopyOfShippedData() const {
        const std::string copy = temp.File("data");
        fs::copy(kData, copy, fs::copy_options::recursive);
        return copy;
    }
    // The panel count of check-data's summary line.
    static int Panels(const std::string& line) {
        return std::stoi(line.substr(line.find(", panels ") + 9));
    }
};

// Every file below a folder with its bytes and modification time.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const std::string& dir) {
    std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        files[entry.path().string()] = {ReadWholeFile(entry.path().string()),
                                        fs::last_write_time(entry.path())};
    return files;
}

TEST_F(CheckDataTest, ShippedDataLoadsAndTheCountsArePrinted) {
    const CliRun r = Cli("check-data");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // One line: the counts of families, device types, panels, cables and other devices.
    EXPECT_TRUE(std::regex_match(r.out, std::regex("families \\d+, device types \\d+, panels \\d+, "
                                                   "cables \\d+, other devices \\d+\n")))
        << r.out;
    // The global options may follow the command as well.
    EXPECT_EQ(Run("check-data " + Folders()).out, r.out);

    // A user-defined panel in the user folder is counted.
    temp.Write("user/Tarvex/Panels/CUSTPAN.DAT",
               "[Options]\r\nMaxCustom=1\r\n[Custom1]\r\nName=\"Mine, too\"\r\nLoops=2\r\n"
               "DriverImpedance=100\r\nAlarmLEDs=1\r\nRemoteLEDs=1\r\nOutputs=1\r\n"
               "MaxLoopCurrent=100\r\nMaxTotalCurrent=200\r\nMinLoopVoltage=1800\r\n");
    const CliRun withCustom = Cli("check-data");
    ASSERT_EQ(withCustom.status, 0) << withCustom.err;
    EXPECT_EQ(Panels(withCustom.out), Panels(r.out) + 1);
}

TEST_F(CheckDataTest, AMissingFileIsReportedWithExitOne) {
    const std::string data = CopyOfShippedData();
    fs::remove(data + "/Tarvex/Cables/Cables.dat");
    const CliRun r = Run(Folders(data) + " check-data");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Unable to find file containing standard cable data: '" + data +
                         "/Tarvex/Cables/Cables.dat'."),
              std::string::npos)
        << r.err;
}

TEST_F(CheckDataTest, BadUsageExitsTwoAndHelpOrVersionZero) {
    for (const std::string& arguments : std::vector<std::string>{
             "", "no-such-command", "--no-such-option check-data", "--data-dir", "calc",
             "calc --colour " + Example("Office.QMR"), "resave " + Example("Office.QMR")})
        EXPECT_EQ(Run(arguments).status, 2) << arguments;
    for (const char* arguments : {"--help", "--version"})
        EXPECT_EQ(Run(arguments).status, 0) << arguments;
}

// The commands, each of which must leave the designer's settings alone.
std::vector<std::string> EveryCommand(const std::string& output) {
    return {"check-data", "calc " + Quoted(kExamples + "Warehouse.QMR"),
            "calc --json --wiring-checks " + Quoted(kExamples + "OldLibrary.QMR"),
            "battery --json --standard nfpa72-2022 " + Quoted(kExamples + "Hospital.QMR"),
            "resave " + Quoted(kExamples + "OldLibrary.QMR") + " " + Quoted(output)};
}

TEST_F(CheckDataTest, CommandsReadTheSettingsButNeverWriteThem) {
    // A designer's settings: a panel choice and recent files that a script must not change.
    const std::string settings =
        temp.Write("config/settings.ini",
                   "[Software\\Tarvex\\Tarvex Quelmar]\nLastPanel=text:Northgate NG-2\n"
                   "mFileRecent1=text:/home/ann/site.QMR\nLastCableImpedance=number:2500\n");
    fs::last_write_time(settings, fs::last_write_time(settings) - std::chrono::hours(24));
    const auto before = Snapshot(temp.File("config"));
    std::map<std::string, std::string> outputs;
    for (const std::string& command : EveryCommand(temp.File("out.QMR"))) {
        const CliRun run = Cli(command);
        EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
        outputs[command] = run.out;
        EXPECT_EQ(Snapshot(temp.File("config")), before) << command;
    }
    const std::string written = ReadWholeFile(temp.File("out.QMR"));
    ASSERT_FALSE(written.empty());

    // The same runs with a config folder that cannot be written (nor, below a plain file,
    // created) give the same results.
    for (const std::string& folder : {temp.File("config"), temp.File("stdout.txt/config")}) {
        configDir = folder;
        chmod(temp.File("config").c_str(), 0555);
        for (const std::string& command : EveryCommand(temp.File("again.QMR"))) {
            const CliRun run = Cli(command);
            EXPECT_EQ(run.status, 0) << folder << " " << command << "\n" << run.err;
            EXPECT_EQ(run.out, outputs[command]) << folder << " " << command;
        }
        EXPECT_EQ(ReadWholeFile(temp.File("again.QMR")), written);
        chmod(temp.File("config").c_str(), 0755);
    }
}

}  // namespace
