#pragma once
// The first-run welcome window and the new-version window: a greeting and the box
// "&Don't show this window again.".
#include <QDialog>

class QCheckBox;

class frmWelcome : public QDialog {
    Q_OBJECT
public:
    explicit frmWelcome(QWidget* parent = nullptr);
    // Shows it modally; true when it was closed with the box ticked.
    bool Run();

private:
    QCheckBox* chkDontShow_;
};

class frmNewVersion : public QDialog {
    Q_OBJECT
public:
    frmNewVersion(const QString& text, QWidget* parent = nullptr);
    bool Run();

private:
    QCheckBox* chkDontShow_;
};
