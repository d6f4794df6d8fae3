#pragma once
// The loop editor's test catalogue under one application for the whole test program, offscreen.
#include <QApplication>
#include <QWidget>
#include <memory>

#include "document/EditorFixtures.h"

// The one application of the test program, offscreen, kept to the end of the program: Qt's own
// objects must not outlive it at exit.
QApplication& TestApplication();

class UiTest : public EditorTest {
protected:
    void SetUp() override;
    // Shows the window and makes it active, so that it takes the keyboard focus.
    static void ShowActive(QWidget& window);
    template <typename Window>
    static std::unique_ptr<Window> Shown(std::unique_ptr<Window> window) {
        ShowActive(*window);
        return window;
    }
    static QWidget* Focused() { return QApplication::focusWidget(); }
};
