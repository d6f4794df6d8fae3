// The loop editor window driven offscreen by keys and clicks: what it shows follows the model,
// the main window's row follows every accepted change, and Cancel always works.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "document/ConfigWriter.h"
#include "document/DesignDocument.h"
#include "document/DocumentFixtures.h"
#include "document/DocumentRules.h"
#include "engine/VoltageProfile.h"
#include "engine/clsCalculator.h"
#include "ui/UiTestSupport.h"
#include "ui/VoltageChartView.h"
#include "ui/frmLoop.h"

namespace {

class LoopWindowTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        detector = cat->AddType(EditorType("Detector", 100, 1000), true);
        sounder = cat->AddType(EditorType("Sounder", 200, 5000), true);
        cat->AddOther(Ancillary("Remote Indicator"));
    }
    std::unique_ptr<frmLoop> Open() { return Shown(std::make_unique<frmLoop>(1)); }
    QLineEdit* Edit(frmLoop& w, const char* name) { return w.findChild<QLineEdit*>(name); }
    QString Text(frmLoop& w, const char* label) { return w.findChild<QLabel*>(label)->text(); }
    // Types into the focused edit box of the device table and presses Enter.
    void TypeQuantity(frmLoop& w, const char* text) {
        QLineEdit* edit = Edit(w, "txtDevicesQty");
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    int detector = 0, sounder = 0;
};

TEST_F(LoopWindowTest, EnterAppliesTheQuantityAndTheMainRowFollows) {
    RecordingMainWindow main;
    const ScopedInstall<MainWindowView> installed{main};
    auto w = Open();
    ASSERT_EQ(Focused(), Edit(*w, "txtDevicesQty"));
    QTest::keyClicks(Focused(), "4.6x");  // the letter is refused with the warning beep
    EXPECT_EQ(Edit(*w, "txtDevicesQty")->text(), "4.6");
    EXPECT_EQ(platform.beeps.size(), 1u);
    EXPECT_EQ(Text(*w, "lblPassFail"), "Press <Enter> key\nor Click here\nto Re-calculate");
    QTest::keyClick(Focused(), Qt::Key_Return);
    auto* grid = w->findChild<QTableWidget*>("grdDevices");
    EXPECT_EQ(grid->item(0, 1)->text(), "5");
    EXPECT_EQ(grid->item(0, 1)->data(Qt::AccessibleTextRole).toString(), "Detector, Quantity: 5");
    EXPECT_EQ(Text(*w, "lblPassFail").toStdString(), Loop().LoopDesignLong());
    EXPECT_EQ(main.rows[1], RowOfLoop(1));
    EXPECT_EQ(main.totals.deviceCount, "5");
    EXPECT_EQ(Focused(), Edit(*w, "txtDevicesQty"));  // on the next row
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoopWindowTest, CancelAndEscapeNeverShowAMessageAndRestoreTheLoop) {
    for (const bool escape : {false, true}) {
        auto w = Open();
        TypeQuantity(*w, "3");  // accepted
        QLineEdit* impedance = Edit(*w, "txtCableImpedance");
        impedance->setFocus();
        QTest::keyClicks(impedance, "99999");
        if (escape)
            QTest::keyClick(impedance, Qt::Key_Escape);
        else
            QTest::mouseClick(w->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
        EXPECT_EQ(w->result(), QDialog::Rejected);
        EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
        EXPECT_TRUE(SlotsOf(detector).empty());
        EXPECT_TRUE(CurrentDocument().DataChanged);
    }
}

// A refused cable value keeps the focus with its text selected.
TEST_F(LoopWindowTest, ARefusedFieldKeepsTheFocusWithItsTextSelected) {
    auto w = Open();
    QLineEdit* field = Edit(*w, "txtCableImpedance");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "100.01");
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{
                                  "Cable impedance must be between 0.00 and 100.00 ohms/km/core!"});
    EXPECT_EQ(Focused(), field);
    EXPECT_EQ(field->selectedText(), "100.01");
}

// The window only binds the editor's model: the same edits made through either save the same
// file.
TEST_F(LoopWindowTest, TheWindowAndItsModelGivenTheSameEditsSaveTheSameFile) {
    const auto save = [&](const std::string& name) {
        CurrentDocument().CreatedDate = CurrentDocument().ModifiedDate = {2026, 1, 2, 3, 4, 5};
        const std::string path = temp.File(name);
        EXPECT_TRUE(SaveConfigurationFile(path)) << platform.AllMessageTexts();
        NewDocument();
        return ReadWholeFile(path);
    };
    auto w = Open();
    TypeQuantity(*w, "3");  // detectors; Enter moves on to the sounders
    TypeQuantity(*w, "2");
    QLineEdit* total = Edit(*w, "txtTotalLength");
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

// The chart follows each recalculation, is cleared while a typed value waits, and its toggle
// shows the voltage left instead of the drop.
TEST_F(LoopWindowTest, TheVoltageChartFollowsEveryRecalculation) {
    Loop().CableTotal(5000);
    auto w = Open();
    auto* chart = w->findChild<VoltageChartView*>("picVoltageChart");
    TypeQuantity(*w, "5");
    EXPECT_EQ(chart->Layout().points.size(), 8u);  // panel, driver, first device, 5 steps
    QTest::keyClicks(Focused(), "2");
    EXPECT_TRUE(chart->Layout().points.empty());
    QTest::keyClick(Focused(), Qt::Key_Return);
    EXPECT_EQ(chart->Layout().points.size(), 10u);
    QTest::keyClick(Focused(), Qt::Key_G, Qt::AltModifier);
    QTRY_VERIFY(w->findChild<QCheckBox*>("chkRemainingVoltage")->isChecked());
    EXPECT_EQ(chart->Layout().points.back().y,
              Loop().MinDriveVoltage() / 100.0 - ProfileOfLoop(Loop()).points.back().drop);
}

}  // namespace
