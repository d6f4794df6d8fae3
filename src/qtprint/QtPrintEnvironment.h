#pragma once
// What the Qt page devices need around them: an application object for fonts and printers (on
// the offscreen platform when no display platform is named, so that a command-line tool prints
// without a display), and the user's long date format.
#include <memory>
#include <string>

class QGuiApplication;
struct DateTime;

class QtPrintEnvironment {
public:
    // Makes a QGuiApplication unless the program already has one.
    QtPrintEnvironment();
    ~QtPrintEnvironment();
    QtPrintEnvironment(const QtPrintEnvironment&) = delete;
    QtPrintEnvironment& operator=(const QtPrintEnvironment&) = delete;

private:
    std::unique_ptr<QGuiApplication> app_;
};

// A date in the long date format of the user's locale ("Monday, 7 December 2026").
std::string LongDateText(const DateTime& date);
