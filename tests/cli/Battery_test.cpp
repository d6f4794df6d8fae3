// quelmar-cli battery, run as the built program on an example design and the shipped data.
#include "cli/CliFixtures.h"

namespace {

using BatteryCommandTest = CliTest;
const std::string hospital = Quoted(kExamples + "Hospital.QMR");

TEST_F(BatteryCommandTest, CalcsLoopTotalsAndTheDesignsInputsInJsonAndText) {
    const nlohmann::json calc = Json("calc --json " + hospital);
    const nlohmann::json j = Json("battery --json " + hospital);
    EXPECT_EQ(j["loops_quiescent_uA"], calc["total_quiescent_uA"]);
    EXPECT_EQ(j["loops_alarm_uA"], calc["total_alarm_uA"]);
    EXPECT_EQ(std::make_tuple(j["standard"], j["standby_hours"], j["alarm_minutes"], j["factor"]),
              std::make_tuple("bs5839", 24, 30, 1.25));
    // The text shows the same working.
    std::string working;
    for (const auto& line : j["working"])
        working += line.get<std::string>() + "\n";
    const CliRun text = Cli("battery " + hospital);
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find(working), std::string::npos) << text.out;
}

TEST_F(BatteryCommandTest, OptionsReplaceTheSavedInputs) {
    // A change of standard brings that standard's alarm period unless one is given.
    nlohmann::json j = Json("battery --json --standard nfpa72-2019 --standby-hours 60 " + hospital);
    EXPECT_EQ(std::make_tuple(j["standard"], j["standby_hours"], j["alarm_minutes"], j["factor"],
                              j["derating_D"]),
              std::make_tuple("nfpa72-2019", 60, 5, 1.2, nullptr));
    j = Json("battery --json --standard nfpa72-2022 --alarm-minutes 15.5 " + hospital);
    EXPECT_EQ(std::make_tuple(j["standby_hours"], j["alarm_minutes"], j["factor"]),
              std::make_tuple(24, 15.5, 1.25));
}

TEST_F(BatteryCommandTest, BadOptionsAndInputsOutOfRangeExitWithTwo) {
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

}  // namespace
