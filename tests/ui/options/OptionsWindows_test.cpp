// The options dialog, panel dialog and panel chooser bind their models (driven offscreen).
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/options/OptionsFixtures.h"
#include "ui/frmDeletePanels.h"
#include "ui/frmOptions.h"
#include "ui/frmPanel.h"

namespace {

class OptionsWindowsTest : public CatalogueTest {
    int argc_ = 1;
    char* argv_[1] = {const_cast<char*>("test")};
    QApplication app_{argc_, argv_};
};

TEST_F(OptionsWindowsTest, OptionsDialogFollowsFamilyClicksAndStoresOnOk) {
    frmOptions dialog;
    dialog.findChild<QListWidget*>("lstFamilies")->item(1)->setSelected(false);
    EXPECT_EQ(dialog.findChild<QLabel*>("lblFamilySelectCount")->text(), "1 family selected.");
    dialog.findChild<QRadioButton*>("optUnit1")->setChecked(true);
    dialog.findChild<QPushButton*>("btnOK")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(FamilyTable[2].FamilyShown);
    EXPECT_EQ(DisplayUnits(), kImperialUnits);
}

// The edit boxes' key filter is shown in the loop window's test.
TEST_F(OptionsWindowsTest, PanelDialogStoresAndTheChooserDeletes) {
    frmPanel dialog(-1);
    QTest::keyClicks(dialog.findChild<QLineEdit*>("txtName"), "!");  // a name of its own
    dialog.findChild<QPushButton*>("btnOK")->click();
    EXPECT_EQ(CustomPanelCount, 1);
    frmDeletePanels chooser(true);  // then deletes it
    chooser.findChild<QListWidget*>("lstPanels")->setCurrentRow(0);
    chooser.findChild<QPushButton*>("btnDelete")->click();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(CustomPanelCount, 0);
}

}  // namespace
