// The loop editor window and its device type chooser driven offscreen by keys and clicks. Their
// rules are the editor models' tests; here, that the windows bind those models.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "document/ConfigWriter.h"
#include "document/DesignDocument.h"
#include "document/DocumentFixtures.h"
#include "document/DocumentRules.h"
#include "engine/clsCalculator.h"
#include "ui/UiTestSupport.h"
#include "ui/frmDeviceType.h"
#include "ui/frmLoop.h"

namespace {

using LoopWindowTest = UiTest;

// The same edits made through the window and through the model save the same file.
TEST_F(LoopWindowTest, TheWindowAndItsModelGivenTheSameEditsSaveTheSameFile) {
    const int detector = cat->AddType(EditorType("Detector", 100, 1000), true);
    const int sounder = cat->AddType(EditorType("Sounder", 200, 5000), true);
    const auto save = [&](const std::string& name) {
        CurrentDocument().CreatedDate = CurrentDocument().ModifiedDate = {2026, 1, 2, 3, 4, 5};
        const std::string path = temp.File(name);
        EXPECT_TRUE(SaveConfigurationFile(path)) << platform.AllMessageTexts();
        NewDocument();
        return ReadWholeFile(path);
    };
    RecordingMainWindow main;
    const ScopedInstall<MainWindowView> installed{main};
    auto w = Shown(std::make_unique<frmLoop>(1));
    for (const char* quantity : {"3x", "2"}) {  // Enter moves on from the detectors to the sounders
        QTest::keyClicks(Focused(), quantity);
        QTest::keyClick(Focused(), Qt::Key_Return);
    }
    EXPECT_EQ(platform.beeps.size(), 1u);  // the letter is refused with the warning beep
    EXPECT_EQ(w->findChild<QLabel*>("lblPassFail")->text().toStdString(), Loop().LoopDesignLong());
    EXPECT_EQ(main.rows[1], RowOfLoop(1));
    auto* total = w->findChild<QLineEdit*>("txtTotalLength");
    total->setFocus();
    total->selectAll();
    QTest::keyClicks(total, "250");
    QTest::mouseClick(w->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    ASSERT_EQ(w->result(), QDialog::Accepted);
    w.reset();
    const std::string byWindow = save("Window.QMR");

    auto model = OpenEditor();
    ASSERT_TRUE(model->ValidateDeviceQuantity(RowOf(*model, detector), "3", CheckMode::Leaving));
    ASSERT_TRUE(model->ValidateDeviceQuantity(RowOf(*model, sounder), "2", CheckMode::Leaving));
    ASSERT_TRUE(model->LeaveTotalLength("250", CheckMode::Leaving));
    ASSERT_EQ(model->PressOk(), OkOutcome::Close);
    EXPECT_NE(byWindow.find("\r\nCableTotalLength=2500\r\n"), std::string::npos);
    EXPECT_EQ(save("Model.QMR"), byWindow);
}

// The device type chooser opened by Add. Which families and types it offers, and which it
// refuses, is the chooser model's rule.
TEST_F(LoopWindowTest, AddRowAppendsTheChosenTypeAndEditsItsQuantity) {
    const int heat = cat->AddType(EditorType("Heat"));
    auto editor = Shown(std::make_unique<frmLoop>(1));
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<frmDeviceType*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(chooser));
        QTreeWidget* tree = chooser->findChild<QTreeWidget*>("outDevices");
        QTest::keyClick(tree, Qt::Key_Right);  // opens the family
        QTest::keyClick(tree, Qt::Key_Down);
        QTest::keyClick(tree, Qt::Key_Return);
        if (chooser->isVisible()) {
            ADD_FAILURE() << "the chooser stayed open";
            chooser->reject();
        }
    });
    QTest::mouseClick(editor->findChild<QPushButton*>("btnAdd"), Qt::LeftButton);
    auto* grid = editor->findChild<QTableWidget*>("grdDevices");
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->item(0, 0)->text(), "Heat");
    EXPECT_EQ(editor->Model().DeviceRows()[0].type, heat);
    EXPECT_EQ(editor->focusWidget()->objectName(), "txtDevicesQty");  // once active again
}

}  // namespace
