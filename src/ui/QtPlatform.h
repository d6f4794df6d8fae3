#pragma once
// The platform interface on Qt: message boxes with the exact title, icon, buttons and default
// button, the icon's sound, the busy pointer, the open-progress window, pending events and its
// Cancel button.
#include <QPointer>

#include "shell/Platform.h"

#include "ui/frmOpenProgress.h"

class QtPlatform : public Platform {
public:
    // `answers`, when given, answers the message boxes instead of showing them (the widget tests
    // answer from a script); everything else stays real.
    explicit QtPlatform(Platform* answers = nullptr);
    ~QtPlatform() override;

    MsgResult ShowMessage(const std::string& text, const std::string& title, MsgIcon icon,
                          MsgButtons buttons, int defaultButton) override;
    void Beep(MsgIcon icon) override;
    void SetBusy(bool busy) override;
    bool IsBusy() const override { return busy_; }
    void ShowStatus(const std::string& text) override;
    void ShowProgress(int percent) override;
    void ProcessEvents() override;
    bool CancelRequested() const override { return cancel_; }
    void ClearCancel() override { cancel_ = false; }

    // The window message boxes and the progress window belong to.
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    // The progress window while an open runs, else nullptr.
    frmOpenProgress* ProgressWindow() const { return progress_; }

private:
    Platform* answers_;
    QWidget* parent_ = nullptr;
    QPointer<frmOpenProgress> progress_;
    bool busy_ = false;
    bool cancel_ = false;
};
