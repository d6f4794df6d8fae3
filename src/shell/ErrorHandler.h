#pragma once
// The common error handler for unforeseen run-time failures.
#include <string>

#include "shell/Platform.h"

// Builds the message of the common error handler.
std::string UnexpectedErrorText(long errorNumber, const std::string& description,
                                const std::string& section, const std::string& area);

// Shows the message with Abort, Retry and Ignore and the exclamation icon, titled with the
// program's title, and returns the answer. Abort is the caller's signal to end the program.
MsgResult ReportUnexpectedError(long errorNumber, const std::string& description,
                                const std::string& section = "", const std::string& area = "");

// An unforeseen failure carrying an error number and a description (the settings store raises
// one when it cannot write).
struct RuntimeFault {
    long number;
    std::string description;
};
