#pragma once
// For the tools that picture a window offscreen: a design opened without a user, on the shipped
// data with fresh settings (so windows show at their natural size), metric units and every
// message on the console.
#include <QTemporaryDir>
#include <string>

#include "shell/Platform.h"

class QWidget;

class GrabSession {
public:
    GrabSession();
    // Loads the catalogues and opens the design read-only; false when either fails.
    bool Open(const std::string& design);

private:
    QTemporaryDir settings_;
    ConsolePlatform console_;
    ScopedInstall<Platform> installed_{console_};
};

// Shows the window, lets it lay itself out and saves its picture; false when it cannot be saved.
bool SaveWindowPicture(QWidget& window, const char* path);
