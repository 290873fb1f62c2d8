#include "app/QtHighDpiScaling.h"

#include "common/Log.h"

#include <QCoreApplication>

namespace KorvaneCommon
{
namespace QtHighDpiScaling
{
void Configure()
{
    LOG_DEBUG(L"configure");
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
}
}
}
