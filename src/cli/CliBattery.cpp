// quelmar-cli battery FILE.QMR [--standard bs5839|nfpa72-2019|nfpa72-2022] [--standby-hours H]
// [--alarm-minutes M] [--json]: the standby battery a design needs, with the working, from the
// inputs saved with the design and the loop totals of the main window's totals row. The options
// replace saved inputs for this run only; nothing is written.
//
// Exit status: 0 with the result, 1 when the design or the battery list cannot be read, 2 when
// an option is not understood or the inputs are out of range.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "CliCommands.h"
#include "CliJson.h"
#include "CliOpenDesign.h"
#include "catalogue/Batteries.h"
#include "catalogue/Panels.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "engine/StandbyPower.h"
#include "shell/DecimalText.h"
#include "shell/Product.h"

namespace {

std::string designPath, standardKey, standbyHoursText, alarmMinutesText;
bool asJson = false;
CLI::Option* standardOption = nullptr;
CLI::Option* standbyHoursOption = nullptr;
CLI::Option* alarmMinutesOption = nullptr;
// Every message the open showed, in order.
std::vector<std::string> warnings;

std::string CheckStandard(const std::string& text) {
    if (StandardFromKey(text)) return "";
    return "the standard is bs5839, nfpa72-2019 or nfpa72-2022, not '" + text + "'";
}

std::string CheckDecimal(const std::string& text) {
    if (ParseDecimalAmount(text)) return "";
    return "a number with at most four decimals is expected, not '" + text + "'";
}

CLI::App* AddBattery(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "battery", "Calculate the standby battery a configuration file's design needs");
    command->add_option("FILE", designPath, "Configuration file (.QMR)")->required();
    standardOption =
        command
            ->add_option("--standard", standardKey,
                         "bs5839, nfpa72-2019 or nfpa72-2022 (default: the design's own)")
            ->check(CheckStandard);
    standbyHoursOption = command
                             ->add_option("--standby-hours", standbyHoursText,
                                          "Standby period in hours (default: the design's own)")
                             ->check(CheckDecimal);
    alarmMinutesOption =
        command
            ->add_option("--alarm-minutes", alarmMinutesText,
                         "Alarm period in minutes (default: the design's own, or the standard's "
                         "when --standard changes it)")
            ->check(CheckDecimal);
    command->add_flag("--json", asJson, "Print every input, term and result as one JSON object");
    return command;
}

// The editions of NFPA 72 differ in their factor only: a design's alarm period holds for both.
bool SameAlarmPeriodRules(BatteryStandard a, BatteryStandard b) {
    return (a == BatteryStandard::BS5839) == (b == BatteryStandard::BS5839);
}

// The design's saved inputs with the options given in their place. A change of standard without
// --alarm-minutes takes the new standard's alarm period.
StandbyPowerInputs InputsOfThisRun(const StandbyPowerInputs& saved) {
    StandbyPowerInputs inputs = saved;
    if (standardOption->count() > 0) {
        inputs.standard = *StandardFromKey(standardKey);
        if (!SameAlarmPeriodRules(inputs.standard, saved.standard))
            inputs.alarmMinutes = DefaultAlarmMinutes(inputs.standard, inputs.voiceSystem);
    }
    if (standbyHoursOption->count() > 0)
        inputs.standbyHours = *ParseDecimalAmount(standbyHoursText);
    if (alarmMinutesOption->count() > 0)
        inputs.alarmMinutes = *ParseDecimalAmount(alarmMinutesText);
    return inputs;
}

nlohmann::ordered_json OtherLoadsJson(const std::vector<OtherLoad>& loads) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const OtherLoad& load : loads)
        list.push_back({{"name", load.name},
                        {"quantity", load.quantity},
                        {"quiescent_mA_each", JsonNumber(load.quiescentMilliamps)},
                        {"alarm_mA_each", JsonNumber(load.alarmMilliamps)}});
    return list;
}

