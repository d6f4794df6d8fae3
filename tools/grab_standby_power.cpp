// Opens a design without a user, shows its standby power window and saves a picture of it:
// grab-standby-power DESIGN.QMR OUT.png  (run it with QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <cstdio>

#include "GrabSupport.h"
#include "ui/frmStandbyPower.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: grab-standby-power DESIGN.QMR OUT.png\n");
        return 2;
    }
    QApplication application(argc, argv);
    GrabSession session;
    if (!session.Open(argv[1])) return 1;
    frmStandbyPower window;
    return SaveWindowPicture(window, argv[2]) ? 0 : 1;
}
