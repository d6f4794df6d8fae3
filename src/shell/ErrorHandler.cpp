#include "shell/ErrorHandler.h"

#include "shell/Product.h"

std::string UnexpectedErrorText(long errorNumber, const std::string& description,
                                const std::string& section, const std::string& area) {
    std::string text =
        "An unexpected error (code " + std::to_string(errorNumber) + ") has occurred in ";
    if (!section.empty()) {
        if (!area.empty()) text += "the '" + area + "' area of ";
        text += "the '" + section + "' section of ";
    }
    text += std::string(kProgramTitle) + ".";
    if (!description.empty()) text += "\n\n\"" + description + "\"";
    text +=
        "\n\nPlease report the full contents of this message, and the circumstances under which "
        "it happened, to your supplier.";
    text += "\n\nChoosing 'Abort' will close down " + std::string(kProgramTitle) +
            ", choosing 'Retry' will attempt the operation again, choosing 'Ignore' will skip the "
            "operation.";
    return text;
}

MsgResult ReportUnexpectedError(long errorNumber, const std::string& description,
                                const std::string& section, const std::string& area) {
    const MsgResult answer =
        ShowMessage(UnexpectedErrorText(errorNumber, description, section, area), kProgramTitle,
                    MsgIcon::Exclamation, MsgButtons::AbortRetryIgnore);
    if (answer == MsgResult::Abort) CurrentPlatform().EndProgram();
    return answer;
}
