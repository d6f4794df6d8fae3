#pragma once
// The loop editor's test catalogue under one application for the whole test program, offscreen.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <memory>

#include "document/EditorFixtures.h"
#include "support/TestSupport.h"

// The one application of the test program, offscreen, kept to the end of the program: Qt's own
// objects must not outlive it at exit.
inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

// The windows on the shipped data, with the scripted platform answering their message boxes.
class ShippedDataUiTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        TestApplication();
        paths.dataRoot = QUELMAR_SOURCE_DATA_DIR;
        SetPaths(paths);
    }
};

class UiTest : public EditorTest {
protected:
    void SetUp() override {
        TestApplication();
        EditorTest::SetUp();
    }
    // Shows the window and makes it active, so that it takes the keyboard focus.
    template <typename Window>
    static std::unique_ptr<Window> Shown(std::unique_ptr<Window> window) {
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    static QWidget* Focused() { return QApplication::focusWidget(); }
};
