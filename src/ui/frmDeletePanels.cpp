#include "ui/frmDeletePanels.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmDeletePanels::frmDeletePanels(bool doDelete, QWidget* parent)
    : QDialog(parent), model_(doDelete) {
    setObjectName("frmDeletePanels");
    setWindowTitle(QString::fromStdString(model_.Title()));
    lstPanels_ = new QListWidget;
    lstPanels_->setObjectName("lstPanels");
    lstPanels_->setAccessibleName("User-Defined Panels");
    auto* label = new QLabel("&User-Defined Panels:");
    label->setBuddy(lstPanels_);
    const QString action = QString::fromStdString(model_.ActionCaption());
    btnDelete_ = new QPushButton(action);
    btnDelete_->setObjectName("btnDelete");
    btnDelete_->setAccessibleName(QString(action).remove('&').remove("..."));
    const QString close = QString::fromStdString(model_.CloseCaption());
    auto* btnClose = new QPushButton(close);
    btnClose->setObjectName("btnClose");
    btnClose->setAccessibleName(QString(close).remove('&'));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnDelete_);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(lstPanels_);
    layout->addLayout(buttons);
    ShowPanels();
    connect(lstPanels_, &QListWidget::currentRowChanged, this,
            [this](int row) { btnDelete_->setEnabled(row >= 0); });
    connect(lstPanels_, &QListWidget::itemActivated, this, &frmDeletePanels::ActionClicked);
    connect(btnDelete_, &QPushButton::clicked, this, &frmDeletePanels::ActionClicked);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void frmDeletePanels::ShowPanels() {
    lstPanels_->clear();
    for (const auto& panel : model_.Panels()) {
        auto* row = new QListWidgetItem(QString::fromStdString(panel.name), lstPanels_);
        row->setData(Qt::UserRole, panel.number);
    }
    btnDelete_->setEnabled(lstPanels_->currentRow() >= 0);
}

void frmDeletePanels::ActionClicked() {
    const int row = lstPanels_->currentRow();
    if (row < 0) return;
    if (!model_.DoDelete()) {
        chosen_ = model_.PanelNumberAt(row);
        accept();
        return;
    }
    const std::size_t before = model_.Panels().size();
    const bool none = model_.DeleteAt(row);
    deleted_ = deleted_ || model_.Panels().size() < before;
    ShowPanels();
    if (none) accept();
}
