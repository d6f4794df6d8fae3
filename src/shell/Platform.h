#pragma once
// The platform interface: message boxes, the warning beep, the busy pointer, progress and the
// end of the program. The windowed program implements it once (QtPlatform) and installs it for
// its whole run with ScopedInstall<Platform>; the command-line tool and the tests install theirs.
#include <string>
#include <vector>

#include "shell/ScopedInstall.h"

enum class MsgIcon { None, Exclamation, Information, Question, Critical };
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class MsgResult { OK, Cancel, Yes, No, Abort, Retry, Ignore };

const char* MsgResultName(MsgResult r);
const char* MsgIconName(MsgIcon i);

class Platform {
public:
    virtual ~Platform() = default;
    // Shows a message box; defaultButton is the 0-based index of the default button.
    virtual MsgResult ShowMessage(const std::string& text, const std::string& title, MsgIcon icon,
                                  MsgButtons buttons, int defaultButton) = 0;
    // The system sound that belongs to a message box icon.
    virtual void Beep(MsgIcon icon) = 0;
    // Busy pointer on or off; use BusyPointer rather than calling this directly.
    virtual void SetBusy(bool busy) = 0;
    virtual bool IsBusy() const = 0;
    // A line of status text for long work ("Opening '...'...").
    virtual void ShowStatus(const std::string& text) = 0;
    // Progress of long work in percent (0 to 99 while it runs; -1 hides it).
    virtual void ShowProgress(int percent) = 0;
    // Lets pending window events run; a Cancel button may set the cancel flag meanwhile.
    virtual void ProcessEvents() = 0;
    // The cancel flag of the long work in progress.
    virtual bool CancelRequested() const = 0;
    virtual void ClearCancel() = 0;
    // Ends the program after the user chose Abort in the unexpected-error box: the windows close
    // the main window (which ends the event loop); the command-line tool exits with status 1.
    // The caller abandons its work and returns.
    virtual void EndProgram() = 0;
};

// The latest installed platform (a command-line one that answers every question with its
// default while none is installed).
Platform& CurrentPlatform();

// Shorthand for CurrentPlatform().ShowMessage.
MsgResult ShowMessage(const std::string& text, const std::string& title, MsgIcon icon,
                      MsgButtons buttons = MsgButtons::OK, int defaultButton = 0);
// A data-file problem: the warning beep, then the message with the exclamation icon, OK and
// the product name as title.
void ShowDataFileProblem(const std::string& text);

// Shows the busy pointer for its lifetime and restores the previous shape afterwards, also
// when the work ends by an exception.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool previous_;
};

// One message box as a recording platform saw it.
struct RecordedMessage {
    std::string text;
    std::string title;
    MsgIcon icon;
    MsgButtons buttons;
    int defaultButton;
    MsgResult answer;
};

// A scripted platform for tests: records every message, answers from a queue, and when the
// queue is empty answers with the default button. Beeps, status lines and progress are recorded.
class ScriptedPlatform : public Platform {
public:
    std::vector<RecordedMessage> messages;
    std::vector<MsgIcon> beeps;
    std::vector<std::string> statusLines;
    std::vector<int> progress;
    std::vector<MsgResult> answers;  // consumed from the front
    int processEventsCalls = 0;
    // When set, the cancel flag goes up after this many ProcessEvents calls.
    int cancelAfterEvents = -1;
    int endProgramCalls = 0;

    MsgResult ShowMessage(const std::string& text, const std::string& title, MsgIcon icon,
                          MsgButtons buttons, int defaultButton) override;
    void Beep(MsgIcon icon) override { beeps.push_back(icon); }
    void SetBusy(bool busy) override { busy_ = busy; }
    bool IsBusy() const override { return busy_; }
    void ShowStatus(const std::string& text) override { statusLines.push_back(text); }
    void ShowProgress(int percent) override { progress.push_back(percent); }
    void ProcessEvents() override;
    bool CancelRequested() const override { return cancel_; }
    void ClearCancel() override { cancel_ = false; }
    void RequestCancel() { cancel_ = true; }
    void EndProgram() override { ++endProgramCalls; }
    // The text of the only message shown so far, or "" when none; more than one is listed
    // with line breaks between them.
    std::string AllMessageTexts() const;

private:
    bool busy_ = false;
    bool cancel_ = false;
};

// The command-line platform: every message goes to stderr as "title: text" (unless `quiet`);
// questions are answered from the fixed answers given, else with the default button.
class ConsolePlatform : public Platform {
public:
    std::vector<MsgResult> fixedAnswers;  // tried in order: the first one the box offers wins
    bool quiet = false;

    MsgResult ShowMessage(const std::string& text, const std::string& title, MsgIcon icon,
                          MsgButtons buttons, int defaultButton) override;
    void Beep(MsgIcon) override {}
    void SetBusy(bool busy) override { busy_ = busy; }
    bool IsBusy() const override { return busy_; }
    void ShowStatus(const std::string&) override {}
    void ShowProgress(int) override {}
    void ProcessEvents() override {}
    bool CancelRequested() const override { return false; }
    void ClearCancel() override {}
    // The message has gone to stderr already; exits with status 1.
    [[noreturn]] void EndProgram() override;

private:
    bool busy_ = false;
};

// The buttons a box offers, in order.
std::vector<MsgResult> ButtonsOf(MsgButtons buttons);
