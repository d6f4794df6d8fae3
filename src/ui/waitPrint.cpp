#include "ui/waitPrint.h"

#include <QLabel>

#include "ui/QtPlatform.h"

waitPrint::waitPrint(const QString& printerDescription, QWidget* parent)
    : ProgressDialog("waitPrint", tr("Printing"), parent),
      lblPrinterName_(new QLabel(printerDescription, this)),
      lblPage_(new QLabel(this)) {
    lblPrinterName_->setObjectName("lblPrinterName");
    lblPrinterName_->setAccessibleName(printerDescription);
    lblPrinterName_->setMinimumWidth(320);
    lblPage_->setObjectName("lblPage");
    AddLine(lblPrinterName_);
    AddLine(lblPage_);
}

void waitPrint::ShowPageCounter(const QString& text) {
    lblPage_->setText(text);
    lblPage_->setAccessibleName(text);
    lblPage_->repaint();
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
