#pragma once

#include <QWebEnginePage>

namespace KorvaneUpdater
{
// The page that holds the channel objects. It never leaves the embedded page and
// never opens another window: external addresses reach the user's browser only
// through the program's own link and open calls.
class LockedWebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit LockedWebPage(QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
};
}
