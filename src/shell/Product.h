#pragma once
// The program's names as the user sees them.

// Title of message boxes and of the main window.
inline constexpr const char* kProgramTitle = "Quelmar";
// Product name from the version information: title of data-file messages, printed report title.
inline constexpr const char* kProductName = "Tarvex Quelmar";
inline constexpr const char* kCompanyName = "Tarvex";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;
