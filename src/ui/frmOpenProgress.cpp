#include "ui/frmOpenProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmOpenProgress::frmOpenProgress(QWidget* parent)
    : QDialog(parent),
      lblPath_(new QLabel(this)),
      barProgress_(new QProgressBar(this)),
      btnCancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName("frmOpenProgress");
    setWindowTitle(tr("Open Progress"));
    setWindowModality(Qt::ApplicationModal);
    lblPath_->setObjectName("lblPath");
    lblPath_->setWordWrap(true);
    lblPath_->setMinimumWidth(360);
    barProgress_->setObjectName("barProgress");
    barProgress_->setRange(0, 100);
    barProgress_->setAccessibleName(tr("Progress"));
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setAccessibleName(tr("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPath_);
    layout->addWidget(barProgress_);
    layout->addWidget(btnCancel_, 0, Qt::AlignRight);
    connect(btnCancel_, &QPushButton::clicked, this, &frmOpenProgress::cancelRequested);
}

void frmOpenProgress::ShowPath(const QString& text) {
    lblPath_->setText(text);
    lblPath_->setAccessibleName(text);
    barProgress_->setValue(0);
    if (!isVisible()) {
        show();
        QCoreApplication::processEvents();
    }
}

void frmOpenProgress::ShowPercent(int percent) {
    if (percent >= 0) barProgress_->setValue(percent);
}

void frmOpenProgress::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void frmOpenProgress::reject() {
    // Escape works as the Cancel button.
    emit cancelRequested();
}

OpenProgressWindow::~OpenProgressWindow() {
    delete window_;
}

void OpenProgressWindow::ShowOpening(const std::string& text) {
    cancelPressed_ = false;
    if (!window_) {
        window_ = new frmOpenProgress(parent_);
        QObject::connect(window_, &frmOpenProgress::cancelRequested,
                         [this] { cancelPressed_ = true; });
    }
    window_->ShowPath(QString::fromStdString(text));
}

void OpenProgressWindow::ShowPercent(int percent) {
    if (window_) window_->ShowPercent(percent);
}

bool OpenProgressWindow::CancelPressed() {
    QCoreApplication::processEvents();
    const bool pressed = cancelPressed_;
    cancelPressed_ = false;
    return pressed;
}

void OpenProgressWindow::CloseProgress() {
    delete window_;
}
