#include "print/RecordingPageDevice.h"

void RecordingPageDevice::StartNextPage() {
    if (PageNumber() + 1 == failOnPage) throw PageDeviceError("The printer is out of paper.");
}

double RecordingPageDevice::MeasureWidth(const std::string& text) const {
    int characters = 0;
    for (const unsigned char c : text)
        characters += (c & 0xC0) != 0x80 ? 1 : 0;
    return characters * Font().size * 10;
}

void RecordingPageDevice::DrawText(double x, double y, const std::string& text) {
    printed.push_back({PageNumber(), x, y, MeasureWidth(text), text, Font()});
}

std::vector<std::string> RecordingPageDevice::Lines() const {
    std::vector<std::string> lines;
    int page = 0;
    double y = -1;
    for (const PrintedText& t : printed) {
        if (t.page != page) {
            page = t.page;
            lines.push_back("--- page " + std::to_string(page));
            y = -1;
        }
        if (t.y != y) {
            lines.push_back(t.text);
            y = t.y;
        } else {
            lines.back() += " " + t.text;
        }
    }
    return lines;
}

std::vector<PrintedText> RecordingPageDevice::OnPage(int page) const {
    std::vector<PrintedText> texts;
    for (const PrintedText& t : printed)
        if (t.page == page) texts.push_back(t);
    return texts;
}
