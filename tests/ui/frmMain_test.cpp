// The main window driven offscreen, with the scripted platform answering its message boxes.
#include "ui/frmMain.h"

#include "document/ConfigReader.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>

#include "catalogue/DeviceTypes.h"
#include "document/DesignDocument.h"
#include "engine/clsCalculator.h"
#include "print/PrintDialogModel.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"
#include "ui/QtPlatform.h"
#include "ui/UiTestSupport.h"
#include "ui/frmOpenProgress.h"
#include "ui/frmPrintCalc.h"
#include "ui/waitPrint.h"

namespace {

std::string RunCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    if (pipe) pclose(pipe);
    return out;
}

class MainWindowWidgetTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        TestApplication();
        paths.dataRoot = QUELMAR_SOURCE_DATA_DIR;
        SetPaths(paths);
        WriteSettingFlag("FirstTimeDone", true);
        WriteSettingText("LatestVersion", "1.00");
        qt = std::make_unique<QtPlatform>(&platform);
        installed = std::make_unique<ScopedInstall<Platform>>(*qt);
        window = std::make_unique<frmMain>();
        qt->SetMainWindow(window.get());
        ASSERT_TRUE(window->Start());
        window->show();
    }
    void TearDown() override {
        window.reset();
        installed.reset();
        ScriptedTest::TearDown();
    }
    QString Text(const QString& label) const { return window->findChild<QLabel*>(label)->text(); }
    // A design on the unknown panel whose loop 1 holds, at addresses 9 and 10, a catalogue type
    // that cannot be placed, and a placeable type at 11.
    std::string UnknownTypeDesign() const {
        int unplaceable = 0;
        for (int t = 1; t <= DeviceTypeCount && unplaceable == 0; ++t)
            if (!IsPlaceableDeviceType(t) && !DeviceTypeTable[t].IsSlave) unplaceable = t;
        const std::string h = std::to_string(unplaceable);
        return temp.Write("Unknown.QMR", "[Vantra]\r\nDataFormat=1\r\n[Loop1]\r\nDevice9=" + h +
                                             ",0,0,9,9,0\r\nDevice10=" + h +
                                             ",0,0,10,10,0\r\nDevice11=1,0,0,11,11,0\r\n");
    }

    std::unique_ptr<QtPlatform> qt;
    std::unique_ptr<ScopedInstall<Platform>> installed;
    std::unique_ptr<frmMain> window;
};

TEST_F(MainWindowWidgetTest, OpeningAnExampleShowsWhatTheCommandLineToolCalculates) {
    const std::string file = std::string(QUELMAR_EXAMPLES_DIR) + "/Hospital.QMR";
    window->SetCommandLine(file);
    window->Activate();
    EXPECT_EQ(window->windowTitle(), "Quelmar - Hospital");
    std::istringstream table(RunCommand(std::string(QUELMAR_CLI_PATH) + " --data-dir " +
                                        paths.dataRoot + " --config-dir " + paths.configDir +
                                        " calc " + file));
    // The table's columns start where their heads do.
    std::string line, head;
    while (std::getline(table, head) && head.rfind("Loop ", 0) != 0) {}
    const auto column = [&](const std::string& text, const char* name) {
        const std::size_t at = head.find(name);
        const std::size_t end = text.find("  ", at);
        return QString::fromStdString(text.substr(at, end == std::string::npos ? end : end - at));
    };
    int rows = 0;
    while (std::getline(table, line) && !line.empty()) {
        const QString row = line.rfind("Total", 0) == 0 ? "Total" : QString::number(++rows);
        SCOPED_TRACE(line);
        EXPECT_EQ(Text("lblDevice" + row), column(line, "Devices"));
        EXPECT_EQ(Text("lblQuiescent" + row), column(line, "Quiescent"));
        EXPECT_EQ(Text("lblAlarm" + row), column(line, "Alarm"));
        EXPECT_EQ(Text("lblPassFail" + row), column(line, "Verdict"));
    }
    EXPECT_EQ(rows, 8);
}

TEST_F(MainWindowWidgetTest, TheUnknownDeviceDialogAnswersYesYesToAllAndCancel) {
    const std::string file = UnknownTypeDesign();
    const struct {
        const char* button;
        int dialogs;
        const char* caption;
        int typeAt11;
    } cases[] = {{"btnYes", 2, "Quelmar - Unknown", 1},
                 {"btnYesToAll", 1, "Quelmar - Unknown", 1},
                 {"btnCancel", 1, "Quelmar", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        int shown = 0;
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr || dialog->objectName() != "dlgIgnoreUnknown") return;
            ++shown;
            dialog->findChild<QPushButton*>(c.button)->click();
        });
        clicker.start(0);
        OpenConfigurationFile(file, false, window->ProgressView(), window->UnknownPrompt());
        clicker.stop();
        EXPECT_EQ(shown, c.dialogs);
        EXPECT_EQ(window->windowTitle().toStdString(), c.caption);
        EXPECT_EQ(CurrentDocument().LoopModel(1).DeviceType(11), c.typeAt11);
    }
}

