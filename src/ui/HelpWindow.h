#pragma once
// The help window: the program's own HTML pages, with their links, back and forward.
#include <QWidget>

#include "app/AppInfo.h"

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The one help window, created on first use, showing the topic's page.
    static HelpWindow* ShowTopic(HelpTopic topic);
    QTextBrowser* Browser() const { return browser_; }

private:
    HelpWindow();
    QTextBrowser* browser_;
};

// F1 on the window opens the help at the topic's page.
void InstallHelpKey(QWidget* window, HelpTopic topic);
