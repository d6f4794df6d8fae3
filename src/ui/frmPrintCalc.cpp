#include "ui/frmPrintCalc.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "print/PrintDialogModel.h"
#include "qtprint/QtPageDevice.h"

namespace {
QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove('&'));
    button->setAutoDefault(false);
    return button;
}

// A check box for one of the model's flags, ticked as the flag is.
QCheckBox* CheckBox(const QString& caption, const char* name, bool ticked,
                    const std::function<void(bool)>& toggled, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(QString(caption).remove('&'));
    box->setChecked(ticked);
    QObject::connect(box, &QCheckBox::toggled, parent, toggled);
    return box;
}

// A printer named by the print system, or a file to print to.
bool CanPrintOn(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? !printer.outputFileName().isEmpty()
                                                         : !printer.printerName().isEmpty();
}
}  // namespace

frmPrintCalc::frmPrintCalc(PrintDialogModel& model, QPrinter& printer, ReportRun report,
                           QString pdfSuggestion, QWidget* parent)
    : QDialog(parent),
      model_(model),
      printer_(printer),
      report_(std::move(report)),
      pdfSuggestion_(std::move(pdfSuggestion)),
      lblPrinterName_(new QLabel(this)),
      lstLoop_(new QListWidget(this)) {
    setObjectName("frmPrintCalc");
    setWindowTitle(tr("Print"));
    setWindowModality(Qt::ApplicationModal);
    lblPrinterName_->setObjectName("lblPrinterName");
    auto* lblLoop = new QLabel(tr("&Loops:"), this);
    lblLoop->setObjectName("lblLoop");
    lblLoop->setBuddy(lstLoop_);
    lstLoop_->setObjectName("lstLoop");
    lstLoop_->setAccessibleName(tr("Loops:"));
    lstLoop_->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const PrintDialogModel::LoopEntry& entry : model_.LoopEntries())
        lstLoop_->addItem(QString::fromStdString(entry.text));
    for (int i = 0; i < lstLoop_->count(); ++i)
        lstLoop_->item(i)->setSelected(model_.LoopEntries()[static_cast<std::size_t>(i)].selected);
    lstLoop_->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    connect(lstLoop_, &QListWidget::itemSelectionChanged, this, [this] {
        for (int i = 0; i < lstLoop_->count(); ++i)
            model_.SelectLoop(static_cast<std::size_t>(i), lstLoop_->item(i)->isSelected());
    });
    lblLoop->setVisible(model_.LoopListVisible());
    lstLoop_->setVisible(model_.LoopListVisible());
    QCheckBox* chkVoltageCharts = CheckBox(
        tr("Include &voltage charts"), "chkVoltageCharts", model_.VoltageCharts(),
        [this](bool ticked) { model_.VoltageCharts(ticked); }, this);
    QCheckBox* chkStandbyPower = CheckBox(
        tr("Include standby &power"), "chkStandbyPower", model_.StandbyPower(),
        [this](bool ticked) { model_.StandbyPower(ticked); }, this);

    QPushButton* btnSetup = Button(tr("&Setup..."), "btnSetup", this);
    QPushButton* btnPreview = Button(tr("P&review"), "btnPreview", this);
    QPushButton* btnPdf = Button(tr("Save as P&DF..."), "btnPdf", this);
    QPushButton* btnPrint = btnPrint_ = Button(tr("Print"), "btnPrint", this);
    QPushButton* btnCancel = Button(tr("Cancel"), "btnCancel", this);
    btnPrint->setDefault(true);
    connect(btnSetup, &QPushButton::clicked, this, &frmPrintCalc::Setup);
    connect(btnPreview, &QPushButton::clicked, this, &frmPrintCalc::Preview);
    connect(btnPdf, &QPushButton::clicked, this, &frmPrintCalc::SaveAsPdf);
    connect(btnPrint, &QPushButton::clicked, this, [this] {
        model_.Print();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &frmPrintCalc::reject);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btnSetup, btnPreview, btnPdf})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrinterName_);
    layout->addWidget(lblLoop);
    layout->addWidget(lstLoop_);
    layout->addWidget(chkVoltageCharts);
    layout->addWidget(chkStandbyPower);
    layout->addLayout(buttons);
    ShowPrinterName();
}

void frmPrintCalc::reject() {
    model_.Cancel();
    QDialog::reject();
}

void frmPrintCalc::ShowPrinterName() {
    const QString text = QString::fromStdString(model_.PrinterName());
    lblPrinterName_->setText(text);
    lblPrinterName_->setAccessibleName(text);
    btnPrint_->setEnabled(model_.CanPrint());
}

void frmPrintCalc::Setup() {
    QPrintDialog setup(&printer_, this);
    setup.setOption(QAbstractPrintDialog::PrintSelection, false);
    setup.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (setup.exec() != QDialog::Accepted) return;
    model_.PrinterChanged(PrinterDescription(printer_), CanPrintOn(printer_));
    ShowPrinterName();
}

void frmPrintCalc::Preview() {
    QPrintPreviewDialog preview(&printer_, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        QtPrinterDevice device(*target);
        report_(device, model_.ChosenLoops());
    });
    preview.exec();
}

void frmPrintCalc::SaveAsPdf() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Save as PDF"), pdfSuggestion_,
                                                      tr("PDF Files (*.pdf)"));
    if (path.isEmpty()) return;
    model_.SaveAsPdf(path.toStdString());
    accept();
}
