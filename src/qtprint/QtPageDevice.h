#pragma once
// Page devices on Qt: a PDF file and the system printer. Both draw with QPainter on a paged paint
// device; twips are turned into the device's pixels at its resolution, and every printed string
// is drawn as one text run, so that text tools read the lines back in order.
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <string>

#include "print/PageDevice.h"

class QtPageDevice : public PageDevice {
public:
    double PrintableWidth() const override;
    double PrintableHeight() const override;

protected:
    explicit QtPageDevice(QPagedPaintDevice& target);
    ~QtPageDevice() override;

    void StartOutput() override;
    void StartNextPage() override;
    void EndOutput() override;
    void DiscardOutput() override;
    void FontChanged() override;
    double MeasureWidth(const std::string& text) const override;
    double MeasureHeight(const std::string& text) const override;
    void DrawText(double x, double y, const std::string& text) override;

public:
    void DrawChart(double x, double y, double width, double height,
                   const VoltageChartLayout& chart) override;

protected:
    // Stops drawing; true when the painter ended cleanly.
    bool FinishPainting();
    // The paint device's own complaint when drawing cannot start.
    virtual std::string StartFailure() const = 0;
    // Drops what has been output so far.
    virtual void DropOutput() = 0;

private:
    double PixelsPerTwip() const;

    QPagedPaintDevice& target_;
    QPainter painter_;
    QFont font_;
};

// The PDF writer, made before the device that draws on it.
struct PdfWriterHolder {
    explicit PdfWriterHolder(const std::string& path);
    std::string path;
    QPdfWriter writer;
};

// A PDF file, of the page size that suits the user's locale (A4, or US Letter where US
// measurements are used), with no hardware margins.
class QtPdfDevice : private PdfWriterHolder, public QtPageDevice {
public:
    QtPdfDevice(const std::string& path, const std::string& title);
    ~QtPdfDevice() override;

protected:
    std::string StartFailure() const override;
    void DropOutput() override;
};

// The system printer, as the printer set-up left it.
class QtPrinterDevice : public QtPageDevice {
public:
    explicit QtPrinterDevice(QPrinter& printer);
    ~QtPrinterDevice() override;

protected:
    std::string StartFailure() const override;
    void DropOutput() override;

private:
    QPrinter& printer_;
};

// The printer description: the printer's name, " on ", and where it is connected.
std::string PrinterDescription(const QPrinter& printer);
