#include "print/Printing.h"

#include <cmath>

#include "shell/Numbers.h"
#include "shell/Platform.h"

namespace {

constexpr double kLargestBodySize = 12;
constexpr double kSmallestBodySize = 6;
constexpr int kBodyWidthInSpaces = 90;

}  // namespace

std::string PageCounterText(int page) {
    return "Printing page " + std::to_string(page) + "...";
}

PrintJobPages::PrintJobPages(PageDevice& device, PageHeaderText header)
    : device_(device), header_(std::move(header)) {}

void PrintJobPages::Start() {
    CurrentPlatform().ClearCancel();
    firstPage_ = true;
    device_.FontName("Arial");
    device_.FontBold(false);
    device_.FontItalic(false);
    const std::string spaces(kBodyWidthInSpaces, ' ');
    double size = kLargestBodySize;
    for (; size > kSmallestBodySize; --size) {
        device_.FontSize(size);
        if (device_.TextWidth(spaces) <= UsableWidth()) break;
    }
    device_.FontSize(size);
    device_.BeginDocument();
}

void PrintJobPages::PageHeader() {
    CheckCancel();
    // The counter names the page about to be printed.
    CurrentPlatform().ShowStatus(PageCounterText(firstPage_ ? 1 : device_.PageNumber() + 1));
    if (firstPage_)
        firstPage_ = false;
    else
        device_.NewPage();
    const PageFont font = device_.Font();
    device_.FontItalic(false);
    device_.FontBold(true);
    device_.Print(header_.title);
    device_.FontBold(false);
    device_.EndLine();
    device_.Print((header_.revisedHeader ? "Last revised on " : "Printed on ") +
                  header_.headerDate);
    PrintRightAligned("    Page " + std::to_string(device_.PageNumber()), UsableWidth());
    device_.EndLine();
    device_.EndLine();
    pageTop_ = device_.CurrentY();
    device_.FontBold(font.bold);
    device_.FontItalic(font.italic);
}

int PrintJobPages::LinesLeftOnPage() const {
    const double lines = (UsableHeight() - device_.CurrentY()) / LineHeight();
    return static_cast<int>(RoundHalfEven(lines)) - 1;
}

void PrintJobPages::EnsureRoomForLine() {
    if (device_.CurrentY() + LineHeight() <= UsableHeight()) return;
    // On a page too small for even one line below its header, and while the top of a new page
    // is being printed, the lines go on where they are rather than starting page after page.
    if (startingPage_ || device_.CurrentY() <= pageTop_) return;
    startingPage_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{startingPage_};
    PageHeader();
    if (continuation_) continuation_();
}

void PrintJobPages::PrintRightAligned(const std::string& text, double rightEdge) {
    device_.CurrentX(rightEdge - device_.TextWidth(text));
    device_.Print(text);
}

void PrintJobPages::CheckCancel() {
    Platform& platform = CurrentPlatform();
    platform.ProcessEvents();
    if (platform.CancelRequested()) throw PrintCancelled{};
}

void PrintJobPages::End() {
    CheckCancel();
    device_.EndDocument();
}
