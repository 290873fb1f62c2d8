#pragma once

class QByteArray;

namespace Platform
{
// Whether a native message is the system's close-window key (Alt+F4) being pressed:
// WM_SYSKEYDOWN with VK_F4 on Windows, an X11 key press of F4 with Alt held here.
bool IsCloseShortcut(const QByteArray& eventType, void* message);
}
