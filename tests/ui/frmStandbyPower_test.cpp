// The standby power window driven offscreen: typing recalculates, OK stores, and the main
// window's Tools menu opens it.
#include "ui/frmStandbyPower.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"
#include "ui/frmMain.h"

namespace {

class StandbyWindowTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        TestApplication();
        paths.dataRoot = QUELMAR_SOURCE_DATA_DIR;
        SetPaths(paths);
        NewDocument();
    }
    static std::optional<std::vector<Amount>> Sizes() {
        return std::vector<Amount>{Amount::FromWhole(7), Amount::FromWhole(1000)};
    }
};

TEST_F(StandbyWindowTest, TypingRecalculatesAndOkStoresTheInputs) {
    frmStandbyPower window(Sizes, nullptr);
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
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(window.Model().Inputs().otherLoads.at(0).name, "Load 1");
    auto* loads = window.findChild<QTableWidget*>("grdLoads");
    loads->item(0, 3)->setText("40");
    window.findChild<QPushButton*>("btnOK")->click();
    const StandbyPowerInputs& held = CurrentDocument().StandbyPower;
    EXPECT_EQ(held.panelQuiescentMilliamps, Amount::FromWhole(250));
    EXPECT_EQ(held.otherLoads.at(0).alarmMilliamps, Amount::FromWhole(40));
}

TEST_F(StandbyWindowTest, EveryControlIsNamedAndTheToolsMenuOpensTheWindow) {
    frmMain main;
    QString opened;
    QTimer::singleShot(0, [&] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        opened = window->objectName();
        for (QWidget* control : window->findChildren<QWidget*>())
            if (control->focusPolicy() != Qt::NoFocus && control->isVisible()) {
                EXPECT_FALSE(control->accessibleName().isEmpty())
                    << control->objectName().toStdString();
            }
        QTest::keyClick(window, Qt::Key_Escape);
    });
    main.findChild<QAction*>("mnuStandbyPower")->trigger();
    EXPECT_EQ(opened, "frmStandbyPower");
    QStringList keys;
    for (QAction* menu : main.menuBar()->actions())
        keys << menu->text().section('&', 1).left(1).toLower();
    EXPECT_EQ(keys, (QStringList{"f", "t", "h"}));
}

}  // namespace
