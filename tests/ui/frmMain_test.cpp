// The main window, its print dialog and the standby power window driven offscreen, with the
// scripted platform answering their message boxes.
#include "ui/frmMain.h"
#include "ui/frmStandbyPower.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "print/PrintDialogModel.h"
#include "shell/Settings.h"
#include "ui/QtPlatform.h"
#include "ui/UiTestSupport.h"
#include "ui/frmPrintCalc.h"

namespace {

class MainWindowWidgetTest : public ShippedDataUiTest {
protected:
    void SetUp() override {
        ShippedDataUiTest::SetUp();
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

    std::unique_ptr<QtPlatform> qt;
    std::unique_ptr<ScopedInstall<Platform>> installed;
    std::unique_ptr<frmMain> window;
};

// The summary's figures are the model's tests; the window shows the design and opens its loops.
TEST_F(MainWindowWidgetTest, AnOpenedDesignIsShownAndDetailsOpensThatLoopsEditorModally) {
    window->SetCommandLine(std::string(QUELMAR_EXAMPLES_DIR) + "/Office.QMR");
    window->Activate();
    EXPECT_EQ(window->windowTitle(), "Quelmar - Office");
    const QString devices = Text("lblDevice1");
    ASSERT_FALSE(devices.isEmpty());
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
        dialog.findChild<QPushButton*>("btnPrint")->click();
        EXPECT_TRUE(model.Confirmed() && dialog.isHidden());
    }
}

using StandbyWindowTest = ShippedDataUiTest;

TEST_F(StandbyWindowTest, TypingRecalculatesAndOkStoresTheInputs) {
    NewDocument();
    frmStandbyPower window(
        [] {
            return std::optional(std::vector{Amount::FromWhole(7), Amount::FromWhole(1000)});
        },
        nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* working = window.findChild<QPlainTextEdit*>("txtWorking");
    auto* panel = window.findChild<QLineEdit*>("txtPanelQuiescent");
    panel->selectAll();
    QTest::keyClicks(panel, "250");
    const QString after = working->toPlainText();
    EXPECT_EQ(after.toStdString(), window.Model().WorkingText());
    QTest::keyClicks(panel, "x");
    EXPECT_TRUE(window.findChild<QLabel*>("lblProblem")->isVisible());
    EXPECT_EQ(working->toPlainText(), after);
    QTest::keyClick(panel, Qt::Key_Backspace);

    window.findChild<QPushButton*>("btnAddLoad")->click();  // and types into the new row's name
    QTest::keyClicks(QApplication::focusWidget(), "Sounders");
    EXPECT_EQ(window.Model().Inputs().otherLoads.at(0).name, "Sounders");
    auto* loads = window.findChild<QTableWidget*>("grdLoads");
    loads->item(0, 3)->setText("40");
    window.findChild<QPushButton*>("btnOK")->click();
    const StandbyPowerInputs& held = CurrentDocument().StandbyPower;
    EXPECT_EQ(held.panelQuiescentMilliamps, Amount::FromWhole(250));
    EXPECT_EQ(held.otherLoads.at(0).alarmMilliamps, Amount::FromWhole(40));
}

}  // namespace
