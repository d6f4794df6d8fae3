#pragma once
// The open-progress window: which file is being opened, a percentage bar and Cancel. Its close
// box does nothing; only Cancel (confirmed by the reader's question) or the end of the work
// closes it. It appears once an open has run for a moment, so a quick open does not flicker.
#include <QElapsedTimer>
#include <QPointer>

#include "document/OpenPrompts.h"
#include "ui/ProgressDialog.h"

class QLabel;
class QProgressBar;

class frmOpenProgress : public ProgressDialog {
    Q_OBJECT
public:
    explicit frmOpenProgress(QWidget* parent = nullptr);
    void ShowPath(const QString& text);
    void ShowPercent(int percent);

private:
    QLabel* lblPath_;
    QProgressBar* barProgress_;
};

// What an open shows of its progress: a frmOpenProgress over the main window while the load runs.
class OpenProgressWindow : public OpenProgressView {
public:
    explicit OpenProgressWindow(QWidget* parent) : parent_(parent) {}
    ~OpenProgressWindow() override;
    void ShowOpening(const std::string& text) override;
    void ShowPercent(int percent) override;
    bool CancelPressed() override;
    void CloseProgress() override;
    // The window while a load runs, else nullptr.
    frmOpenProgress* Window() const { return window_; }

private:
    QWidget* parent_;
    QPointer<frmOpenProgress> window_;
    QElapsedTimer sinceOpening_;
    QElapsedTimer sinceEvents_;
    bool cancelPressed_ = false;
};
