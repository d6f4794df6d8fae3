#pragma once
// A report written as a PDF file that takes the place of an existing one only when it is
// complete: a cancelled or failed job leaves the old file exactly as it was.
#include <functional>
#include <string>

#include "print/PageDevice.h"
#include "print/PrintJob.h"

// Runs `job` on a PDF device writing to a new temporary file beside `pdfPath`, then moves that
// file into place. The finished file gets the access any new file of the user gets. A failure
// to make or move the file is reported as a failed job with the system's reason.
PrintResult WritePdfFile(const std::string& pdfPath, const std::string& title,
                         const std::function<PrintResult(PageDevice&)>& job);
