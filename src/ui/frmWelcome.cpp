#include "ui/frmWelcome.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/HelpWindow.h"

namespace {

QCheckBox* AddDontShowBox(QDialog* window, QVBoxLayout* layout) {
    auto* box = new QCheckBox(QObject::tr("&Don't show this window again."), window);
    box->setObjectName("chkDontShow");
    box->setAccessibleName(box->text().remove('&'));
    layout->addWidget(box);
    return box;
}

QPushButton* AddButton(QDialog* window, QHBoxLayout* row, const QString& caption,
                       const char* name) {
    auto* button = new QPushButton(caption, window);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove('&'));
    row->addWidget(button);
    return button;
}

}  // namespace

frmWelcome::frmWelcome(QWidget* parent) : QDialog(parent) {
    setObjectName("frmWelcome");
    setWindowTitle(tr("Welcome"));
    auto* layout = new QVBoxLayout(this);
    auto* lblWelcome = new QLabel(tr("Welcome to Quelmar!"), this);
    lblWelcome->setObjectName("lblWelcome");
    QFont big = lblWelcome->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblWelcome->setFont(big);
    layout->addWidget(lblWelcome);
    auto* lblText = new QLabel(
        tr("Quelmar checks addressable fire-detection loops: choose your control panel, open a "
           "loop's details, place its devices and enter its cable, and Quelmar tells you whether "
           "the loop works.\n\nThe overview explains the first steps."),
        this);
    lblText->setWordWrap(true);
    lblText->setMinimumWidth(380);
    layout->addWidget(lblText);
    chkDontShow_ = AddDontShowBox(this, layout);
    auto* row = new QHBoxLayout;
    QPushButton* overview = AddButton(this, row, tr("&Overview..."), "btnOverview");
    row->addStretch();
    QPushButton* close = AddButton(this, row, tr("&Close"), "btnClose");
    close->setDefault(true);
    layout->addLayout(row);
    connect(overview, &QPushButton::clicked, this,
            [] { HelpWindow::ShowTopic(HelpTopic::GettingStarted); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    InstallHelpKey(this, HelpTopic::GettingStarted);
}

bool frmWelcome::Run() {
    exec();
    return chkDontShow_->isChecked();
}

frmNewVersion::frmNewVersion(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName("frmNewVersion");
    setWindowTitle(tr("Welcome"));
    auto* layout = new QVBoxLayout(this);
    auto* lblText = new QLabel(text, this);
    lblText->setObjectName("lblText");
    layout->addWidget(lblText);
    chkDontShow_ = AddDontShowBox(this, layout);
    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* close = AddButton(this, row, tr("&Close"), "btnClose");
    close->setDefault(true);
    layout->addLayout(row);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    InstallHelpKey(this, HelpTopic::GettingStarted);
}

bool frmNewVersion::Run() {
    exec();
    return chkDontShow_->isChecked();
}
