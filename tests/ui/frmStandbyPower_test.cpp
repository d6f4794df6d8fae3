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
    template <typename T>
    static T* Child(QWidget& w, const char* name) {
        return w.findChild<T*>(name);
    }
};

TEST_F(StandbyWindowTest, TypingRecalculatesAndOkStoresTheInputs) {
    frmStandbyPower window(Sizes, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* working = Child<QPlainTextEdit>(window, "txtWorking");
    auto* panel = Child<QLineEdit>(window, "txtPanelQuiescent");
    const QString before = working->toPlainText();
    EXPECT_TRUE(Child<QLabel>(window, "lblPanelNote")->isVisible());
    panel->selectAll();
    QTest::keyClicks(panel, "250");
    const QString after = working->toPlainText();
    EXPECT_NE(after, before);
    EXPECT_EQ(after.toStdString(), window.Model().WorkingText());
    EXPECT_FALSE(Child<QLabel>(window, "lblPanelNote")->isVisible());
    QTest::keyClicks(panel, "x");
    EXPECT_TRUE(Child<QLabel>(window, "lblProblem")->isVisible());
    EXPECT_EQ(working->toPlainText(), after);
    QTest::keyClick(panel, Qt::Key_Backspace);

    Child<QPushButton>(window, "btnAddLoad")->click();  // and types into the new row's name
    QTest::keyClicks(QApplication::focusWidget(), "Sounders");
    EXPECT_EQ(window.Model().Inputs().otherLoads.at(0).name, "Sounders");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(window.Model().Inputs().otherLoads.at(0).name, "Load 1");
    auto* loads = Child<QTableWidget>(window, "grdLoads");
    loads->item(0, 3)->setText("40");
    EXPECT_EQ(Child<QLabel>(window, "lblRecommended")->text().toStdString(),
              window.Model().RecommendationText());
    Child<QPushButton>(window, "btnOK")->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    const StandbyPowerInputs& held = CurrentDocument().StandbyPower;
    EXPECT_EQ(held.panelQuiescentMilliamps, Amount::FromWhole(250));
    ASSERT_EQ(held.otherLoads.size(), 1u);
    EXPECT_EQ(held.otherLoads[0].alarmMilliamps, Amount::FromWhole(40));
    EXPECT_TRUE(CurrentDocument().DataChanged);
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
    EXPECT_FALSE(CurrentDocument().DataChanged);
    QStringList keys;
    for (QAction* menu : main.menuBar()->actions())
        keys << menu->text().section('&', 1).left(1).toLower();
    EXPECT_EQ(keys, (QStringList{"f", "t", "h"}));
}

}  // namespace
