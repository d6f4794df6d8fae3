#pragma once
// One print job on a page device: the job's font and page geometry, the page header printed at
// the top of every page, the room left on the page, right-aligned numbers, and the cancel check
// that lets the progress window's Cancel end the job.
//
// The job lets pending window events run and reads the cancel flag through the installed
// platform (shell/Platform.h), and shows its page counter there as the status text.
#include <functional>
#include <string>

#include "print/PageDevice.h"

// The job was cancelled by the user (the printer error 482 that ends a printing run).
struct PrintCancelled {
    static constexpr long kErrorNumber = 482;
};

// What every page header shows.
struct PageHeaderText {
    std::string title;          // printed in bold at the top of every page
    bool revisedHeader = true;  // "Last revised on " rather than "Printed on "
    std::string headerDate;     // the date in the user's long date format
};

class PrintJobPages {
public:
    PrintJobPages(PageDevice& device, PageHeaderText header);

    // Clears the cancel flag, sets the job's font (Arial, not bold, at the largest body size from
    // 12 down to 6 points at which 90 spaces fit the usable width) and begins the document.
    void Start();
    // Ends the current page (unless this is the first header) and prints the next page's header.
    void PageHeader();
    // The number of lines that still fit below the print position, one kept spare.
    int LinesLeftOnPage() const;
    // Makes room for one more line: when the line would reach below the usable area, a new page
    // is started and `continuation` (when set) prints what must repeat at its top.
    void EnsureRoomForLine();
    void SetContinuation(std::function<void()> continuation) {
        continuation_ = std::move(continuation);
    }
    // Prints a text so that it ends at `rightEdge`.
    void PrintRightAligned(const std::string& text, double rightEdge);
    // Lets pending window events run; throws PrintCancelled when the user asked to cancel.
    void CheckCancel();
    // Checks for a cancel one last time and sends the document to the output.
    void End();

    PageDevice& Device() { return device_; }
    double UsableWidth() const { return device_.PrintableWidth() - 2 * kPageMargin; }
    double UsableHeight() const { return device_.PrintableHeight() - 2 * kPageMargin; }
    double LineHeight() const { return device_.TextHeight("Hg"); }

private:
    PageDevice& device_;
    PageHeaderText header_;
    bool firstPage_ = true;
    double pageTop_ = 0;         // where the current page's header ends
    bool startingPage_ = false;  // a new page's top is being printed
    std::function<void()> continuation_;
};

// "Printing page n...".
std::string PageCounterText(int page);
