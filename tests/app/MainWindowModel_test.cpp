#include "app/MainWindowModel.h"

#include <filesystem>
#include <memory>

#include "app/CommandLine.h"
#include "app/MainFormView.h"
#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "engine/clsCalculator.h"
#include "print/PrintDialogModel.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// A main window view that keeps what it was shown and answers the dialogs from a script.
struct RecordingView : MainFormView, IgnoreUnknownPrompt {
    int chosenPanel = -1;
    SummaryRow totals;
    bool welcomeTicked = true;
    int welcomes = 0, newVersions = 0, closes = 0, saveDialogs = 0;
    std::optional<OpenChoice> openAnswer;
    std::optional<std::string> saveAnswer;

    void ShowCaption(const std::string&) override {}
    void ShowSiteName(const std::string&) override {}
    void ShowPanelList(const std::vector<PanelGroup>&) override {}
    void ShowChosenPanel(int panel, const std::string&) override { chosenPanel = panel; }
    void ShowLoopRowCount(int) override {}
    void ShowLoopRow(int, const SummaryRow&) override {}
    void ShowTotalsRow(const SummaryRow& t) override { totals = t; }
    void ShowAlarmNoteCaption(const std::string&) override {}
    void ShowAlarmNoteVisible(bool) override {}
    void ShowRecentFiles(const std::vector<std::string>&) override {}
    void ShowCustomPanelEdits(bool) override {}
    void ShowSplash() override {}
    void CloseSplash() override {}
    bool ShowWelcome() override {
        ++welcomes;
        return welcomeTicked;
    }
    bool ShowNewVersion(const std::string&) override {
        ++newVersions;
        return true;
    }
    std::optional<OpenChoice> ChooseFileToOpen(const std::string&) override { return openAnswer; }
    std::optional<std::string> ChooseFileToSave(const std::string&, const std::string&) override {
        ++saveDialogs;
        return saveAnswer;
    }
    OpenProgressView& ProgressView() override { return progress; }
    IgnoreUnknownPrompt& UnknownPrompt() override { return *this; }
    char UnknownResponse(std::int16_t, std::int16_t, std::int16_t) override { return 'A'; }
    SilentOpenProgress progress;
    PrintView& Printing() override { return printing; }
    void CloseMainWindow() override { ++closes; }

    // No printer: a report is only ever written as a PDF file, which is recorded, not written.
    // The print dialog is answered with Save as PDF when `pdfAnswer` is set, else with Cancel.
    struct RecordingPrint : PrintView {
        std::optional<std::string> pdfAnswer;
        std::string dialogPrinter;
        bool dialogCanPrint = true;
        std::vector<std::string> pdfPaths;
        std::vector<bool> enabledDuringRuns;
        bool enabled = true;
        bool PrinterAvailable() override { return false; }
        std::string PrinterDescription() override { return "PDF on "; }
        std::string LongDate(const DateTime&) override { return "today"; }
        void ShowPrintDialog(PrintDialogModel& dialog, const ReportRun&) override {
            dialogPrinter = dialog.PrinterName();
            dialogCanPrint = dialog.CanPrint();
            if (pdfAnswer) dialog.SaveAsPdf(*pdfAnswer);
        }
        PrintResult RunReport(const ReportRun&, const std::vector<int>&,
                              const std::string& pdfPath) override {
            pdfPaths.push_back(pdfPath);
            enabledDuringRuns.push_back(enabled);
            return {};
        }
        void SetMainWindowEnabled(bool e) override { enabled = e; }
    } printing;
};

const std::string kExamples = QUELMAR_EXAMPLES_DIR;

class MainWindowModelTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        paths.dataRoot = QUELMAR_SOURCE_DATA_DIR;
        SetPaths(paths);
        WriteSettingFlag("FirstTimeDone", true);
        WriteSettingText("LatestVersion", "1.00");
        for (const char* name : {"Office.QMR", "Warehouse.QMR", "Hospital.QMR"})
            fs::copy_file(kExamples + "/" + name, temp.File(name));
    }
    // A started window with the example opened from the command line.
    void StartWith(const std::string& commandLine) {
        ASSERT_TRUE(model.Start());
        model.Activate(commandLine);
    }
    // The program started again: a new window on a view of its own, given a command line.
    RecordingView& Restart(const std::string& commandLine) {
        views.push_back(std::make_unique<RecordingView>());
        models.push_back(std::make_unique<MainWindowModel>(*views.back()));
        EXPECT_TRUE(models.back()->Start());
        models.back()->Activate(commandLine);
        return *views.back();
    }
    // A copy of an example, free to be changed.
    std::string Example(const std::string& name) { return temp.File(name); }
    static int PanelNamed(const std::string& name) {
        for (std::size_t p = 0; p < PanelTable.size(); ++p)
            if (PanelTable[p].PanelName == name) return static_cast<int>(p);
        return -1;
    }
    // Every loop's devices and outputs limit.
    static std::vector<std::pair<int, int>> LoopFigures() {
        std::vector<std::pair<int, int>> figures;
        for (int loop = 1; loop <= kLoopCount; ++loop) {
            const clsCalculator& calc = CurrentDocument().LoopModel(loop);
            int devices = 0;
            for (int slot = 0; slot < clsCalculator::kSlotCount; ++slot)
                devices += calc.DeviceType(slot) != 0;
            figures.emplace_back(devices, calc.MaxOutput());
        }
        return figures;
    }

    RecordingView view;
    MainWindowModel model{view};
    std::vector<std::unique_ptr<RecordingView>> views;
    std::vector<std::unique_ptr<MainWindowModel>> models;
};

TEST(CommandLineTest, OptionsAndFileNames) {
    const std::pair<std::string, CommandLineRequest> cases[] = {
        {"   ", {true, 'o', ""}},
        {" \"/home/ann/Site One.QMR\" ", {false, 'o', "/home/ann/Site One.QMR"}},
        {"/P \"/tmp/a b.QMR\"", {false, 'p', "/tmp/a b.QMR"}},
        {"/p", {false, 'p', ""}},
        {"/q /P  site.QMR", {false, 'p', "site.QMR"}},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(ParseCommandLine(line), expected) << line;
    EXPECT_EQ(ParseCommandLine(JoinCommandLine({"/p", "/tmp/a b.QMR"})).fileName, "/tmp/a b.QMR");
    EXPECT_EQ(UnrecognisedOptionText('x'), "Command line option not recognised.\r\r'/x'");
}

TEST_F(MainWindowModelTest, TheSaveQuestionGuardsNewOpenAndExit) {
    enum Command { New, Open, Exit };
    for (Command command : {New, Open, Exit}) {
        for (MsgResult answer : {MsgResult::Cancel, MsgResult::No, MsgResult::Yes}) {
            SCOPED_TRACE(std::to_string(command) + MsgResultName(answer));
            RecordingView& v = Restart(Example("Office.QMR"));
            v.openAnswer = OpenChoice{Example("Warehouse.QMR"), false};
            v.saveAnswer = temp.File("saved.QMR");
            models.back()->SiteNameEdited("Changed");
            platform.messages.clear();
            platform.answers = {answer};
            bool goesOn = true;
            if (command == New) models.back()->NewCommand();
            if (command == Open) models.back()->OpenCommand();
            if (command == Exit) goesOn = models.back()->QueryClose();
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0].text,
                      "Configuration data has not been saved.\n\nDo you want to save now?");
            const bool kept = answer == MsgResult::Cancel;
            // Going on replaces the design, except that Exit leaves it.
            EXPECT_EQ(CurrentDocument().SiteName == "Changed", kept || command == Exit);
            if (command == Exit) {
                EXPECT_EQ(goesOn, !kept);
            }
            // Yes saved the changed design over the file it came from.
            EXPECT_EQ(ReadWholeFile(Example("Office.QMR")).find("Changed") != std::string::npos,
                      answer == MsgResult::Yes);
            fs::copy_file(kExamples + "/Office.QMR", Example("Office.QMR"),
                          fs::copy_options::overwrite_existing);
        }
    }
}

