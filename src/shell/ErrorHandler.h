#pragma once
// The common error handler for unforeseen run-time failures.
#include <string>

#include "shell/Platform.h"
#include "shell/RuntimeFault.h"

// Builds the message of the common error handler.
std::string UnexpectedErrorText(long errorNumber, const std::string& description,
                                const std::string& section, const std::string& area);

// Shows the message with Abort, Retry and Ignore and the exclamation icon, titled with the
// program's title, and returns the answer. On Abort the program is ended through the platform
// (EndProgram) before the answer returns; the caller then abandons its work. Retry asks the
// caller to repeat the operation, Ignore to skip it.
MsgResult ReportUnexpectedError(long errorNumber, const std::string& description,
                                const std::string& section = "", const std::string& area = "");

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
