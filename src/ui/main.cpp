// quelmar: the windowed program. Global options choose the folders; what follows is the program's
// own command line (a design file, "/p" and a file, or an option it refuses).
#include <CLI/CLI.hpp>
#include <QApplication>
#include <iostream>

#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "shell/Paths.h"
#include "shell/Product.h"
#include "ui/QtPlatform.h"
#include "ui/frmMain.h"

int main(int argc, char** argv) {
    CLI::App options{std::string(kProductName) + ": design addressable fire-detection loops",
                     "quelmar"};
    options.set_version_flag("--version",
                             std::string("quelmar (") + kProductName + ") " + RunningVersion());
    std::string dataDir, userDir, configDir;
    std::vector<std::string> commandLine;
    options.add_option("--data-dir", dataDir, "Folder holding the reference data (Tarvex/...)");
    options.add_option("--user-dir", userDir, "Folder for user-defined panels and devices");
    options.add_option("--config-dir", configDir, "Folder of the settings");
    std::string grabFile;
    bool exitWhenShown = false;
    options.add_option("--grab", grabFile, "Save a picture of the main window and end")->group("");
    options
        .add_flag("--exit-when-shown", exitWhenShown,
                  "End as soon as the main window is shown and ready (start-up timing)")
        ->group("");
    options.footer(
        "Command line: a design file (.QMR) to open; /p FILE opens the file, prints it and "
        "ends.");
    options.prefix_command();
    try {
        options.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return options.exit(e);
    }
    for (const std::string& extra : options.remaining())
        commandLine.push_back(extra);

    SetPaths(ResolveAppPaths(dataDir, userDir, configDir));
    QApplication::setApplicationName("quelmar");
    QApplication::setApplicationDisplayName(kProgramTitle);
    QApplication::setOrganizationName(kCompanyName);
    QApplication::setApplicationVersion(QString::fromStdString(RunningVersion()));
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setDesktopFileName("quelmar");

    QtPlatform platform;
    const ScopedInstall<Platform> installed(platform);
    frmMain window;
    platform.SetMainWindow(&window);
    if (!window.Start()) return 1;
    window.SetCommandLine(JoinCommandLine(commandLine));
    if (!grabFile.empty() || exitWhenShown) {
        QObject::connect(&window, &frmMain::activated, &window, [&] {
            if (!grabFile.empty() && !window.grab().save(QString::fromStdString(grabFile))) {
                std::cerr << "quelmar: cannot write " << grabFile << "\n";
                QApplication::exit(1);
                return;
            }
            QApplication::exit(0);
        });
    }
    window.show();
    return QApplication::exec();
}
