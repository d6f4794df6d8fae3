// quelmar-cli calc and resave, run as the built program on the shipped data and the examples.
#include <cmath>

#include "cli/CliFixtures.h"

namespace {

using CalcCommandTest = CliTest;

TEST_F(CalcCommandTest, ATableOfTheLoopsOnThePanelWithTheFailuresExplained) {
    const CliRun run = Cli("calc " + Example("Warehouse.QMR"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Panel: Northgate NG-4 Plus (4 loops)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Design Not Satisfactory"), std::string::npos);
    EXPECT_NE(run.out.find("\nLoop 3: Alarm Current Too High\nThe total alarm current drawn by the "
                           "devices on the loop"),
              std::string::npos);
    EXPECT_EQ(run.out.find("\n5 "), std::string::npos);  // a four-loop panel shows four rows
}

TEST_F(CalcCommandTest, JsonHoldsEveryLoopAndTheTotals) {
    const nlohmann::json j = Json("calc --json " + Example("Warehouse.QMR"));
    EXPECT_EQ(j["site_name"], "Kingsmoor Distribution Warehouse");
    EXPECT_EQ(j["panel"], "Northgate NG-4 Plus");
    EXPECT_EQ(j["panel_loops"], 4);
    ASSERT_EQ(j["loops"].size(), 8u);
    EXPECT_EQ(j["overall"], "Design Not Satisfactory");
    int devices = 0;
    double quiescent = 0, alarm = 0;
    for (const auto& loop : j["loops"]) {
        devices += loop["qty_devices"].get<int>() + loop["qty_slave_bases"].get<int>();
        quiescent += loop["quiescent_current_total_uA"].get<double>();
        alarm += loop["alarm_current_total_uA"].get<double>();
    }
    EXPECT_EQ(j["loops"][4]["on_panel"], false);
    EXPECT_EQ(j["loops"][1]["loop_design"], 2);
    EXPECT_EQ(j["loops"][1]["loop_design_short"], "Volt Drop Too High");
    EXPECT_GT(j["loops"][1]["volt_drop_V"].get<double>(),
              j["loops"][1]["max_volt_drop_V"].get<double>());
    EXPECT_EQ(j["loops"][2]["loop_design"], 1);
    EXPECT_EQ(j["loops"][3]["name"], "Offices and Canteen");
    EXPECT_EQ(j["total_devices"], devices);
    EXPECT_DOUBLE_EQ(j["total_quiescent_uA"].get<double>(), quiescent);
    EXPECT_DOUBLE_EQ(j["total_alarm_uA"].get<double>(), alarm);
}

// The last point of each loop's profile rounds to the loop's volt drop; a loop fails on its
// volt drop exactly when a point does.
TEST_F(CalcCommandTest, ProfilesAgreeWithTheVoltDropsOfEveryExample) {
    for (const char* name : {"Hospital.QMR", "Office.QMR", "OldLibrary.QMR", "Warehouse.QMR"}) {
        const nlohmann::json design = Json("calc --json --profile " + Example(name));
        for (const auto& loop : design["loops"]) {
            const auto& profile = loop["profile"];
            EXPECT_EQ(profile["first_failing_point"].is_null(), loop["loop_design"] != 2);
            if (profile["points"].empty()) continue;
            const double last = profile["points"].back()[1].get<double>();
            EXPECT_DOUBLE_EQ(std::round(last * 10) / 10, loop["volt_drop_V"].get<double>());
        }
    }
    EXPECT_EQ(Cli("calc --profile " + Example("Office.QMR")).status, 2);
}

TEST_F(CalcCommandTest, WiringChecksRunOnlyWhenAsked) {
    EXPECT_EQ(Json("calc --json " + Example("Hospital.QMR"))["overall"], "Design Satisfactory");
    const nlohmann::json checked = Json("calc --json --wiring-checks " + Example("Hospital.QMR"));
    EXPECT_EQ(checked["loops"][0]["loop_design_short"], "Surge Current Too High");
    EXPECT_EQ(checked["overall"], "Design Not Satisfactory");
}

TEST_F(CalcCommandTest, AFileThatDoesNotOpenExitsWithOne) {
    const std::string missing = temp.File("Missing.QMR");
    const CliRun run = Cli("calc " + Quoted(missing));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Quelmar: Unable to find file '" + missing + "'.\n");
}

TEST_F(CalcCommandTest, QuestionsAreAnsweredWithoutAUserAndReportedOnStderr) {
    // Type 10 has no icon, twice; a relay base needs a detector base, not a call point's.
    const std::string file =
        temp.Write("Odd.QMR",
                   ";Configuration data for Tarvex Meridane "
                   "Vantra\r\n[Vantra]\r\nDataFormat=1\r\nPanelType=\"Northgate NG-2\"\r\n"
                   "[Loop1]\r\nDevice3=10,0,0,3,3,0\r\nDevice4=10,0,0,4,4,0\r\nDevice5=7,0,5,5,5,"
                   "0\r\nDevice6=1,0,0,6,6,0\r\n");
    const CliRun run = Cli("calc --json " + Quoted(file));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        run.err,
        "Unknown Device Type: This file has an unknown device type (10) at address 3 on loop 1.\n\n"
        "Set this address to 'No Device'?\n"
        "Quelmar: 1 Relay Base on loop 1 will be deleted, because it is incompatible with its "
        "associated "
        "Meridane Call Point.\n");
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["loops"][0]["qty_devices"], 2);
    EXPECT_EQ(j["site_name"], "");
    // The JSON keeps every message the open showed; --strict fails on any.
    EXPECT_EQ(j["warnings"],
              nlohmann::json::array({"This file has an unknown device type (10) at address 3 on "
                                     "loop 1.\n\nSet this address to 'No Device'?",
                                     "1 Relay Base on loop 1 will be deleted, because it is "
                                     "incompatible with its associated Meridane Call Point."}));
    EXPECT_EQ(Cli("calc --strict " + Quoted(file)).status, 3);
    EXPECT_EQ(Cli("calc --json --strict " + Example("Office.QMR")).status, 0);
}

TEST_F(CalcCommandTest, OutputThatCannotBeWrittenFailsAndAnyFileNameIsValidJson) {
    for (const std::string& arguments : {std::string("check-data"), "calc " + Example("Office.QMR"),
                                         "calc --json " + Example("Office.QMR")})
        EXPECT_EQ(Run(Folders() + " " + arguments, "/dev/full").status, 1) << arguments;
    const std::string name = temp.Write("Caf\xE9.QMR", ReadWholeFile(kExamples + "Office.QMR"));
    EXPECT_EQ(Json("calc --json " + Quoted(name))["file"], temp.File("Caf\xEF\xBF\xBD.QMR"));
}

TEST_F(CalcCommandTest, ResaveWritesTheDesignUnderTheNewName) {
    const std::string copy = temp.File("Copy.QMR");
    const CliRun run = Cli("resave " + Example("Hospital.QMR") + " " + Quoted(copy));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(kExamples + "Hospital.QMR"));
}

TEST_F(CalcCommandTest, ResaveToAPlaceThatCannotBeWrittenFails) {
    const CliRun run =
        Cli("resave " + Example("Office.QMR") + " " + Quoted(temp.File("no/such/folder/x.QMR")));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Quelmar: Unable to save the configuration data\n");
}

}  // namespace
