#include "app/AppInfo.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "shell/Paths.h"
#include "shell/Product.h"

namespace fs = std::filesystem;

std::string AboutCaption() {
    return std::string("About ") + kProductName;
}

std::string AboutVersionText() {
    return "Version " + RunningVersion();
}

std::string LegalNotice() {
    return std::string("Copyright \xC2\xA9 ") + kCompanyName +
           ". All rights reserved.\n\nThe calculations of this program help a competent designer; "
           "they do not replace the designer's own judgement, the panel and device makers' "
           "instructions or the standards that apply to the installation.";
}

std::string NewVersionText() {
    return std::string("Welcome to ") + kProgramTitle + " version " + RunningVersion();
}

std::string HelpFolder() {
    std::vector<std::string> candidates;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        candidates.push_back(JoinPath(exe.parent_path().string(), "help"));
        candidates.push_back(JoinPath(exe.parent_path().string(), "../share/quelmar/help"));
    }
#ifdef QUELMAR_SOURCE_HELP_DIR
    candidates.push_back(QUELMAR_SOURCE_HELP_DIR);
#endif
    candidates.push_back("help");
    for (const std::string& c : candidates)
        if (fs::exists(JoinPath(c, "index.html"), ec))
            return fs::absolute(c, ec).lexically_normal().string();
    return candidates.back();
}

std::string HelpPageOf(HelpTopic topic) {
    switch (topic) {
        case HelpTopic::GettingStarted:
            return "getting-started.html";
        case HelpTopic::MainWindow:
            return "main-window.html";
        case HelpTopic::LoopEditor:
            return "loop-editor.html";
        case HelpTopic::Calculation:
            return "calculation.html";
        case HelpTopic::Files:
        case HelpTopic::Contact:
            return "files.html";
        case HelpTopic::Glossary:
        case HelpTopic::UsingHelp:
        case HelpTopic::Contents:
            return "index.html";
    }
    return "index.html";
}

std::string HelpAnchorOf(HelpTopic topic) {
    switch (topic) {
        case HelpTopic::Glossary:
            return "glossary";
        case HelpTopic::UsingHelp:
            return "using-help";
        case HelpTopic::Contact:
            return "contact";
        default:
            return "";
    }
}
