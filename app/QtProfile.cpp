#include "app/QtProfile.h"

#include "common/Log.h"

#include <QWebEngineProfile>

namespace KorvaneCommon
{
namespace QtProfile
{
void Configure()
{
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    if (profile == nullptr)
    {
        LOG_ERROR(L"no qwebengine profile");
        return;
    }
    profile->setHttpCacheType(QWebEngineProfile::NoCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
}
}
}
