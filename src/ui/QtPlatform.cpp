#include "ui/QtPlatform.h"

#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace {

QMessageBox::StandardButton ButtonOf(MsgResult r) {
    switch (r) {
        case MsgResult::OK:
            return QMessageBox::Ok;
        case MsgResult::Cancel:
            return QMessageBox::Cancel;
        case MsgResult::Yes:
            return QMessageBox::Yes;
        case MsgResult::No:
            return QMessageBox::No;
        case MsgResult::Abort:
            return QMessageBox::Abort;
        case MsgResult::Retry:
            return QMessageBox::Retry;
        case MsgResult::Ignore:
            return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Message texts break lines with line feeds, and a few with carriage returns.
QString DisplayText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

}  // namespace

QtPlatform::QtPlatform(Platform* answers) : answers_(answers) {}

QtPlatform::~QtPlatform() {
    if (busy_) QApplication::restoreOverrideCursor();
}

MsgResult QtPlatform::ShowMessage(const std::string& text, const std::string& title, MsgIcon icon,
                                  MsgButtons buttons, int defaultButton) {
    if (icon != MsgIcon::None) Beep(icon);
    if (answers_ != nullptr)
        return answers_->ShowMessage(text, title, icon, buttons, defaultButton);
    QMessageBox box(IconOf(icon), QString::fromStdString(title), DisplayText(text),
                    QMessageBox::NoButton, window_);
    const std::vector<MsgResult> offered = ButtonsOf(buttons);
    for (MsgResult r : offered)
        box.addButton(ButtonOf(r));
    const std::size_t d =
        defaultButton >= 0 && defaultButton < static_cast<int>(offered.size()) ? defaultButton : 0;
    box.setDefaultButton(ButtonOf(offered[d]));
    // Escape answers Cancel when the box offers it, else the only button.
    for (MsgResult r : offered)
        if (r == MsgResult::Cancel || offered.size() == 1) box.setEscapeButton(ButtonOf(r));
    // The box needs the normal pointer even while work is busy.
    const bool wasBusy = busy_;
    if (wasBusy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (wasBusy) QApplication::restoreOverrideCursor();
    for (MsgResult r : offered)
        if (box.clickedButton() == box.button(ButtonOf(r))) return r;
    return offered[d];
}

void QtPlatform::Beep(MsgIcon) {
    QApplication::beep();
}

void QtPlatform::SetBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtPlatform::ShowStatus(const std::string& text) {
    if (statusListener_) {
        statusListener_(text);
        return;
    }
    status_ = text;
    if (window_ == nullptr) return;
    if (text.empty())
        window_->statusBar()->clearMessage();
    else
        window_->statusBar()->showMessage(QString::fromStdString(text));
}

void QtPlatform::ShowProgress(int percent) {
    if (window_ == nullptr || status_.empty()) return;
    if (percent < 0)
        window_->statusBar()->showMessage(QString::fromStdString(status_));
    else
        window_->statusBar()->showMessage(
            QString("%1  %2%").arg(QString::fromStdString(status_)).arg(percent));
}

void QtPlatform::ProcessEvents() {
    QCoreApplication::processEvents();
}

void QtPlatform::EndProgram() {
    // The main window closes as soon as the event loop runs again; without one the loop ends.
    if (window_ != nullptr)
        QTimer::singleShot(0, window_, [w = window_] { w->close(); });
    else
        QCoreApplication::exit(1);
}
