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

// Runs `work` (which returns true on success); an unforeseen fault it raises is reported
// through the common error handler, where Retry runs the work again and Abort or Ignore give
// false.
template <typename Work>
bool RunRetryingOnFault(const std::string& section, Work work) {
    for (;;) {
        try {
            return work();
        } catch (const RuntimeFault& fault) {
            if (ReportUnexpectedError(fault.number, fault.description, section) != MsgResult::Retry)
                return false;
        }
    }
}
