#include "ui/frmOpenProgress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

namespace {
// Pending events run every few milliseconds: often enough for the window to repaint and for
// Cancel to answer at once, rarely enough not to slow the open down.
constexpr qint64 kEventsEveryMs = 15;
// A quick open is over before the window could be read; it appears once an open takes longer.
constexpr qint64 kShowAfterMs = 150;
}  // namespace

frmOpenProgress::frmOpenProgress(QWidget* parent)
    : ProgressDialog("frmOpenProgress", tr("Open Progress"), parent),
      lblPath_(new QLabel(this)),
      barProgress_(new QProgressBar(this)) {
    lblPath_->setObjectName("lblPath");
    lblPath_->setWordWrap(true);
    lblPath_->setMinimumWidth(360);
    barProgress_->setObjectName("barProgress");
    barProgress_->setRange(0, 100);
    barProgress_->setAccessibleName(tr("Progress"));
    AddLine(lblPath_);
    AddLine(barProgress_);
}

void frmOpenProgress::ShowPath(const QString& text) {
    lblPath_->setText(text);
    lblPath_->setAccessibleName(text);
    barProgress_->setValue(0);
}

void frmOpenProgress::ShowPercent(int percent) {
    if (percent >= 0) barProgress_->setValue(percent);
}

OpenProgressWindow::~OpenProgressWindow() {
    delete window_;
}

void OpenProgressWindow::ShowOpening(const std::string& text) {
    cancelPressed_ = false;
    sinceOpening_.start();
    sinceEvents_.invalidate();  // the first step lets events run
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
    if (window_ && !window_->isVisible() && sinceOpening_.hasExpired(kShowAfterMs)) window_->show();
    if (!sinceEvents_.isValid() || sinceEvents_.hasExpired(kEventsEveryMs)) {
        QCoreApplication::processEvents();
        sinceEvents_.start();
    }
    const bool pressed = cancelPressed_;
    cancelPressed_ = false;
    return pressed;
}

void OpenProgressWindow::CloseProgress() {
    delete window_;
}
