#include "ui/waitPrint.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtPlatform.h"

waitPrint::waitPrint(const QString& printerDescription, QWidget* parent)
    : QDialog(parent),
      lblPrinterName_(new QLabel(printerDescription, this)),
      lblPage_(new QLabel(this)),
      btnCancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName("waitPrint");
    setWindowTitle(tr("Printing"));
    setWindowModality(Qt::ApplicationModal);
    lblPrinterName_->setObjectName("lblPrinterName");
    lblPrinterName_->setAccessibleName(printerDescription);
    lblPrinterName_->setMinimumWidth(320);
    lblPage_->setObjectName("lblPage");
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setAccessibleName(tr("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrinterName_);
    layout->addWidget(lblPage_);
    layout->addWidget(btnCancel_, 0, Qt::AlignRight);
    connect(btnCancel_, &QPushButton::clicked, this, &waitPrint::cancelRequested);
}

void waitPrint::ShowPageCounter(const QString& text) {
    lblPage_->setText(text);
    lblPage_->setAccessibleName(text);
    lblPage_->repaint();
}

void waitPrint::closeEvent(QCloseEvent* event) {
    // The job ends by itself or by Cancel; the window cannot just go away under it.
    event->ignore();
}

void waitPrint::reject() {
    // Escape works as the Cancel button.
    emit cancelRequested();
}

namespace {
// The page counter of the job goes to the window, and its Cancel to the platform's cancel flag,
// for as long as the job runs.
class PlatformBinding {
public:
    explicit PlatformBinding(waitPrint& window)
        : platform_(dynamic_cast<QtPlatform*>(&CurrentPlatform())) {
        if (platform_ == nullptr) return;
        QObject::connect(&window, &waitPrint::cancelRequested, &window,
                         [platform = platform_] { platform->RequestCancel(); });
        platform_->SetStatusListener([&window](const std::string& text) {
            window.ShowPageCounter(QString::fromStdString(text));
        });
    }
    ~PlatformBinding() {
        if (platform_ != nullptr) platform_->SetStatusListener(nullptr);
    }
    PlatformBinding(const PlatformBinding&) = delete;
    PlatformBinding& operator=(const PlatformBinding&) = delete;

private:
    QtPlatform* platform_;
};
}  // namespace

PrintResult waitPrint::Run(QWidget* parent, const QString& printerDescription,
                           const std::function<PrintResult()>& job) {
    waitPrint window(printerDescription, parent);
    const PlatformBinding binding(window);
    window.show();
    return job();
}
