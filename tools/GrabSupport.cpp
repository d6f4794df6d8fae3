#include "GrabSupport.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include "catalogue/CatalogueStartup.h"
#include "document/ConfigReader.h"
#include "engine/Scaling.h"
#include "shell/Paths.h"

namespace {

class RefuseUnknown : public IgnoreUnknownPrompt {
    char UnknownResponse(std::int16_t, std::int16_t, std::int16_t) override { return 'C'; }
};

}  // namespace

GrabSession::GrabSession() {
    const std::string folder = settings_.path().toStdString();
    SetPaths({QUELMAR_SOURCE_DATA_DIR, folder + "/user", folder + "/config", folder + "/docs"});
    SetDisplayUnits(kMetricUnits);
}

bool GrabSession::Open(const std::string& design) {
    SilentOpenProgress progress;
    RefuseUnknown unknown;
    return LoadCatalogues() &&
           OpenConfigurationFile(design, true, progress, unknown).outcome == OpenOutcome::Opened;
}

bool SaveWindowPicture(QWidget& window, const char* path) {
    window.show();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(path));
}
