// quelmar-cli run as the built program on the shipped data and the examples, each command's
// output read back (a report's PDF with pdftotext); the settings are read but never written.
#include <sys/stat.h>

#include <map>
#include <regex>
#include <utility>

#include "cli/CliFixtures.h"
#include "shell/Numbers.h"

namespace fs = std::filesystem;

namespace {

using CommandTest = CliTest;

// The figures themselves are the calculation's tests; here, what the command shows of them.
TEST_F(CommandTest, CalcShowsTheLoopsOnThePanelWithTheFailuresExplained) {
    const CliRun run = Cli("calc " + Example("Warehouse.QMR"));
    EXPECT_EQ(std::make_pair(run.status, run.err), std::make_pair(0, std::string()));
    EXPECT_NE(run.out.find("Panel: Northgate NG-4 Plus (4 loops)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nLoop 3: Alarm Current Too High\nThe total alarm current drawn by the "
                           "devices on the loop"),
              std::string::npos);
    EXPECT_EQ(run.out.find("\n5 "), std::string::npos);  // a four-loop panel shows four rows
    const nlohmann::json j = Json("calc --json " + Example("Warehouse.QMR"));
    EXPECT_EQ(
        std::make_tuple(j["site_name"], j["panel_loops"], j["loops"].size(), j["overall"]),
        std::make_tuple("Kingsmoor Distribution Warehouse", 4, 8u, "Design Not Satisfactory"));
    EXPECT_EQ(std::make_tuple(j["loops"][1]["loop_design_short"], j["loops"][4]["on_panel"]),
              std::make_tuple("Volt Drop Too High", false));
}

TEST_F(CommandTest, CalcAnswersQuestionsWithoutAUserAndReportsThemOnStderr) {
    // Type 10 has no icon, twice; a relay base needs a detector base, not a call point's.
    const std::string file =
        temp.Write("Odd.QMR",
                   "[Vantra]\r\nDataFormat=1\r\nPanelType=\"Northgate NG-2\"\r\n[Loop1]\r\n"
                   "Device3=10,0,0,3,3,0\r\nDevice4=10,0,0,4,4,0\r\nDevice5=7,0,5,5,5,0\r\n"
                   "Device6=1,0,0,6,6,0\r\n");
    const std::string unknown =
        "This file has an unknown device type (10) at address 3 on loop 1.\n\nSet this address to "
        "'No Device'?";
    const std::string lost =
        "1 Relay Base on loop 1 will be deleted, because it is incompatible with its associated "
        "Meridane Call Point.";
    const CliRun run = Cli("calc --json " + Quoted(file));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "Unknown Device Type: " + unknown + "\nQuelmar: " + lost + "\n");
    // The JSON keeps every message the open showed; --strict fails on any.
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["warnings"], nlohmann::json::array({unknown, lost}));
    EXPECT_EQ(Cli("calc --strict " + Quoted(file)).status, 3);
    EXPECT_EQ(Cli("calc --json --strict " + Example("Office.QMR")).status, 0);
}

TEST_F(CommandTest, OutputThatCannotBeWrittenFailsAndAnyFileNameIsValidJson) {
    for (const std::string& arguments : {std::string("check-data"), "calc " + Example("Office.QMR"),
                                         "calc --json " + Example("Office.QMR")})
        EXPECT_EQ(Run(Folders() + " " + arguments, "/dev/full").status, 1) << arguments;
    const std::string name = temp.Write("Caf\xE9.QMR", ReadWholeFile(kExamples + "Office.QMR"));
    EXPECT_EQ(Json("calc --json " + Quoted(name))["file"], temp.File("Caf\xEF\xBF\xBD.QMR"));
}

TEST_F(CommandTest, ResaveWritesTheDesignUnderTheNewName) {
    const std::string copy = temp.File("Copy.QMR");
    const CliRun run = Cli("resave " + Example("Hospital.QMR") + " " + Quoted(copy));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(kExamples + "Hospital.QMR"));
}

TEST_F(CommandTest, AFileThatDoesNotOpenOrSaveExitsWithOne) {
    const std::string missing = temp.File("Missing.QMR");
    const std::pair<std::string, std::string> cases[] = {
        {"calc " + Quoted(missing), "Quelmar: Unable to find file '" + missing + "'.\n"},
        {"resave " + Example("Office.QMR") + " " + Quoted(temp.File("no/such/folder/x.QMR")),
         "Quelmar: Unable to save the configuration data\n"},
    };
    for (const auto& [arguments, message] : cases) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(std::make_tuple(run.status, run.out, run.err), std::make_tuple(1, "", message));
    }
}

const std::string hospital = Quoted(kExamples + "Hospital.QMR");