TEST_F(MainWindowWidgetTest, DetailsOpensThatLoopsEditorModally) {
    window->SetCommandLine(std::string(QUELMAR_EXAMPLES_DIR) + "/Office.QMR");
    window->Activate();
    const QString devices = Text("lblDevice1");
    QString caption;
    QTimer::singleShot(0, [&] {
        QWidget* editor = QApplication::activeModalWidget();
        ASSERT_NE(editor, nullptr);
        caption = editor->windowTitle();
        editor->findChild<QPushButton*>("btnCancel")->click();
    });
    window->findChild<QPushButton*>("btnChange1")->click();
    EXPECT_EQ(caption, "Loop 1");
    EXPECT_EQ(Text("lblDevice1"), devices);
}

TEST_F(MainWindowWidgetTest, CancelInTheProgressWindowAsksAndLeavesANewDesign) {
    window->SetCommandLine("");
    window->Activate();
    platform.answers = {MsgResult::Yes};
    QTimer::singleShot(0, [&] { window->ProgressWindow()->CancelButton()->click(); });
    const std::string file = std::string(QUELMAR_EXAMPLES_DIR) + "/Hospital.QMR";
    EXPECT_EQ(
        OpenConfigurationFile(file, false, window->ProgressView(), window->UnknownPrompt()).outcome,
        OpenOutcome::Cancelled);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Do you want to cancel the open operation?");
    EXPECT_EQ(window->windowTitle(), "Quelmar");
}

TEST_F(MainWindowWidgetTest, CancelInThePrintProgressDiscardsTheJobAndEnablesTheMainWindow) {
    window->SetCommandLine(std::string(QUELMAR_EXAMPLES_DIR) + "/Hospital.QMR");
    window->Activate();
    const std::string pdf = temp.File("Hospital.pdf");
    bool disabledMeanwhile = false;
    QTimer::singleShot(0, [&] {
        auto* progress = window->findChild<waitPrint*>("waitPrint");
        ASSERT_NE(progress, nullptr);
        disabledMeanwhile = !window->isEnabled();
        progress->findChild<QPushButton*>("btnCancel")->click();
    });
    EXPECT_EQ(window->Model().PrintReport({1, 2}, pdf).outcome, PrintOutcome::Cancelled);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(window->Model().PrintReport({1, 2}, pdf).outcome, PrintOutcome::Printed);
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);
}

TEST_F(MainWindowWidgetTest, ThePrintDialogListsTheLoopsOnlyForAPanelOfSeveral) {
    QPrinter printer;
    int previews = 0;
    const ReportRun report = [&](PageDevice& device, const std::vector<int>& loops) {
        ++previews;
        EXPECT_EQ(loops, std::vector<int>{});
        device.BeginDocument();
        device.PrintAtTab(8, "Summary");
        device.EndDocument();
        return PrintResult{};
    };
    window->setEnabled(false);  // as during the Print command
    for (const int loops : {1, 2}) {
        PrintDialogModel model(CurrentDocument(), loops, "Office on 3rd floor");
        frmPrintCalc dialog(model, printer, report, "", window.get());
        dialog.show();
        EXPECT_TRUE(dialog.isEnabled());
        QTimer::singleShot(0, [&] { QApplication::activeModalWidget()->close(); });
        dialog.findChild<QPushButton*>("btnPreview")->click();
        EXPECT_GE(previews, loops);
        EXPECT_EQ(dialog.findChild<QListWidget*>("lstLoop")->isVisible(), loops == 2);
        EXPECT_EQ(dialog.findChild<QLabel*>("lblPrinterName")->text(), "Office on 3rd floor");
        for (const char* box : {"chkVoltageCharts", "chkStandbyPower"})
            dialog.findChild<QCheckBox*>(box)->click();  // off until ticked
        EXPECT_TRUE(model.VoltageCharts() && model.StandbyPower());
        // No two captions share an access key.
        std::set<QChar> keys;
        for (const QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
            if (const auto amp = b->text().indexOf('&'); amp >= 0) {
                EXPECT_TRUE(keys.insert(b->text()[amp + 1].toLower()).second)
                    << b->text().toStdString();
            }
        dialog.findChild<QPushButton*>("btnPrint")->click();
        EXPECT_TRUE(model.Confirmed() && dialog.isHidden());
    }
}

}  // namespace
