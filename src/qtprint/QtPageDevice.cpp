#include "qtprint/QtPageDevice.h"

#include "qtprint/VoltageChart.h"

#include "print/PrintDialogModel.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <cstdio>

namespace {

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QtPageDevice::QtPageDevice(QPagedPaintDevice& target) : target_(target) {}

QtPageDevice::~QtPageDevice() = default;

double QtPageDevice::PixelsPerTwip() const {
    return target_.logicalDpiX() / kTwipsPerInch;
}

double QtPageDevice::PrintableWidth() const {
    return target_.width() / PixelsPerTwip();
}

double QtPageDevice::PrintableHeight() const {
    return target_.height() / PixelsPerTwip();
}

void QtPageDevice::StartOutput() {
    if (!painter_.begin(&target_)) throw PageDeviceError(StartFailure());
}

void QtPageDevice::StartNextPage() {
    if (!target_.newPage()) throw PageDeviceError("The printer could not start a new page.");
}

bool QtPageDevice::FinishPainting() {
    return !painter_.isActive() || painter_.end();
}

void QtPageDevice::EndOutput() {
    if (!FinishPainting()) throw PageDeviceError("The document could not be completed.");
}

void QtPageDevice::DiscardOutput() {
    DropOutput();
}

void QtPageDevice::FontChanged() {
    const PageFont& f = Font();
    font_ = QFont(ToQString(f.name));
    font_.setPointSizeF(f.size);
    font_.setBold(f.bold);
    font_.setItalic(f.italic);
    // Widths add up exactly: no kerning, and the font's own outline metrics.
    font_.setKerning(false);
    font_.setHintingPreference(QFont::PreferNoHinting);
    font_.setStyleStrategy(QFont::PreferOutline);
    if (painter_.isActive()) painter_.setFont(font_);
}

double QtPageDevice::MeasureWidth(const std::string& text) const {
    return QFontMetricsF(font_, &target_).horizontalAdvance(ToQString(text)) / PixelsPerTwip();
}

double QtPageDevice::MeasureHeight(const std::string&) const {
    return QFontMetricsF(font_, &target_).lineSpacing() / PixelsPerTwip();
}

void QtPageDevice::DrawText(double x, double y, const std::string& text) {
    const double k = PixelsPerTwip();
    const double ascent = QFontMetricsF(font_, &target_).ascent();
    painter_.setFont(font_);
    painter_.drawText(QPointF((kPageMargin + x) * k, (kPageMargin + y) * k + ascent),
                      ToQString(text));
}

void QtPageDevice::DrawChart(double x, double y, double width, double height,
                             const VoltageChartLayout& chart) {
    const double k = PixelsPerTwip();
    painter_.setFont(font_);
    DrawVoltageChart(painter_,
                     QRectF((kPageMargin + x) * k, (kPageMargin + y) * k, width * k, height * k),
                     chart);
}

PdfWriterHolder::PdfWriterHolder(const std::string& file) : path(file), writer(ToQString(file)) {}

QtPdfDevice::QtPdfDevice(const std::string& path, const std::string& title)
    : PdfWriterHolder(path), QtPageDevice(writer) {
    const bool usLetter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    writer.setPageLayout(QPageLayout(QPageSize(usLetter ? QPageSize::Letter : QPageSize::A4),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setResolution(static_cast<int>(kTwipsPerInch));
    writer.setTitle(ToQString(title));
    writer.setCreator(ToQString(title));
}

QtPdfDevice::~QtPdfDevice() {
    FinishPainting();
}

std::string QtPdfDevice::StartFailure() const {
    return "The file '" + path + "' cannot be written.";
}

void QtPdfDevice::DropOutput() {
    FinishPainting();
    std::remove(path.c_str());
}

QtPrinterDevice::QtPrinterDevice(QPrinter& printer) : QtPageDevice(printer), printer_(printer) {}

QtPrinterDevice::~QtPrinterDevice() {
    FinishPainting();
}

std::string QtPrinterDevice::StartFailure() const {
    return "The printer '" + printer_.printerName().toStdString() + "' cannot print.";
}

void QtPrinterDevice::DropOutput() {
    printer_.abort();
    FinishPainting();
}

std::string PrinterDescription(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return PrinterDescriptionText("PDF", printer.outputFileName().toStdString());
    // The print system does not tell a printer's port; its location stands in for it.
    const QString location = QPrinterInfo(printer).location();
    return PrinterDescriptionText(printer.printerName().toStdString(),
                                  location.isEmpty() ? "CUPS" : location.toStdString());
}
