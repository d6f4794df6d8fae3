#pragma once
// A page-oriented output device that prints lines of text, in the manner of a line printer: the
// system printer or a PDF file. The report layout draws only through this interface, so that it
// runs the same on paper, into a file and on a recording device in the tests.
//
// Positions and sizes are in twips (1/1440 inch). The drawing origin lies half an inch right of
// and below the corner of the page's printable area; every device places it there. The printable
// width and height are those of the whole printable area, so the usable area is the printable
// area less half an inch on every side.
//
// Devices report a failure (a file that cannot be written, a printer that refuses the job) by
// throwing PageDeviceError.
#include <stdexcept>
#include <string>

struct VoltageChartLayout;

// Twips per inch, and the free margin kept on every side of the printable area.
inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kPageMargin = 720;

class PageDeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The font in which the next text is printed.
struct PageFont {
    std::string name = "Arial";
    double size = 12;  // points
    bool bold = false;
    bool italic = false;
    friend bool operator==(const PageFont&, const PageFont&) = default;
};

class PageDevice {
public:
    virtual ~PageDevice() = default;

    // The document: pages 1, 2, ... between Begin and End; Discard drops the whole job.
    void BeginDocument();
    void NewPage();
    void EndDocument() { EndOutput(); }
    void DiscardDocument() { DiscardOutput(); }

    void FontName(const std::string& name);
    void FontSize(double points);
    void FontBold(bool bold);
    void FontItalic(bool italic);
    const PageFont& Font() const { return font_; }

    // The print position: where the next text's top left corner goes.
    double CurrentX() const { return x_; }
    void CurrentX(double x) { x_ = x; }
    double CurrentY() const { return y_; }
    void CurrentY(double y) { y_ = y; }

    // The size of a text in the current font.
    double TextWidth(const std::string& text) const { return MeasureWidth(text); }
    double TextHeight(const std::string& text) const { return MeasureHeight(text); }

    // Prints at a tab stop: tab stops are character cells of the current font, counted from 1
    // at the origin. A position already passed on this line moves to the next line first.
    void PrintAtTab(int tab, const std::string& text);
    // Prints at the current position and moves the position to the end of the text.
    void Print(const std::string& text);
    // Moves the position to the start of the next line.
    void EndLine();

    virtual double PrintableWidth() const = 0;
    virtual double PrintableHeight() const = 0;
    int PageNumber() const { return page_; }

    // The width of one character cell: the width of an average character, taken as the
    // frequency-weighted average of the lower-case letters and the space in English text (the
    // rule by which a font's average character width is defined).
    double CellWidth() const;

protected:
    virtual void StartOutput() = 0;
    virtual void StartNextPage() = 0;
    virtual void EndOutput() = 0;
    virtual void DiscardOutput() = 0;
    // The current font has changed (Font() holds it).
    virtual void FontChanged() {}
    virtual double MeasureWidth(const std::string& text) const = 0;
    virtual double MeasureHeight(const std::string& text) const = 0;
    // Draws a text with its top left corner at (x, y) from the origin, in the current font.
    virtual void DrawText(double x, double y, const std::string& text) = 0;

public:
    // Draws a chart of the voltage along a loop into the box whose top left corner is (x, y)
    // from the origin, its texts in the current font.
    virtual void DrawChart(double x, double y, double width, double height,
                           const VoltageChartLayout& chart) = 0;

protected:
private:
    void SetFont(const PageFont& font);
    // Sets one property of the font.
    template <class T>
    void ChangeFont(T PageFont::*field, const T& value);

    PageFont font_;
    double x_ = 0;
    double y_ = 0;
    int page_ = 0;
    mutable double cellWidth_ = -1;  // of font_, worked out when first needed
};
