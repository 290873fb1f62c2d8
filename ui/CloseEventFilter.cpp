#include "ui/CloseEventFilter.h"

#include "platform/CloseShortcut.h"

namespace QtCommon
{
CloseEventFilter::CloseEventFilter() = default;

CloseEventFilter::~CloseEventFilter() = default;

bool CloseEventFilter::nativeEventFilter(const QByteArray& eventType, void* message, long*)
{
    return Platform::IsCloseShortcut(eventType, message);
}
}
