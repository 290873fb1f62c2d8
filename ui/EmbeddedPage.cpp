#include "ui/EmbeddedPage.h"

#include <QDir>

namespace KorvaneUpdater
{
namespace EmbeddedPage
{
const QUrl& StartAddress()
{
    static const QUrl address(QStringLiteral("qrc:/html/angular/index.html"));
    return address;
}

bool Contains(const QUrl& address)
{
    if (!address.isValid() || address.scheme() != QLatin1String("qrc") || !address.host().isEmpty() ||
        !address.userInfo().isEmpty() || address.port() != -1)
        return false;
    const QString path = address.path(QUrl::FullyDecoded);
    if (!path.startsWith(QLatin1Char('/')))
        return false;
    const QString clean = QDir::cleanPath(path);
    return clean == QLatin1String("/html/angular") || clean.startsWith(QLatin1String("/html/angular/"));
}
}
}
