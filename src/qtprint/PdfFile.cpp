#include "qtprint/PdfFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "qtprint/QtPageDevice.h"

PrintResult WritePdfFile(const std::string& pdfPath, const std::string& title,
                         const std::function<PrintResult(PageDevice&)>& job) {
    std::string temporary = pdfPath + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return {PrintOutcome::Failed, std::strerror(errno), 0};
    close(fd);
    PrintResult result;
    {
        QtPdfDevice device(temporary, title);
        result = job(device);
    }
    std::error_code error;
    if (result.outcome == PrintOutcome::Printed) {
        // A temporary file is private to its owner; the report is an ordinary file.
        const mode_t mask = umask(0);
        umask(mask);
        std::filesystem::permissions(temporary, static_cast<std::filesystem::perms>(0666 & ~mask),
                                     error);
        std::filesystem::rename(temporary, pdfPath, error);
        if (error) result = {PrintOutcome::Failed, error.message(), result.pages};
    }
    if (result.outcome != PrintOutcome::Printed) std::filesystem::remove(temporary, error);
    return result;
}
