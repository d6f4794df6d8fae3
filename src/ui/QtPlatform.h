#pragma once
// The platform interface on Qt: message boxes with the exact title, icon, buttons and default
// button, the icon's sound, the busy pointer, status text, pending events, and the end of the
// program after Abort.
#include <functional>

#include "shell/Platform.h"

class QMainWindow;

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
    void EndProgram() override;
    // Long work that offers Cancel calls this when its Cancel button is pressed.
    void RequestCancel() { cancel_ = true; }

    // While set, status texts go to `listener` (a progress window) instead of the status bar.
    void SetStatusListener(std::function<void(const std::string&)> listener) {
        statusListener_ = std::move(listener);
    }

    // The main window: owner of the message boxes, shows the status, closes at the end.
    void SetMainWindow(QMainWindow* window) { window_ = window; }

private:
    Platform* answers_;
    QMainWindow* window_ = nullptr;
    std::function<void(const std::string&)> statusListener_;
    std::string status_;
    bool busy_ = false;
    bool cancel_ = false;
};
