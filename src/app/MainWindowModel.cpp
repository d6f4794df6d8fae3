#include "app/MainWindowModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/LoopsSnapshot.h"
#include "app/MainWindowHooks.h"
#include "app/PrintTexts.h"
#include "catalogue/CatalogueStartup.h"
#include "catalogue/Options.h"
#include "catalogue/Panels.h"
#include "document/CalcGlue.h"
#include "document/ConfigReader.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "document/UnitsSetting.h"
#include "engine/Scaling.h"
#include "engine/clsCalculator.h"
#include "print/PrintDialogModel.h"
#include "shell/ErrorHandler.h"
#include "shell/LegacySettings.h"
#include "shell/Locale.h"
#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/RecentFiles.h"
#include "shell/RuntimeFault.h"
#include "shell/Settings.h"

namespace {

const ControlPanel* PanelRecord(int panel) {
    if (panel < 0 || panel >= static_cast<int>(PanelTable.size())) return nullptr;
    return &PanelTable[static_cast<std::size_t>(panel)];
}

std::string MakerOf(int panel) {
    const ControlPanel* p = PanelRecord(panel);
    if (p == nullptr || p->Manufacturer < 0 ||
        p->Manufacturer >= static_cast<int>(ManufacturerTable.size()))
        return "";
    return ManufacturerTable[static_cast<std::size_t>(p->Manufacturer)].ManufacturerName;
}

}  // namespace

template <typename Work>
bool MainWindowModel::Guarded(const char* area, Work work) {
    for (;;) {
        try {
            work();
            return true;
        } catch (const RuntimeFault& fault) {
            const MsgResult answer =
                ReportUnexpectedError(fault.number, fault.description, "MainForm", area);
            if (answer == MsgResult::Retry) continue;
            return false;
        }
    }
}

MainWindowModel::MainWindowModel(MainFormView& view)
    : view_(view), hooks_(std::make_unique<CoreHooks>(*this)) {}

MainWindowModel::~MainWindowModel() = default;

bool MainWindowModel::Start() {
    firstActivationPending_ = true;
    view_.ShowSplash();
    BusyPointer busy;
    Guarded("Form_Load", [] { MigrateIniSettings(); });
    LoadRecentFiles();
    view_.ShowRecentFiles(RecentFiles());
    // The catalogues in their order, then the last panel or "Unknown Panel"; a failure has
    // shown its message.
    if (!LoadCatalogues()) return false;
    CheckCustomPanelMenu();
    ShowPanelChoice();
    NewDocument();
    RecalculateAllLoops();
    RefreshCaption();
    return true;
}

void MainWindowModel::Activate(const std::string& commandLine) {
    if (!firstActivationPending_) return;
    firstActivationPending_ = false;
    view_.CloseSplash();
    if (!ReadSettingFlag("FirstTimeDone")) {
        RunFirstRun();
    } else if (ReadSettingText("LatestVersion") != RunningVersion()) {
        if (view_.ShowNewVersion(NewVersionText()))
            Guarded("Form_Activate", [] { WriteSettingText("LatestVersion", RunningVersion()); });
    }
    RunCommandLine(commandLine);
}

void MainWindowModel::RunFirstRun() {
    // Families are offered by region and the units follow the regional settings.
    Guarded("Form_Activate", [] {
        ApplyFirstRunFamilyOffers(IsNorthAmericanLocale());
        SetUnitsFromRegionalSettings();
    });
    if (!view_.ShowWelcome()) return;
    Guarded("Form_Activate", [] {
        SettingsBatch batch;
        WriteSettingFlag("FirstTimeDone", true);
        WriteSettingText("LatestVersion", RunningVersion());
        batch.Commit();
    });
}

void MainWindowModel::RunCommandLine(const std::string& commandLine) {
    CommandLineRequest request = ParseCommandLine(commandLine);
    // The recent-files list keeps full paths, so a name given relative to the current folder
    // is made full before it is opened.
    std::error_code ec;
    if (!request.fileName.empty() && std::filesystem::path(request.fileName).is_relative()) {
        const auto full = std::filesystem::absolute(request.fileName, ec).lexically_normal();
        if (!ec) request.fileName = full.string();
    }
    if (request.empty) {
        CurrentDocument().DataChanged = false;
        return;
    }
    if (request.option == 'o') {
        Open(request.fileName, false);
        CurrentDocument().DataChanged = false;
        return;
    }
    if (request.option == 'p') {
        if (Open(request.fileName, false).finished) {
            if (view_.Printing().PrinterAvailable())
                RunPrintCommand();
            else
                PrintToPdfBesideDesign();
        }
    } else {
        ShowMessage(UnrecognisedOptionText(request.option), CaptionText(CurrentDocument()),
                    MsgIcon::Exclamation);
    }
    view_.CloseMainWindow();
}

