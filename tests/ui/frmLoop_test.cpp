// The loop editor window driven offscreen by keys and clicks: what it shows follows the model,
// the main window's row follows every accepted change, and Cancel always works.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <map>
#include <tuple>

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

// A refused cable value keeps the focus with its text selected, in the units shown.
TEST_F(LoopWindowTest, FieldRefusalsSpeakTheDisplayUnits) {
    const std::tuple<std::uint8_t, const char*, std::string> cases[] = {
        {kMetricUnits, "100.01", "Cable impedance must be between 0.00 and 100.00 ohms/km/core!"},
        {kImperialUnits, "31", "Cable impedance must be between 0.00 and 30.48 ohms/kft/core!"},
    };
    for (const auto& [units, typed, message] : cases) {
        SetDisplayUnits(units);
        auto w = Open();
        QLineEdit* field = Edit(*w, "txtCableImpedance");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{message});
        EXPECT_EQ(Focused(), field);
        EXPECT_EQ(field->selectedText(), typed);
        w->reject();
    }
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
