#pragma once
// A page device that records what is printed, with simple exact metrics: every character is half
// an em wide and a line is 1.2 em high.
#include <string>
#include <vector>

#include "print/PageDevice.h"

struct PrintedText {
    int page = 0;
    double x = 0;
    double y = 0;
    double width = 0;
    std::string text;
    PageFont font;
};

class RecordingPageDevice : public PageDevice {
public:
    // An A4 page.
    double printableWidth = 11906;
    double printableHeight = 16838;
    std::vector<PrintedText> printed;
    bool begun = false, ended = false, discarded = false;
    // When set, starting this page fails as a printer would.
    int failOnPage = 0;

    double PrintableWidth() const override { return printableWidth; }
    double PrintableHeight() const override { return printableHeight; }

    // Each line that holds text, its texts joined by single blanks, with "--- page n" before
    // each page.
    std::vector<std::string> Lines() const;
    // The texts on a page, in printing order.
    std::vector<PrintedText> OnPage(int page) const;

protected:
    void StartOutput() override { begun = true; }
    void StartNextPage() override;
    void EndOutput() override { ended = true; }
    void DiscardOutput() override { discarded = true; }
    double MeasureWidth(const std::string& text) const override;
    double MeasureHeight(const std::string&) const override { return Font().size * 24; }
    void DrawText(double x, double y, const std::string& text) override;
};