TEST_F(MainWindowModelTest, AChangedReadOnlyDesignIsNeitherSavedNorPrintedButLeftFreely) {
    StartWith("");
    view.openAnswer = OpenChoice{Example("Office.QMR"), true};
    model.OpenCommand();
    model.SiteNameEdited("Changed");
    EXPECT_FALSE(model.SaveCommand());
    model.RunPrintCommand();
    const std::string refused = "The configuration data was Opened as 'Read Only'.\n\n";
    EXPECT_EQ(platform.AllMessageTexts(), refused + "It cannot be saved.\n" + refused +
                                              "It cannot be printed after it has been changed.");
    EXPECT_EQ(std::make_pair(view.saveDialogs, view.printing.dialogPrinter),
              std::make_pair(0, std::string()));
    EXPECT_TRUE(model.QueryClose());
    EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(MainWindowModelTest, APanelChangeCancelledAtEitherQuestionLeavesEveryLoopAsItWas) {
    StartWith(Example("Hospital.QMR"));
    const int hospitalPanel = view.chosenPanel;
    const auto before = LoopFigures();
    const int smaller = PanelNamed("Cordova C200");  // 2 loops, 99 addresses, 16 outputs
    for (const auto& answers : {std::vector<MsgResult>{MsgResult::Cancel},
                                std::vector<MsgResult>{MsgResult::OK, MsgResult::Cancel}}) {
        platform.messages.clear();
        platform.answers = answers;
        model.PanelChosen(smaller);
        EXPECT_EQ(platform.messages.size(), answers.size());
        EXPECT_EQ(view.chosenPanel, hospitalPanel);
        EXPECT_EQ(LoopFigures(), before);
        EXPECT_FALSE(CurrentDocument().DataChanged);
    }
    platform.answers = {MsgResult::OK, MsgResult::OK};
    model.PanelChosen(smaller);  // the loops it loses: the calculation glue's tests
    EXPECT_EQ(ReadSettingText("LastPanel"), "Cordova C200");
}

// Without a printer /P writes the report to a PDF file beside the design, tells the user, and
// ends; /x is refused and ends.
TEST_F(MainWindowModelTest, CommandLineOptionsPrintOrRefuseAndEnd) {
    StartWith("/P \"" + Example("Office.QMR") + "\"");
    EXPECT_EQ(view.closes, 1);
    const std::string pdf =
        (std::filesystem::path(Example("Office.QMR")).parent_path() / "Office.pdf").string();
    EXPECT_EQ(view.printing.pdfPaths, std::vector<std::string>{pdf});
    EXPECT_EQ(view.printing.enabledDuringRuns, std::vector<bool>{false});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("'" + pdf + "'"), std::string::npos);
    EXPECT_EQ(Restart("/x \"" + Example("Office.QMR") + "\"").closes, 1);
    EXPECT_EQ(platform.messages.size(), 2u);
}

// The last panel named in any case; the welcome until it is ticked; a new version announced.
TEST_F(MainWindowModelTest, StartShowsTheLastPanelAWelcomeAndANewVersion) {
    WriteSettingText("LastPanel", "cordova c200");
    DeleteSetting("FirstTimeDone");
    view.welcomeTicked = false;
    StartWith("");
    EXPECT_EQ(PanelTable[view.chosenPanel].PanelName, "Cordova C200");
    EXPECT_EQ(view.totals, (SummaryRow{"0", "0 mA", "0 mA", "Design Satisfactory"}));
    EXPECT_EQ(view.welcomes, 1);
    EXPECT_FALSE(ReadSettingFlag("FirstTimeDone"));
    EXPECT_EQ(Restart("").welcomes, 1);
    EXPECT_TRUE(ReadSettingFlag("FirstTimeDone"));
    WriteSettingText("LatestVersion", "0.90");
    EXPECT_EQ(Restart("").newVersions, 1);
    EXPECT_EQ(ReadSettingText("LatestVersion"), "1.00");
}

}  // namespace
