#pragma once
// The report's way of printing lines, shared by its blocks: a line starts only where it fits on
// the page, headings are bold, and numbers stand right-aligned under their column headings.
#include <array>
#include <string>

#include "print/Printing.h"
#include "shell/Numbers.h"

// Three columns of right-aligned values (a count and two currents) under their headings.
struct ValueColumns {
    std::array<int, 3> tabs;
    std::array<const char*, 3> headings;
};
inline constexpr ValueColumns kSummaryColumns{{18, 30, 48}, {"Devices", "Quiescent", "Alarm"}};
// The columns of a block's tables, their row names at kNameTab.
inline constexpr ValueColumns kBlockColumns{{58, 70, 88}, {"Quantity", "Quiescent", "Alarm"}};
inline constexpr int kNameTab = 8;
// Where the summary's values stand after their labels.
inline constexpr int kSummaryValueTab = 18;
inline constexpr std::size_t kQuantityColumn = 0;
inline constexpr std::size_t kQuiescentColumn = 1;
inline constexpr std::size_t kAlarmColumn = 2;

// Prints one line at a time, each only where it fits on the page.
class ReportLines {
public:
    explicit ReportLines(PrintJobPages& pages) : pages_(pages), device_(pages.Device()) {}

    // Starts a line: a new page first when it would not fit.
    PageDevice& Line() {
        pages_.EnsureRoomForLine();
        return device_;
    }
    void EndLine() { device_.EndLine(); }
    // An empty line needs no room: it never starts a page of its own.
    void EmptyLine() { EndLine(); }
    void Bold(const std::string& text) {
        Line();
        device_.FontBold(true);
        device_.Print(text);
        device_.FontBold(false);
        EndLine();
    }
    void RightAligned(const std::string& text, double edge) {
        pages_.PrintRightAligned(text, edge);
    }

    // Prints the columns' headings, remembering where each ends.
    void PrintColumnHeadings(const ValueColumns& columns) {
        for (std::size_t i = 0; i < edges_.size(); ++i) {
            device_.PrintAtTab(columns.tabs[i], columns.headings[i]);
            edges_[i] = device_.CurrentX();
        }
    }
    // A bold table heading and the columns' headings on one line.
    void PrintTableHeading(const std::string& title, const ValueColumns& columns) {
        Line();
        device_.FontBold(true);
        device_.Print(title);
        device_.FontBold(false);
        PrintColumnHeadings(columns);
        EndLine();
    }
    // Where the headings would end, for a block that prints none.
    void SetColumnEdges(const ValueColumns& columns) {
        for (std::size_t i = 0; i < edges_.size(); ++i)
            edges_[i] = (columns.tabs[i] - 1) * device_.CellWidth() +
                        device_.TextWidth(columns.headings[i]);
    }
    // An empty count leaves its column blank.
    void PrintValues(const std::string& count, Amount quiescent, Amount alarm) {
        if (!count.empty()) RightAligned(count, edges_[kQuantityColumn]);
        RightAligned(CurrentText(quiescent), edges_[kQuiescentColumn]);
        RightAligned(CurrentText(alarm), edges_[kAlarmColumn]);
    }

protected:
    PrintJobPages& pages_;
    PageDevice& device_;
    // The right edges of the value columns.
    std::array<double, 3> edges_{};
};