// The saved inputs, unless options replace them: a change of standard brings that standard's
// alarm period. The text shows the working too.
TEST_F(CommandTest, BatteryShowsTheLoopTotalsOfCalcAndTheInputs) {
    const nlohmann::json calc = Json("calc --json " + hospital);
    const nlohmann::json j = Json("battery --json " + hospital);
    EXPECT_EQ(std::make_tuple(j["loops_quiescent_uA"], j["loops_alarm_uA"], j["standard"],
                              j["standby_hours"], j["alarm_minutes"], j["factor"]),
              std::make_tuple(calc["total_quiescent_uA"], calc["total_alarm_uA"], "bs5839", 24, 30,
                              1.25));
    const nlohmann::json nfpa =
        Json("battery --json --standard nfpa72-2019 --standby-hours 60 " + hospital);
    EXPECT_EQ(std::make_tuple(nfpa["standby_hours"], nfpa["alarm_minutes"], nfpa["factor"]),
              std::make_tuple(60, 5, 1.2));
    EXPECT_NE(Cli("battery " + hospital).out.find(j["working"][0].get<std::string>() + "\n"),
              std::string::npos);
}

TEST_F(CommandTest, BatteryOptionsAndInputsOutOfRangeExitWithTwo) {
    const std::pair<std::string, std::string> cases[] = {
        {"--standard bs5839-1",
         "--standard: the standard is bs5839, nfpa72-2019 or nfpa72-2022, not 'bs5839-1'"},
        {"--standby-hours 1,5",
         "--standby-hours: a number with at most four decimals is expected, not '1,5'"},
        {"--standby-hours 1001", "Quelmar: The standby period must be between 0 and 1000 hours."},
    };
    for (const auto& [option, message] : cases) {
        const CliRun run = Cli("battery " + option + " " + hospital);
        EXPECT_EQ(std::make_tuple(run.status, run.out, run.err.substr(0, run.err.find('\n'))),
                  std::make_tuple(2, "", message));
    }
}

class ReportCommandTest : public CliTest {
protected:
    // The PDF's text, runs of blanks made one, without empty lines; a page ends in a form feed.
    std::string PdfText(const std::string& pdf) {
        EXPECT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
        const std::string text =
            std::regex_replace(ReadWholeFile(pdf + ".txt"), std::regex(" +"), " ");
        return std::regex_replace(text, std::regex(" ?\n[ \n]*"), "\n");
    }
    static long Count(const std::string& text, const std::string& pattern) {
        const std::regex r(pattern);
        return std::distance(std::sregex_iterator(text.begin(), text.end(), r), {});
    }
};

std::string Current(const nlohmann::json& microamps) {
    return CurrentText(Amount::FromDouble(microamps.get<double>()));
}

// Only the named loops, in the stored units, and the standby block with the main window's totals.
TEST_F(ReportCommandTest, NamedLoopsInTheStoredUnitsWithoutWritingTheSettings) {
    const std::string settings =
        temp.Write("config/settings.ini",
                   "[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:1\nFirstTimeDone=number:-1\n");
    const std::string before = ReadWholeFile(settings);
    const auto calc = Json("calc --json " + Example("Hospital.QMR"));
    ASSERT_EQ(Cli("report " + Example("Hospital.QMR") + " --pdf " + Quoted(temp.File("r.pdf")) +
                  " --loops 2,2 --standby-power")
                  .status,
              0);
    const std::string text = PdfText(temp.File("r.pdf"));
    EXPECT_TRUE(Count(text, "\nLoop [1-8]\n") == 1 && Count(text, "\nLoop 2\n") == 1);
    EXPECT_EQ(Count(text, "\nTotal cable run 1969 feet \\(ft\\)\n"), 1);
    EXPECT_EQ(Count(text, "\nStandby Power\n([^\n\f]*\n)*?Loop totals " +
                              Current(calc["total_quiescent_uA"]) + " " +
                              Current(calc["total_alarm_uA"]) + "\n"),
              1);
    EXPECT_EQ(ReadWholeFile(settings), before);
}

TEST_F(ReportCommandTest, FailuresLeaveAnExistingOutputUntouched) {
    const std::string out = temp.Write("old.pdf", "old");
    const std::string office = "report " + Example("Office.QMR") + " --pdf ";
    EXPECT_EQ(Cli("report " + Quoted(temp.File("none.QMR")) + " --pdf " + Quoted(out)).status, 1);
    EXPECT_EQ(Cli(office + Quoted(temp.File("no/folder/x.pdf"))).status, 1);
    for (const std::string usage : {" --loops 9", " --loops 1,,2", " --loops x", " --pdf"})
        EXPECT_EQ(Cli(office + Quoted(out) + usage).status, 2) << usage;
    EXPECT_EQ(ReadWholeFile(out), "old");
}

// Every file below a folder with its bytes and modification time.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const std::string& dir) {
    std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        files[entry.path().string()] = {ReadWholeFile(entry.path().string()),
                                        fs::last_write_time(entry.path())};
    return files;
}

// The commands, each of which must leave the designer's settings alone.
std::vector<std::string> EveryCommand(const std::string& output) {
    return {"check-data", "calc " + Quoted(kExamples + "Warehouse.QMR"),
            "calc --json --wiring-checks " + Quoted(kExamples + "OldLibrary.QMR"),
            "battery --json --standard nfpa72-2022 " + Quoted(kExamples + "Hospital.QMR"),
            "resave " + Quoted(kExamples + "OldLibrary.QMR") + " " + Quoted(output)};
}

TEST_F(CommandTest, CommandsReadTheSettingsButNeverWriteThem) {
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
