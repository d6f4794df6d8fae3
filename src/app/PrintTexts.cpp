#include "app/PrintTexts.h"

#include <filesystem>

std::string PdfPathBeside(const std::string& designPath) {
    std::filesystem::path path(designPath.empty() ? "Untitled" : designPath);
    path.replace_extension(".pdf");
    return path.string();
}

std::string NoPrinterPdfText(const std::string& pdfPath) {
    return "No printer is installed on this computer."
           "\n\n"
           "The report was written to the PDF file '" +
           pdfPath + "'.";
}

std::string PrintFailureText(const std::string& deviceMessage, const std::string& pdfPath) {
    std::string text = pdfPath.empty() ? std::string("The report could not be printed.")
                                       : "The PDF file '" + pdfPath + "' cannot be written.";
    if (!deviceMessage.empty()) text += "\n\n" + deviceMessage;
    return text;
}
