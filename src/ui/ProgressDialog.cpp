#include "ui/ProgressDialog.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

ProgressDialog::ProgressDialog(const char* objectName, const QString& title, QWidget* parent)
    : QDialog(parent), lines_(new QVBoxLayout), btnCancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(objectName);
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setAccessibleName(tr("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lines_);
    layout->addWidget(btnCancel_, 0, Qt::AlignRight);
    connect(btnCancel_, &QPushButton::clicked, this, &ProgressDialog::cancelRequested);
}

void ProgressDialog::AddLine(QWidget* line) {
    lines_->addWidget(line);
}

void ProgressDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void ProgressDialog::reject() {
    // Escape works as the Cancel button.
    emit cancelRequested();
}
