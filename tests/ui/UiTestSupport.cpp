#include "ui/UiTestSupport.h"

#include <QTest>

void UiTest::SetUp() {
    static int argc = 1;
    static char name[] = "test_ui_loop";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the program: Qt's own objects must not outlive it at exit.
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
    EditorTest::SetUp();
}

void UiTest::ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}