OpenResult MainWindowModel::Open(const std::string& path, bool readOnly) {
    return OpenConfigurationFile(path, readOnly, view_.ProgressView(), view_.UnknownPrompt());
}

void MainWindowModel::NewCommand() {
    if (!SavePrompt()) return;
    NewDocument();
    RecalculateAllLoops();
}

void MainWindowModel::OpenCommand() {
    if (!SavePrompt()) return;
    const std::optional<OpenChoice> choice = view_.ChooseFileToOpen(GetLastFolder());
    if (!choice) return;
    Guarded("mnuOpen_Click", [&] { SetLastFolder(choice->path); });
    Open(choice->path, choice->readOnly);
}

bool MainWindowModel::SaveCommand() {
    bool saved = false;
    Guarded("mnuSave_Click", [&] { saved = DoMenuSave(); });
    return saved;
}

bool MainWindowModel::SaveAsCommand() {
    bool saved = false;
    Guarded("mnuSaveAs_Click", [&] { saved = DoMenuSaveAs(); });
    return saved;
}

void MainWindowModel::RunPrintCommand() {
    if (!MayPrint()) return;
    PrintView& printing = view_.Printing();
    const ControlPanel* panel = PanelRecord(GetCurrentPanel());
    printing.SetMainWindowEnabled(false);
    PrintDialogModel dialog(CurrentDocument(), panel ? panel->Loops : 0,
                            printing.PrinterDescription());
    if (!printing.PrinterAvailable()) dialog.PrinterChanged(kNoPrinterName, false);
    printing.ShowPrintDialog(dialog, CurrentReport([&dialog] { return dialog.Options(); }));
    if (dialog.Confirmed()) PrintReport(dialog.ChosenLoops(), dialog.PdfPath(), dialog.Options());
    printing.SetMainWindowEnabled(true);
}

PrintResult MainWindowModel::PrintReport(const std::vector<int>& loops, const std::string& pdfPath,
                                         const ReportOptions& options) {
    PrintView& printing = view_.Printing();
    Platform& platform = CurrentPlatform();
    const bool wasBusy = platform.IsBusy();
    printing.SetMainWindowEnabled(false);
    platform.SetBusy(true);
    const PrintResult result =
        printing.RunReport(CurrentReport([options] { return options; }), loops, pdfPath);
    platform.SetBusy(wasBusy);
    printing.SetMainWindowEnabled(true);
    if (result.outcome == PrintOutcome::Failed)
        ShowMessage(PrintFailureText(result.message, pdfPath), kProgramTitle, MsgIcon::Exclamation);
    return result;
}

void MainWindowModel::PrintToPdfBesideDesign() {
    const std::string path = PdfPathBeside(CurrentDocument().DocumentPath);
    const ControlPanel* panel = PanelRecord(GetCurrentPanel());
    const PrintResult result =
        PrintReport(PreselectedLoops(CurrentDocument(), panel ? panel->Loops : 0), path);
    if (result.outcome == PrintOutcome::Printed)
        ShowMessage(NoPrinterPdfText(path), kProgramTitle, MsgIcon::Information);
}

ReportRun MainWindowModel::CurrentReport(std::function<ReportOptions()> options) {
    return [this, options](PageDevice& device, const std::vector<int>& loops) {
        DesignDocument& document = CurrentDocument();
        const PrintRequest request =
            CurrentPrintRequest(view_.Printing().LongDate(document.ModifiedDate), loops, options());
        return PrintConfiguration(device, document, PanelRecord(GetCurrentPanel()), request);
    };
}

void MainWindowModel::OpenRecentCommand(std::size_t index) {
    if (index >= RecentFiles().size()) return;
    const std::string path = RecentFiles()[index];
    if (!SavePrompt()) return;
    Open(path, false);
}

bool MainWindowModel::QueryClose() {
    if (closing_) return true;
    bool mayClose = false;
    Guarded("Form_QueryUnload", [&] { mayClose = SavePrompt(); });
    closing_ = mayClose;
    return mayClose;
}

