// The loop editor window driven offscreen by keys and clicks: what it shows follows the model,
// the main window's row follows every accepted change, and Cancel always works.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <map>

#include "document/ConfigWriter.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "engine/Scaling.h"
#include "engine/VoltageProfile.h"
#include "engine/clsCalculator.h"
#include "ui/UiTestSupport.h"
#include "ui/VoltageChartView.h"
#include "ui/frmLoop.h"

namespace {

// Stands in for the main window: keeps the rows it is told.
struct MainRows : MainWindowView {
    void ShowCaption(const std::string&) override {}
    void ShowSiteName(const std::string&) override {}
    void ShowPanelChoice() override {}
    void ShowLoopRow(int loop, const SummaryRow& row) override { rows[loop] = row; }
    void ShowTotalsRow(const SummaryRow& row) override { totals = row; }
    void ShowAlarmNote(bool) override {}
    std::map<int, SummaryRow> rows;
    SummaryRow totals;
    ScopedInstall<MainWindowView> installed{*this};
};

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
    MainRows main;
    auto w = Open();
    ASSERT_EQ(Focused(), Edit(*w, "txtDevicesQty"));
    QTest::keyClicks(Focused(), "4.6x");  // the letter is refused with the warning beep
    EXPECT_EQ(Edit(*w, "txtDevicesQty")->text(), "4.6");
    EXPECT_EQ(platform.beeps.size(), 1u);
    EXPECT_EQ(Text(*w, "lblPassFail"), "Press <Enter> key\nor Click here\nto Re-calculate");
    QTest::keyClick(Focused(), Qt::Key_Return);
    auto* grid = w->findChild<QTableWidget*>("grdDevices");
    EXPECT_EQ(grid->item(0, 1)->text(), "5");
    EXPECT_EQ(grid->item(0, 2)->text(), "500 µA");
    EXPECT_EQ(grid->item(0, 1)->data(Qt::AccessibleTextRole).toString(), "Detector, Quantity: 5");
    EXPECT_EQ(Text(*w, "lblQty"), "5");
    EXPECT_EQ(Text(*w, "lblPassFail").toStdString(), Loop().LoopDesignLong());
    EXPECT_EQ(main.rows[1], RowOfLoop(1));
    EXPECT_EQ(main.totals.deviceCount, "5");
    EXPECT_EQ(Focused(), Edit(*w, "txtDevicesQty"));  // on the next row
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoopWindowTest, ARefusedQuantityKeepsTheFocusWithItsTextSelected) {
    auto w = Open();
    TypeQuantity(*w, "999");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Loop 1");
    EXPECT_EQ(platform.messages[0].text.rfind("Invalid number of devices!  (Must be between 0", 0),
              0u);
    EXPECT_EQ(Focused(), Edit(*w, "txtDevicesQty"));
    EXPECT_EQ(Edit(*w, "txtDevicesQty")->selectedText(), "999");
    EXPECT_TRUE(SlotsOf(detector).empty());
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

TEST_F(LoopWindowTest, UpAndDownLeaveTheTablesAtTheirEnds) {
    auto w = Open();
    QTest::keyClick(Focused(), Qt::Key_Up);  // above the first device row
    EXPECT_EQ(Focused()->objectName(), "btnAdd");
    QTest::keyClick(Focused(), Qt::Key_Backtab);  // back into the device table
    QTest::keyClick(Focused(), Qt::Key_Down);
    QTest::keyClick(Focused(), Qt::Key_Down);  // below the last device row
    EXPECT_EQ(Focused()->objectName(), "txtMaxOutputs");
    QTest::keyClick(Focused(), Qt::Key_Return);  // to the other device table
    EXPECT_EQ(Focused()->objectName(), "txtOtherQty");
    QTest::keyClick(Focused(), Qt::Key_Up);  // no DIN LED box to go to: stays
    EXPECT_EQ(Focused()->objectName(), "txtOtherQty");
    QTest::keyClick(Focused(), Qt::Key_Down);
    EXPECT_EQ(Focused()->objectName(), "optVoltDrop");
}

TEST_F(LoopWindowTest, FieldRefusalsSpeakTheDisplayUnits) {
    struct Case {
        std::uint8_t units;
        const char* field;
        const char* typed;
        std::string message;
    };
    const Case cases[] = {
        {kMetricUnits, "txtCableImpedance", "100.01",
         "Cable impedance must be between 0.00 and 100.00 ohms/km/core!"},
        {kImperialUnits, "txtCableImpedance", "31",
         "Cable impedance must be between 0.00 and 30.48 ohms/kft/core!"},
        {kMetricUnits, "txtTotalLength", "2001", "Total cable run must be between 0 and 2000 m!"},
        {kImperialUnits, "txtFirstLength", "7000",
         "Cable run to first device must be between 0 and 6562 ft!"},
        {kMetricUnits, "txtMaxOutputs", "11",
         "Limit on quantity of activated outputs must be between 0 and 10 outputs!"},
    };
    for (const Case& c : cases) {
        SetDisplayUnits(c.units);
        auto w = Open();
        QLineEdit* field = Edit(*w, c.field);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, c.typed);
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message}) << c.field;
        EXPECT_EQ(Focused(), field);
        EXPECT_EQ(field->selectedText(), c.typed);
        w->reject();
    }
}

TEST_F(LoopWindowTest, AWindowEditSavesTheSameFileAsTheModelEdit) {
    const auto saved = [this](const char* name) {
        CurrentDocument().CreatedDate = CurrentDocument().ModifiedDate = DateTime{2024, 1, 2};
        EXPECT_TRUE(SaveDesignAs(temp.File(name)));
        const std::string bytes = ReadWholeFile(temp.File(name));
        NewDocument();
        return bytes;
    };
    {
        auto w = Open();
        TypeQuantity(*w, "7");
        QTest::keyClicks(Focused(), "2");
        QLineEdit* total = Edit(*w, "txtTotalLength");
        total->setFocus();
        total->selectAll();
        QTest::keyClicks(total, "350");
        QTest::mouseClick(w->findChild<QLabel*>("lblPassFail"), Qt::LeftButton);
        EXPECT_EQ(Focused()->objectName(), "btnOK");
        QTest::keyClick(Focused(), Qt::Key_Space);
        EXPECT_EQ(w->result(), QDialog::Accepted);
    }
    const std::string byWindow = saved("window.QMR");
    {
        auto editor = OpenEditor();
        editor->ValidateDeviceQuantity(0, "7", CheckMode::Leaving);
        editor->ValidateDeviceQuantity(1, "2", CheckMode::Leaving);
        editor->LeaveTotalLength("350", CheckMode::Leaving);
    }
    EXPECT_EQ(byWindow, saved("model.QMR"));
}

}  // namespace

namespace {

TEST_F(LoopWindowTest, TheSliderMovesTheFirstRunOnlyWhileItHasTheFocus) {
    Loop().CableTotal(5000);
    auto w = Open();
    auto* slider = w->findChild<QSlider*>("sldDistribution");
    slider->setValue(50);  // not focused: nothing is applied
    EXPECT_EQ(Edit(*w, "txtFirstLength")->text(), "0");
    slider->setFocus();
    slider->setValue(33);
    EXPECT_EQ(Edit(*w, "txtFirstLength")->text(), "165");
    EXPECT_EQ(Loop().CableFirst(), 1650);
    QTest::keyClick(slider, Qt::Key_Return);  // Enter moves on to the first run
    EXPECT_EQ(Focused(), Edit(*w, "txtFirstLength"));
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
