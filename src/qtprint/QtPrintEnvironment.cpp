#include "qtprint/QtPrintEnvironment.h"

#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "document/DesignDocument.h"

namespace {

int gArgc = 1;
char gProgramName[] = "quelmar";
char* gArgv[] = {gProgramName, nullptr};

QtMessageHandler gPreviousHandler = nullptr;

// Without a desktop session Qt notes that it has no runtime folder; printing needs none, so the
// note is not passed on. Every other message is.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths:"))) return;
    if (gPreviousHandler)
        gPreviousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

QtPrintEnvironment::QtPrintEnvironment() {
    if (QCoreApplication::instance()) return;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    gPreviousHandler = qInstallMessageHandler(QuietHandler);
    app_ = std::make_unique<QGuiApplication>(gArgc, gArgv);
    // Qt takes on the user's locale for the C library too; numbers must keep their decimal
    // point whatever the locale writes.
    std::setlocale(LC_NUMERIC, "C");
}

QtPrintEnvironment::~QtPrintEnvironment() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(gPreviousHandler);
}

std::string LongDateText(const DateTime& date) {
    const QDate day(date.year, date.month, date.day);
    return QLocale::system().toString(day, QLocale::LongFormat).toStdString();
}
