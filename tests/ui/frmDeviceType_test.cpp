// The device type chooser's window, alone and opened by the loop editor's Add button.
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "ui/UiTestSupport.h"
#include "ui/frmDeviceType.h"
#include "ui/frmLoop.h"

namespace {

class DeviceTypeWindowTest : public UiTest {
protected:
    QTreeWidget* Tree(QWidget& w) { return w.findChild<QTreeWidget*>("outDevices"); }
    QPushButton* Ok(QWidget& w) { return w.findChild<QPushButton*>("btnOK"); }
};

// Which families and types are offered is the chooser model's rule, tested there.
TEST_F(DeviceTypeWindowTest, TreeOffersTheFamiliesAndRefusesATypeWithoutAnIcon) {
    cat->AddType(EditorType("Optical"));
    DeviceTypeRecord iconless = EditorType("Prototype");
    iconless.IconNumber = 0;
    cat->AddType(iconless);
    auto w = Shown(std::make_unique<frmDeviceType>());
    QTreeWidget* tree = Tree(*w);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* family = tree->topLevelItem(0);
    EXPECT_EQ(family->text(0), "Detectors");
    EXPECT_FALSE(Ok(*w)->isEnabled());
    QTest::keyClick(tree, Qt::Key_Right);  // opens the family
    ASSERT_EQ(family->childCount(), 2);
    EXPECT_EQ(family->child(1)->text(0), "Prototype");
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_TRUE(Ok(*w)->isEnabled());
    QTest::mouseClick(Ok(*w), Qt::LeftButton);
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{"Sorry, this type is not implemented in the calculator!"});
    EXPECT_TRUE(w->isVisible() && w->Result() == "Cancel");
}

TEST_F(DeviceTypeWindowTest, AddRowAppendsTheChosenTypeAndEditsItsQuantity) {
    const int heat = cat->AddType(EditorType("Heat"));
    auto editor = Shown(std::make_unique<frmLoop>(1));
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<frmDeviceType*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(chooser));
        QTreeWidget* tree = Tree(*chooser);
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
