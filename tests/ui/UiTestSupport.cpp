#include "ui/UiTestSupport.h"

#include <QTest>

void UiTest::SetUp() {
    static int argc = 1;
    static char name[] = "test_ui_loop";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    EditorTest::SetUp();
}

void UiTest::ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}
