#pragma once
// What the program says about itself: the about box and welcome texts, and where its help pages
// are. The running version is RunningVersion in shell/Product.h.
#include <string>

#include "shell/Product.h"

// "About " + product name.
std::string AboutCaption();
// "Version " + the running version.
std::string AboutVersionText();
// The legal notice shown by the about box.
std::string LegalNotice();
// "Welcome to " + program name + " version " + version.
std::string NewVersionText();

// The folder of the help pages: beside the executable in an install tree (../share/quelmar/help),
// else the source tree's help folder, else help/ in the current folder.
std::string HelpFolder();

// The help pages, one per window or subject.
enum class HelpTopic {
    Contents,
    GettingStarted,
    MainWindow,
    LoopEditor,
    Calculation,
    Files,
    Glossary,
    UsingHelp,
    Contact
};
// The page file of a topic and the anchor within it (may be empty).
std::string HelpPageOf(HelpTopic topic);
std::string HelpAnchorOf(HelpTopic topic);
