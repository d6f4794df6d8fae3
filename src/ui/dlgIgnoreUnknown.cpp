#include "ui/dlgIgnoreUnknown.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/OpenPrompts.h"
#include "ui/HelpWindow.h"

dlgIgnoreUnknown::dlgIgnoreUnknown(const QString& message, QWidget* parent) : QDialog(parent) {
    setObjectName("dlgIgnoreUnknown");
    setWindowTitle(tr("Unknown Device Type"));
    auto* lblMessage = new QLabel(message, this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const struct {
        const char* caption;
        const char* name;
        char answer;
    } kButtons[] = {{"&Yes", "btnYes", 'Y'},
                    {"Yes to &All", "btnYesToAll", 'A'},
                    {"&Cancel", "btnCancel", 'C'}};
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(tr(b.caption), this);
        button->setObjectName(b.name);
        button->setAccessibleName(QString(tr(b.caption)).remove('&'));
        const char answer = b.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            response_ = answer;
            accept();
        });
        buttons->addWidget(button);
        if (answer == 'Y') button->setDefault(true);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addLayout(buttons);
    InstallHelpKey(this, HelpTopic::Files);
}

void dlgIgnoreUnknown::reject() {
    response_ = 'C';
    QDialog::reject();
}

char dlgIgnoreUnknown::UnknownResponse(int l, int s, int T, QWidget* parent) {
    dlgIgnoreUnknown dialog(QString::fromStdString(UnknownDeviceText(l, s, T)), parent);
    dialog.exec();
    return dialog.Response();
}
