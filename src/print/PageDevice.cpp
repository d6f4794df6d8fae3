#include "print/PageDevice.h"

#include <array>
#include <utility>

namespace {

// How often each lower-case letter, and the space, occurs per thousand characters of English
// text.
constexpr std::array<std::pair<char, int>, 27> kCharacterWeights{{
    {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20},  {'g', 14},
    {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},  {'l', 35},  {'m', 20},  {'n', 56},
    {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49}, {'s', 56},  {'t', 71},  {'u', 31},
    {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18}, {'z', 2},   {' ', 166},
}};

}  // namespace

void PageDevice::BeginDocument() {
    page_ = 1;
    x_ = y_ = 0;
    StartOutput();
    FontChanged();
}

void PageDevice::NewPage() {
    StartNextPage();
    ++page_;
    x_ = y_ = 0;
}

void PageDevice::SetFont(const PageFont& font) {
    if (font == font_) return;
    font_ = font;
    cellWidth_ = -1;
    FontChanged();
}

template <class T>
void PageDevice::ChangeFont(T PageFont::*field, const T& value) {
    PageFont font = font_;
    font.*field = value;
    SetFont(font);
}

void PageDevice::FontName(const std::string& name) {
    ChangeFont(&PageFont::name, name);
}

void PageDevice::FontSize(double points) {
    ChangeFont(&PageFont::size, points);
}

void PageDevice::FontBold(bool bold) {
    ChangeFont(&PageFont::bold, bold);
}

void PageDevice::FontItalic(bool italic) {
    ChangeFont(&PageFont::italic, italic);
}

double PageDevice::CellWidth() const {
    if (cellWidth_ < 0) {
        double weighted = 0;
        int total = 0;
        for (const auto& [character, weight] : kCharacterWeights) {
            weighted += MeasureWidth(std::string(1, character)) * weight;
            total += weight;
        }
        cellWidth_ = weighted / total;
    }
    return cellWidth_;
}

void PageDevice::PrintAtTab(int tab, const std::string& text) {
    const double x = (tab - 1) * CellWidth();
    if (x_ > x) EndLine();
    x_ = x;
    Print(text);
}

void PageDevice::Print(const std::string& text) {
    if (!text.empty()) DrawText(x_, y_, text);
    x_ += MeasureWidth(text);
}

void PageDevice::EndLine() {
    x_ = 0;
    y_ += MeasureHeight("Hg");
}
