// quelmar-cli report FILE.QMR --pdf OUT.pdf [--loops 1,3] [--voltage-charts] [--standby-power]:
// writes the printed report of a design as a PDF file, without a display, with each loop's
// voltage chart and the standby power block when asked.
//
// The loops are those the print dialog pre-selects (every loop of the panel with devices) unless
// --loops names them; then exactly the named loops that exist on the panel. Lengths and cable
// impedances are shown in the units of the settings, as the program shows them. The settings
// store is read but never written. The PDF is written to a temporary file beside OUT and renamed
// over it only when it is complete, so a failure leaves an existing OUT untouched.

#include <algorithm>
#include <iostream>
#include <set>
#include <sstream>

#include "CliCommands.h"
#include "CliOpenDesign.h"
#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "document/UnitsSetting.h"
#include "engine/Scaling.h"
#include "print/PrintJob.h"
#include "qtprint/PdfFile.h"
#include "qtprint/QtPrintEnvironment.h"
#include "shell/Product.h"
#include "shell/Settings.h"

namespace {

std::string designPath, pdfPath, loopList;
ReportOptions options;

// "1,3" as loop numbers 1 to 8; an empty text when it is not such a list.
std::string CheckLoopList(const std::string& text) {
    std::stringstream items(text);
    std::string item;
    int count = 0;
    while (std::getline(items, item, ',')) {
        ++count;
        if (item.empty() || item.size() > 1 || item[0] < '1' || item[0] > '0' + kLoopCount)
            return "--loops takes loop numbers 1 to " + std::to_string(kLoopCount) +
                   " separated by commas, not '" + text + "'";
    }
    return count == 0 ? "--loops needs at least one loop number" : "";
}

CLI::App* AddReport(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("report", "Write the printed report of a configuration file as a PDF");
    command->add_option("FILE", designPath, "Configuration file (.QMR)")->required();
    command->add_option("--pdf", pdfPath, "PDF file to write")->required();
    command
        ->add_option("--loops", loopList, "Loops to detail, e.g. 1,3 (default: those with devices)")
        ->check(CheckLoopList);
    command->add_flag("--voltage-charts", options.voltageCharts,
                      "Draw each loop's voltage along the cable under its volt drop");
    command->add_flag("--standby-power", options.standbyPower,
                      "Add the standby battery calculation after the loops");
    return command;
}

// The display units as the program takes them at its first activation: the stored setting once
// the first run is done, else the regional settings. Any store of them stays in memory.
void LoadDisplayUnits() {
    if (SettingExists("FirstTimeDone"))
        LoadUnits();
    else
        SetUnitsFromRegionalSettings();
}

std::vector<int> ChosenLoops(int panelLoops) {
    if (loopList.empty()) return PreselectedLoops(CurrentDocument(), panelLoops);
    std::set<int> named;
    std::stringstream items(loopList);
    std::string item;
    while (std::getline(items, item, ','))
        named.insert(std::stoi(item));
    std::vector<int> loops;
    for (const int loop : named) {
        if (loop <= panelLoops)
            loops.push_back(loop);
        else
            std::cerr << kProgramTitle << ": the panel has no loop " << loop
                      << "; it is left out of the report." << std::endl;
    }
    return loops;
}

int WritePdf(const ControlPanel* panel, const std::vector<int>& loops) {
    DesignDocument& document = CurrentDocument();
    const PrintRequest request =
        CurrentPrintRequest(LongDateText(document.ModifiedDate), loops, options);
    const PrintResult result = WritePdfFile(pdfPath, request.title, [&](PageDevice& device) {
        return PrintConfiguration(device, document, panel, request);
    });
    if (result.outcome == PrintOutcome::Printed) return 0;
    const std::string failure = "The PDF file '" + pdfPath + "' cannot be written.";
    std::cerr << kProgramTitle << ": "
              << (result.message.empty() ? failure : result.message + " " + failure) << std::endl;
    return 1;
}

int RunReport(ConsolePlatform& console) {
    if (!OpenDesignWithoutUser(console, designPath)) return 1;
    LoadDisplayUnits();
    const int current = GetCurrentPanel();
    const ControlPanel* panel =
        current >= 0 && static_cast<std::size_t>(current) < PanelTable.size()
            ? &PanelTable[static_cast<std::size_t>(current)]
            : nullptr;
    const std::vector<int> loops = ChosenLoops(panel ? panel->Loops : 0);
    QtPrintEnvironment qt;
    return WritePdf(panel, loops);
}

const bool registered = RegisterCliCommand({AddReport, RunReport});

}  // namespace
