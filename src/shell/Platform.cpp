#include "shell/Platform.h"

#include <cstdlib>
#include <iostream>

#include "shell/Product.h"

namespace {

ConsolePlatform& DefaultPlatform() {
    static ConsolePlatform platform;
    return platform;
}

MsgResult DefaultAnswer(MsgButtons buttons, int defaultButton) {
    const auto offered = ButtonsOf(buttons);
    if (defaultButton < 0 || defaultButton >= static_cast<int>(offered.size()))
        return offered.front();
    return offered[static_cast<std::size_t>(defaultButton)];
}

}  // namespace

const char* MsgResultName(MsgResult r) {
    switch (r) {
        case MsgResult::OK:
            return "OK";
        case MsgResult::Cancel:
            return "Cancel";
        case MsgResult::Yes:
            return "Yes";
        case MsgResult::No:
            return "No";
        case MsgResult::Abort:
            return "Abort";
        case MsgResult::Retry:
            return "Retry";
        case MsgResult::Ignore:
            return "Ignore";
    }
    return "?";
}

const char* MsgIconName(MsgIcon i) {
    switch (i) {
        case MsgIcon::None:
            return "none";
        case MsgIcon::Exclamation:
            return "exclamation";
        case MsgIcon::Information:
            return "information";
        case MsgIcon::Question:
            return "question";
        case MsgIcon::Critical:
            return "critical";
    }
    return "?";
}

std::vector<MsgResult> ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OK:
            return {MsgResult::OK};
        case MsgButtons::OKCancel:
            return {MsgResult::OK, MsgResult::Cancel};
        case MsgButtons::YesNo:
            return {MsgResult::Yes, MsgResult::No};
        case MsgButtons::YesNoCancel:
            return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
        case MsgButtons::AbortRetryIgnore:
            return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
        case MsgButtons::RetryCancel:
            return {MsgResult::Retry, MsgResult::Cancel};
    }
    return {MsgResult::OK};
}

Platform& CurrentPlatform() {
    Platform* p = LatestInstalled<Platform>();
    return p ? *p : DefaultPlatform();
}

MsgResult ShowMessage(const std::string& text, const std::string& title, MsgIcon icon,
                      MsgButtons buttons, int defaultButton) {
    return CurrentPlatform().ShowMessage(text, title, icon, buttons, defaultButton);
}

void ShowDataFileProblem(const std::string& text) {
    CurrentPlatform().Beep(MsgIcon::Exclamation);
    ShowMessage(text, kProductName, MsgIcon::Exclamation, MsgButtons::OK);
}

BusyPointer::BusyPointer() : previous_(CurrentPlatform().IsBusy()) {
    CurrentPlatform().SetBusy(true);
}

BusyPointer::~BusyPointer() {
    CurrentPlatform().SetBusy(previous_);
}

MsgResult ScriptedPlatform::ShowMessage(const std::string& text, const std::string& title,
                                        MsgIcon icon, MsgButtons buttons, int defaultButton) {
    MsgResult answer = DefaultAnswer(buttons, defaultButton);
    if (!answers.empty()) {
        answer = answers.front();
        answers.erase(answers.begin());
    }
    messages.push_back({text, title, icon, buttons, defaultButton, answer});
    return answer;
}

void ScriptedPlatform::ProcessEvents() {
    ++processEventsCalls;
    if (cancelAfterEvents >= 0 && processEventsCalls >= cancelAfterEvents) cancel_ = true;
}

std::string ScriptedPlatform::AllMessageTexts() const {
    std::string all;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (i) all += "\n";
        all += messages[i].text;
    }
    return all;
}

MsgResult ConsolePlatform::ShowMessage(const std::string& text, const std::string& title, MsgIcon,
                                       MsgButtons buttons, int defaultButton) {
    if (!quiet) std::cerr << title << ": " << text << std::endl;
    const auto offered = ButtonsOf(buttons);
    for (MsgResult wanted : fixedAnswers)
        for (MsgResult o : offered)
            if (o == wanted) return wanted;
    return DefaultAnswer(buttons, defaultButton);
}

void ConsolePlatform::EndProgram() {
    std::cout.flush();
    std::exit(1);
}
