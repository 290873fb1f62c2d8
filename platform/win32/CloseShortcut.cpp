#include "platform/CloseShortcut.h"

#include <QByteArray>

#include "platform/win32/WindowsApi.h"

namespace Platform
{
bool IsCloseShortcut(const QByteArray& eventType, void* message)
{
    if (eventType != "windows_generic_MSG" || message == nullptr)
        return false;
    const auto* msg = static_cast<const MSG*>(message);
    return msg->message == WM_SYSKEYDOWN && msg->wParam == VK_F4;
}
}
