// Opens a design without a user, shows the loop editor on one of its loops and saves a picture
// of the window:  grab-loop-editor DESIGN.QMR LOOP OUT.png  (run it with
// QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "catalogue/CatalogueStartup.h"
#include "document/ConfigReader.h"
#include "engine/Scaling.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "ui/frmLoop.h"

namespace {

class RefuseUnknown : public IgnoreUnknownPrompt {
    char UnknownResponse(std::int16_t, std::int16_t, std::int16_t) override { return 'C'; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: grab-loop-editor DESIGN.QMR LOOP OUT.png\n");
        return 2;
    }
    QApplication application(argc, argv);
    // Fresh settings, so that the picture shows the window at its natural size.
    QTemporaryDir settings;
    const std::string folder = settings.path().toStdString();
    SetPaths({QUELMAR_SOURCE_DATA_DIR, folder + "/user", folder + "/config", folder + "/docs"});
    ConsolePlatform console;
    ScopedInstall<Platform> installed(console);
    SetDisplayUnits(kMetricUnits);
    SilentOpenProgress progress;
    RefuseUnknown unknown;
    if (!LoadCatalogues() ||
        OpenConfigurationFile(argv[1], true, progress, unknown).outcome != OpenOutcome::Opened)
        return 1;
    frmLoop editor(std::atoi(argv[2]));
    editor.show();
    editor.resize(editor.sizeHint().expandedTo(QSize(1000, 700)));
    QApplication::processEvents();
    return editor.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
