#include "ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow() : browser_(new QTextBrowser(this)) {
    setObjectName("HelpWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Quelmar Help"));
    browser_->setObjectName("txtHelp");
    browser_->setAccessibleName(tr("Help page"));
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QString::fromStdString(HelpFolder())});
    auto* back = new QPushButton(tr("&Back"), this);
    auto* forward = new QPushButton(tr("&Forward"), this);
    auto* contents = new QPushButton(tr("&Contents"), this);
    auto* close = new QPushButton(tr("&Close"), this);
    for (QPushButton* b : {back, forward, contents, close})
        b->setAccessibleName(b->text().remove('&'));
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this,
            [this] { browser_->setSource(QUrl("index.html")); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    back->setEnabled(false);
    forward->setEnabled(false);
    auto* bar = new QHBoxLayout;
    for (QPushButton* b : {back, forward, contents})
        bar->addWidget(b);
    bar->addStretch();
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(760, 620);
}

HelpWindow* HelpWindow::ShowTopic(HelpTopic topic) {
    static QPointer<HelpWindow> window;
    if (!window) window = new HelpWindow;
    QUrl url(QString::fromStdString(HelpPageOf(topic)));
    const std::string anchor = HelpAnchorOf(topic);
    if (!anchor.empty()) url.setFragment(QString::fromStdString(anchor));
    window->browser_->setSource(url);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void InstallHelpKey(QWidget* window, HelpTopic topic) {
    auto* key = new QShortcut(QKeySequence::HelpContents, window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, [topic] { HelpWindow::ShowTopic(topic); });
}
