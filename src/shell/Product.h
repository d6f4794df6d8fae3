#pragma once
// The program's names and version as the user sees them.
#include <string>

// Title of message boxes and of the main window.
inline constexpr const char* kProgramTitle = "Quelmar";
// Product name from the version information: title of data-file messages, printed report title.
inline constexpr const char* kProductName = "Tarvex Quelmar";
inline constexpr const char* kCompanyName = "Tarvex";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// The running version: major, ".", and the minor number with at least two digits ("1.00").
inline std::string RunningVersion() {
    const std::string minor = std::to_string(kVersionMinor);
    return std::to_string(kVersionMajor) + "." + (minor.size() < 2 ? "0" : "") + minor;
}
