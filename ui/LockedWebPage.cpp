#include "ui/LockedWebPage.h"

#include "common/Log.h"
#include "ui/EmbeddedPage.h"
#include "ui/EmbeddedRequestInterceptor.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace KorvaneUpdater
{
LockedWebPage::LockedWebPage(QObject* parent) : QWebEnginePage(parent)
{
    QWebEngineSettings* s = settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    s->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    profile()->setUrlRequestInterceptor(EmbeddedRequestInterceptor::Instance());
}

bool LockedWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (EmbeddedPage::Contains(url))
        return true;
    LOG_ERROR(L"navigation refused. url=" << url.toString().toStdWString() << L" type=" << static_cast<int>(type)
                                          << L" main frame=" << isMainFrame);
    return false;
}

QWebEnginePage* LockedWebPage::createWindow(WebWindowType type)
{
    LOG_ERROR(L"new window refused. type=" << static_cast<int>(type));
    return nullptr;
}
}
