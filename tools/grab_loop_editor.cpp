// Opens a design without a user, shows the loop editor on one of its loops and saves a picture
// of the window:  grab-loop-editor DESIGN.QMR LOOP OUT.png  (run it with
// QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "GrabSupport.h"
#include "ui/frmLoop.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: grab-loop-editor DESIGN.QMR LOOP OUT.png\n");
        return 2;
    }
    QApplication application(argc, argv);
    GrabSession session;
    if (!session.Open(argv[1])) return 1;
    frmLoop editor(std::atoi(argv[2]));
    editor.show();
    editor.resize(editor.sizeHint().expandedTo(QSize(1000, 700)));
    return SaveWindowPicture(editor, argv[3]) ? 0 : 1;
}
