#include "ui/EmbeddedRequestInterceptor.h"

#include "common/Log.h"
#include "ui/EmbeddedPage.h"

namespace KorvaneUpdater
{
EmbeddedRequestInterceptor* EmbeddedRequestInterceptor::Instance()
{
    static EmbeddedRequestInterceptor* const interceptor = new EmbeddedRequestInterceptor(nullptr);
    return interceptor;
}

void EmbeddedRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    const QUrl url = info.requestUrl();
    // In-memory content never leaves the program; everything else must be the page's own.
    if (EmbeddedPage::Contains(url) || url.scheme() == QLatin1String("data") || url.scheme() == QLatin1String("blob"))
        return;
    LOG_ERROR(L"request blocked. url=" << url.toString().toStdWString());
    info.block(true);
}
}
