#pragma once
// The Print command's own messages and the PDF file written where no printer exists.
#include <string>

// The design's path with ".pdf" in place of its extension (a design never saved: "Untitled.pdf"
// in the current folder).
std::string PdfPathBeside(const std::string& designPath);

// The print dialog's printer on a machine without any.
inline constexpr const char* kNoPrinterName = "No printer is installed";

// Said after /p wrote the report to a PDF file because the machine has no printer.
std::string NoPrinterPdfText(const std::string& pdfPath);

// Said when the printer or the PDF file failed; `deviceMessage` is the device's own complaint.
std::string PrintFailureText(const std::string& deviceMessage, const std::string& pdfPath);
