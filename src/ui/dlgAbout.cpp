#include "ui/dlgAbout.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppInfo.h"
#include "shell/Product.h"
#include "ui/HelpWindow.h"

dlgAbout::dlgAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("dlgAbout");
    setWindowTitle(QString::fromStdString(AboutCaption()));
    auto* lblProduct = new QLabel(QString::fromUtf8(kProductName), this);
    lblProduct->setObjectName("lblProduct");
    QFont big = lblProduct->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblProduct->setFont(big);
    auto* lblVersion = new QLabel(QString::fromStdString(AboutVersionText()), this);
    lblVersion->setObjectName("lblVersion");
    auto* lblLegal = new QLabel(QString::fromStdString(LegalNotice()), this);
    lblLegal->setObjectName("lblLegal");
    lblLegal->setWordWrap(true);
    lblLegal->setMinimumWidth(380);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Help, this);
    buttons->setObjectName("buttons");
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("OK"));
    buttons->button(QDialogButtonBox::Help)->setAccessibleName(tr("Help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [] { HelpWindow::ShowTopic(HelpTopic::Contents); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblProduct);
    layout->addWidget(lblVersion);
    layout->addSpacing(8);
    layout->addWidget(lblLegal);
    layout->addWidget(buttons);
    InstallHelpKey(this, HelpTopic::Contents);
}

dlgAbout* dlgAbout::CreateSplash() {
    auto* splash = new dlgAbout;
    splash->setObjectName("splash");
    splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    if (auto* buttons = splash->findChild<QDialogButtonBox*>("buttons")) buttons->hide();
    return splash;
}
