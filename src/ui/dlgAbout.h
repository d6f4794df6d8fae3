#pragma once
// The about box: product name, version and legal notice, with OK and Help. Also the splash
// window while the program starts.
#include <QDialog>

class dlgAbout : public QDialog {
    Q_OBJECT
public:
    explicit dlgAbout(QWidget* parent = nullptr);
    // The same box without buttons and frame, shown while the catalogues load.
    static dlgAbout* CreateSplash();
};