void MainWindowModel::SiteNameEdited(const std::string& text) {
    CurrentDocument().SiteName = text;
    MarkModified();
}

void MainWindowModel::PanelChosen(int panel) {
    const int old = GetCurrentPanel();
    const ControlPanel* from = PanelRecord(old);
    const ControlPanel* to = PanelRecord(panel);
    if (panel == old || to == nullptr || to->Manufacturer < 0) {
        view_.ShowChosenPanel(old, MakerOf(old));
        return;
    }
    const std::uint8_t oldLoops = from ? from->Loops : kLoopCount;
    const std::int16_t oldHighest = from ? from->MaxDevicesPerLoop : 255;
    // Both questions first; the outputs limits are lowered only once both are accepted.
    LoopsSnapshot before;
    if (!CheckPanelLoopCount(oldLoops, to->Loops) ||
        !CheckPanelMaxDevices(oldHighest, to->MaxDevicesPerLoop)) {
        before.Restore();
        view_.ShowChosenPanel(old, MakerOf(old));
        return;
    }
    LimitMaxOutputs(to->Outputs);
    Guarded("outPanel_Click", [&] { SetCurrentPanel(panel); });
    view_.ShowChosenPanel(GetCurrentPanel(), MakerOf(GetCurrentPanel()));
    ChangePanel();
    MarkModified();
    RecalculateAllLoops();
}

std::vector<PanelGroup> MainWindowModel::BuildPanelGroups() {
    std::vector<PanelGroup> groups(ManufacturerTable.size());
    for (std::size_t m = 0; m < ManufacturerTable.size(); ++m)
        groups[m].maker = ManufacturerTable[m].ManufacturerName;
    for (std::size_t p = 0; p < PanelTable.size(); ++p) {
        const int maker = PanelTable[p].Manufacturer;
        if (maker < 0 || maker >= static_cast<int>(groups.size())) continue;
        groups[static_cast<std::size_t>(maker)].panels.push_back(static_cast<int>(p));
    }
    std::erase_if(groups, [](const PanelGroup& g) { return g.panels.empty(); });
    return groups;
}

std::string MainWindowModel::AlarmNoteCaption(int panel) {
    const ControlPanel* p = PanelRecord(panel);
    const std::int64_t limit = p ? p->MaxTotalCurrent : 0;
    return "(max. permissible = " + FormatGeneral(limit) + " mA)";
}

int MainWindowModel::LoopRowCount(int panel) {
    const ControlPanel* p = PanelRecord(panel);
    return p ? std::min<int>(p->Loops, kLoopCount) : kLoopCount;
}

void MainWindowModel::ChangePanel() {
    const int panel = GetCurrentPanel();
    view_.ShowLoopRowCount(LoopRowCount(panel));
    view_.ShowAlarmNoteCaption(AlarmNoteCaption(panel));
}

void MainWindowModel::CheckCustomPanelMenu() {
    bool any = false;
    for (const ControlPanel& panel : PanelTable)
        any = any || panel.Manufacturer == CustomManufacturerIndex;
    view_.ShowCustomPanelEdits(any);
}

void MainWindowModel::OptionsChanged() {
    RecalculateAllLoops();
}

void MainWindowModel::ShowPanelChoice() {
    view_.ShowPanelList(BuildPanelGroups());
    view_.ShowChosenPanel(GetCurrentPanel(), MakerOf(GetCurrentPanel()));
    ChangePanel();
}

std::optional<WindowPlacement> MainWindowModel::SavedPlacement() {
    WindowPlacement p;
    p.width = ReadSettingNumber("Main Form Width");
    p.height = ReadSettingNumber("Main Form Height");
    if (p.width <= 0 || p.height <= 0) return std::nullopt;
    p.left = ReadSettingNumber("Main Form Left");
    p.top = ReadSettingNumber("Main Form Top");
    p.maximized = ReadSettingText("Main Form State") == "Maximized";
    return p;
}

void MainWindowModel::StorePlacement(const WindowPlacement& p) {
    if (SavedPlacement() == p) return;
    Guarded("Form_Unload", [&] {
        SettingsBatch batch;
        WriteSettingNumber("Main Form Left", p.left);
        WriteSettingNumber("Main Form Top", p.top);
        WriteSettingNumber("Main Form Width", p.width);
        WriteSettingNumber("Main Form Height", p.height);
        WriteSettingText("Main Form State", p.maximized ? "Maximized" : "Normal");
        batch.Commit();
    });
}
