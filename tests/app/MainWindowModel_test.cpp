#include "app/MainWindowModel.h"

#include <filesystem>

#include "app/CommandLine.h"
#include "app/RecordingView.h"
#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "engine/clsCalculator.h"
#include "shell/RecentFiles.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

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
};

TEST(CommandLineTest, OptionsAndFileNames) {
    const struct {
        std::string line;
        CommandLineRequest expected;
    } cases[] = {
        {"   ", {true, 'o', ""}},
        {" \"/home/ann/Site One.QMR\" ", {false, 'o', "/home/ann/Site One.QMR"}},
        {"/P \"/tmp/a b.QMR\"", {false, 'p', "/tmp/a b.QMR"}},
        {"/x /tmp/s.QMR", {false, 'x', "/tmp/s.QMR"}},
        {"/p", {false, 'p', ""}},
        {"/q /P  site.QMR", {false, 'p', "site.QMR"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCommandLine(c.line), c.expected) << c.line;
    EXPECT_EQ(ParseCommandLine(JoinCommandLine({"/p", "/tmp/a b.QMR"})).fileName, "/tmp/a b.QMR");
    EXPECT_EQ(UnrecognisedOptionText('x'), "Command line option not recognised.\r\r'/x'");
}

TEST_F(MainWindowModelTest, ABrokenCatalogueEndsTheStart) {
    paths.dataRoot = temp.File("nodata");
    SetPaths(paths);
    EXPECT_FALSE(model.Start());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("nodata"), std::string::npos);
}

TEST_F(MainWindowModelTest, StartShowsTheLastPanelAndANewDesign) {
    WriteSettingText("LastPanel", "cordova c200");
    StartWith("");
    EXPECT_EQ(PanelTable[view.chosenPanel].PanelName, "Cordova C200");
    EXPECT_EQ(view.rowCount, 2);
    EXPECT_EQ(view.totals, (SummaryRow{"0", "0 mA", "0 mA", "Design Satisfactory"}));
    EXPECT_FALSE(CurrentDocument().DataChanged);
}

TEST_F(MainWindowModelTest, PanelEditAndDeleteAreOfferedOnlyWhileAUserDefinedPanelExists) {
    StartWith("");
    EXPECT_FALSE(view.customPanelEdits);
    ControlPanel mine = PanelTable[static_cast<std::size_t>(UnknownPanelIndex)];
    mine.PanelName = "Mine";
    const int added = AddCustomPanel(mine);
    ASSERT_GE(added, 0) << platform.AllMessageTexts();
    model.CheckCustomPanelMenu();
    EXPECT_TRUE(view.customPanelEdits);
    ASSERT_TRUE(DeleteCustomPanel(added));
    model.CheckCustomPanelMenu();
    EXPECT_FALSE(view.customPanelEdits);  // a deleted panel no longer counts
}

TEST_F(MainWindowModelTest, TheSaveQuestionGuardsNewOpenAndExit) {
    enum Command { New, Open, Exit };
    for (Command command : {New, Open, Exit}) {
        for (MsgResult answer : {MsgResult::Cancel, MsgResult::No, MsgResult::Yes}) {
            SCOPED_TRACE(std::to_string(command) + MsgResultName(answer));
            RecordingView v;
            MainWindowModel m{v};
            ASSERT_TRUE(m.Start());
            m.Activate(Example("Office.QMR"));
            v.openAnswer = OpenChoice{Example("Warehouse.QMR"), false};
            v.saveAnswer = temp.File("saved.QMR");
            m.SiteNameEdited("Changed");
            platform.messages.clear();
            platform.answers = {answer};
            bool goesOn = true;
            if (command == New) m.NewCommand();
            if (command == Open) m.OpenCommand();
            if (command == Exit) goesOn = m.QueryClose();
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0].text,
                      "Configuration data has not been saved.\n\nDo you want to save now?");
            const bool kept = answer == MsgResult::Cancel;
            // Going on replaces the design, except that Exit leaves it.
            EXPECT_EQ(CurrentDocument().SiteName == "Changed", kept || command == Exit);
            if (command == Exit) EXPECT_EQ(goesOn, !kept);
            // Yes saved the changed design over the file it came from.
            const std::string office = ReadWholeFile(Example("Office.QMR"));
            EXPECT_EQ(office.find("Changed") != std::string::npos, answer == MsgResult::Yes);
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
    EXPECT_EQ(view.saveDialogs, 0);
    EXPECT_EQ(view.printing.dialogPrinter, "");
    EXPECT_TRUE(model.QueryClose());
    EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(MainWindowModelTest, WithoutAPrinterThePrintCommandOffersOnlyAPdfFile) {
    StartWith(Example("Office.QMR"));
    model.RunPrintCommand();  // the dialog is cancelled
    EXPECT_EQ(view.printing.dialogPrinter, "No printer is installed");
    EXPECT_FALSE(view.printing.dialogCanPrint);

    view.printing.pdfAnswer = temp.File("Office report.pdf");
    model.RunPrintCommand();
    EXPECT_EQ(view.printing.pdfPaths, std::vector<std::string>{temp.File("Office report.pdf")});
    EXPECT_EQ(view.printing.enabledDuringRuns, std::vector<bool>{false});
    EXPECT_TRUE(view.printing.enabled);
    EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
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
    platform.messages.clear();
    platform.answers = {MsgResult::OK, MsgResult::OK};
    model.PanelChosen(smaller);
    EXPECT_EQ(platform.messages.size(), 2u);  // their texts: the calculation glue's tests
    EXPECT_EQ(view.rowCount, 2);
    EXPECT_EQ(ReadSettingText("LastPanel"), "Cordova C200");
    const auto after = LoopFigures();
    EXPECT_EQ(after[0], std::make_pair(before[0].first, 16));
    EXPECT_EQ(after[1], std::make_pair(99, 16));
    EXPECT_EQ(after[2], std::make_pair(0, 16));
}

TEST_F(MainWindowModelTest, CommandLineOptionsPrintOrRefuseAndEnd) {
    StartWith("/x \"" + Example("Office.QMR") + "\"");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(view.closes, 1);

    RecordingView printing;
    MainWindowModel m{printing};
    platform.messages.clear();
    ASSERT_TRUE(m.Start());
    m.Activate("/P \"" + Example("Office.QMR") + "\"");
    EXPECT_EQ(printing.closes, 1);
    // Without a printer the report goes to a PDF file beside the design, and the user is told.
    const std::string pdf =
        (std::filesystem::path(Example("Office.QMR")).parent_path() / "Office.pdf").string();
    EXPECT_EQ(printing.printing.pdfPaths, std::vector<std::string>{pdf});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("'" + pdf + "'"), std::string::npos);
}

TEST_F(MainWindowModelTest, AMissingFileOnTheCommandLineLeavesANewDesign) {
    StartWith(temp.File("gone.QMR"));
    EXPECT_EQ(platform.AllMessageTexts(), "Unable to find file '" + temp.File("gone.QMR") + "'.");
    EXPECT_EQ(view.closes, 0);
}

TEST_F(MainWindowModelTest, FirstRunWelcomesOnceThenANewVersionIsAnnounced) {
    DeleteSetting("FirstTimeDone");
    view.welcomeTicked = false;
    StartWith("");
    EXPECT_EQ(view.welcomes, 1);
    EXPECT_FALSE(ReadSettingFlag("FirstTimeDone"));
    RecordingView second;
    MainWindowModel again{second};
    ASSERT_TRUE(again.Start());
    again.Activate("");
    EXPECT_EQ(second.welcomes, 1);
    EXPECT_TRUE(ReadSettingFlag("FirstTimeDone"));
    WriteSettingText("LatestVersion", "0.90");
    RecordingView third;
    MainWindowModel last{third};
    ASSERT_TRUE(last.Start());
    last.Activate("");
    EXPECT_EQ(third.newVersions, 1);
    EXPECT_EQ(ReadSettingText("LatestVersion"), "1.00");
}

}  // namespace
