// quelmar-cli calc FILE.QMR [--json [--profile]] [--wiring-checks] [--strict]: opens a design,
// recalculates every loop as the main window does and prints the results, as a table or as one
// JSON object; --profile adds the voltage along each loop to the JSON.
// With --strict a design whose open showed any message (devices dropped as unknown or
// incompatible, counted other devices that found no place) exits with status 3.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "CliCommands.h"
#include "CliJson.h"
#include "CliOpenDesign.h"
#include "catalogue/Panels.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "engine/VoltageProfile.h"
#include "engine/clsCalculator.h"
#include "shell/Numbers.h"

namespace {

std::string designPath;
bool asJson = false;
bool withProfile = false;
bool wiringChecks = false;
bool strict = false;
// Every message the open showed, in order.
std::vector<std::string> warnings;

// Exit status of --strict when the open showed a message.
constexpr int kStrictWarningsStatus = 3;

CLI::App* AddCalc(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("calc", "Open a configuration file and calculate every loop");
    command->add_option("FILE", designPath, "Configuration file (.QMR)")->required();
    CLI::Option* json = command->add_flag("--json", asJson, "Print the results as one JSON object");
    command
        ->add_flag("--profile", withProfile,
                   "Add to each loop the volt drop at the panel, its driver, the first device and "
                   "each step along the cable")
        ->needs(json);
    command->add_flag(
        "--wiring-checks", wiringChecks,
        "Also run the wiring checks (switch-on surge, master and slave, dependent devices)");
    command->add_flag("--strict", strict,
                      "Exit with status 3 when opening the file showed any message");
    return command;
}

// The voltage along a loop: [distance in decimetres, drop in volts] at each point.
nlohmann::ordered_json ProfileJson(const clsCalculator& c) {
    const VoltageProfile profile = ProfileOfLoop(c);
    nlohmann::ordered_json points = nlohmann::ordered_json::array();
    for (const VoltagePoint& p : profile.points)
        points.push_back({p.distance, p.drop});
    nlohmann::ordered_json failing = nullptr;
    if (profile.firstFailingPoint) failing = *profile.firstFailingPoint;
    return {{"points", points},
            {"max_volt_drop_V", JsonNumber(c.MaxVoltDrop())},
            {"first_failing_point", failing}};
}

nlohmann::ordered_json LoopJson(int loop, int panelLoops) {
    const clsCalculator& c = CurrentDocument().LoopModel(loop);
    nlohmann::ordered_json result = {
        {"loop", loop},
        {"name", CurrentDocument().LoopName(loop)},
        {"on_panel", loop <= panelLoops},
        {"qty_devices", c.QtyDevices()},
        {"qty_slave_bases", c.QtyAddressableSlaveBases()},
        {"quiescent_current_devices_uA", JsonNumber(c.QuiescentCurrentDevices())},
        {"alarm_current_devices_uA", JsonNumber(c.AlarmCurrentDevices())},
        {"quiescent_current_total_uA", JsonNumber(c.QuiescentCurrentTotal())},
        {"alarm_current_total_uA", JsonNumber(c.AlarmCurrentTotal())},
        {"volt_drop_V", JsonNumber(c.VoltDrop())},
        {"max_volt_drop_V", JsonNumber(c.MaxVoltDrop())},
        {"calc_type", c.CalcType()},
        {"cable_first_dm", c.CableFirst()},
        {"cable_total_dm", c.CableTotal()},
        {"cable_impedance", c.CableImpedance()},
        {"max_output", c.MaxOutput()},
        {"loop_design", c.LoopDesign()},
        {"loop_design_short", c.LoopDesignShort()},
        {"loop_design_long", c.LoopDesignLong()},
        {"design_explanation", c.DesignExplanation()},
        {"panel_limit_text", c.PanelLimitText()},
    };
    if (withProfile) result["profile"] = ProfileJson(c);
    return result;
}

void PrintJson(const ControlPanel* panel) {
    const int panelLoops = panel ? panel->Loops : 0;
    nlohmann::ordered_json loops = nlohmann::ordered_json::array();
    for (int loop = 1; loop <= kLoopCount; ++loop)
        loops.push_back(LoopJson(loop, panelLoops));
    const nlohmann::ordered_json result = {
        {"file", designPath},
        {"site_name", CurrentDocument().SiteName},
        {"panel", panel ? panel->PanelName : std::string()},
        {"panel_loops", panelLoops},
        {"loops", std::move(loops)},
        {"total_devices", TotalDevicesAllLoops()},
        {"total_quiescent_uA", JsonNumber(TotalQuiescentAllLoops())},
        {"total_alarm_uA", JsonNumber(TotalAlarmAllLoops())},
        {"overall", OverallDesignText()},
        {"warnings", warnings},
    };
    PrintJsonObject(result);
}

// Pads UTF-8 text to a width in characters.
std::string Padded(const std::string& text, std::size_t width) {
    std::size_t characters = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++characters;
    return characters >= width ? text + " " : text + std::string(width - characters, ' ');
}

// The main window's rows as a table, then what failed and why.
void PrintTable(const ControlPanel* panel) {
    DesignDocument& doc = CurrentDocument();
    const int panelLoops = panel ? panel->Loops : 0;
    PrintDesignHeading(designPath);
    std::cout << Padded("Loop", 6) << Padded("Name", 28) << Padded("Devices", 9)
              << Padded("Quiescent", 11) << Padded("Alarm", 11) << Padded("Volt drop", 11)
              << "Verdict\n";
    for (int loop = 1; loop <= panelLoops; ++loop) {
        const clsCalculator& c = doc.LoopModel(loop);
        std::cout << Padded(std::to_string(loop), 6) << Padded(doc.LoopName(loop), 28)
                  << Padded(
                         FormatGeneral(std::int64_t{c.QtyDevices() + c.QtyAddressableSlaveBases()}),
                         9)
                  << Padded(CurrentText(c.QuiescentCurrentTotal()), 11)
                  << Padded(CurrentText(c.AlarmCurrentTotal()), 11)
                  << Padded(FormatFixed(c.VoltDrop(), 1) + " V", 11) << c.LoopDesignShort() << "\n";
    }
    std::cout << Padded("Total", 34)
              << Padded(FormatGeneral(std::int64_t{TotalDevicesAllLoops()}), 9)
              << Padded(CurrentText(TotalQuiescentAllLoops()), 11)
              << Padded(CurrentText(TotalAlarmAllLoops()), 11) << Padded("", 11)
              << OverallDesignText() << "\n";
    for (int loop = 1; loop <= panelLoops; ++loop) {
        const clsCalculator& c = doc.LoopModel(loop);
        if (c.DesignIsSatisfactory()) continue;
        std::cout << "\nLoop " << loop << ": " << c.LoopDesignShort() << "\n"
                  << c.DesignExplanation() << "\n";
    }
    std::cout.flush();
}

int RunCalc(ConsolePlatform& console) {
    if (!OpenDesignWithoutUser(console, designPath, &warnings)) return 1;
    // Opening has recalculated every loop as the main window does, without the wiring checks.
    if (wiringChecks) RecalculateAllLoops(false);
    const ControlPanel* panel = ChosenPanelRecord();
    if (asJson)
        PrintJson(panel);
    else
        PrintTable(panel);
    return strict && !warnings.empty() ? kStrictWarningsStatus : 0;
}

const bool registered = RegisterCliCommand({AddCalc, RunCalc});

}  // namespace