void PrintJson(const StandbyPowerInputs& inputs, const LoopCurrentTotals& loops,
               const StandbyPowerResult& result) {
    const ControlPanel* panel = ChosenPanelRecord();
    const bool bs5839 = result.standard == BatteryStandard::BS5839;
    // The terms of BS 5839-1's rule; null under NFPA 72, which has no D.
    const auto bs5839Only = [bs5839](Amount a) {
        return bs5839 ? JsonNumber(a) : nlohmann::ordered_json(nullptr);
    };
    nlohmann::ordered_json sizes = nlohmann::ordered_json::array();
    for (const Amount size : BatterySizes())
        sizes.push_back(JsonNumber(size));
    const nlohmann::ordered_json object = {
        {"file", designPath},
        {"site_name", CurrentDocument().SiteName},
        {"panel", panel ? panel->PanelName : std::string()},
        {"standard", StandardKey(inputs.standard)},
        {"standard_name", StandardName(inputs.standard)},
        {"voice_system", inputs.voiceSystem},
        {"standby_hours", JsonNumber(inputs.standbyHours)},
        {"alarm_minutes", JsonNumber(inputs.alarmMinutes)},
        {"loops_quiescent_uA", JsonNumber(loops.quiescentMicroamps)},
        {"loops_alarm_uA", JsonNumber(loops.alarmMicroamps)},
        {"loops_quiescent_A", JsonNumber(loops.quiescentMicroamps, 6)},
        {"loops_alarm_A", JsonNumber(loops.alarmMicroamps, 6)},
        {"panel_quiescent_A", JsonNumber(inputs.panelQuiescentMilliamps, 3)},
        {"panel_alarm_A", JsonNumber(inputs.panelAlarmMilliamps, 3)},
        {"other_loads", OtherLoadsJson(inputs.otherLoads)},
        {"quiescent_A", JsonNumber(result.quiescentMicroamps, 6)},
        {"alarm_A", JsonNumber(result.alarmMicroamps, 6)},
        {"alarm_hours", JsonNumber(result.alarmHours)},
        {"standby_charge_Ah", JsonNumber(result.standbyCharge)},
        {"alarm_charge_Ah", JsonNumber(result.alarmCharge)},
        {"factor", JsonNumber(result.factor)},
        {"requirement_D1_Ah", bs5839Only(result.requirementD1)},
        {"requirement_D175_Ah", bs5839Only(result.requirementD175)},
        {"alarm_rate_capacity_Ah", bs5839Only(result.alarmRateCapacity)},
        {"derating_D", bs5839Only(result.derating)},
        {"required_Ah", JsonNumber(result.requiredCapacity)},
        {"recommended_Ah", result.recommendedSize ? JsonNumber(*result.recommendedSize)
                                                  : nlohmann::ordered_json(nullptr)},
        {"battery_sizes_Ah", sizes},
        {"working", result.working},
        {"warnings", warnings},
    };
    PrintJsonObject(object);
}

void PrintWorking(const StandbyPowerInputs& inputs, const StandbyPowerResult& result) {
    PrintDesignHeading(designPath);
    for (const std::string& line : result.working)
        std::cout << line << "\n";
    // The panel catalogue does not hold the panel's own consumption: 0 means not yet entered.
    if (inputs.panelQuiescentMilliamps == Amount() && inputs.panelAlarmMilliamps == Amount())
        std::cout << "\nNote: the panel's own quiescent and alarm currents are 0 mA; enter them "
                     "from the panel maker's data.\n";
    std::cout.flush();
}

int RunBattery(ConsolePlatform& console) {
    if (!OpenDesignWithoutUser(console, designPath, &warnings)) return 1;
    // Opening has recalculated every loop as the main window does: these are its totals.
    const LoopCurrentTotals loops = StandbyLoopTotals();
    const StandbyPowerInputs inputs = InputsOfThisRun(CurrentDocument().StandbyPower);
    if (const std::optional<std::string> problem = CheckStandbyInputs(inputs)) {
        std::cerr << kProgramTitle << ": " << *problem << std::endl;
        return kCliUsageError;
    }
    if (!LoadBatteryCatalogue()) return 1;
    const StandbyPowerResult result = CalculateStandbyPower(inputs, loops, BatterySizes());
    if (asJson)
        PrintJson(inputs, loops, result);
    else
        PrintWorking(inputs, result);
    return 0;
}

const bool registered = RegisterCliCommand({AddBattery, RunBattery});

}  // namespace
